// Back-to-back block writes through the link to the virtual keyboard, against the pacing
// floor of 8 ms per data report. The overhead above the floor is the figure: a command
// waiting for the link should take it as soon as it is given back.

#include "hid_thread.h"
#include "virtualkeyboard.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <array>
#include <cstdio>

namespace {
constexpr int kCommands = 60;
constexpr double kPauseMs = 8.0;

void measure(Hid_Thread &link, const char *name, int blockLength,
             void (Hid_Thread::*command)(const uchar *))
{
    std::array<uchar, 128> block{};
    block.fill(0x42);
    const int reportsPerCommand = (blockLength + 63) / 64;
    const double floorMs = reportsPerCommand * kPauseMs;

    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kCommands; ++i)
        (link.*command)(block.data());
    link.finishWrites();
    const double perCommand = double(timer.nsecsElapsed()) / 1e6 / kCommands;

    std::printf("%-16s %3d commands  %7.3f ms per command  floor %6.3f ms  %.3f x floor\n", name,
                kCommands, perCommand, floorMs, perCommand / floorMs);
}
// A whole profile as the utility sends it: key matrix, combination keys, the lighting
// record, the seven colours and one user picture. 17 data reports.
void pushProfiles(Hid_Thread &link)
{
    constexpr int kProfiles = 10;
    constexpr int kDataReports = 2 + 2 + 2 + 2 + 0 + 1 + 4 * 2;
    std::array<uchar, 128> block{};
    block.fill(0x42);

    QElapsedTimer timer;
    timer.start();
    for (int p = 0; p < kProfiles; ++p) {
        link.hid_0CH_SetKeyMatrix_1(block.data());
        link.hid_0DH_SetKeyMatrix_2(block.data());
        link.hid_1CH_SetKeyMatrix_1(block.data());
        link.hid_1DH_SetKeyMatrix_2(block.data());
        link.hid_08H_SetLEDType(1, 2, 3, 4, 5, 6, 7);
        link.hid_30H_SetSevenColor(block.data());
        for (uchar colorIndex = 0; colorIndex < 4; ++colorIndex)
            link.hid_12H_SetUserPicture(0, colorIndex, block.data());
    }
    link.finishWrites();
    const double perProfile = double(timer.nsecsElapsed()) / 1e6 / kProfiles;
    const double floorMs = kDataReports * kPauseMs;
    std::printf("%-16s %3d profiles  %7.3f ms per profile  floor %6.3f ms  %.3f x floor\n",
                "full profile", kProfiles, perProfile, floorMs, perProfile / floorMs);
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    Hid_Thread link;
    link.setDeviceList({{0, QStringLiteral("QN9"),
                         QString::fromLatin1(vkb::VirtualKeyboard::kCommandPath),
                         QString::fromLatin1(vkb::VirtualKeyboard::kNotifyPath),
                         quint32(vkb::VirtualKeyboard::kReportLength)}});

    measure(link, "128-byte block", 128, &Hid_Thread::hid_0CH_SetKeyMatrix_1);
    measure(link, "64-byte block", 64, &Hid_Thread::hid_30H_SetSevenColor);
    pushProfiles(link);
    std::printf("target: within 1.05 x floor\n");
    return 0;
}
