// SPDX-License-Identifier: MIT
// What assistive technology is told about a widget where Qt's own answer
// misleads a listener: a window built on a plain QWidget is reported as a
// nameless "filler", and a focus holder that is never seen is a nameless
// object off the window.
#pragma once

#include <QAccessible>

class QWidget;

namespace tk {

// Reports `widget` with `role` (a window: named by its caption).
void SetAccessibleRole(QWidget* widget, QAccessible::Role role);
// Reports `widget` as `standIn` reads: its role, name and place. For a focus
// holder that is never seen, so that the focus a reader reports is the text.
void SetAccessibleStandIn(QWidget* widget, QWidget* standIn);

} // namespace tk
