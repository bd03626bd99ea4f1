#include "ui/ButtonAccessible.h"

#include <QAccessibleWidget>
#include <QVariant>
#include <QWidget>

namespace {

constexpr const char* kindProperty = "toviaAccessibleKind";

class ClickableAccessible : public QAccessibleWidget {
public:
    ClickableAccessible(QWidget* widget, QAccessible::Role role)
        : QAccessibleWidget(widget, role) {}

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString& action) override {
        if (action == pressAction())
            QMetaObject::invokeMethod(widget(), "clicked");
    }
};

QAccessible::Role roleOf(ButtonAccessible::Kind kind) {
    return kind == ButtonAccessible::Kind::Link ? QAccessible::Link : QAccessible::Button;
}

QAccessibleInterface* clickableFactory(const QString&, QObject* object) {
    if (!object || !object->isWidgetType())
        return nullptr;
    const QVariant kind = object->property(kindProperty);
    if (!kind.isValid())
        return nullptr;
    return new ClickableAccessible(static_cast<QWidget*>(object),
                                   roleOf(ButtonAccessible::Kind(kind.toInt())));
}

} // namespace

namespace ButtonAccessible {

void markAs(QWidget* widget, Kind kind) {
    static const bool installed = [] {
        QAccessible::installFactory(clickableFactory);
        return true;
    }();
    Q_UNUSED(installed);
    widget->setProperty(kindProperty, int(kind));
    // A label announces its caption as it is set, which makes its plain interface early; that
    // one would hide the new role.
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget);
        made && made->role() != roleOf(kind))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

} // namespace ButtonAccessible
