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

QAccessibleInterface* accessibleFor(const QString& className, QObject* object) {
    if (className == QLatin1String("controls::Label") && object->property(resultProperty).isValid())
        return new ResultLabelAccessible(static_cast<Label*>(object));
    if (className == QLatin1String("controls::Frame"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Grouping);
    if (className == QLatin1String("controls::Shape"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
    if (className == QLatin1String("controls::Line"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Separator);
    if (className == QLatin1String("controls::ProgressBar"))
        return new ProgressBarAccessible(static_cast<ProgressBar*>(object));
    return nullptr;
}

} // namespace

void installAccessibility() { QAccessible::installFactory(accessibleFor); }

void markAsResult(QWidget* label, const QString& what) { label->setProperty(resultProperty, what); }

} // namespace controls
