#pragma once

// What the tests of the view share: a private run-time folder, a link to the virtual
// keyboard, and answers to the modal dialogs the view opens.

#include "hid_thread.h"
#include "runtimefolder.h"

#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>

class myQQuickView;

// The virtual keyboard reset and found, the link on device 0, a fresh copy of modules/
// as the working directory, and the link's language check passing.
class ViewFixture
{
public:
    ViewFixture();
    ~ViewFixture();
    bool isValid() const { return runtime.isValid(); }

    // A view on the given hardware definition, linked to the virtual keyboard.
    std::unique_ptr<myQQuickView> makeView(const QByteArray &hwDef);

    RuntimeFolder runtime;
    Hid_Thread hid;
};

// Answers the modal dialogs that open next, one answer each, in order, as a user would.
// A dialog nobody expected is rejected and recorded, so the case fails instead of hanging.
class DialogAnswers : public QObject
{
public:
    using Answer = std::function<void(QWidget *)>;

    explicit DialogAnswers(std::deque<Answer> answers);
    bool allGiven() const { return answers.empty() && unexpected.isEmpty(); }
    QString report() const { return unexpected.join(QLatin1Char('|')); }

    // Types the path into a file dialog's name field and presses Enter.
    static Answer choose(const QString &path);
    static Answer cancel();
    // Reads a message box's title and text, then presses its button.
    static Answer readMessage(QString &title, QString &text);

private:
    std::deque<Answer> answers;
    QStringList unexpected;
    QPointer<QWidget> answered;
    QTimer poll;
};
