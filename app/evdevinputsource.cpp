#include "evdevinputsource.h"

#include "inputhooks.h"

#include <QCursor>
#include <QDir>
#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <linux/input.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {
constexpr int kRecordsPerRead = 64;
constexpr int kLongBits = 8 * sizeof(unsigned long);

bool supportsKey(int fd, int code)
{
    unsigned long bits[KEY_MAX / kLongBits + 1] = {};
    if (ioctl(fd, EVIOCGBIT(EV_KEY, sizeof bits), bits) < 0)
        return false;
    return bits[code / kLongBits] & (1UL << (code % kLongBits));
}

// Keyboards have letter keys; mice have a left button.
bool suits(int fd, InputKind kind)
{
    return supportsKey(fd, kind == InputKind::Keys ? KEY_A : BTN_LEFT);
}

// The range of button codes; keys lie below and above it.
bool isButton(quint16 code)
{
    return code >= BTN_MISC && code < KEY_OK;
}

quint32 buttonMessage(quint16 code, bool isDown)
{
    switch (code) {
    case BTN_LEFT: return isDown ? HookMessage::kLeftDown : HookMessage::kLeftUp;
    case BTN_RIGHT: return isDown ? HookMessage::kRightDown : HookMessage::kRightUp;
    case BTN_MIDDLE: return isDown ? HookMessage::kMiddleDown : HookMessage::kMiddleUp;
    default: return isDown ? HookMessage::kExtraDown : HookMessage::kExtraUp;
    }
}
} // namespace

EvdevInputSource::EvdevInputSource(InputKind kind, QString folder)
    : kind(kind)
    , folder(std::move(folder))
{
}

EvdevInputSource::~EvdevInputSource()
{
    for (const Device &device : devices) {
        delete device.notifier;
        ::close(device.fd);
    }
}

std::unique_ptr<EvdevInputSource> EvdevInputSource::open(InputKind kind, const QString &folder)
{
    auto source = std::make_unique<EvdevInputSource>(kind, folder);
    source->rescan();
    if (source->deviceCount() == 0)
        return nullptr;
    return source;
}

void EvdevInputSource::rescan()
{
    const QStringList names = QDir(folder).entryList({QStringLiteral("event*")}, QDir::System | QDir::Files);
    for (const QString &name : names) {
        const QString path = QDir(folder).filePath(name);
        const bool known = std::any_of(devices.begin(), devices.end(),
                                       [&](const Device &device) { return device.path == path; });
        if (known)
            continue;
        // A device the process may not read is left out.
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        if (suits(fd, kind))
            watch(fd, path);
        else
            ::close(fd);
    }
}

void EvdevInputSource::watch(int fd, const QString &path)
{
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    auto *notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this, fd] { read(fd); });
    devices.push_back({fd, path, notifier, false});
}

void EvdevInputSource::read(int fd)
{
    const auto device = std::find_if(devices.begin(), devices.end(), [fd](const Device &d) { return d.fd == fd; });
    if (device == devices.end())
        return;
    input_event records[kRecordsPerRead];
    for (;;) {
        const ssize_t got = ::read(fd, records, sizeof records);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 && errno == EAGAIN)
            return;
        if (got <= 0) {
            // Unplugged (ENODEV) or the writer went away.
            close(fd);
            return;
        }
        for (ssize_t i = 0; i < got / ssize_t(sizeof(input_event)); ++i)
            handle(records[i].type, records[i].code, records[i].value, *device);
    }
}

void EvdevInputSource::handle(quint16 type, quint16 code, qint32 value, Device &device)
{
    if (type == EV_SYN) {
        if (code == SYN_DROPPED)
            device.dropping = true;
        else if (code == SYN_REPORT)
            device.dropping = false;
        return;
    }
    if (type != EV_KEY || device.dropping)
        return;
    const bool isDown = value != 0; // 2 is auto-repeat, a press again
    if (kind == InputKind::Keys && !isButton(code)) {
        const Keystroke stroke = keystrokes.stroke(code, isDown);
        keyboardHookProcedure(0, stroke.message, stroke.record);
    } else if (kind == InputKind::Buttons && isButton(code) && value != 2) {
        const QPoint position = QCursor::pos();
        mouseHookProcedure(0, buttonMessage(code, isDown), {position.x(), position.y()});
    }
}

void EvdevInputSource::close(int fd)
{
    const auto device = std::find_if(devices.begin(), devices.end(), [fd](const Device &d) { return d.fd == fd; });
    if (device == devices.end())
        return;
    // Called from the notifier's own signal: it goes once control is back in the loop.
    device->notifier->setEnabled(false);
    device->notifier->deleteLater();
    ::close(fd);
    devices.erase(device);
}
