#include "ui_controler.h"

#include "hid_thread.h"
#include "myqquickview.h"
#include "scenecall.h"
#include "settingfiles.h"

#include <QQmlContext>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSettings>
#include <QWidget>

namespace {
const QUrl kScene(QStringLiteral("qrc:/modules/qml/main.qml"));
} // namespace

Ui_Controler::Ui_Controler()
    : QObject(nullptr)
{
}

void Ui_Controler::setupWindow(QWidget *mainWindow, Hid_Thread *link)
{
    window = mainWindow;
    if (window->objectName().isEmpty())
        window->setObjectName(QStringLiteral("Widget"));
    window->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::CustomizeWindowHint);
    window->setWindowOpacity(1.0);
    window->setAttribute(Qt::WA_TranslucentBackground, true);
    window->setStyleSheet(QStringLiteral("background:transparent;"));

    // The scene is images, text and simple animations: the software renderer draws it
    // without a GL context, which starts several times faster and works with any driver.
    // QT_QUICK_BACKEND still chooses another renderer.
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND"))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    ui_View = new myQQuickView(window);
    ui_View->setObjectName(QStringLiteral("ui_View"));
    // The scene is created here, before the context properties exist: it calls nothing
    // native until its initUI.
    ui_View->setSource(kScene);
    QQmlContext *context = ui_View->rootContext();
    context->setContextProperty(QStringLiteral("ui_View"), ui_View);
    context->setContextProperty(QStringLiteral("hid"), link);
    context->setContextProperty(QStringLiteral("ui_Ctl"), this);
    window->resize(ui_View->size());

    const QSettings config(settingfiles::configuration(), QSettings::IniFormat);
    window->setWindowTitle(config.value(QStringLiteral("common/name")).toString());
}

void Ui_Controler::onMinimize()
{
    if (window)
        window->setVisible(false);
}

void Ui_Controler::onClose()
{
    if (window)
        window->close();
}

void Ui_Controler::onXChanged(int x)
{
    if (window)
        window->move(window->x() + x, window->y());
}

void Ui_Controler::onYChanged(int y)
{
    if (window)
        window->move(window->x(), window->y() + y);
}

void Ui_Controler::setBusy(int busyTime)
{
    if (window && ui_View)
        callScene(ui_View->rootObject(), "setProtectUI", Qt::DirectConnection, busyTime);
}

void Ui_Controler::setBusy()
{
    setBusy(0);
}
