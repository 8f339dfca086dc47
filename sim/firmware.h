#pragma once

// The keyboard's firmware: what it keeps and how it takes command reports and data
// reports. Not thread-safe: the model calls it with its lock held.

#include "virtualkeyboard.h"

#include <optional>

namespace vkb {

using CommandReport = std::array<uint8_t, 9>;
using DataChunk = std::array<uint8_t, VirtualKeyboard::kReportLength>;

std::array<uint8_t, 7> lightingBytes(const Lighting &lighting);
Lighting lightingFrom(const uint8_t *sevenValues);

class Firmware
{
public:
    // What a feature get returns now, and the data the keyboard sends after it.
    struct Answer {
        CommandReport report{};
        Bytes block; // empty when the command sends no block, or has already sent it
    };

    void command(const CommandReport &report);
    void data(const DataChunk &chunk);
    Answer answer() const;
    void answered(); // the block of the current answer went out: not again before the next command
    void dropIncompleteBlock();
    void restoreFactoryMemory();

    ProfileMemory &active() { return profiles[activeProfile]; }
    const ProfileMemory &active() const { return profiles[activeProfile]; }

    uint16_t version = 0x0123;
    uint8_t layoutByte = 0x04;
    std::array<uint8_t, 3> options{};
    uint8_t sensitivity = 0;
    uint8_t activeProfile = 0;
    std::array<ProfileMemory, VirtualKeyboard::kDefaultProfileCount> profiles{};
    std::array<std::array<uint8_t, 128>, 256> macros{};
    bool recoveryRequested = false;
    bool inBootLoader = false;
    int stopMacroCount = 0;

private:
    // Where a block lands, looked up when its last byte arrives; null drops it.
    using Destination = uint8_t *(*)(Firmware &firmware);
    struct Incoming {
        Destination destination;
        size_t length;
        Bytes received;
    };

    void receive(size_t length, Destination destination);
    Bytes blockFor(uint8_t code) const;

    CommandReport last_{};
    bool blockSent_ = false;
    std::optional<Incoming> incoming_;
};

} // namespace vkb
