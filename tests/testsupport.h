// SPDX-License-Identifier: MIT
// What every window test shares: End and the message box observed instead of
// acted on, and a clean slate between test functions.
#pragma once

#include "toolkit/desktop.h"
#include "toolkit/msgbox.h"

#include <QList>
#include <QRect>
#include <cstdint>
#include <functional>

namespace testing {

struct Observer {
    int ends = 0;
    QList<tk::MsgBoxCall> boxes;
    // Answers given in turn; vbOK (or vbNo for Yes/No) once they run out.
    QList<int> answers;
    // Runs while a box is "open", before it answers.
    std::function<void(const tk::MsgBoxCall&)> whileOpen;
};

// A rectangle given in twips, in pixels at 96 dpi (15 twips a pixel).
inline QRect Pixels(const QRect& twips)
{
    return QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15);
}

// A desktop that starts, finds and opens nothing unless a test says so.
struct FakeDesktop : tk::Desktop {
    std::function<bool(const QString&)> start = [](const QString&) { return false; };
    std::function<bool(const QString&)> exists = [](const QString&) { return false; };
    std::function<bool(const QString&)> open = [](const QString&) { return false; };
    bool StartProgram(const QString& path) override { return start(path); }
    bool IsNormalFile(const QString& path) override { return exists(path); }
    bool OpenDocument(const QString& path) override { return open(path); }
};
// Puts a fake desktop in the real one's place, until ResetAll.
FakeDesktop& UseFakeDesktop();

// The program's font and application object, as at its start.
void SetUp();
// Installs the observer's End handler and message-box responder.
void Observe(Observer& observer);
// Destroys every window and restores every replaceable part of the toolkit.
void ResetAll();
// The colour a text box or a combo box's field is painted on, as 0x00BBGGRR.
std::uint32_t BackColour(const QWidget* box);
// The names of the top-level windows still visible.
QStringList VisibleWindows();

} // namespace testing
