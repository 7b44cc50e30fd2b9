#include "controls/entrybox.h"

#include "core/keyfilter.h"

#include <QKeyEvent>

namespace controls {
namespace {

// Keys that deliver no character act as usual. Whatever modifier is held,
// a character goes through the filter: an access key (Alt+C) that a button
// takes never reaches the box, so an Alt key that does is typed like any
// other ("175", Alt+".", "5" must not read as 1755).
bool deliversCharacters(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return false;
    default: return !event.text().isEmpty();
    }
}

// The character code a key delivers. X11 sends Ctrl+V as "\x16"; a
// synthesised event may carry "v" with the Control modifier: both are 22.
char32_t keyCode(char32_t character, Qt::KeyboardModifiers modifiers) {
    const bool letter = (character >= U'a' && character <= U'z') || (character >= U'A' && character <= U'Z');
    if ((modifiers & Qt::ControlModifier) && letter) return (character & 0x1F);
    return character;
}

} // namespace

EntryBox::EntryBox(QWidget* container, const char* designName, const Twips& where,
                   const QString& accessibleName, const QString& text, Keys keys, const Look& look)
    : QLineEdit(text, container)
    , keys_(keys) {
    place(this, designName, where, accessibleName, look);
    if (look.centred) setAlignment(Qt::AlignCenter);
    // A value written into a read-only box is read from its first digit,
    // also when it is wider than the box.
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (isReadOnly()) setCursorPosition(0);
    });
}

void EntryBox::keyPressEvent(QKeyEvent* event) {
    emit keyDown(event->key());
    if (keys_ == Keys::AsTyped || isReadOnly() || !deliversCharacters(*event)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    // Every character is typed as the filter says; none acts as a shortcut.
    for (char32_t character : event->text().toUcs4()) {
        const char32_t code = core::filterKey(keyCode(character, event->modifiers()));
        if (code == core::backspaceCode)
            backspace();
        else
            insert(QString(QChar(static_cast<char16_t>(code))));
    }
    event->accept();
}

void EntryBox::inputMethodEvent(QInputMethodEvent* event) {
    if (keys_ == Keys::AsTyped || event->commitString().isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QString filtered;
    for (char32_t character : event->commitString().toUcs4()) {
        const char32_t code = core::filterKey(character);
        if (code != core::backspaceCode) filtered += QChar(static_cast<char16_t>(code));
    }
    QInputMethodEvent committed(event->preeditString(), event->attributes());
    committed.setCommitString(filtered, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&committed);
}

void EntryBox::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

} // namespace controls
