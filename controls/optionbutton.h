#pragma once

#include "controls/design.h"

#include <QRadioButton>
#include <vector>

namespace controls {

class OptionGroup;

// An option button of a group. Click is QAbstractButton::clicked: by mouse,
// Space, or an arrow key that moves the group's selection onto it.
class OptionButton : public QRadioButton {
    Q_OBJECT
public:
    OptionButton(QWidget* container, const char* designName, const Twips& where, const QString& accessibleName,
                 const QString& caption, OptionGroup& group);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void nextCheckState() override { setChecked(true); } // a click never clears an option

private:
    OptionGroup& group_;
};

// The options of one container: selecting one clears the others. The group
// is a single Tab stop, at its selected option, and the arrow keys move the
// selection within it, wrapping round, as on the desktop the design comes
// from.
class OptionGroup : public QObject {
    Q_OBJECT
public:
    explicit OptionGroup(QObject* owner);

    void add(OptionButton* option);
    void select(OptionButton* option);
    void step(OptionButton* from, int direction);

private:
    void updateTabStop();

    std::vector<OptionButton*> options_;
};

} // namespace controls
