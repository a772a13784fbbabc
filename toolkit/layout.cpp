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

const ControlSpec& SpecOf(Layout layout, const char* name)
{
    for (const ControlSpec& s : layout)
        if (std::strcmp(s.name, name) == 0)
            return s;
    throw std::logic_error(std::string("no control in the layout named ") + name);
}

QWidget* ContainerOf(QWidget* form, const ControlSpec& spec)
{
    if (form->objectName() == QLatin1String(spec.container)) {
        auto* window = qobject_cast<QMainWindow*>(form);
        return window ? window->centralWidget() : form;
    }
    return Named<QWidget>(form, spec.container);
}

void Place(QWidget* control, const ControlSpec& spec)
{
    control->setObjectName(QString::fromLatin1(spec.name));
    control->setGeometry(ToPixels(spec.rect));
    const QString caption = QString::fromUtf8(spec.caption);
    if (caption.isEmpty())
        return;
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(caption);
    else if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(caption);
    else if (auto* frame = qobject_cast<QGroupBox*>(control))
        frame->setTitle(caption);
}

void BuildMenus(QMenuBar* bar, std::span<const MenuSpec> menus)
{
    QMenu* menu = nullptr;
    for (const MenuSpec& m : menus) {
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
    for (const ControlSpec& s : layout)
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
