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

QVariant CallRecorder::answer(const QString &name, const QVariant &fallback) const
{
    return answers.value(name, fallback);
}

void FakeView::setEnabled(bool isEnabled)
{
    record("setEnabled", {isEnabled});
    enabled = isEnabled;
    emit enabledChanged();
}

QVariantList FakeView::loadHWDef()
{
    record("loadHWDef");
    return answer("loadHWDef", QVariantList()).toList();
}

QVariantList FakeView::loadUsbStr()
{
    record("loadUsbStr");
    return answer("loadUsbStr", QVariantList()).toList();
}

QVariantList FakeView::loadUsbCode()
{
    record("loadUsbCode");
    return answer("loadUsbCode", QVariantList()).toList();
}

int FakeView::getMaxProfile()
{
    record("getMaxProfile");
    return answer("getMaxProfile", 5).toInt();
}

QVariant FakeView::ui_A1H_GetCurrentProfile()
{
    record("ui_A1H_GetCurrentProfile");
    return answer("ui_A1H_GetCurrentProfile", 0);
}

QVariantList FakeView::loadApConfig()
{
    record("loadApConfig");
    return answer("loadApConfig", QVariantList()).toList();
}

bool FakeView::getIsSkinShow()
{
    record("getIsSkinShow");
    return answer("getIsSkinShow", true).toBool();
}

QString FakeView::getCustomFilePath()
{
    record("getCustomFilePath");
    return answer("getCustomFilePath", QString()).toString();
}

QVariantMap FakeView::chkLanguages()
{
    record("chkLanguages");
    return answer("chkLanguages", QVariantMap()).toMap();
}

QStringList FakeView::getGlobalStrings(const QString &langCode)
{
    record("getGlobalStrings", {langCode});
    return answer("getGlobalStrings", QStringList()).toStringList();
}
