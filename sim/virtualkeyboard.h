#pragma once

// A model of the keyboard's firmware, reached through the hidapi C interface that this
// library also exports (hidapi_virtual.cpp). Tests link it in place of hidapi-hidraw;
// LD_PRELOAD puts it in front of the system hidapi for runs without the keyboard.
//
// The model keeps what it is sent exactly as the keyboard does, answers every read,
// and can be unplugged, stall, reject a report or send a lighting notification.
// All members are thread-safe: the link calls hidapi from pool threads while a test
// steers the model from its own thread.

#include <array>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace vkb {

using Bytes = std::vector<uint8_t>;

// One HID collection as hid_enumerate lists it.
struct Interface {
    std::string path;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    int interfaceNumber = 0;
};

// What crossed the virtual wire, in the order it happened.
enum class ReportKind {
    FeatureSet, // hid_send_feature_report: the bytes the caller passed
    FeatureGet, // hid_get_feature_report: the bytes delivered to the caller
    DataWrite,  // hid_write: the bytes the caller passed
    DataRead,   // hid_read / hid_read_timeout that delivered a report: the bytes delivered
};

struct Report {
    std::string path;
    ReportKind kind;
    Bytes bytes;
    std::chrono::steady_clock::time_point at;
};

// The lighting record as 08H sends it and 88H answers it.
struct Lighting {
    uint8_t type = 0, brightness = 0, speed = 0, direction = 0, color = 0, bl0 = 0, bl1 = 0;
    bool operator==(const Lighting &) const = default;
};

// What the keyboard keeps for each on-board profile.
struct ProfileMemory {
    std::array<uint8_t, 256> keyMatrix{};
    std::array<uint8_t, 256> comboMatrix{};
    Lighting lighting;
    std::array<uint8_t, 64> sevenColors{};
    std::array<std::array<uint8_t, 512>, 5> pictures{};
};

class VirtualKeyboard {
public:
    static constexpr uint16_t kVendorId = 0x04D9;
    static constexpr uint16_t kProductId = 0xA1CD;
    static constexpr const char *kCommandPath = "virtual-hidraw1";
    static constexpr const char *kNotifyPath = "virtual-hidraw2";
    static constexpr int kReportLength = 64; // data report size without the report ID
    static constexpr int kDefaultProfileCount = 5;

    static VirtualKeyboard &instance();

    // Back to the state of a keyboard fresh from the factory, plugged in with the default
    // interfaces; forgets recorded reports, stalls, rejections and the boot-loader state.
    void reset();

    // Interfaces listed by hid_enumerate while plugged in. The default list is the
    // keyboard's boot interface (usage page 0x0001 usage 6) followed by the command
    // interface (0xFF01/1, kCommandPath) and the notification interface (0xFF02/1,
    // kNotifyPath).
    static std::vector<Interface> defaultInterfaces();
    void setInterfaces(std::vector<Interface> interfaces);

    // Unplugged: enumeration is empty, opens fail, and every call on a handle that is
    // still open fails (blocked reads return -1 at once). Plugging in again restores the
    // interfaces; handles opened before the unplug stay dead.
    void unplug();
    void plugIn();
    bool isPluggedIn() const;

    // While stalled the keyboard never answers a data read on the command interface:
    // hid_read_timeout returns 0 after its time limit, a blocking hid_read waits until the
    // stall is lifted or the keyboard is unplugged.
    void setStalled(bool stalled);

    // The nth next report of this kind (counting from 1) is refused: the hidapi call
    // returns -1 and the firmware does not act on it. The refused report is still recorded.
    void rejectNext(ReportKind kind, int nth = 1);

    // The keyboard's own lighting change: stores it in the active profile and sends the
    // 12-byte notification on the notification interface (bytes 4-10 the seven values).
    // Like the kernel, only handles open at that moment receive it. Returns how many
    // open handles it reached.
    int changeLightingOnKeyboard(const Lighting &lighting);
    // Sends any input report on the notification interface (open handles only).
    int sendNotification(const Bytes &report);

    std::vector<Report> reports() const;
    void clearReports();
    int openHandleCount() const;

    // Firmware state, for tests to set up and inspect.
    uint16_t firmwareVersion() const;
    void setFirmwareVersion(uint16_t version);
    uint8_t layoutByte() const;            // answer byte 4 of 80H (layout mode in bits 1-2)
    void setLayoutByte(uint8_t value);
    std::array<uint8_t, 3> options() const; // 02H / 82H
    uint8_t sensitivity() const;            // 04H / 84H
    uint8_t activeProfile() const;          // 21H / A1H
    void setActiveProfile(uint8_t profile);
    int profileCount() const;
    ProfileMemory profile(int index) const; // index < profileCount()
    void setProfile(int index, const ProfileMemory &memory);
    Bytes macro(uint8_t macroId) const;     // 128 bytes; zeros when never written
    bool recoveryRequested() const;          // a 13H asking for every setting since reset()
    bool inBootLoader() const;               // a 0FH with the entry code was received
    int stopMacroCount() const;              // 09H received since reset()

private:
    VirtualKeyboard();
};

} // namespace vkb
