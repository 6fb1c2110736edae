#include "app/shown_run.h"

#include <algorithm>

#include <QTextOption>

namespace app {
namespace {

bool shown_as_space(QChar c) {
    return (c.unicode() < 0x20 && c.unicode() != 0x09) || c == QChar::LineSeparator ||
           c == QChar::ParagraphSeparator || c == QChar::ObjectReplacementCharacter;
}

// A run boundary never falls between the halves of a surrogate pair.
qsizetype pair_boundary(const QString& text, qsizetype position) {
    if (position > 0 && position < text.size() && text[position].isLowSurrogate()) return position - 1;
    return position;
}

}  // namespace

qsizetype ShownRun::end_for(const QString& text, qsizetype start) {
    return pair_boundary(text, std::min(text.size(), start + 2 * run_half));
}

bool ShownRun::holds(const QString& text, qsizetype cursor) const {
    const qsizetype end = end_for(text, start_);
    if (start_ > text.size() || cursor < start_ || cursor > end) return false;
    const bool room_before = start_ == 0 || cursor >= start_ + run_margin;
    const bool room_after = end == text.size() || cursor <= end - run_margin;
    return room_before && room_after;
}

ShownRun::Change ShownRun::update(const QString& text, qsizetype cursor, const QFont& font,
                                  Qt::LayoutDirection direction, const Preedit& preedit) {
    const qsizetype old_start = start_;
    const qsizetype old_length = end_ - start_;
    const bool same_text = !stale_ && preedit.text.isEmpty();
    if (text.size() <= whole_text_limit)
        start_ = 0;
    else if (!holds(text, cursor))
        start_ = pair_boundary(text, std::max<qsizetype>(0, cursor - run_half));
    end_ = end_for(text, start_);
    at_end_ = end_ == text.size();

    Change change;
    change.start_moved = start_ != old_start;
    // The text between the two starts lies in the old run when the start moved right, in the new one
    // when it moved left.
    if (change.start_moved && same_text && start_ > old_start && start_ - old_start <= old_length)
        change.shift = line().cursorToX(static_cast<int>(start_ - old_start));
    if (stale_ || change.start_moved) lay_out(text, cursor, font, direction, preedit);
    if (change.start_moved && same_text && start_ < old_start && old_start - start_ <= end_ - start_)
        change.shift = -line().cursorToX(static_cast<int>(old_start - start_));
    return change;
}

void ShownRun::lay_out(const QString& text, qsizetype cursor, const QFont& font, Qt::LayoutDirection direction,
                       const Preedit& preedit) {
    QString shown = text.mid(start_, end_ - start_);
    std::replace_if(shown.begin(), shown.end(), shown_as_space, QChar(QChar::Space));

    QTextOption option;
    option.setTextDirection(direction);
    option.setFlags(QTextOption::IncludeTrailingSpaces);
    layout_.clearLayout();
    layout_.setText(shown);
    layout_.setFont(font);
    layout_.setTextOption(option);
    layout_.setCacheEnabled(true);
    const int preedit_position = static_cast<int>(cursor - start_);
    layout_.setPreeditArea(preedit.text.isEmpty() ? -1 : preedit_position, preedit.text);
    QList<QTextLayout::FormatRange> formats = preedit.formats;
    for (QTextLayout::FormatRange& range : formats) range.start += preedit_position;
    layout_.setFormats(formats);
    layout_.beginLayout();
    layout_.createLine();
    layout_.endLayout();
    stale_ = false;
}

int ShownRun::to_run(qsizetype position, qsizetype cursor, const Preedit& preedit) const {
    const qsizetype in_run = std::clamp(position, start_, end_) - start_;
    const qsizetype shift = !preedit.text.isEmpty() && position > cursor ? preedit.text.size() : 0;
    return static_cast<int>(in_run + shift);
}

qsizetype ShownRun::to_text(int run_position, qsizetype cursor, const Preedit& preedit) const {
    const qsizetype position = start_ + run_position;
    if (preedit.text.isEmpty() || position <= cursor) return position;
    return std::max(cursor, position - preedit.text.size());
}

}  // namespace app
