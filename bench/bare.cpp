// SPDX-License-Identifier: MIT
// The baseline of the benchmark: a bare Qt Widgets window with one label.
#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Bare window"));
    label.setWindowTitle(QStringLiteral("Bare"));
    label.resize(372, 340);
    label.show();
    return app.exec();
}
