#include "virtualkeyboard.h"

#include "model.h"

namespace vkb {

namespace {

struct Locked {
    Model &m = model();
    std::lock_guard<std::mutex> lock{m.mutex};
};

} // namespace

VirtualKeyboard::VirtualKeyboard() = default;

VirtualKeyboard &VirtualKeyboard::instance()
{
    static VirtualKeyboard keyboard;
    return keyboard;
}

void VirtualKeyboard::reset()
{
    Locked l;
    l.m.firmware = Firmware();
    l.m.interfaces = defaultInterfaces();
    l.m.pluggedIn = true;
    l.m.stalled = false;
    l.m.reports.clear();
    for (auto &pending : l.m.rejections)
        pending.clear();
    for (const auto &port : l.m.ports)
        port->queue.clear();
    l.m.changed.notify_all();
}

std::vector<Interface> VirtualKeyboard::defaultInterfaces()
{
    return {
        {"virtual-hidraw0", kVendorId, kProductId, 0x0001, 6, 0},
        {kCommandPath, kVendorId, kProductId, kCommandPage, 1, 1},
        {kNotifyPath, kVendorId, kProductId, kNotifyPage, 1, 2},
    };
}

void VirtualKeyboard::setInterfaces(std::vector<Interface> interfaces)
{
    Locked l;
    l.m.interfaces = std::move(interfaces);
}

void VirtualKeyboard::unplug()
{
    Locked l;
    l.m.pluggedIn = false;
    for (const auto &port : l.m.ports) {
        port->dead = true;
        port->queue.clear();
    }
    l.m.firmware.dropIncompleteBlock();
    l.m.changed.notify_all();
}

void VirtualKeyboard::plugIn()
{
    Locked l;
    l.m.pluggedIn = true;
}

bool VirtualKeyboard::isPluggedIn() const
{
    Locked l;
    return l.m.pluggedIn;
}

void VirtualKeyboard::setStalled(bool stalled)
{
    Locked l;
    l.m.stalled = stalled;
    l.m.changed.notify_all();
}

void VirtualKeyboard::rejectNext(ReportKind kind, int nth)
{
    if (nth < 1)
        return;
    Locked l;
    l.m.rejections[size_t(kind)].push_back(nth);
}

int VirtualKeyboard::changeLightingOnKeyboard(const Lighting &lighting)
{
    Bytes report{0x00, 0x88, 0x00, 0x00};
    const auto values = lightingBytes(lighting);
    report.insert(report.end(), values.begin(), values.end());
    report.push_back(0x00);
    Locked l;
    l.m.firmware.active().lighting = lighting;
    return l.m.queueInput(report, [](const Port &p) { return p.interface.usagePage == kNotifyPage; });
}

int VirtualKeyboard::sendNotification(const Bytes &report)
{
    Locked l;
    return l.m.queueInput(report, [](const Port &p) { return p.interface.usagePage == kNotifyPage; });
}

std::vector<Report> VirtualKeyboard::reports() const
{
    Locked l;
    return l.m.reports;
}

void VirtualKeyboard::clearReports()
{
    Locked l;
    l.m.reports.clear();
}

int VirtualKeyboard::openHandleCount() const
{
    Locked l;
    return int(l.m.ports.size());
}

uint16_t VirtualKeyboard::firmwareVersion() const
{
    Locked l;
    return l.m.firmware.version;
}

void VirtualKeyboard::setFirmwareVersion(uint16_t version)
{
    Locked l;
    l.m.firmware.version = version;
}

uint8_t VirtualKeyboard::layoutByte() const
{
    Locked l;
    return l.m.firmware.layoutByte;
}

void VirtualKeyboard::setLayoutByte(uint8_t value)
{
    Locked l;
    l.m.firmware.layoutByte = value;
}

std::array<uint8_t, 3> VirtualKeyboard::options() const
{
    Locked l;
    return l.m.firmware.options;
}

uint8_t VirtualKeyboard::sensitivity() const
{
    Locked l;
    return l.m.firmware.sensitivity;
}

uint8_t VirtualKeyboard::activeProfile() const
{
    Locked l;
    return l.m.firmware.activeProfile;
}

void VirtualKeyboard::setActiveProfile(uint8_t profile)
{
    Locked l;
    if (profile < l.m.firmware.profiles.size())
        l.m.firmware.activeProfile = profile;
}

int VirtualKeyboard::profileCount() const
{
    return kDefaultProfileCount;
}

ProfileMemory VirtualKeyboard::profile(int index) const
{
    Locked l;
    if (index < 0 || index >= profileCount())
        return {};
    return l.m.firmware.profiles[size_t(index)];
}

void VirtualKeyboard::setProfile(int index, const ProfileMemory &memory)
{
    Locked l;
    if (index >= 0 && index < profileCount())
        l.m.firmware.profiles[size_t(index)] = memory;
}

Bytes VirtualKeyboard::macro(uint8_t macroId) const
{
    Locked l;
    const auto &m = l.m.firmware.macros[macroId];
    return Bytes(m.begin(), m.end());
}

bool VirtualKeyboard::recoveryRequested() const
{
    Locked l;
    return l.m.firmware.recoveryRequested;
}

bool VirtualKeyboard::inBootLoader() const
{
    Locked l;
    return l.m.firmware.inBootLoader;
}

int VirtualKeyboard::stopMacroCount() const
{
    Locked l;
    return l.m.firmware.stopMacroCount;
}

} // namespace vkb
