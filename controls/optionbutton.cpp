#include "controls/optionbutton.h"

#include <QKeyEvent>
#include <algorithm>

namespace controls {

OptionButton::OptionButton(QWidget* container, const char* designName, const Twips& where,
                           const QString& accessibleName, const QString& caption, OptionGroup& group)
    : QRadioButton(caption, container)
    , group_(group) {
    place(this, designName, where, accessibleName);
    group.add(this);
}

void OptionButton::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left: group_.step(this, -1); break;
    case Qt::Key_Down:
    case Qt::Key_Right: group_.step(this, +1); break;
    default: QRadioButton::keyPressEvent(event);
    }
}

OptionGroup::OptionGroup(QObject* owner)
    : QObject(owner) {}

void OptionGroup::add(OptionButton* option) {
    options_.push_back(option);
    connect(option, &QAbstractButton::toggled, this, &OptionGroup::updateTabStop);
    updateTabStop();
}

void OptionGroup::step(OptionButton* from, int direction) {
    const auto at = std::find(options_.begin(), options_.end(), from);
    if (at == options_.end()) return;
    const auto count = static_cast<std::ptrdiff_t>(options_.size());
    const auto index = ((at - options_.begin()) + direction + count) % count;
    OptionButton* next = options_[static_cast<std::size_t>(index)];
    next->setFocus(Qt::TabFocusReason);
    next->click();
}

void OptionGroup::updateTabStop() {
    const bool anySelected =
        std::any_of(options_.begin(), options_.end(), [](auto* o) { return o->isChecked(); });
    for (OptionButton* option : options_) {
        const bool stop = anySelected ? option->isChecked() : option == options_.front();
        option->setFocusPolicy(stop ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

} // namespace controls
