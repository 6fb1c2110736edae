#include "app/edit_line.h"

#include <algorithm>
#include <utility>

namespace app {

QString EditLine::selected_text() const {
    return text_.mid(selection_start(), selection_end() - selection_start());
}

qsizetype EditLine::clamped(qsizetype position) const {
    position = std::clamp<qsizetype>(position, 0, text_.size());
    // Never between the halves of a surrogate pair.
    if (position > 0 && position < text_.size() && text_[position].isLowSurrogate() &&
        text_[position - 1].isHighSurrogate())
        --position;
    return position;
}

void EditLine::set_text(const QString& text) {
    text_ = text;
    cursor_ = anchor_ = text_.size();
    history_.clear();
    undone_.clear();
    typing_continues_ = false;
}

void EditLine::replace(qsizetype start, qsizetype end, const QString& with, bool typed) {
    const bool merge = typed && typing_continues_ && start == end && !history_.empty() &&
                       history_.back().position + history_.back().inserted.size() == start;
    if (merge) {
        history_.back().inserted += with;
    } else {
        history_.push_back({start, text_.mid(start, end - start), with, cursor_, anchor_});
    }
    undone_.clear();
    text_.replace(start, end - start, with);
    cursor_ = anchor_ = start + with.size();
    typing_continues_ = typed;
}

void EditLine::insert(const QString& text, bool typed) {
    if (text.isEmpty() && !has_selection()) return;
    replace(selection_start(), selection_end(), text, typed);
}

void EditLine::remove_selection() {
    if (has_selection()) replace(selection_start(), selection_end(), {}, false);
}

void EditLine::backspace() {
    if (has_selection()) return remove_selection();
    if (cursor_ == 0) return;
    qsizetype start = cursor_ - 1;
    if (start > 0 && text_[start].isLowSurrogate() && text_[start - 1].isHighSurrogate()) --start;
    replace(start, cursor_, {}, false);
}

void EditLine::remove_to(qsizetype to) {
    if (has_selection()) return remove_selection();
    to = clamped(to);
    if (to != cursor_) replace(std::min(to, cursor_), std::max(to, cursor_), {}, false);
}

void EditLine::move_to(qsizetype position, bool extend) {
    cursor_ = clamped(position);
    if (!extend) anchor_ = cursor_;
    typing_continues_ = false;
}

void EditLine::select(qsizetype start, qsizetype end) {
    anchor_ = clamped(start);
    cursor_ = clamped(end);
    typing_continues_ = false;
}

void EditLine::undo() {
    if (history_.empty()) return;
    Edit edit = std::move(history_.back());
    history_.pop_back();
    text_.replace(edit.position, edit.inserted.size(), edit.removed);
    cursor_ = edit.cursor_before;
    anchor_ = edit.anchor_before;
    undone_.push_back(std::move(edit));
    typing_continues_ = false;
}

void EditLine::redo() {
    if (undone_.empty()) return;
    Edit edit = std::move(undone_.back());
    undone_.pop_back();
    text_.replace(edit.position, edit.removed.size(), edit.inserted);
    cursor_ = anchor_ = edit.position + edit.inserted.size();
    history_.push_back(std::move(edit));
    typing_continues_ = false;
}

}  // namespace app
