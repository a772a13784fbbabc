// SPDX-License-Identifier: MIT
// What the desktop does for the program: start another program, test a file,
// show the help file. The desktop itself is replaceable, as the registry is:
// the tests put one in its place that records what would have been started
// or opened.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class QWidget;

namespace tk {

class Desktop {
public:
    virtual ~Desktop() = default;
    // Starts exactly the program at `path`: no arguments, no shell, no
    // parsing. A desktop entry (a path ending in ".desktop", not on Windows)
    // starts the command of its Exec line instead.
    virtual bool StartProgram(const QString& path) = 0;
    // True for an existing normal file (not a folder, not hidden, not a
    // system file).
    virtual bool IsNormalFile(const QString& path) = 0;
    // Opens a document with the desktop's handler for it.
    virtual bool OpenDocument(const QString& path) = 0;
};

// The desktop in use: the real one unless a test installed another.
Desktop& CurrentDesktop();
void UseDesktop(std::unique_ptr<Desktop> desktop); // empty: back to the real one

// The command of a desktop entry's Exec line, split by the entry's own
// quoting rules (no shell), without its field codes; empty when it has none.
QStringList DesktopEntryCommand(const QString& path);

// Starts a program with normal focus; error 53 when it cannot be started.
void Shell(const QString& path);
bool FileExists(const QString& path);

// The help viewer stand-in: shows a help file's contents with the desktop's
// handler. A backslash is taken as a folder separator when the path only
// exists that way. Says in a message box when the file is missing or nothing
// can show it.
void ShowHelpFile(const QString& file);

// F1 in `window` shows the application's help file (App().HelpFile): it
// serves the whole program.
void HelpKey(QWidget* window);

// The common dialog's help: a help file, a command (3: contents), ShowHelp.
class CommonDialog : public QObject {
public:
    using QObject::QObject;
    static constexpr int cdlHelpContents = 3;
    QString HelpFile;
    int HelpCommand = 0;
    void ShowHelp() const;
};

} // namespace tk
