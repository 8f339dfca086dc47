#include "widget.h"

#include "devicemonitor.h"
#include "myqquickview.h"
#include "ui_controler.h"
#include "userevent.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QMenu>
#include <QSettings>

namespace {
const char kTrayIcon[] = "./modules/img/skin1/logo.ico";
const char kToolTip[] = "Valdrin QN9 Mechanical Keyboard";
const char kMenuStyle[]
    = "QMenu { border: 1px solid rgb(100, 100, 100); background: rgb(68, 69, 73); } "
      "QMenu::item { height: 22px; padding: 0px 25px 0px 20px; } "
      "QMenu::item:enabled { color: rgb(225, 225, 225); } "
      "QMenu::item:!enabled { color: rgb(155, 155, 155); } "
      "QMenu::item:enabled:selected { color: rgb(230, 230, 230); background: rgba(255, 255, 255, 40); } "
      "QMenu::separator { height: 1px; background: rgb(100, 100, 100); } "
      "QMenu::indicator { width: 13px; height: 13px; } "
      "QMenu::icon { padding-left: 2px; padding-right: 2px; } ";
} // namespace

Widget::Widget(QWidget *parent)
    : QWidget(parent)
    , discovery(
          hid,
          [this] {
              return view()->stores().configuration().value(QStringLiteral("common/product_name")).toStringList();
          },
          [this] { view()->syncFW(); })
{
    hid.ownerWidget = this;
    uiControler = new Ui_Controler();
    uiControler->setupWindow(this, &hid);
    view()->link = &hid;
    // From the listener's thread: the store is written on the GUI thread.
    connect(&hid, &Hid_Thread::keyboardLightingChanged, view(), &myQQuickView::keepKeyboardLighting,
            Qt::QueuedConnection);

    deviceCheckTimer.setInterval(kDeviceCheckDelayMs);
    deviceCheckTimer.setSingleShot(true);
    connect(&deviceCheckTimer, &QTimer::timeout, this, &Widget::checkDevice);
    // Every plug-in or removal restarts the timer: a burst gives one pass after the last.
    deviceMonitor = new DeviceMonitor(this);
    connect(deviceMonitor, &DeviceMonitor::deviceChanged, &deviceCheckTimer, qOverload<>(&QTimer::start));

    buildTrayIcon();
}

Widget::~Widget()
{
    hid.stopListener();
    uiControler->deleteLater();
}

myQQuickView *Widget::view() const
{
    return uiControler->view();
}

void Widget::buildTrayIcon()
{
    trayIcon = new QSystemTrayIcon(this);
    auto *quit = new QAction(tr("Quit (&Q)"), this);
    connect(quit, &QAction::triggered, this, &Widget::exitSYS);
    auto *menu = new QMenu(this);
    menu->addAction(quit);
    menu->setStyleSheet(QString::fromLatin1(kMenuStyle));
    trayIcon->setContextMenu(menu);
    trayIcon->setToolTip(QString::fromLatin1(kToolTip));
    trayIcon->setIcon(QIcon(QString::fromLatin1(kTrayIcon)));
    connect(trayIcon, &QSystemTrayIcon::activated, this, &Widget::trayIconActivated);
    trayIcon->setVisible(true);
}

void Widget::showAndStartScene()
{
    showNormal();
    uiControler->setBusy(1);
    view()->initUI();
    // Queued behind initUI: the scene is initialised before it is started.
    QCoreApplication::postEvent(this, new UserEvent(UserEvent::kStartScene));
}

void Widget::customEvent(QEvent *e)
{
    if (e->type() != UserEvent::kType)
        return;
    const auto *event = dynamic_cast<UserEvent *>(e);
    if (!event || event->code() != UserEvent::kStartScene)
        return;
    uiControler->setBusy(0);
    view()->runUI();
}

void Widget::checkDevice()
{
    discovery.checkDevice();
    emit devicesChecked();
}

void Widget::trayIconActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::DoubleClick)
        restoreWindow();
}

void Widget::restoreWindow()
{
    showNormal();
    raise();
    activateWindow();
}

void Widget::exitSYS()
{
    view()->closeUI();
}
