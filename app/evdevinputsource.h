#pragma once

#include "inputsource.h"
#include "linuxscancodes.h"

#include <QString>

#include <memory>
#include <vector>

class QSocketNotifier;

// Key or button events read from evdev devices (struct input_event records), each through
// a socket notifier on the GUI thread.
class EvdevInputSource : public InputSource
{
    Q_OBJECT

public:
    explicit EvdevInputSource(InputKind kind, QString folder = QStringLiteral("/dev/input"));
    ~EvdevInputSource() override;

    // A source over every keyboard (Keys) or mouse (Buttons) in the folder that the process
    // may read; nothing when there is none.
    static std::unique_ptr<EvdevInputSource> open(InputKind kind, const QString &folder = QStringLiteral("/dev/input"));

    // Reads input_event records from a descriptor it now owns (non-blocking).
    void watch(int fd, const QString &path = {});
    int deviceCount() const { return int(devices.size()); }
    void rescan() override;

private:
    struct Device
    {
        int fd;
        QString path;
        QSocketNotifier *notifier;
        bool dropping; // the kernel's buffer overran: skip to the next report
    };

    void read(int fd);
    void handle(quint16 type, quint16 code, qint32 value, Device &device);
    void close(int fd);

    InputKind kind;
    QString folder;
    std::vector<Device> devices;
    LinuxKeystrokes keystrokes;
};
