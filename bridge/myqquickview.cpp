#include "myqquickview.h"

#include "scenecall.h"
#include "settingfiles.h"

#include <QQmlEngine>
#include <QQuickItem>
#include <QSettings>

myQQuickView::myQQuickView(QWidget *parent)
    : myQQuickView(parent, readHardwareSizing(settingfiles::hardwareDefinition()))
{
}

myQQuickView::myQQuickView(QWidget *parent, const HardwareSizing &hw)
    : QQuickWidget(parent)
    , kbLayoutType(hw.kbLayoutType)
    , maxMacro(hw.maxMacro)
    , maxProfile(hw.maxProfile)
    , settingsStores(hw.maxProfile)
{
    setResizeMode(QQuickWidget::SizeViewToRootObject);
    // Only what the scene draws is visible in the translucent window.
    setAttribute(Qt::WA_AlwaysStackOnTop);
    setClearColor(Qt::transparent);
    // The scene's files import the scene module by its name; it lives at :/modules/qml.
    engine()->addImportPath(QStringLiteral("qrc:/"));
}

myQQuickView::~myQQuickView() = default;

void myQQuickView::initUI()
{
    callScene(rootObject(), "initUI", Qt::QueuedConnection);
}

void myQQuickView::zzzBrisol()
{
    callScene(rootObject(), "zzzBrisol", Qt::QueuedConnection);
}

void myQQuickView::keepKeyboardLighting(const QVariantList &ledType)
{
    if (QSettings *profile = currentProfile())
        storeNow(*profile, QStringLiteral("color/ledType"), ledType);
    zzzBrisol();
}

void myQQuickView::runUI()
{
    callScene(rootObject(), "run", Qt::QueuedConnection);
}

void myQQuickView::closeUI()
{
    callScene(rootObject(), "close", Qt::QueuedConnection);
}

void myQQuickView::detectKeyboard(bool isDown, uchar usbCode)
{
    callScene(rootObject(), "detectKeyboard", Qt::QueuedConnection, isDown, int(usbCode));
}

void myQQuickView::detectMouse(bool isDown, uint buttonCode, uint x, uint y)
{
    callScene(rootObject(), "detectMouse", Qt::QueuedConnection, isDown, buttonCode, x, y);
}
