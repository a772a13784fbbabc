// SPDX-License-Identifier: MIT
// Where window managers differ from the desktop the windows were made for,
// each with its reason.
#pragma once

class QPoint;
class QWidget;

namespace tk {

// Keeps a fixed-size window at its size and place. Some window managers
// offer maximize and fullscreen whatever the size hints say; when one of
// them is carried out all the same, it is undone at once.
void KeepNormalState(QWidget* window);

// Centres a top-level window's frame on the screen that holds `onScreenOf`
// (the primary screen when none does). The frame's size is known only once
// the window manager has framed the shown window: a window centred before it
// is shown is centred again then, once (or not at all, without a frame to
// wait for: no window manager, Wayland).
void CentreOnScreen(QWidget* window, const QPoint& onScreenOf);

// A fixed dialog framed as Windows frames one: the modal-dialog frame, with
// no icon in its title bar (the window keeps its icon for the task
// switcher). Elsewhere the window manager's frame is left as it is.
void DialogFrame(QWidget* window);

} // namespace tk
