#include "firmware.h"

#include <algorithm>
#include <cstring>

namespace vkb {

namespace {

constexpr std::array<uint8_t, 7> kBootLoaderEntry{0x49, 0x53, 0x50, 0x5A, 0xA5, 0x55, 0xAA};
constexpr size_t kHalf = 128;

uint8_t param(const CommandReport &report, int n)
{
    return report[2 + n];
}

} // namespace

std::array<uint8_t, 7> lightingBytes(const Lighting &l)
{
    return {l.type, l.brightness, l.speed, l.direction, l.color, l.bl0, l.bl1};
}

Lighting lightingFrom(const uint8_t *v)
{
    return {v[0], v[1], v[2], v[3], v[4], v[5], v[6]};
}

void Firmware::command(const CommandReport &report)
{
    last_ = report;
    blockSent_ = false;
    incoming_.reset();
    const uint8_t p0 = param(report, 0);
    const uint8_t p1 = param(report, 1);
    const uint8_t p2 = param(report, 2);
    switch (report[1]) {
    case 0x02:
        options = {p0, p1, p2};
        break;
    case 0x04:
        sensitivity = p0;
        break;
    case 0x08:
        active().lighting = lightingFrom(&report[2]);
        break;
    case 0x09:
        ++stopMacroCount;
        break;
    case 0x0C:
        receive(kHalf, [](Firmware &f) { return f.active().keyMatrix.data(); });
        break;
    case 0x0D:
        receive(kHalf, [](Firmware &f) { return f.active().keyMatrix.data() + kHalf; });
        break;
    case 0x0F:
        if (std::equal(kBootLoaderEntry.begin(), kBootLoaderEntry.end(), &report[2]))
            inBootLoader = true;
        break;
    case 0x10:
        receive(kHalf, [](Firmware &f) { return f.macros[param(f.last_, 1)].data(); });
        break;
    case 0x12:
        receive(kHalf, [](Firmware &f) -> uint8_t * {
            const uint8_t picture = param(f.last_, 1);
            const uint8_t color = param(f.last_, 2);
            if (picture >= f.active().pictures.size() || color >= 4)
                return nullptr;
            return f.active().pictures[picture].data() + color * kHalf;
        });
        break;
    case 0x13:
        if (p0 == 0xFF && p1 == 0x1F) {
            restoreFactoryMemory();
            recoveryRequested = true;
        }
        break;
    case 0x1C:
        receive(kHalf, [](Firmware &f) { return f.active().comboMatrix.data(); });
        break;
    case 0x1D:
        receive(kHalf, [](Firmware &f) { return f.active().comboMatrix.data() + kHalf; });
        break;
    case 0x21:
        if (p0 < profiles.size())
            activeProfile = p0;
        break;
    case 0x30:
        receive(64, [](Firmware &f) { return f.active().sevenColors.data(); });
        break;
    default:
        break;
    }
}

void Firmware::receive(size_t length, Destination destination)
{
    incoming_ = Incoming{destination, length, {}};
}

void Firmware::data(const DataChunk &chunk)
{
    if (!incoming_)
        return;
    const size_t take = std::min(chunk.size(), incoming_->length - incoming_->received.size());
    incoming_->received.insert(incoming_->received.end(), chunk.begin(), chunk.begin() + take);
    if (incoming_->received.size() < incoming_->length)
        return;
    if (uint8_t *target = incoming_->destination(*this))
        std::memcpy(target, incoming_->received.data(), incoming_->length);
    incoming_.reset();
}

void Firmware::dropIncompleteBlock()
{
    incoming_.reset();
}

Bytes Firmware::blockFor(uint8_t code) const
{
    const ProfileMemory &p = active();
    switch (code) {
    case 0x8C:
        return Bytes(p.keyMatrix.begin(), p.keyMatrix.begin() + kHalf);
    case 0x8D:
        return Bytes(p.keyMatrix.begin() + kHalf, p.keyMatrix.end());
    case 0x90: {
        const auto &m = macros[param(last_, 1)];
        return Bytes(m.begin(), m.end());
    }
    case 0x92: {
        const uint8_t picture = param(last_, 1);
        const uint8_t color = param(last_, 2);
        if (picture >= p.pictures.size() || color >= 4)
            return Bytes(kHalf, 0);
        const auto first = p.pictures[picture].begin() + color * kHalf;
        return Bytes(first, first + kHalf);
    }
    case 0xB0:
        return Bytes(p.sevenColors.begin(), p.sevenColors.end());
    default:
        return {};
    }
}

Firmware::Answer Firmware::answer() const
{
    const uint8_t code = last_[1];
    Answer a;
    a.report[1] = code;
    switch (code) {
    case 0x80:
        a.report[2] = uint8_t(version >> 8);
        a.report[3] = uint8_t(version & 0xFF);
        a.report[4] = layoutByte;
        break;
    case 0x82:
        std::copy(options.begin(), options.end(), &a.report[2]);
        break;
    case 0x84:
        a.report[2] = sensitivity;
        break;
    case 0x88: {
        const auto values = lightingBytes(active().lighting);
        std::copy(values.begin(), values.end(), &a.report[2]);
        break;
    }
    case 0xA1:
        a.report[2] = activeProfile;
        break;
    default:
        // Block reads echo their parameters; anything else echoes the whole command.
        a.report = last_;
        a.report[0] = 0;
        if (!blockSent_)
            a.block = blockFor(code);
        break;
    }
    return a;
}

void Firmware::answered()
{
    blockSent_ = true;
}

void Firmware::restoreFactoryMemory()
{
    options = {};
    sensitivity = 0;
    activeProfile = 0;
    profiles = {};
    for (auto &m : macros)
        m.fill(0);
    incoming_.reset();
}

} // namespace vkb
