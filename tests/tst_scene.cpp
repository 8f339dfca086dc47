// The scene on its own: the QML tests in tests/qml/ load it with stand-ins for the two
// native objects, published under the names the real view uses.

#include "fakenative.h"

#include <QQmlContext>
#include <QQmlEngine>
#include <QtQuickTest>

class Setup : public QObject
{
    Q_OBJECT

public slots:
    void qmlEngineAvailable(QQmlEngine *engine)
    {
        engine->addImportPath(QStringLiteral("qrc:/"));
        engine->rootContext()->setContextProperty(QStringLiteral("ui_View"), &view);
        engine->rootContext()->setContextProperty(QStringLiteral("ui_Ctl"), &controler);
    }

private:
    FakeView view;
    FakeControler controler;
};

QUICK_TEST_MAIN_WITH_SETUP(tst_scene, Setup)

#include "tst_scene.moc"
