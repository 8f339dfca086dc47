#include "inputhooks.h"
#include "singleinstance.h"
#include "startup.h"
#include "widget.h"

#include <QApplication>
#include <QDir>

#include <unistd.h>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Every path of the program is relative to the executable's folder.
    QDir::setCurrent(QCoreApplication::applicationDirPath());

    SingleInstance instance(QStringLiteral("valdrin-qn9-%1").arg(getuid()));
    if (!instance.claim())
        return 0;

    Widget window;
    QObject::connect(&instance, &SingleInstance::raiseRequested, &window, &Widget::restoreWindow);
    const auto hooks = startUtility(window);
    const int result = app.exec();
    hooks->removeHooks();
    return result;
}
