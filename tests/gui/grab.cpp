// SPDX-License-Identifier: MIT
// grab X Y WIDTH HEIGHT FILE.png|FILE.ppm: saves that part of the X screen,
// for the README's pictures of the real windows and the tests that read pixels.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 6) {
        std::fputs("usage: grab X Y WIDTH HEIGHT FILE.png\n", stderr);
        return 2;
    }
    const QStringList a = app.arguments();
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(
        0, a[1].toInt(), a[2].toInt(), a[3].toInt(), a[4].toInt());
    // PNG for pictures; PPM (by its suffix) for the tests that read pixels.
    return shot.save(a[5], a[5].endsWith(QLatin1String(".ppm")) ? "PPM" : "PNG") ? 0 : 1;
}
