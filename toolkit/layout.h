// SPDX-License-Identifier: MIT
// The tables each window builds itself from, and that the tests read: one
// row per control and one per menu entry.
#pragma once

#include "toolkit/units.h"

#include <QList>
#include <QObject>
#include <QString>
#include <span>
#include <stdexcept>
#include <string>

class QMenuBar;
class QWidget;

namespace tk {

// A control: the name the code and tests use, its container (the window
// itself or a frame of it), caption, place and size in twips within the
// container, and tab index (-1: none).
struct ControlRow {
    const char* name;
    const char* container;
    const char* caption;
    Twips rect;
    int tabIndex;
};
using Layout = std::span<const ControlRow>;

// A menu of the menu bar, or an item of the menu above it ("-": a separator).
struct MenuRow {
    const char* name;
    const char* caption;
    bool topLevel;
};

const ControlRow& RowOf(Layout layout, const char* name);

// The widget a control of `form` goes in: its container's, or the form's
// client area when the container is the form itself.
QWidget* ContainerOf(QWidget* form, const ControlRow& row);
// Names the control, places it and gives it its caption, if it has one.
void Place(QWidget* control, const ControlRow& row);

template <typename Control>
Control* Create(QWidget* form, Layout layout, const char* name)
{
    const ControlRow& row = RowOf(layout, name);
    auto* control = new Control(ContainerOf(form, row));
    Place(control, row);
    return control;
}

// Fills the menu bar from the table, each menu and item named by it.
void BuildMenus(QMenuBar* bar, std::span<const MenuRow> menus);

// A named child (menu, item, control), which must be there.
template <typename T>
T* Named(const QObject* root, const char* name)
{
    if (T* found = root->findChild<T*>(QString::fromLatin1(name)))
        return found;
    throw std::logic_error(std::string("no child named ") + name);
}

// Chains the focus order of the table's controls by tab index.
void ApplyTabOrder(QWidget* form, Layout layout);
// The widgets of the form that can take the focus with Tab, in tab order.
QList<QWidget*> TabStops(QWidget* form, Layout layout);

} // namespace tk
