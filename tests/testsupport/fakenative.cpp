#include "fakenative.h"

void CallRecorder::reset()
{
    callNames.clear();
    callArgs.clear();
    answers.clear();
    emit callsChanged();
}

int CallRecorder::countOf(const QString &name) const
{
    return int(callNames.count(name));
}

QVariantList CallRecorder::argsOf(const QString &name) const
{
    const qsizetype i = callNames.lastIndexOf(name);
    return i < 0 ? QVariantList() : callArgs.at(i);
}

void CallRecorder::setAnswer(const QString &name, const QVariant &value)
{
    answers.insert(name, value);
}

void CallRecorder::record(const QString &name, const QVariantList &args)
{
    callNames.append(name);
    callArgs.append(args);
    emit callsChanged();
}

QVariant CallRecorder::answered(const QString &name, const QVariant &fallback, const QVariantList &args)
{
    record(name, args);
    return answers.value(name, fallback);
}

void FakeView::setEnabled(bool isEnabled)
{
    record("setEnabled", {isEnabled});
    enabled = isEnabled;
    emit enabledChanged();
}
