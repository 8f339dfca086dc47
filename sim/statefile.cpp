#include "statefile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace vkb {

namespace {

constexpr char kMagic[8] = {'V', 'K', 'B', 'S', 'T', 'A', 'T', 'E'};
constexpr uint16_t kFormat = 1;

constexpr size_t kProfileSize = 256 + 256 + 7 + 64 + 5 * 512;
constexpr size_t kPayloadSize = 1 + 2 + 1 + 3 + 1 + 1
    + VirtualKeyboard::kDefaultProfileCount * kProfileSize + 256 * 128;
constexpr size_t kHeaderSize = sizeof kMagic + 2 + 4;
constexpr size_t kFileSize = kHeaderSize + kPayloadSize + 4;

uint32_t fnv1a(const uint8_t *data, size_t length)
{
    uint32_t hash = 2166136261u;
    for (size_t i = 0; i < length; ++i)
        hash = (hash ^ data[i]) * 16777619u;
    return hash;
}

struct Writer {
    Bytes &out;
    void u8(uint8_t v) { out.push_back(v); }
    void u16(uint16_t v) { out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8)}); }
    void u32(uint32_t v) { out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}); }
    template<size_t N>
    void bytes(const std::array<uint8_t, N> &a) { out.insert(out.end(), a.begin(), a.end()); }
};

// Reads within a buffer whose length was checked beforehand.
struct Reader {
    const uint8_t *at;
    uint8_t u8() { return *at++; }
    uint16_t u16()
    {
        const uint16_t v = uint16_t(at[0] | at[1] << 8);
        at += 2;
        return v;
    }
    uint32_t u32()
    {
        const uint32_t v = uint32_t(at[0]) | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16 | uint32_t(at[3]) << 24;
        at += 4;
        return v;
    }
    template<size_t N>
    void bytes(std::array<uint8_t, N> &a)
    {
        std::memcpy(a.data(), at, N);
        at += N;
    }
};

} // namespace

Bytes encodeState(const Firmware &f, bool pluggedIn)
{
    Bytes out(kMagic, kMagic + sizeof kMagic);
    out.reserve(kFileSize);
    Writer w{out};
    w.u16(kFormat);
    w.u32(uint32_t(kPayloadSize));
    w.u8(pluggedIn ? 1 : 0);
    w.u16(f.version);
    w.u8(f.layoutByte);
    w.bytes(f.options);
    w.u8(f.sensitivity);
    w.u8(f.activeProfile);
    for (const ProfileMemory &p : f.profiles) {
        w.bytes(p.keyMatrix);
        w.bytes(p.comboMatrix);
        w.bytes(lightingBytes(p.lighting));
        w.bytes(p.sevenColors);
        for (const auto &picture : p.pictures)
            w.bytes(picture);
    }
    for (const auto &macro : f.macros)
        w.bytes(macro);
    w.u32(fnv1a(out.data() + kHeaderSize, kPayloadSize));
    return out;
}

std::optional<KeptState> decodeState(const Bytes &bytes)
{
    if (bytes.size() != kFileSize || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0)
        return std::nullopt;
    Reader r{bytes.data() + sizeof kMagic};
    if (r.u16() != kFormat || r.u32() != kPayloadSize)
        return std::nullopt;
    if (Reader{bytes.data() + kHeaderSize + kPayloadSize}.u32() != fnv1a(bytes.data() + kHeaderSize, kPayloadSize))
        return std::nullopt;

    KeptState s;
    Firmware &f = s.firmware;
    const uint8_t plugged = r.u8();
    s.pluggedIn = plugged == 1;
    f.version = r.u16();
    f.layoutByte = r.u8();
    r.bytes(f.options);
    f.sensitivity = r.u8();
    f.activeProfile = r.u8();
    if (plugged > 1 || f.activeProfile >= f.profiles.size())
        return std::nullopt;
    for (ProfileMemory &p : f.profiles) {
        r.bytes(p.keyMatrix);
        r.bytes(p.comboMatrix);
        std::array<uint8_t, 7> lighting;
        r.bytes(lighting);
        p.lighting = lightingFrom(lighting.data());
        r.bytes(p.sevenColors);
        for (auto &picture : p.pictures)
            r.bytes(picture);
    }
    for (auto &macro : f.macros)
        r.bytes(macro);
    return s;
}

std::optional<Bytes> readSmallFile(const std::string &path, size_t maxSize)
{
    // Non-blocking, so that a FIFO in its place cannot hold the program.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return std::nullopt;
    struct stat st{};
    std::optional<Bytes> contents;
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && size_t(st.st_size) <= maxSize) {
        Bytes data(maxSize + 1);
        size_t got = 0;
        for (;;) {
            const ssize_t n = ::read(fd, data.data() + got, data.size() - got);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            got += size_t(n);
            if (got == data.size())
                break;
        }
        if (got <= maxSize) {
            data.resize(got);
            contents = std::move(data);
        }
    }
    ::close(fd);
    return contents;
}

bool replaceFile(const std::string &path, const Bytes &contents)
{
    std::string temporary = path + ".XXXXXX";
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    size_t done = 0;
    while (done < contents.size()) {
        const ssize_t n = ::write(fd, contents.data() + done, contents.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += size_t(n);
    }
    const bool written = ::close(fd) == 0 && done == contents.size();
    if (written && std::rename(temporary.c_str(), path.c_str()) == 0)
        return true;
    ::unlink(temporary.c_str());
    return false;
}

} // namespace vkb
