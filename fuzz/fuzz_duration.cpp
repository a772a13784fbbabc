// SPDX-License-Identifier: MIT
// The duration a user types: the check in front of a run and the conversion
// behind it must agree, never crash, and read numbers as the C library does.
#include "progress_window/frmInstall.h"
#include "toolkit/convert.h"
#include "toolkit/errors.h"

#include <QString>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const bool usable = lw::frmInstall::IsUsableDuration(text);
    float ticks = 0;
    bool converts = true;
    try {
        ticks = lw::frmInstall::DurationFromText(text);
    } catch (const tk::RuntimeError&) {
        converts = false;
    }
    // A run can be counted to its end while its length is a number of ticks
    // a 32-bit float still reaches one by one: at most 2^24.
    const bool countable = converts && !std::isnan(ticks) && ticks <= 16777216.0f;
    if (usable != countable)
        std::abort();

    // Where the conversion accepts a plain ASCII number, strtod reads the same.
    const std::string raw(reinterpret_cast<const char*>(data), size);
    if (raw.find('\0') == std::string::npos) {
        try {
            const double mine = tk::ToDouble(text);
            errno = 0;
            char* end = nullptr;
            const double theirs = std::strtod(raw.c_str(), &end);
            if (errno == 0 && std::isfinite(theirs) && mine != theirs && mine != 0)
                std::abort();
        } catch (const tk::RuntimeError&) {
        }
    }
    return 0;
}
