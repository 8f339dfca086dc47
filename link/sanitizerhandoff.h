#pragma once

// Qt hands a task to a pool thread, and reports its end, through locks that
// ThreadSanitizer cannot see: Qt is not built with it. These calls state what Qt
// guarantees, that what comes before the hand-off happens before what comes after it.
// They compile to nothing outside ThreadSanitizer builds.

#if defined(__SANITIZE_THREAD__)
extern "C" void __tsan_acquire(void *addr);
extern "C" void __tsan_release(void *addr);
inline void handOff(void *key)
{
    __tsan_release(key);
}
inline void takeOver(void *key)
{
    __tsan_acquire(key);
}
#else
inline void handOff(void *) {}
inline void takeOver(void *) {}
#endif
