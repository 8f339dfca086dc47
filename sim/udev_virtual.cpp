// The two libudev calls through which a program hears of devices coming and going.
// In control mode they report the virtual keyboard's plugging in and unplugging (control.h);
// otherwise they hand over to the system's libudev.

#include "control.h"

#include <libudev.h>

#include <dlfcn.h>

#include <cerrno>

namespace {

// Any device will do: the program looks again at what is plugged in, whatever it is told.
constexpr const char *kEventDevice = "/sys/devices/virtual/mem/null";

template<typename Function>
Function next(const char *name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

} // namespace

#pragma GCC visibility push(default)

extern "C" {

int udev_monitor_get_fd(struct udev_monitor *udev_monitor)
{
    if (!vkb::control::active()) {
        using Function = int (*)(struct udev_monitor *);
        static const Function real = next<Function>("udev_monitor_get_fd");
        return real ? real(udev_monitor) : -ENOSYS;
    }
    if (!udev_monitor)
        return -EINVAL;
    return vkb::control::monitorDescriptor(udev_monitor);
}

struct udev_device *udev_monitor_receive_device(struct udev_monitor *udev_monitor)
{
    if (!vkb::control::active()) {
        using Function = struct udev_device *(*)(struct udev_monitor *);
        static const Function real = next<Function>("udev_monitor_receive_device");
        if (real)
            return real(udev_monitor);
        errno = ENOSYS;
        return nullptr;
    }
    if (!udev_monitor) {
        errno = EINVAL;
        return nullptr;
    }
    if (!vkb::control::takeMonitorEvent(udev_monitor)) {
        errno = EAGAIN;
        return nullptr;
    }
    return udev_device_new_from_syspath(udev_monitor_get_udev(udev_monitor), kEventDevice);
}

} // extern "C"

#pragma GCC visibility pop
