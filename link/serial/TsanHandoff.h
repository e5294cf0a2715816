#pragma once

// Marks a hand-off between threads for ThreadSanitizer where the real synchronisation happens
// inside Qt, which it cannot see unless Qt itself is instrumented. No code in other builds.
#if defined(__SANITIZE_THREAD__)
#define ZOK_TSAN 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define ZOK_TSAN 1
#endif
#endif

#ifdef ZOK_TSAN
extern "C" void __tsan_acquire(void *addr);
extern "C" void __tsan_release(void *addr);
#endif

namespace zok {

// Everything written before TsanRelease(p) happens before everything after TsanAcquire(p).
inline void TsanRelease([[maybe_unused]] const void *p)
{
#ifdef ZOK_TSAN
    __tsan_release(const_cast<void *>(p));
#endif
}

inline void TsanAcquire([[maybe_unused]] const void *p)
{
#ifdef ZOK_TSAN
    __tsan_acquire(const_cast<void *>(p));
#endif
}

} // namespace zok
