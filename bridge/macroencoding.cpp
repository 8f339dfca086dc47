#include "macroencoding.h"

namespace macros {

namespace {
constexpr int kTagLength = 10;
constexpr uchar kPress = 0x01;
constexpr uchar kRelease = 0x81;
constexpr uchar kWait = 0x7F;
} // namespace

Step splitStep(const QString &text)
{
    if (text.size() < kTagLength)
        return {};
    const QString tag = text.right(kTagLength);
    const QString operand = text.left(text.size() - kTagLength);
    if (tag == QLatin1String("    [Down]"))
        return {StepKind::Down, operand};
    if (tag == QLatin1String("      [Up]"))
        return {StepKind::Up, operand};
    if (tag == QLatin1String("   [Delay]"))
        return {StepKind::Delay, operand};
    return {};
}

QList<uchar> encode(const QStringList &steps, const QMap<QString, quint8> &keyCodes)
{
    QList<uchar> bytes{0x00, 0x01};
    for (const QString &text : steps) {
        const Step step = splitStep(text);
        switch (step.kind) {
        case StepKind::Down:
        case StepKind::Up:
            if (const quint8 code = keyCodes.value(step.operand, 0))
                bytes << (step.kind == StepKind::Down ? kPress : kRelease) << code;
            break;
        case StepKind::Delay:
            // A negative wait is no wait at all.
            if (const int ms = step.operand.toInt(); ms > 0) {
                const int t = ms / 10;
                bytes << kWait << 0x00 << uchar((t / 256) % 256) << uchar(t % 256);
            }
            break;
        case StepKind::Unknown:
            break;
        }
    }
    bytes << 0x00 << 0x00;
    return bytes;
}

} // namespace macros
