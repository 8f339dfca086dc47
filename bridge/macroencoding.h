#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// A macro step is one text: an operand followed by a tag of exactly 10 characters,
// "    [Down]" / "      [Up]" with a key name, "   [Delay]" with milliseconds.
namespace macros {

enum class StepKind { Down, Up, Delay, Unknown };

struct Step {
    StepKind kind = StepKind::Unknown;
    QString operand;
};

Step splitStep(const QString &text);

// The bytes the keyboard plays: 00 01, then 01 code for a press, 81 code for a release,
// 7F 00 t-high t-low for a wait of t tens of milliseconds, then 00 00. Key names without a
// code (or with code 0) and waits that are not a positive number are left out.
QList<uchar> encode(const QStringList &steps, const QMap<QString, quint8> &keyCodes);

} // namespace macros
