#include "controls/accessible.h"

#include "controls/frame.h"
#include "controls/label.h"
#include "controls/line.h"
#include "controls/progressbar.h"
#include "controls/shape.h"

#include <QAccessibleWidget>
#include <QLineEdit>
#include <QTextBoundaryFinder>
#include <QVariant>

namespace controls {
namespace {

constexpr const char* resultProperty = "zelbaResult";

// Qt's own line-edit interface loops for ever on a word or sentence query
// at the end of the text, which freezes the program under a screen reader,
// and gives empty attribute runs, from which the reader builds the line one
// character short. This one answers every query from the text alone.
class LineEditAccessible : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface {
  public:
    explicit LineEditAccessible(QLineEdit* edit)
        : QAccessibleWidget(edit, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface && !edit()->isReadOnly())
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = !edit()->isReadOnly();
        state.readOnly = edit()->isReadOnly();
        state.selectableText = true;
        state.passwordEdit = edit()->echoMode() != QLineEdit::Normal;
        return state;
    }
    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Value ? shown() : QAccessibleWidget::text(kind);
    }
    void setText(QAccessible::Text kind, const QString& text) override {
        if (kind == QAccessible::Value && !edit()->isReadOnly()) edit()->setText(text);
    }

    QString text(int start, int end) const override { return shown().mid(start, std::max(0, end - start)); }
    int characterCount() const override { return int(shown().size()); }
    int cursorPosition() const override { return edit()->cursorPosition(); }
    void setCursorPosition(int position) override { edit()->setCursorPosition(position); }
    int selectionCount() const override { return edit()->hasSelectedText() ? 1 : 0; }
    void selection(int, int* start, int* end) const override {
        *start = edit()->selectionStart();
        *end = *start < 0 ? (*start = 0) : *start + int(edit()->selectedText().size());
    }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void setSelection(int, int start, int end) override { edit()->setSelection(start, end - start); }
    void removeSelection(int) override { edit()->deselect(); }
    void scrollToSubstring(int start, int end) override {
        edit()->setCursorPosition(end);
        edit()->setCursorPosition(start);
    }
    // One run of plain text over the whole line.
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }
    // From the caret's own rectangle and the advance of the text between.
    QRect characterRect(int offset) const override {
        const QRect caret = edit()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const QFontMetrics metrics(edit()->font());
        const QString text = shown();
        const int x = caret.x() + metrics.horizontalAdvance(text.left(offset)) -
                      metrics.horizontalAdvance(text.left(edit()->cursorPosition()));
        const QRect local(x, caret.y(), metrics.horizontalAdvance(text.mid(offset, 1)), caret.height());
        return {edit()->mapToGlobal(local.topLeft()), local.size()};
    }
    int offsetAtPoint(const QPoint& point) const override {
        const QPoint local = edit()->mapFromGlobal(point);
        return edit()->rect().contains(local) ? edit()->cursorPositionAt(local) : -1;
    }

    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                         int* end) const override {
        segment(offset, boundary, start, end);
        return text(*start, *end);
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                             int* end) const override {
        segment(offset, boundary, start, end);
        if (*start == 0) {
            *end = 0;
            return {};
        }
        segment(*start - 1, boundary, start, end);
        return text(*start, *end);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                            int* end) const override {
        segment(offset, boundary, start, end);
        if (*end >= characterCount() || *start == *end) {
            *start = *end = characterCount();
            return {};
        }
        segment(*end, boundary, start, end);
        return text(*start, *end);
    }

    void deleteText(int start, int end) override { replaceText(start, end, {}); }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int start, int end, const QString& text) override {
        edit()->setSelection(start, end - start);
        edit()->insert(text);
    }

  private:
    QLineEdit* edit() const { return static_cast<QLineEdit*>(widget()); }
    QString shown() const {
        return edit()->echoMode() == QLineEdit::Normal ? edit()->text() : edit()->displayText();
    }

    // The character or word around `offset`; any longer unit is the whole
    // line. At the end of the text there is no character, and the word is
    // the last one.
    void segment(int offset, QAccessible::TextBoundaryType boundary, int* start, int* end) const {
        const QString text = shown();
        const int length = int(text.size());
        offset = std::clamp(offset, 0, length);
        *start = 0;
        *end = length;
        if (boundary == QAccessible::CharBoundary && offset == length) {
            *start = length;
            return;
        }
        if (boundary != QAccessible::CharBoundary && boundary != QAccessible::WordBoundary) return;
        QTextBoundaryFinder finder(boundary == QAccessible::CharBoundary ? QTextBoundaryFinder::Grapheme
                                                                         : QTextBoundaryFinder::Word,
                                   text);
        // The boundaries only move forward, so this ends within the text.
        for (qsizetype at = 0; at >= 0 && at < length; at = finder.toNextBoundary()) {
            if (at > offset && offset < length) {
                *end = int(at);
                return;
            }
            *start = int(at);
        }
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
    if (auto* edit = qobject_cast<QLineEdit*>(object)) return new LineEditAccessible(edit);
    // A notification is what a screen reader speaks when it is shown, wherever
    // the focus is.
    if (auto* label = qobject_cast<Label*>(object); label && label->property(resultProperty).isValid())
        return new QAccessibleWidget(label, QAccessible::Notification);
    if (auto* frame = qobject_cast<Frame*>(object))
        return new QAccessibleWidget(frame, QAccessible::Grouping);
    if (auto* shape = qobject_cast<Shape*>(object)) return new QAccessibleWidget(shape, QAccessible::Graphic);
    if (auto* line = qobject_cast<Line*>(object)) return new QAccessibleWidget(line, QAccessible::Separator);
    if (auto* bar = qobject_cast<ProgressBar*>(object)) return new ProgressBarAccessible(bar);
    return nullptr;
}

} // namespace

void installAccessibility() { QAccessible::installFactory(accessibleFor); }

void markAsResult(Label* label, const QString& what) {
    label->setProperty(resultProperty, what);
    // A name of its own keeps the label from reporting a new name at every
    // rewrite: a sweep writes it a thousand times, a flood a screen reader
    // drops, and the final announcement with it.
    label->setAccessibleName(what);
}

void announceResult(Label* label, const QString& details) {
    QString spoken = label->property(resultProperty).toString() + QStringLiteral(": ") + label->result();
    if (!details.isEmpty()) spoken += QStringLiteral(" (") + details + QLatin1Char(')');
    label->setAccessibleName(spoken);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // Qt's own announcement, which the screen readers of its generation speak
    // (Orca 48 speaks a notification only when it has the focus).
    QAccessibleAnnouncementEvent announcement(label, spoken);
    QAccessible::updateAccessibility(&announcement);
#else
    // Qt 6.4 has no announcement; a notification shown is spoken at once.
    QAccessibleEvent shown(label, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
#endif
}

} // namespace controls
