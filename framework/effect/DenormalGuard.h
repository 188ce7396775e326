// Sets flush-to-zero and denormals-are-zero in the floating-point control register for as
// long as it lives, and gives the host its own setting back afterwards. Decaying feedback
// paths otherwise spend seconds in the subnormal range, where every operation costs a
// hundred cycles or more. Only x86 processors with SSE have the register; elsewhere the
// guard does nothing.
#pragma once

#if defined(__SSE__) || defined(__x86_64__) || defined(_M_X64) ||                                  \
    (defined(_M_IX86_FP) && _M_IX86_FP >= 1)
#include <xmmintrin.h>
#define QMT_DENORMAL_GUARD_MXCSR 1
#else
#define QMT_DENORMAL_GUARD_MXCSR 0
#endif

class DenormalGuard {
public:
    // Whether the guard changes anything on this target.
    static constexpr bool effective = QMT_DENORMAL_GUARD_MXCSR != 0;
    static constexpr unsigned kFlushToZero = 0x8000;
    static constexpr unsigned kDenormalsAreZero = 0x0040;

    DenormalGuard() {
#if QMT_DENORMAL_GUARD_MXCSR
        saved = _mm_getcsr();
        const unsigned wanted = saved | kFlushToZero | kDenormalsAreZero;
        // Writing the register stalls the pipeline; skip it when the host already flushes.
        if (wanted != saved) {
            _mm_setcsr(wanted);
            changed = true;
        }
#endif
    }

    ~DenormalGuard() {
#if QMT_DENORMAL_GUARD_MXCSR
        if (changed) {
            _mm_setcsr(saved);
        }
#endif
    }

    DenormalGuard(const DenormalGuard&) = delete;
    DenormalGuard& operator=(const DenormalGuard&) = delete;

private:
#if QMT_DENORMAL_GUARD_MXCSR
    unsigned saved = 0;
    bool changed = false;
#endif
};
