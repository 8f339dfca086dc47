#pragma once

#include "commandframe.h"
#include "deviceentry.h"

#include <QFuture>
#include <QThread>
#include <QVariantList>

#include <atomic>
#include <condition_variable>
#include <mutex>

class Widget;
struct hid_device_;
using hid_device = hid_device_;

// While false every exchange of the link fails at once. Loading a language file sets it
// to whether the file's check entry matched.
extern std::atomic<bool> languageFileValid;

// The keyboard link: the one object that talks to the keyboard. It keeps the device
// entries discovery found, frames every command into a command report, and runs one
// exchange at a time. Read exchanges run on the calling (GUI) thread; write exchanges run
// as tasks on the global thread pool. The link idle flag serialises them.
//
// It derives from QThread for its slots only; its own thread is never started.
class Hid_Thread : public QThread
{
    Q_OBJECT

public:
    Hid_Thread();
    ~Hid_Thread() override;

    Widget *ownerWidget = nullptr;

    // Replaces the device entries as a whole (one discovery pass).
    void setDeviceList(const DeviceList &entries);
    DeviceList devices() const;
    quint32 deviceId() const { return curDeviceId.load(); }

    // Waits for the link idle flag and takes it: up to 255 waits of at most 8 ms, handling
    // GUI events between them. A wait ends early when the link is given back.
    bool waitIdle();
    // Opens the command interface of entry did in blocking mode (closing cmdHandle first).
    // A path that fails to open is emptied until the next discovery pass.
    hid_device *openCmdDevice(quint32 did);
    // Write exchange: the command report, then length bytes of the data buffer.
    bool sendFrame(int length);
    // Read exchange: the command report, the answer report, then length bytes of data.
    bool receiveFrame(int length);
    // Until a write exchange that is still sending has ended.
    void finishWrites();

    // The listener on the notification interface (runs on the global thread pool).
    void startListener(uint did);
    void stopListener();
    hid_device *openNotifyDevice(uint did);
    void listenNotify(uint did);

public slots:
    void swichCurDevice(uint did);

    void hid_02H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3);
    void hid_04H_SetButtonSensitivity(uchar sens1);
    void hid_08H_SetLEDType(uchar type, uchar brightness, uchar speed, uchar direction,
                            uchar color, uchar bl0, uchar bl1);
    void hid_09H_StopMacroSending();
    void hid_0CH_SetKeyMatrix_1(const uchar *src128);
    void hid_0DH_SetKeyMatrix_2(const uchar *src128);
    void hid_0FH_SetISPBootLoader();
    void hid_10H_SetMacroKey(uchar macroId, const uchar *src128);
    void hid_12H_SetUserPicture(uchar index, uchar colorIndex, const uchar *src128);
    void hid_13H_SetRecoveryData();
    void hid_21H_SetCurrentProfile(uchar profileId);
    void hid_30H_SetSevenColor(const uchar *src64);

    void hid_80H_GetFWVersion(ushort &version, uchar &mode_UsUk);
    void hid_82H_GetKeyboardoption(uchar &byte1, uchar &byte2, uchar &byte3);
    void hid_84H_GetButtonSensitivity(uchar &sens1);
    bool hid_88H_GetLEDType(uchar &type, uchar &brightness, uchar &speed, uchar &direction,
                            uchar &color, uchar &bl0, uchar &bl1);
    void hid_8CH_GetKeyMatrix_1(uchar *src128);
    void hid_8DH_GetKeyMatrix_2(uchar *src128);
    void hid_90H_GetMacroKey(uchar macroId, uchar *src128);
    void hid_92H_GetUserPicture(uchar index, uchar colorIndex, uchar *src128);
    void hid_A1H_GetCurrentProfile(uchar &profileId);
    bool hid_B0H_GetSevenColor(uchar *src64);

    void hid_1CH_SetKeyMatrix_1(const uchar *src128);
    void hid_1DH_SetKeyMatrix_2(const uchar *src128);

signals:
    // The keyboard reported its lighting (the seven values of 08H), e.g. after the user
    // changed it on the keyboard itself. Emitted on the listener's thread.
    void keyboardLightingChanged(const QVariantList &ledType);

private:
    enum class ReadOutcome { Busy, Failed, Done };
    class ExchangeScope;

    // The command procedure shared by every command slot.
    // How every exchange begins: the command interface opened and the command report
    // sent on it. Null when the exchange fails there.
    hid_device *openAndSendCommand(int &reportLength);
    void startWrite(const frame::Report &report, const uchar *block = nullptr, int length = 0);
    void runWriteTask(int length);
    ReadOutcome runRead(const frame::Report &report, const frame::Report &answerPrefill,
                        uchar *block = nullptr, int length = 0);

    DeviceEntry deviceEntry(quint32 did) const; // empty entry when there is none
    // Opens one interface of entry did in blocking mode into handle, closing it first.
    // A path that fails to open is emptied until the next discovery pass.
    hid_device *openInterface(quint32 did, QString DeviceEntry::*path, hid_device *&handle);
    void clearPath(quint32 did, QString DeviceEntry::*path, const QString &failedPath);
    void closeCmdDevice();
    void closeNotifyDevice();
    void giveBackLink();

    mutable std::mutex deviceListMutex; // discovery replaces the list while tasks read it
    DeviceList deviceList;
    std::atomic<quint32> curDeviceId{0};
    hid_device *cmdHandle = nullptr;    // belongs to the exchange that holds the link
    hid_device *notifyHandle = nullptr; // belongs to the listener

    std::atomic<bool> linkIdle{true};
    std::mutex idleMutex;
    std::condition_variable idleChanged; // the link given back, or a write task ended
    int writeTasks = 0; // write tasks not yet ended, guarded by idleMutex

    std::atomic<bool> listenerRunning{false};
    QFuture<void> listenerFuture;

    // Belong to the exchange that holds the link.
    frame::Report commandReport{};
    frame::Report answerReport{};
    std::array<uchar, frame::kDataBufferSize> dataBuffer{};
};
