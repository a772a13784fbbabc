// SPDX-License-Identifier: MIT
// Which of Qt's platforms the program asks for. The user's own
// QT_QPA_PLATFORM always wins. Otherwise X11 where the session offers it, so
// that every window stands where it is placed (a Wayland client cannot place
// its windows), and a native Wayland client where Wayland alone is there.
// When nothing can start, the program says so in one line instead of letting
// Qt abort.
#pragma once

#include <QString>
#include <functional>

namespace lw {

struct PlatformChoice {
    QString platform; // for QApplication's -platform; empty: Qt's own choice
    bool canStart = true;
};

// Reads the environment through `env`, asks `hasPlugin` whether Qt's platform
// plugin of that name ("xcb", "wayland") is installed and `exists` whether the
// Wayland socket is there.
PlatformChoice ChoosePlatform(const std::function<QString(const char*)>& env,
                              const std::function<bool(const QString&)>& hasPlugin,
                              const std::function<bool(const QString&)>& exists);
// The same, from the real environment and Qt's plugin folder.
PlatformChoice ChoosePlatform();

inline constexpr const char* NoDisplayMessage =
    "lullwick: no display found; run it on a desktop, or under xvfb-run\n";

// While it lives, Qt's messages are held back; should the platform plugin
// fail to reach its display after all (a DISPLAY or WAYLAND_DISPLAY with no
// server behind it), the program says NoDisplayMessage and exits with
// status 1 instead of Qt's several lines and an abort. Once Qt has started,
// Started() passes on what was held.
class NoDisplayGuard {
public:
    NoDisplayGuard();
    ~NoDisplayGuard();
    NoDisplayGuard(const NoDisplayGuard&) = delete;
    NoDisplayGuard& operator=(const NoDisplayGuard&) = delete;
    void Started();
};

} // namespace lw
