// SPDX-License-Identifier: MIT
// Arithmetic on doubles rounded to a double at each step, on every
// architecture. The x87 unit of 32-bit x86 (where SSE2 is not the baseline, as
// on Debian's i386) works in 80 bits and keeps a quotient unrounded through
// the next operation. While a DoubleRounding lives there, the unit rounds
// every result to a double's 53 bits, as SSE2 and every other architecture
// do; the exponent's wider range cannot matter for the finite values the
// program computes. Elsewhere it does nothing.
#pragma once

#if defined(__i386__) && !defined(__SSE2_MATH__) && defined(__GLIBC__)
#include <fpu_control.h>

namespace tk {
class DoubleRounding {
public:
    DoubleRounding()
    {
        _FPU_GETCW(saved_);
        fpu_control_t doubled = (saved_ & ~_FPU_EXTENDED) | _FPU_DOUBLE;
        _FPU_SETCW(doubled);
    }
    ~DoubleRounding() { _FPU_SETCW(saved_); }
    DoubleRounding(const DoubleRounding&) = delete;
    DoubleRounding& operator=(const DoubleRounding&) = delete;

private:
    fpu_control_t saved_;
};
} // namespace tk
#else
namespace tk {
struct DoubleRounding {
    DoubleRounding() {} // user-provided: a guard, not an unused variable
    DoubleRounding(const DoubleRounding&) = delete;
    DoubleRounding& operator=(const DoubleRounding&) = delete;
};
} // namespace tk
#endif
