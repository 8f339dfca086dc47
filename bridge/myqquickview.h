#pragma once

#include "hardwaresizing.h"

#include <QList>
#include <QMap>
#include <QQuickWidget>
#include <QStringList>

#include <memory>

class Hid_Thread;
class QMediaPlayer;
class QSettings;

// The view that shows the scene, and the one object through which the scene reaches
// everything native: settings and profile files, definitions, sounds and the keyboard.
// Calls into the scene go by function name on its root object.
class myQQuickView : public QQuickWidget
{
    Q_OBJECT

public:
    static constexpr int kPlayers = 5;

    explicit myQQuickView(QWidget *parent);
    ~myQQuickView() override;

    Hid_Thread *link = nullptr; // set by the main window right after the window is built

    QSettings *configurationStore() const { return apConfig.get(); }
    const QList<QSettings *> &profileStoreList() const { return profileStores; }
    quint8 currentProfileIndex() const { return curProfile; }
    HardwareSizing sizing() const { return {kbLayoutType, maxMacro, maxProfile}; }
    QMediaPlayer *player(int index); // player k plays sound k

    // Hook events, passed on to the scene.
    void detectKeyboard(bool isDown, uchar usbCode);
    void detectMouse(bool isDown, uint buttonCode, uint x, uint y);

public slots:
    void initUI();
    void zzzBrisol();
    void runUI();
    void closeUI();

    void setEnableAudio(bool isEnable);
    void playMedia_Index(uchar index);
    void playMedia_Background();
    void clearAllMedia();

    // A lighting change the keyboard reported: kept in the current profile, then the
    // scene reloads its lighting pages.
    void keepKeyboardLighting(const QVariantList &ledType);

private:
    bool audioEnabled = true;
    QList<QMediaPlayer *> players;
    std::unique_ptr<QSettings> apConfig;
    QList<QSettings *> profileStores; // owned; slot i is "p" + (i + 1) + ".bin"
    quint8 curProfile = 0;
    QStringList globalStrings;
    quint8 kbLayoutType = 0;
    quint8 maxMacro = 0;
    quint8 maxProfile = 0;
    QMap<QString, quint8> keyCodeMap;
};
