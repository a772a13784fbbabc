// SPDX-License-Identifier: MIT
#include "toolkit/layout.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <algorithm>
#include <cstring>

namespace tk {

const ControlRow& RowOf(Layout layout, const char* name)
{
    for (const ControlRow& s : layout)
        if (std::strcmp(s.name, name) == 0)
            return s;
    throw std::logic_error(std::string("no control in the layout named ") + name);
}

QWidget* ContainerOf(QWidget* form, const ControlRow& row)
{
    if (form->objectName() == QLatin1String(row.container)) {
        auto* window = qobject_cast<QMainWindow*>(form);
        return window ? window->centralWidget() : form;
    }
    return Named<QWidget>(form, row.container);
}

void Place(QWidget* control, const ControlRow& row)
{
    control->setObjectName(QString::fromLatin1(row.name));
    control->setGeometry(ToPixels(row.rect));
    const QString caption = QString::fromUtf8(row.caption);
    if (caption.isEmpty())
        return;
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(caption);
    else if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(caption);
    else if (auto* frame = qobject_cast<QGroupBox*>(control))
        frame->setTitle(caption);
}

void BuildMenus(QMenuBar* bar, std::span<const MenuRow> menus)
{
    QMenu* menu = nullptr;
    for (const MenuRow& m : menus) {
        const QString caption = QString::fromUtf8(m.caption);
        QObject* entry = nullptr;
        if (m.topLevel)
            entry = menu = bar->addMenu(caption);
        else if (caption == QLatin1String("-"))
            entry = menu->addSeparator();
        else
            entry = menu->addAction(caption);
        entry->setObjectName(QString::fromLatin1(m.name));
    }
}

QList<QWidget*> TabStops(QWidget* form, Layout layout)
{
    QList<std::pair<int, QWidget*>> order;
    for (const ControlRow& s : layout)
        if (s.tabIndex >= 0)
            if (auto* w = form->findChild<QWidget*>(QString::fromLatin1(s.name)))
                order.append({s.tabIndex, w});
    std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    QList<QWidget*> stops;
    for (const auto& [index, w] : order)
        if (w->focusPolicy() & Qt::TabFocus)
            stops.append(w);
    return stops;
}

void ApplyTabOrder(QWidget* form, Layout layout)
{
    const QList<QWidget*> stops = TabStops(form, layout);
    for (qsizetype i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(stops[i - 1], stops[i]);
}

} // namespace tk
