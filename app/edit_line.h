#pragma once

// The text of an edit box with its cursor, its selection and its undo history, apart from any drawing.
//
// Positions are UTF-16 indexes into the text, 0 <= position <= size. The selection is the range between
// the anchor and the cursor; it is empty when they are equal. An edit never splits a surrogate pair.
// The history records each edit as the text it removed and the text it put in, so it costs what was
// typed or pasted, never a copy of the whole text.

#include <algorithm>
#include <vector>

#include <QString>

namespace app {

class EditLine {
public:
    const QString& text() const { return text_; }
    qsizetype cursor() const { return cursor_; }
    qsizetype anchor() const { return anchor_; }
    qsizetype selection_start() const { return std::min(cursor_, anchor_); }
    qsizetype selection_end() const { return std::max(cursor_, anchor_); }
    bool has_selection() const { return cursor_ != anchor_; }
    QString selected_text() const;

    // Replaces everything, puts the cursor at the end and forgets the history.
    void set_text(const QString& text);

    // Puts `text` in place of the selection, or at the cursor, and leaves the cursor after it. Typed
    // text that continues the previous typing is undone with it in one step.
    void insert(const QString& text, bool typed = false);
    void remove_selection();
    // Removes the selection, or else the character before the cursor (both halves of a surrogate pair).
    void backspace();
    // Removes the selection, or else the text from the cursor up to `to`, or down to `to`.
    void remove_to(qsizetype to);

    // Moves the cursor; with `extend` the anchor stays and the selection grows or shrinks.
    void move_to(qsizetype position, bool extend);
    void select(qsizetype start, qsizetype end);
    void select_all() { select(0, text_.size()); }

    bool can_undo() const { return !history_.empty(); }
    bool can_redo() const { return !undone_.empty(); }
    void undo();
    void redo();

private:
    struct Edit {
        qsizetype position;
        QString removed;
        QString inserted;
        qsizetype cursor_before;
        qsizetype anchor_before;
    };

    void replace(qsizetype start, qsizetype end, const QString& with, bool typed);
    qsizetype clamped(qsizetype position) const;

    QString text_;
    qsizetype cursor_ = 0;
    qsizetype anchor_ = 0;
    std::vector<Edit> history_;
    std::vector<Edit> undone_;
    bool typing_continues_ = false;
};

}  // namespace app
