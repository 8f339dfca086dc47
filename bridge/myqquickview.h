#pragma once

#include "hardwaresizing.h"
#include "keymatrix.h"
#include "macrolibrary.h"
#include "settingsstores.h"

#include <QList>
#include <QMap>
#include <QQuickWidget>
#include <QStringList>

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

    SettingsStores &stores() { return settingsStores; }
    quint8 currentProfileIndex() const { return curProfile; }
    const QMap<QString, quint8> &keyCodes() const { return keyCodeMap; }
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

    // Configuration and profile files (view_settings.cpp).
    QVariantList loadApConfig();
    void saveApConfig(const QVariantList &apConfigs);
    void resetApconfig();
    bool getIsSkinShow();
    uchar getMaxProfile();
    void loadProfile(int profile);
    void saveProfile(int profile);
    void resetProfile(int profile);
    QVariant loadDefaultProfile(const QString &key);
    QString getCustomFilePath();

    // Definition tables and languages (view_definitions.cpp).
    QVariantList loadHWDef();
    QVariantList loadUsbStr();
    QVariantList loadUsbCode();
    QVariantMap chkLanguages();
    QStringList getGlobalStrings(const QString &langCode);

    // Key matrix and combination keys (view_keymatrix.cpp).
    QVariantList getKeydefine(const QVariant &matrixId);
    void ui_0C0DH_SetKeyMatrix(const QVariantList &src256);
    QVariantList ui_8C8DH_GetKeyMatrix();
    void getComboKey(bool isRecovery);
    QVariant getCurrentKeyMatrix(uchar currentKey);
    void ui_AAAAH_SetComboKeyMatrix(uchar keyID, uchar combokeycode0, uchar combokeycode1, bool isSave);

    // Lighting (view_lighting.cpp).
    void ui_08H_SetLEDType(uchar type, uchar brightness, uchar speed, uchar direction, uchar color,
                           uchar bl0, uchar bl1);
    QVariantList ui_88H_GetLEDType();
    void ui_30H_SetColor(const QVariantList &src21);
    QVariantList ui_B0H_GetColor();
    void ui_12H_SetUserPicture(uchar index, uchar option, const QVariantList &src384);
    QVariantList ui_92H_GetUserPicture(uchar index);
    void syncLed();

    // The macro library and macro encoding (view_macros.cpp).
    QStringList getMacroIniNames();
    QVariant createMacroIni();
    QVariant deleteMacroIni(const QVariant &name);
    void renameMacroIniFile(const QVariant &oldName, const QVariant &newName);
    void loadMacroIniFromFile(const QVariant &name);
    void saveMacroIniToFile(const QVariant &name);
    QStringList loadMacroIni(const QVariant &name);
    QVariant saveMacroIni(const QVariant &name, const QStringList &macros);
    QVariantList loadMacroIniConfig(const QVariant &name);
    void setMacroIniConfig(const QVariant &name, const QVariantList &config);
    void initMacroIni(uchar maxMacro);
    QList<uchar> macroIncode(const QStringList &macros);
    void ui_10H_SetMacroKey(const QVariant &macroId, const QVariant &name);

    // The keyboard's simple settings (view_device.cpp).
    void ui_01H_SetReportRate(uchar rate);
    void ui_02H_SetKeyboardMode(uchar mode);
    void ui_04H_SetButtonSensitivity(uchar sens1);
    void ui_13H_SetRecoveryData();
    void ui_21H_SetCurrentProfile(int profile);
    QString ui_80H_GetFWVersion();
    QVariant ui_80H_GetHWMode();
    QVariant ui_81H_GetReportRate();
    QVariant ui_82H_GetKeyboardMode();
    QVariant ui_84H_GetButtonSensitivity();
    QVariant ui_A1H_GetCurrentProfile();
    void syncFW();

    void setEnableAudio(bool isEnable);
    void playMedia_Index(uchar index);
    void playMedia_Background();
    void clearAllMedia();

    // A lighting change the keyboard reported: kept in the current profile, then the
    // scene reloads its lighting pages.
    void keepKeyboardLighting(const QVariantList &ledType);

private:
    // The store of the current profile, or null when the index names no slot.
    QSettings *currentProfile() const { return settingsStores.profile(curProfile); }

    myQQuickView(QWidget *parent, const HardwareSizing &hw);

    bool audioEnabled = true;
    QList<QMediaPlayer *> players;
    // The sizing comes from the hardware definition before the stores: it counts the slots.
    quint8 kbLayoutType = 0;
    quint8 maxMacro = 0;
    quint8 maxProfile = 0;
    SettingsStores settingsStores; // the configuration and one store per profile slot
    quint8 curProfile = 0;
    QStringList globalStrings;
    QMap<QString, quint8> keyCodeMap;
    // The combination keys being edited; the program has one view, so this is the one table.
    keymatrix::ComboTable comboKeys;
    MacroLibrary macroLibrary;
};
