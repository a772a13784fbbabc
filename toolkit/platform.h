// SPDX-License-Identifier: MIT
// What the desktop does for the program: start another program, test a file,
// open a document with its handler. Tests replace these to see what would have
// been started or opened.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace tk {

struct Host {
    // Starts exactly the program at `path`: no arguments, no shell, no
    // parsing. A desktop entry (a path ending in ".desktop", not on Windows)
    // starts the command of its Exec line instead.
    std::function<bool(const QString& path)> startProgram;
    // True for an existing normal file (not a folder, not hidden, not a
    // system file).
    std::function<bool(const QString& path)> fileExists;
    // Opens a document with the desktop's handler for it.
    std::function<bool(const QString& path)> openDocument;
};

Host& Desktop();
void ResetDesktop();

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

} // namespace tk
