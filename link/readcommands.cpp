// The commands that read a stored value back from the keyboard. Each runs its exchange
// on the calling thread. The answer report is pre-filled with the caller's values, so
// whatever the keyboard does not send keeps them.

#include "hid_thread.h"

using frame::makeReport;
using frame::makeRawReport;

namespace {
constexpr int kBlock128 = 128;
constexpr int kBlock64 = 64;
constexpr int kAnswer = frame::kParamOffset; // first answer byte

// Layout mode: bits 1 and 2 of answer byte 4 of 80H.
uchar layoutMode(uchar answerByte)
{
    return (answerByte >> 1) & 3;
}
} // namespace

void Hid_Thread::hid_80H_GetFWVersion(ushort &version, uchar &mode_UsUk)
{
    if (runRead(makeReport(0x80), makeReport(0x80)) != ReadOutcome::Done)
        return;
    version = ushort(answerReport[kAnswer] << 8 | answerReport[kAnswer + 1]);
    mode_UsUk = layoutMode(answerReport[kAnswer + 2]);
}

void Hid_Thread::hid_82H_GetKeyboardoption(uchar &byte1, uchar &byte2, uchar &byte3)
{
    if (runRead(makeReport(0x82), makeReport(0x82, {byte1, byte2, byte3, 0}))
        == ReadOutcome::Busy)
        return;
    byte1 = answerReport[kAnswer];
    byte2 = answerReport[kAnswer + 1];
    byte3 = answerReport[kAnswer + 2];
}

void Hid_Thread::hid_84H_GetButtonSensitivity(uchar &sens1)
{
    if (runRead(makeReport(0x84), makeReport(0x84, {sens1, 0, 0, 0})) == ReadOutcome::Busy)
        return;
    sens1 = answerReport[kAnswer];
}

bool Hid_Thread::hid_88H_GetLEDType(uchar &type, uchar &brightness, uchar &speed,
                                    uchar &direction, uchar &color, uchar &bl0, uchar &bl1)
{
    const ReadOutcome outcome = runRead(
        makeReport(0x88),
        makeRawReport(0x88, {type, brightness, speed, direction, color, bl0, bl1}));
    if (outcome == ReadOutcome::Busy)
        return false;
    uchar *outputs[] = {&type, &brightness, &speed, &direction, &color, &bl0, &bl1};
    for (int i = 0; i < frame::kRawCount; ++i)
        *outputs[i] = answerReport[frame::kRawOffset + i];
    return outcome == ReadOutcome::Done;
}

void Hid_Thread::hid_8CH_GetKeyMatrix_1(uchar *src128)
{
    runRead(makeReport(0x8C), makeReport(0x8C), src128, kBlock128);
}

void Hid_Thread::hid_8DH_GetKeyMatrix_2(uchar *src128)
{
    runRead(makeReport(0x8D), makeReport(0x8D), src128, kBlock128);
}

void Hid_Thread::hid_90H_GetMacroKey(uchar macroId, uchar *src128)
{
    const frame::Params params{0, macroId, 0, 0};
    runRead(makeReport(0x90, params), makeReport(0x90, params), src128, kBlock128);
}

void Hid_Thread::hid_92H_GetUserPicture(uchar index, uchar colorIndex, uchar *src128)
{
    const frame::Params params{0, index, colorIndex, 0};
    runRead(makeReport(0x92, params), makeReport(0x92, params), src128, kBlock128);
}

void Hid_Thread::hid_A1H_GetCurrentProfile(uchar &profileId)
{
    if (runRead(makeReport(0xA1), makeReport(0xA1)) == ReadOutcome::Busy)
        return;
    profileId = answerReport[kAnswer];
}

bool Hid_Thread::hid_B0H_GetSevenColor(uchar *src64)
{
    return runRead(makeReport(0xB0), makeReport(0xB0), src64, kBlock64)
        == ReadOutcome::Done;
}
