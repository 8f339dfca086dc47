// Cost of one keyboard hook call: translation, key-state check and delivery to a callback,
// as a figure per call; and the heap allocations made on that path (there should be none).

#include "inputhooks.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> allocations{0};

constexpr long kCalls = 10'000'000;

// Keys across the table, with and without the extended flag, and one that is no key.
constexpr std::array<KeyboardHookRecord, 8> kRecords{{
    {0, 0x1E, 0}, {0, 0x1C, 1}, {0, 0x39, 0}, {0, 0x48, 1},
    {0, 0x2B, 0}, {0, 0x5C, 1}, {0, 0x46, 1}, {0, 0x54, 0x20},
}};

void count(quint8, bool, void *context)
{
    ++*static_cast<long *>(context);
}
} // namespace

void *operator new(std::size_t size)
{
    ++allocations;
    if (void *p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void *p) noexcept
{
    std::free(p);
}

void operator delete(void *p, std::size_t) noexcept
{
    std::free(p);
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    InputHooks hooks(true, InputSourceFactory{});
    long delivered = 0;
    hooks.setKeyboardCallback(&count, &delivered);

    const long before = allocations;
    QElapsedTimer timer;
    timer.start();
    for (long i = 0; i < kCalls; ++i) {
        // Eight presses, then eight releases: every call of a key in the table delivers.
        const quint32 message = (i / kRecords.size()) % 2 ? HookMessage::kKeyUp : HookMessage::kKeyDown;
        keyboardHookProcedure(0, message, kRecords[i % kRecords.size()]);
    }
    const double ns = double(timer.nsecsElapsed()) / kCalls;
    const long allocated = allocations - before;

    std::printf("keyboard hook call: %.1f ns per call over %ld calls, %ld delivered (target 1000 ns)\n", ns, kCalls,
                delivered);
    std::printf("heap allocations on the hook path: %ld (target 0)\n", allocated);
    return 0;
}
