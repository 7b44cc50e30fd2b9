#include "controls/accessible.h"

#include "controls/frame.h"
#include "controls/label.h"
#include "controls/progressbar.h"

#include <QAccessibleWidget>
#include <QVariant>

namespace controls {
namespace {

constexpr const char* resultProperty = "zelbaResult";

class ResultLabelAccessible : public QAccessibleWidget {
  public:
    explicit ResultLabelAccessible(Label* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text kind) const override {
        auto* label = static_cast<Label*>(widget());
        if (kind != QAccessible::Name) return QAccessibleWidget::text(kind);
        const QString what = label->property(resultProperty).toString();
        return label->result().isEmpty() ? what : what + QStringLiteral(": ") + label->result();
    }
};

class ProgressBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
  public:
    explicit ProgressBarAccessible(ProgressBar* bar)
        : QAccessibleWidget(bar, QAccessible::ProgressBar) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface*>(this)
                                                   : QAccessibleWidget::interface_cast(type);
    }
    QVariant currentValue() const override { return static_cast<ProgressBar*>(widget())->position(); }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return ProgressBar::maximum; }
    QVariant minimumValue() const override { return 0.0f; }
    QVariant minimumStepSize() const override { return 1.0f; }
};

// Chosen by type, not by class name, so that a renamed class keeps its role.
QAccessibleInterface* accessibleFor(const QString&, QObject* object) {
    if (auto* label = qobject_cast<Label*>(object); label && label->property(resultProperty).isValid())
        return new ResultLabelAccessible(label);
    if (auto* frame = qobject_cast<Frame*>(object))
        return new QAccessibleWidget(frame, QAccessible::Grouping);
    if (auto* shape = qobject_cast<Shape*>(object)) return new QAccessibleWidget(shape, QAccessible::Graphic);
    if (auto* line = qobject_cast<Line*>(object)) return new QAccessibleWidget(line, QAccessible::Separator);
    if (auto* bar = qobject_cast<ProgressBar*>(object)) return new ProgressBarAccessible(bar);
    return nullptr;
}

} // namespace

void installAccessibility() { QAccessible::installFactory(accessibleFor); }

void markAsResult(QWidget* label, const QString& what) { label->setProperty(resultProperty, what); }

} // namespace controls
