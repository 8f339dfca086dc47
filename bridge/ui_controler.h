#pragma once

#include <QObject>
#include <QPointer>

class Hid_Thread;
class QWidget;
class myQQuickView;

// The window controller: makes the main window frameless and translucent, builds the view
// with the scene, and serves the scene's window requests (drag, hide, close, busy).
class Ui_Controler : public QObject
{
    Q_OBJECT

public:
    Ui_Controler();

    // Builds the window and its view; link is published to the scene as "hid".
    void setupWindow(QWidget *window, Hid_Thread *link);
    myQQuickView *view() const { return ui_View; }

public slots:
    void onMinimize();
    void onClose();
    void onXChanged(int x); // displacements, not positions
    void onYChanged(int y);
    void setBusy(int busyTime);
    void setBusy();

private:
    QPointer<QWidget> window;
    myQQuickView *ui_View = nullptr;
};
