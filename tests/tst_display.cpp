// SPDX-License-Identifier: MIT
// The platform the program asks Qt for, from the session it finds.
#include "app/display.h"

#include <QMap>
#include <QTest>

using lw::ChoosePlatform;

class tst_display : public QObject {
    Q_OBJECT
private slots:
    void choice_data();
    void choice();
};

void tst_display::choice_data()
{
    QTest::addColumn<QString>("environment"); // NAME=value pairs, blank-separated
    QTest::addColumn<QString>("plugins");
    QTest::addColumn<QString>("platform");
    QTest::addColumn<bool>("canStart");

    const QString both = "DISPLAY=:0 WAYLAND_DISPLAY=wayland-1 XDG_RUNTIME_DIR=/run/user/1";
    QTest::newRow("X11 and Wayland: X11") << both << "xcb wayland" << "xcb" << true;
    QTest::newRow("Wayland alone: native Wayland")
        << "WAYLAND_DISPLAY=wayland-1 XDG_RUNTIME_DIR=/run/user/1" << "xcb wayland" << "wayland" << true;
    QTest::newRow("Wayland at an absolute socket") << "WAYLAND_DISPLAY=/run/user/1/wayland-1"
                                                   << "wayland" << "wayland" << true;
    QTest::newRow("Wayland alone without its plugin")
        << "WAYLAND_DISPLAY=wayland-1 XDG_RUNTIME_DIR=/run/user/1" << "xcb" << "" << false;
    QTest::newRow("Wayland named but no socket")
        << "WAYLAND_DISPLAY=wayland-9 XDG_RUNTIME_DIR=/run/user/1" << "xcb wayland" << "" << false;
    QTest::newRow("X11 without its plugin, Wayland there") << both << "wayland" << "wayland" << true;
    QTest::newRow("no display at all") << "" << "xcb wayland" << "" << false;
    QTest::newRow("the user's wayland wins")
        << both + " QT_QPA_PLATFORM=wayland" << "xcb wayland" << "" << true;
    QTest::newRow("the user's xcb without X11")
        << "WAYLAND_DISPLAY=wayland-1 XDG_RUNTIME_DIR=/run/user/1 QT_QPA_PLATFORM=xcb"
        << "xcb wayland" << "" << false;
    QTest::newRow("the user's wayland without its plugin")
        << both + " QT_QPA_PLATFORM=wayland;xcb" << "xcb" << "" << false;
    QTest::newRow("the user's offscreen needs no display")
        << "QT_QPA_PLATFORM=offscreen" << "" << "" << true;
}

void tst_display::choice()
{
    QFETCH(QString, environment);
    QFETCH(QString, plugins);
    QFETCH(QString, platform);
    QFETCH(bool, canStart);

    QMap<QString, QString> env;
    for (const QString& pair : environment.split(u' ', Qt::SkipEmptyParts))
        env.insert(pair.section(u'=', 0, 0), pair.section(u'=', 1));
    const QStringList installed = plugins.split(u' ', Qt::SkipEmptyParts);
    const lw::PlatformChoice c = ChoosePlatform(
        [&](const char* name) { return env.value(QString::fromLatin1(name)); },
        [&](const QString& name) { return installed.contains(name); },
        [](const QString& path) { return path == u"/run/user/1/wayland-1"; });
    QCOMPARE(c.platform, platform);
    QCOMPARE(c.canStart, canStart);
}

QTEST_GUILESS_MAIN(tst_display)
#include "tst_display.moc"
