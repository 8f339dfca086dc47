#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

class QLocalServer;

// One utility per user: two copies would interleave their reports to the keyboard and
// write the same profile files. The first copy holds a lock and listens; a later one asks
// it to come to the front and then leaves.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    explicit SingleInstance(const QString &name, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True for the first copy. A later copy has asked the first to come to the front.
    bool claim();

signals:
    void raiseRequested();

private:
    void serve();
    bool askFirstToRaise() const;

    QString serverName;
    QLockFile lock;
    QLocalServer *server = nullptr;
};
