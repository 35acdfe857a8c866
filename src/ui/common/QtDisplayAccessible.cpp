#include "QtDisplayAccessible.h"

#include "QtField.h"
#include "QtSpeedBar.h"

#include <QAccessibleWidget>

namespace {

class FieldAccessible final : public QAccessibleWidget {
public:
    explicit FieldAccessible(QtField* field)
        : QAccessibleWidget(field, QAccessible::EditableText) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) {
            return static_cast<const QtField*>(widget())->text();
        }
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        return state;
    }
};

class SpeedBarAccessible final : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit SpeedBarAccessible(QtSpeedBar* bar)
        : QAccessibleWidget(bar, QAccessible::ProgressBar) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface) {
            return static_cast<QAccessibleValueInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) {
            return QString::number(Bar()->value());
        }
        return QAccessibleWidget::text(kind);
    }

    QVariant currentValue() const override { return Bar()->value(); }
    void setCurrentValue(const QVariant& /*value*/) override {} // it only shows the speed
    QVariant maximumValue() const override { return Bar()->maximum(); }
    QVariant minimumValue() const override { return Bar()->minimum(); }
    QVariant minimumStepSize() const override { return 0; }

private:
    const QtSpeedBar* Bar() const { return static_cast<const QtSpeedBar*>(widget()); }
};

QAccessibleInterface* DisplayAccessible(const QString& /*className*/, QObject* object) {
    if (auto* field = dynamic_cast<QtField*>(object)) {
        return new FieldAccessible(field);
    }
    if (auto* bar = dynamic_cast<QtSpeedBar*>(object)) {
        return new SpeedBarAccessible(bar);
    }
    return nullptr;
}

} // namespace

void InstallDisplayAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(DisplayAccessible);
        return true;
    }();
    (void)installed;
}
