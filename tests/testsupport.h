// SPDX-License-Identifier: MIT
// What every window test shares: End and the message box observed instead of
// acted on, and a clean slate between test functions.
#pragma once

#include "toolkit/msgbox.h"

#include <QList>
#include <QRect>
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

// Installs the observer's End handler and message-box responder.
void Observe(Observer& observer);
// Destroys every window and restores every replaceable part of the toolkit.
void ResetAll();
// The names of the top-level windows still visible.
QStringList VisibleWindows();

} // namespace testing
