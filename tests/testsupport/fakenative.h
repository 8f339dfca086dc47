#pragma once

// Stand-ins for the two native objects the scene calls (ui_View and ui_Ctl), for tests
// of the scene alone. Every call is recorded by name with its arguments; what a getter
// returns is set by the test.

#include <QObject>
#include <QStringList>
#include <QVariant>

class CallRecorder : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QStringList calls READ calls NOTIFY callsChanged)

public:
    QStringList calls() const { return callNames; }

    // Forgets the calls and the answers.
    Q_INVOKABLE void reset();
    // Calls of `name` so far.
    Q_INVOKABLE int countOf(const QString &name) const;
    // Arguments of the last call of `name` (empty when there was none).
    Q_INVOKABLE QVariantList argsOf(const QString &name) const;
    // What getter `name` returns from now on.
    Q_INVOKABLE void setAnswer(const QString &name, const QVariant &value);

signals:
    void callsChanged();

protected:
    void record(const QString &name, const QVariantList &args = {});
    // Records a getter's call and returns what the test set for it, else `fallback`.
    QVariant answered(const QString &name, const QVariant &fallback, const QVariantList &args = {});

private:
    QStringList callNames;
    QList<QVariantList> callArgs;
    QVariantMap answers;
};

class FakeView : public CallRecorder
{
    Q_OBJECT
    Q_PROPERTY(bool enabled READ isEnabled NOTIFY enabledChanged)

public:
    bool isEnabled() const { return enabled; }

public slots:
    void setEnabled(bool isEnabled);
    void playMedia_Index(int index) { record("playMedia_Index", {index}); }
    void playMedia_Background() { record("playMedia_Background"); }
    void clearAllMedia() { record("clearAllMedia"); }
    void setEnableAudio(bool isEnable) { record("setEnableAudio", {isEnable}); }

    QVariantList loadHWDef() { return answered("loadHWDef", QVariantList()).toList(); }
    QVariantList loadUsbStr() { return answered("loadUsbStr", QVariantList()).toList(); }
    QVariantList loadUsbCode() { return answered("loadUsbCode", QVariantList()).toList(); }
    int getMaxProfile() { return answered("getMaxProfile", 5).toInt(); }
    QVariant ui_A1H_GetCurrentProfile() { return answered("ui_A1H_GetCurrentProfile", 0); }
    void syncLed() { record("syncLed"); }
    void ui_21H_SetCurrentProfile(int profile) { record("ui_21H_SetCurrentProfile", {profile}); }

    void loadProfile(int profile) { record("loadProfile", {profile}); }
    void saveProfile(int profile) { record("saveProfile", {profile}); }
    void resetProfile(int profile) { record("resetProfile", {profile}); }

    QVariantList loadApConfig() { return answered("loadApConfig", QVariantList()).toList(); }
    void saveApConfig(const QVariantList &apConfigs) { record("saveApConfig", {QVariant(apConfigs)}); }
    void resetApconfig() { record("resetApconfig"); }
    bool getIsSkinShow() { return answered("getIsSkinShow", true).toBool(); }
    QString getCustomFilePath() { return answered("getCustomFilePath", QString()).toString(); }
    QVariantMap chkLanguages() { return answered("chkLanguages", QVariantMap()).toMap(); }
    QStringList getGlobalStrings(const QString &langCode)
    {
        return answered("getGlobalStrings", QStringList(), {langCode}).toStringList();
    }

signals:
    void enabledChanged();

private:
    bool enabled = true;
};

class FakeControler : public CallRecorder
{
    Q_OBJECT

public slots:
    void onXChanged(int dx) { record("onXChanged", {dx}); }
    void onYChanged(int dy) { record("onYChanged", {dy}); }
    void onMinimize() { record("onMinimize"); }
    void onClose() { record("onClose"); }
};
