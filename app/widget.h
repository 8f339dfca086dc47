#pragma once

#include "devicediscovery.h"
#include "hid_thread.h"

#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

class DeviceMonitor;
class Ui_Controler;
class myQQuickView;

// The main window: holds the keyboard link, the window controller with the scene, the
// device-check timer and the tray icon.
class Widget : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kDeviceCheckDelayMs = 2048;

    explicit Widget(QWidget *parent = nullptr);
    ~Widget() override;

    Hid_Thread &link() { return hid; }
    Ui_Controler *controller() const { return uiControler; }
    myQQuickView *view() const;
    QSystemTrayIcon *tray() const { return trayIcon; }
    QTimer &deviceCheck() { return deviceCheckTimer; }

    // Shows the window and starts the scene: busy protection on, the scene's initUI,
    // then (from the posted event) protection off and the scene's run.
    void showAndStartScene();
    // Back from the tray, or brought to the front by a second start.
    void restoreWindow();

public slots:
    void checkDevice();
    void trayIconActivated(QSystemTrayIcon::ActivationReason reason);
    void exitSYS();

signals:
    void devicesChecked(); // a discovery pass has ended

protected:
    void customEvent(QEvent *e) override;

private:
    void buildTrayIcon();

    QTimer deviceCheckTimer;
    Ui_Controler *uiControler = nullptr;
    Hid_Thread hid;
    QSystemTrayIcon *trayIcon = nullptr;
    DeviceMonitor *deviceMonitor = nullptr;
    DeviceDiscovery discovery;
};
