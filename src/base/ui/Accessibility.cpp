#include "base/ui/Accessibility.h"

#include "base/ui/Controls.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <map>
#include <string>

namespace zv {
namespace {

struct Tables {
    std::map<std::string, const AccessibleControl*, std::less<>> controls;
    std::map<std::string, std::span<const char* const>, std::less<>> orders;
};

Tables& Registered() {
    static Tables tables;
    return tables;
}

const AccessibleControl* Entry(const QObject* object) {
    if (!object || !object->isWidgetType())
        return nullptr;
    const QByteArray name = object->objectName().toLatin1();
    const auto found = Registered().controls.find(std::string_view(name.constData()));
    return found == Registered().controls.end() ? nullptr : found->second;
}

QAccessible::Role RoleOf(AccessKind kind) {
    switch (kind) {
    case AccessKind::Button:
        return QAccessible::Button;
    case AccessKind::MenuPicture:
        return QAccessible::Graphic;
    case AccessKind::Display:
        return QAccessible::StaticText;
    case AccessKind::Named:
        break;
    }
    return QAccessible::Client;
}

// A control of the tables as assistive technology sees it: its name, its value, and for the
// pictures the actions the keyboard offers.
class TableAccessible final : public QAccessibleWidget {
public:
    TableAccessible(QWidget* widget, const AccessibleControl& entry)
        : QAccessibleWidget(widget, RoleOf(entry.Kind))
        , m_entry(entry) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return m_entry.Value ? m_entry.Value(widget()) : QString();
        if (t == QAccessible::Name)
            return QString::fromLatin1(m_entry.Name);
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override {
        auto* picture = qobject_cast<ImageControl*>(widget());
        if (picture && m_entry.Kind == AccessKind::Button)
            return {pressAction(), setFocusAction()};
        if (picture && m_entry.Kind == AccessKind::MenuPicture)
            return {showMenuAction(), setFocusAction()};
        return QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override {
        auto* picture = qobject_cast<ImageControl*>(widget());
        if (picture && action == pressAction())
            picture->press();
        else if (picture && action == showMenuAction())
            picture->requestContextMenu();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    const AccessibleControl& m_entry;
};

QAccessibleInterface* Factory(const QString& /*key*/, QObject* object) {
    const AccessibleControl* entry = Entry(object);
    // Only the kinds whose role or value Qt's own interfaces would not give.
    if (!entry || entry->Kind == AccessKind::Named)
        return nullptr;
    return new TableAccessible(static_cast<QWidget*>(object), *entry);
}

void ApplyEntry(QWidget* widget, const AccessibleControl& entry) {
    widget->setAccessibleName(QString::fromLatin1(entry.Name));
    if (entry.Kind == AccessKind::Button || entry.Kind == AccessKind::MenuPicture) {
        widget->setFocusPolicy(Qt::StrongFocus);
        if (entry.Kind == AccessKind::Button)
            widget->setCursor(Qt::PointingHandCursor);
    }
    if (entry.Kind == AccessKind::Named)
        return;
    // An interface made before the control had its name (while it was being built) is not
    // ours: the next one asked for is.
    if (QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
        iface && !dynamic_cast<TableAccessible*>(iface))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(iface));
}

void ApplyOrder(QWidget* window, std::span<const char* const> names) {
    QWidget* previous = nullptr;
    for (const char* name : names) {
        QWidget* control = window->findChild<QWidget*>(QString::fromLatin1(name));
        if (!control)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

class AccessibilityFilter final : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Polish || !watched->isWidgetType())
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        if (const AccessibleControl* entry = Entry(widget))
            ApplyEntry(widget, *entry);
        if (widget->isWindow()) {
            // Controls polish when their window first shows; the tab order needs them all.
            for (QWidget* child : widget->findChildren<QWidget*>()) {
                if (const AccessibleControl* entry = Entry(child))
                    ApplyEntry(child, *entry);
            }
            const QByteArray name = widget->objectName().toLatin1();
            const auto found = Registered().orders.find(std::string_view(name.constData()));
            if (found != Registered().orders.end())
                ApplyOrder(widget, found->second);
        }
        return false;
    }
};

} // namespace

void InstallAccessibility(std::span<const AccessibleControl> controls,
                          std::span<const ReadingOrder> orders) {
    Tables& tables = Registered();
    const bool first = tables.controls.empty() && tables.orders.empty();
    for (const AccessibleControl& control : controls)
        tables.controls[control.ObjectName] = &control;
    for (const ReadingOrder& order : orders)
        tables.orders[order.Window] = order.Controls;
    if (!first)
        return;
    QAccessible::installFactory(&Factory);
    qApp->installEventFilter(new AccessibilityFilter(qApp));
}

QString LabelText(const QWidget* control) {
    const auto* label = qobject_cast<const QLabel*>(control);
    return label ? label->text() : QString();
}

} // namespace zv
