// One exchange with the keyboard: the command report, for reads the answer report, and
// the block in data reports. The command interface is opened once per exchange and all
// of its reports travel on that handle: the first open of an idle hidraw node costs the
// kernel 50 ms, and reports that arrive while no handle is open are lost.

#include "hid_thread.h"

#include "linklog.h"
#include "sanitizerhandoff.h"

#include <QtConcurrent/QtConcurrentRun>

#include <hidapi/hidapi.h>

#include <algorithm>
#include <vector>

namespace {
constexpr unsigned long kDataReportPauseMs = 8; // the keyboard's pace for data reports
constexpr int kDataReadTimeoutMs = 1000;        // a keyboard that never answers fails the read

QByteArray hexBytes(const uint8_t *bytes, int count)
{
    return QByteArray(reinterpret_cast<const char *>(bytes), count).toHex(' ');
}
} // namespace

// Every way out of an exchange closes the command interface and gives the link back.
class Hid_Thread::ExchangeScope
{
public:
    explicit ExchangeScope(Hid_Thread &link) : link(link) {}
    ~ExchangeScope()
    {
        link.closeCmdDevice();
        link.giveBackLink();
    }
    ExchangeScope(const ExchangeScope &) = delete;
    ExchangeScope &operator=(const ExchangeScope &) = delete;

private:
    Hid_Thread &link;
};

hid_device *Hid_Thread::openAndSendCommand(int &reportLength)
{
    if (!languageFileValid)
        return nullptr;
    const quint32 did = curDeviceId;
    hid_device *device = openCmdDevice(did);
    if (!device)
        return nullptr;
    if (hid_send_feature_report(device, commandReport.data(), commandReport.size()) < 0) {
        qCDebug(lcLinkIo) << "command report refused:" << hexBytes(commandReport.data(), commandReport.size());
        return nullptr;
    }
    reportLength = int(deviceEntry(did).reportLength);
    return device;
}

bool Hid_Thread::sendFrame(int length)
{
    ExchangeScope scope(*this);
    int reportLength = 0;
    hid_device *device = openAndSendCommand(reportLength);
    if (!device)
        return false;
    if (length <= 0)
        return true;
    if (reportLength <= 0)
        return false;

    const int chunk = frame::chunkSize(length, reportLength);
    std::vector<uint8_t> report(frame::kReportIdSize + reportLength);
    for (int position = 0; position < length; position += chunk) {
        frame::fillDataReport(report.data(), reportLength, dataBuffer.data() + position,
                              std::min(chunk, length - position));
        if (hid_write(device, report.data(), report.size()) < 0) {
            qCDebug(lcLinkIo) << "data report refused at" << position << ":"
                              << hexBytes(report.data(), int(report.size()));
            return false;
        }
        QThread::msleep(kDataReportPauseMs);
    }
    return true;
}

bool Hid_Thread::receiveFrame(int length)
{
    ExchangeScope scope(*this);
    int reportLength = 0;
    hid_device *device = openAndSendCommand(reportLength);
    if (!device)
        return false;
    if (hid_get_feature_report(device, answerReport.data(), answerReport.size()) < 0) {
        qCDebug(lcLinkIo) << "answer report failed after:" << hexBytes(commandReport.data(), commandReport.size());
        return false;
    }
    if (length <= 0)
        return true;
    if (reportLength <= 0)
        return false;

    const int chunk = frame::chunkSize(length, reportLength);
    std::vector<uint8_t> report(frame::kReportIdSize + reportLength);
    for (int stored = 0; stored < length; stored += chunk) {
        std::fill(report.begin(), report.end(), uint8_t(0));
        // 0 is the time limit running out: the keyboard did not answer.
        if (hid_read_timeout(device, report.data(), report.size(), kDataReadTimeoutMs) <= 0) {
            qCDebug(lcLinkIo) << "data report missing at" << stored << "after:"
                              << hexBytes(commandReport.data(), commandReport.size());
            return false;
        }
        std::copy_n(report.data(), std::min(chunk, length - stored), dataBuffer.data() + stored);
    }
    return true;
}

void Hid_Thread::startWrite(const frame::Report &report, const uchar *block, int length)
{
    if (!waitIdle()) {
        const QString code = QString::number(report[frame::kCodeOffset], 16).toUpper();
        qCDebug(lcLink).noquote() << "cmd Failed" << code.rightJustified(2, QLatin1Char('0'));
        return;
    }
    commandReport = report;
    if (length > 0)
        std::copy_n(block, length, dataBuffer.begin());
    {
        std::lock_guard lock(idleMutex);
        ++writeTasks;
    }
    // The reports filled above now belong to the task. The outcome of a write is not
    // reported: the future is dropped.
    handOff(this);
    (void)QtConcurrent::run([this, length] { runWriteTask(length); });
}

void Hid_Thread::runWriteTask(int length)
{
    takeOver(this);
    sendFrame(length);
    std::lock_guard lock(idleMutex);
    --writeTasks; // the previous task may still be on its way out when the next starts
    idleChanged.notify_all();
}

Hid_Thread::ReadOutcome Hid_Thread::runRead(const frame::Report &report,
                                            const frame::Report &answerPrefill, uchar *block,
                                            int length)
{
    if (!waitIdle()) {
        qCDebug(lcLink) << "cmd Failed";
        return ReadOutcome::Busy;
    }
    commandReport = report;
    answerReport = answerPrefill;
    if (length > 0)
        std::copy_n(block, length, dataBuffer.begin());
    const bool received = receiveFrame(length);
    if (length > 0)
        std::copy_n(dataBuffer.begin(), length, block);
    return received ? ReadOutcome::Done : ReadOutcome::Failed;
}
