// SPDX-License-Identifier: MIT
#include "app/display.h"

#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace lw {

namespace {

// A Wayland display is a socket name under XDG_RUNTIME_DIR, or a path.
QString waylandSocket(const QString& display, const QString& runtimeDir)
{
    if (display.isEmpty() || QDir::isAbsolutePath(display))
        return display;
    return runtimeDir.isEmpty() ? QString() : runtimeDir + u'/' + display;
}

struct HeldMessage {
    QtMsgType type;
    const char* category; // Qt's category names are static
    QString text;
};
std::vector<HeldMessage> held;
QtMessageHandler passOn = nullptr;
bool holding = false;

void holdOrFail(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (!holding) {
        passOn(type, context, text);
        return;
    }
    if (type == QtFatalMsg) {
        std::fputs(NoDisplayMessage, stderr);
        std::fflush(nullptr);
        std::_Exit(EXIT_FAILURE);
    }
    held.push_back({type, context.category, text});
}

} // namespace

NoDisplayGuard::NoDisplayGuard()
{
    holding = true;
    passOn = qInstallMessageHandler(holdOrFail);
}

void NoDisplayGuard::Started()
{
    if (!holding)
        return;
    holding = false;
    for (const HeldMessage& m : held)
        passOn(m.type, QMessageLogContext(nullptr, 0, nullptr, m.category), m.text);
    held.clear();
}

NoDisplayGuard::~NoDisplayGuard()
{
    Started();
    qInstallMessageHandler(passOn);
}

PlatformChoice ChoosePlatform(const std::function<QString(const char*)>& env,
                              const std::function<bool(const QString&)>& hasPlugin,
                              const std::function<bool(const QString&)>& exists)
{
    const QString chosen = env("QT_QPA_PLATFORM");
    const QString x11 = env("DISPLAY");
    const QString socket = waylandSocket(env("WAYLAND_DISPLAY"), env("XDG_RUNTIME_DIR"));
    const bool waylandUp = !socket.isEmpty() && exists(socket);

    if (!chosen.isEmpty()) {
        // The user's choice, as Qt reads it: the first name of a ';' list,
        // with options after ':'. Only the two display platforms need one.
        const QString first = chosen.section(u';', 0, 0).section(u':', 0, 0);
        if (first == u"xcb")
            return {QString(), !x11.isEmpty() && hasPlugin(first)};
        if (first.startsWith(u"wayland"))
            return {QString(), waylandUp && hasPlugin(QStringLiteral("wayland"))};
        return {QString(), true};
    }
    if (!x11.isEmpty() && hasPlugin(QStringLiteral("xcb")))
        return {QStringLiteral("xcb"), true};
    if (waylandUp && hasPlugin(QStringLiteral("wayland")))
        return {QStringLiteral("wayland"), true};
    return {QString(), false};
}

PlatformChoice ChoosePlatform()
{
#ifdef _WIN32
    return {}; // Windows' own platform: there is always a desktop
#endif
    const QString plugins = QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms/");
    return ChoosePlatform([](const char* name) { return qEnvironmentVariable(name); },
                          [&plugins](const QString& name) {
                              // libqxcb.so; libqwayland-generic.so, -egl.so
                              const QStringList found = QDir(plugins).entryList(
                                  {QStringLiteral("libq%1.so").arg(name),
                                   QStringLiteral("libq%1-*.so").arg(name)},
                                  QDir::Files);
                              return !found.isEmpty();
                          },
                          [](const QString& path) { return QFileInfo::exists(path); });
}

} // namespace lw
