#include "linkfixture.h"

#include "hex.h"

#include <QMutex>

#include <algorithm>

namespace {
QMutex logMutex;
QStringList logged;
QtMessageHandler previousHandler = nullptr;

void collect(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtDebugMsg && QLatin1String(context.category) == QLatin1String("valdrin.link")) {
        QMutexLocker lock(&logMutex);
        logged.append(text);
    }
    previousHandler(type, context, text);
}
} // namespace

DeviceEntry virtualKeyboardEntry()
{
    return {0, QStringLiteral("QN9"), QString::fromLatin1(vkb::VirtualKeyboard::kCommandPath),
            QString::fromLatin1(vkb::VirtualKeyboard::kNotifyPath),
            quint32(vkb::VirtualKeyboard::kReportLength)};
}

MessageLog::MessageLog()
{
    QMutexLocker lock(&logMutex);
    logged.clear();
    previousHandler = qInstallMessageHandler(collect);
}

MessageLog::~MessageLog()
{
    qInstallMessageHandler(previousHandler);
}

QStringList MessageLog::messages() const
{
    QMutexLocker lock(&logMutex);
    return logged;
}

std::vector<vkb::Report> reportsOf(vkb::ReportKind kind)
{
    std::vector<vkb::Report> all = vkb::VirtualKeyboard::instance().reports();
    std::vector<vkb::Report> matching;
    std::copy_if(all.begin(), all.end(), std::back_inserter(matching),
                 [kind](const vkb::Report &r) { return r.kind == kind; });
    return matching;
}

QStringList hexOf(const std::vector<vkb::Report> &reports)
{
    QStringList list;
    for (const vkb::Report &r : reports)
        list.append(hex(r.bytes));
    return list;
}

QStringList commandCodes()
{
    QStringList codes;
    for (const vkb::Report &report : reportsOf(vkb::ReportKind::FeatureSet))
        codes.append(hex(report.bytes.data() + 1, 1));
    return codes;
}
