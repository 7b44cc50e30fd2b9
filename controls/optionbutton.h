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
    OptionButton(QWidget* container, const char* designName, const Twips& where,
                 const QString& accessibleName, const QString& caption, OptionGroup& group);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    OptionGroup& group_;
};

// The options of one container. Selecting one clears the others (Qt's auto
// exclusivity among siblings does it). The group is a single Tab stop, at
// its selected option, and the arrow keys move the selection within it,
// wrapping round.
class OptionGroup : public QObject {
    Q_OBJECT
  public:
    explicit OptionGroup(QObject* owner);

    void add(OptionButton* option);
    void step(OptionButton* from, int direction);

  private:
    void updateTabStop();

    std::vector<OptionButton*> options_;
};

} // namespace controls
