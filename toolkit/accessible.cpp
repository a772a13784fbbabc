// SPDX-License-Identifier: MIT
#include "toolkit/accessible.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>

namespace tk {

namespace {

constexpr const char* RoleProperty = "tkAccessibleRole";
constexpr const char* StandInProperty = "tkAccessibleStandIn";

class StandIn : public QAccessibleWidget {
public:
    StandIn(QWidget* widget, QWidget* standIn) : QAccessibleWidget(widget), standIn_(standIn) {}

    QAccessible::Role role() const override
    {
        QAccessibleInterface* s = other();
        return s ? s->role() : QAccessibleWidget::role();
    }
    QString text(QAccessible::Text t) const override
    {
        QAccessibleInterface* s = other();
        return s && t == QAccessible::Name ? s->text(t) : QAccessibleWidget::text(t);
    }
    QRect rect() const override
    {
        QAccessibleInterface* s = other();
        return s ? s->rect() : QAccessibleWidget::rect();
    }
    QAccessible::State state() const override
    {
        QAccessible::State st = QAccessibleWidget::state();
        if (standIn_) {
            st.invisible = !standIn_->isVisible();
            st.offscreen = !standIn_->isVisible();
        }
        return st;
    }

private:
    QAccessibleInterface* other() const
    {
        return standIn_ ? QAccessible::queryAccessibleInterface(standIn_.data()) : nullptr;
    }
    QPointer<QWidget> standIn_;
};

QAccessibleInterface* factory(const QString& /*className*/, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    const QVariant role = widget->property(RoleProperty);
    if (role.isValid())
        return new QAccessibleWidget(widget, static_cast<QAccessible::Role>(role.toInt()));
    const QVariant standIn = widget->property(StandInProperty);
    if (standIn.isValid())
        return new StandIn(widget, standIn.value<QWidget*>());
    return nullptr;
}

void installFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    (void)installed;
}

} // namespace

void SetAccessibleRole(QWidget* widget, QAccessible::Role role)
{
    installFactory();
    widget->setProperty(RoleProperty, static_cast<int>(role));
}

void SetAccessibleStandIn(QWidget* widget, QWidget* standIn)
{
    installFactory();
    widget->setProperty(StandInProperty, QVariant::fromValue(standIn));
}

} // namespace tk
