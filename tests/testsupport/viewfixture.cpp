#include "viewfixture.h"

#include "linkfixture.h"
#include "myqquickview.h"
#include "virtualkeyboard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

ViewFixture::ViewFixture()
{
    vkb::VirtualKeyboard::instance().reset();
    languageFileValid = true;
    hid.setDeviceList({virtualKeyboardEntry()});
    hid.swichCurDevice(0);
}

ViewFixture::~ViewFixture()
{
    hid.finishWrites();
    languageFileValid = true;
}

std::unique_ptr<myQQuickView> ViewFixture::makeView(const QByteArray &hwDef)
{
    if (!runtime.write(QStringLiteral("modules/setting/HWDef.bin"), hwDef))
        return nullptr;
    auto view = std::make_unique<myQQuickView>(nullptr);
    view->link = &hid;
    return view;
}

DialogAnswers::DialogAnswers(std::deque<Answer> given)
    : answers(std::move(given))
{
    connect(&poll, &QTimer::timeout, this, [this] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog || dialog == answered)
            return;
        answered = dialog;
        if (answers.empty()) {
            auto *box = qobject_cast<QMessageBox *>(dialog);
            unexpected.append(box ? box->text() : QString::fromLatin1(dialog->metaObject()->className()));
            QTimer::singleShot(0, dialog, [dialog] { static_cast<QDialog *>(dialog)->reject(); });
            return;
        }
        Answer answer = std::move(answers.front());
        answers.pop_front();
        // Answered from a call of its own: an answer that opens the next dialog (a save
        // that asks before replacing) must not hold up this poll.
        QTimer::singleShot(0, dialog, [answer = std::move(answer), dialog] { answer(dialog); });
    });
    poll.start(10);
}

DialogAnswers::Answer DialogAnswers::choose(const QString &path)
{
    return [path](QWidget *w) {
        auto *name = w->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        if (!qobject_cast<QFileDialog *>(w) || !name) {
            static_cast<QDialog *>(w)->reject();
            return;
        }
        name->setText(path);
        QTest::keyClick(name, Qt::Key_Return);
    };
}

DialogAnswers::Answer DialogAnswers::cancel()
{
    return [](QWidget *w) { static_cast<QDialog *>(w)->reject(); };
}

DialogAnswers::Answer DialogAnswers::readMessage(QString &title, QString &text)
{
    return [&title, &text](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        if (!box) {
            static_cast<QDialog *>(w)->reject();
            return;
        }
        title = box->windowTitle();
        text = box->text();
        box->buttons().first()->click();
    };
}
