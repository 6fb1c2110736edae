#include "app/edit_box.h"

#include <algorithm>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QStyleHints>
#include <QStyleOptionFrame>
#include <QTextCharFormat>

#include "app/edit_box_accessible.h"

namespace app {
namespace {

// The gaps the platform's line edit keeps between its frame and its text.
constexpr int horizontal_margin = 2;

// What the input method is told around the cursor, however long the text.
constexpr qsizetype surrounding_half = 512;

// Printable characters, format characters and private-use characters are typed; Ctrl and Ctrl+Shift
// combinations are not, but AltGr (Ctrl+Alt) ones are.
bool is_typed_text(const QKeyEvent& event) {
    const QString text = event.text();
    if (text.isEmpty()) return false;
    const QChar first = text.front();
    if (first.category() == QChar::Other_Format) return true;
    const Qt::KeyboardModifiers held = event.modifiers();
    if (held == Qt::ControlModifier || held == (Qt::ShiftModifier | Qt::ControlModifier)) return false;
    if (first.isPrint() || first.category() == QChar::Other_PrivateUse) return true;
    return first.isHighSurrogate() && text.size() > 1 && text[1].isLowSurrogate();
}

}  // namespace

EditBox::EditBox(QWidget* parent) : QWidget(parent) {
    install_edit_box_accessibility();
    setAttribute(Qt::WA_InputMethodEnabled);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::IBeamCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void EditBox::set_text(const QString& text) {
    line_.set_text(text);
    preedit_ = {};
    changed(true, false);
}

void EditBox::select_all() {
    line_.select_all();
    changed(false, false);
}

void EditBox::copy() const {
    if (line_.has_selection()) QGuiApplication::clipboard()->setText(line_.selected_text());
}

void EditBox::cut() {
    if (!line_.has_selection()) return;
    copy();
    line_.remove_selection();
    changed(true, true);
}

void EditBox::paste() {
    const QString pasted = QGuiApplication::clipboard()->text();
    if (pasted.isEmpty() && !line_.has_selection()) return;
    line_.insert(pasted);
    changed(true, true);
}

void EditBox::undo() {
    if (!line_.can_undo()) return;
    line_.undo();
    changed(true, true);
}

void EditBox::redo() {
    if (!line_.can_redo()) return;
    line_.redo();
    changed(true, true);
}

void EditBox::delete_forward() {
    if (line_.has_selection())
        line_.remove_selection();
    else
        line_.remove_to(next_position(line_.cursor(), false));
    changed(true, true);
}

void EditBox::set_cursor_position(qsizetype position, bool extend) {
    line_.move_to(position, extend);
    changed(false, false);
}

void EditBox::changed(bool text_changed, bool by_user) {
    if (text_changed) run_.invalidate();
    restart_blinking();
    update();
    updateMicroFocus();
    notify_accessibility(*this, text_changed);
    if (text_changed) Q_EMIT this->text_changed();
    if (text_changed && by_user) Q_EMIT text_edited();
}

// ---- Geometry and scrolling -------------------------------------------------------------------------

void EditBox::init_style_option(QStyleOptionFrame& option) const {
    option.initFrom(this);
    option.rect = contentsRect();
    option.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    option.features = QStyleOptionFrame::None;
}

EditBox::Geometry EditBox::geometry_of_text() const {
    QStyleOptionFrame option;
    init_style_option(option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    const int height = fontMetrics().height();
    const int top = contents.y() + (contents.height() - height + 1) / 2;
    return {contents, QRect(contents.x() + horizontal_margin, top, contents.width() - 2 * horizontal_margin, height)};
}

int EditBox::caret_in_run() const {
    const qsizetype cursor = line_.cursor();
    return run_.to_run(cursor, cursor, preedit_) + (preedit_.text.isEmpty() ? 0 : preedit_.cursor);
}

// The run for the present text and cursor. The view's place is kept relative to the start of the text;
// when the run moves over unchanged text its start is carried along in pixels, and when it jumps over
// text it never measured, the view is treated as far off on the side the cursor came from.
const ShownRun& EditBox::laid_out() const {
    const ShownRun::Change change = run_.update(line_.text(), line_.cursor(), font(), layoutDirection(), preedit_);
    if (change.start_moved) {
        if (change.shift) {
            run_x_ += *change.shift;
        } else {
            run_x_ = 0;
            view_lost_ = line_.cursor() >= painted_cursor_ ? ViewLost::to_the_left : ViewLost::to_the_right;
        }
        if (run_.at_text_start() && run_x_ != 0) {
            hscroll_ -= qRound(run_x_);
            run_x_ = 0;
        }
    }
    return run_;
}

// The platform's rule, applied when the box is painted: a text that fits is centred; otherwise the view
// moves only as far as it must to keep the cursor in sight, and never leaves room after the end of the
// text.
void EditBox::scroll_to_cursor() {
    const ShownRun& run = laid_out();
    const QTextLine line = run.line();
    const int width = geometry_of_text().line.width();
    const int cix = qRound(run_x_ + line.cursorToX(caret_in_run()));
    const int width_used = qRound(run_x_ + line.naturalTextWidth()) + 1;
    if (view_lost_ == ViewLost::to_the_left) hscroll_ = cix - width;
    if (view_lost_ == ViewLost::to_the_right) hscroll_ = cix + 1;
    view_lost_ = ViewLost::no;
    painted_cursor_ = line_.cursor();

    if (run.whole_text() && width_used <= width) {
        hscroll_ = (width_used - width) / 2;
    } else if (cix - hscroll_ >= width) {
        hscroll_ = cix - width + 1;
    } else if (cix - hscroll_ < 0 && hscroll_ < width_used) {
        hscroll_ = cix;
    } else if (run.at_text_end() && width_used - hscroll_ < width) {
        hscroll_ = width_used - width + 1;
    } else if (run.at_text_start()) {
        hscroll_ = std::max(0, hscroll_);
    }
}

// Where the run's line starts, with the baseline kept where the box's own font puts it.
QPointF EditBox::text_origin() const {
    const ShownRun& run = laid_out();
    const QRect line = geometry_of_text().line;
    return QPointF(line.left() - hscroll_ + run_x_, line.top() - (qRound(run.line().ascent()) - fontMetrics().ascent()));
}

qsizetype EditBox::position_at(int x) const {
    const QPointF origin = text_origin();
    const int in_run = run_.line().xToCursor(x - origin.x(), QTextLine::CursorBetweenCharacters);
    return run_.to_text(in_run, line_.cursor(), preedit_);
}

QRect EditBox::cursor_rect() const {
    const QPointF origin = text_origin();
    const int cix = qRound(origin.x() + run_.line().cursorToX(caret_in_run()));
    const int width = style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, this);
    return QRect(cix - 5, qRound(origin.y()), width + 9, qRound(run_.line().height()) + 1);
}

qsizetype EditBox::next_position(qsizetype position, bool by_word) const {
    const ShownRun& run = laid_out();
    const int in_run = static_cast<int>(std::clamp(position, run.start(), run.end()) - run.start());
    const auto mode = by_word ? QTextLayout::SkipWords : QTextLayout::SkipCharacters;
    return run.start() + run.layout().nextCursorPosition(in_run, mode);
}

qsizetype EditBox::previous_position(qsizetype position, bool by_word) const {
    const ShownRun& run = laid_out();
    const int in_run = static_cast<int>(std::clamp(position, run.start(), run.end()) - run.start());
    const auto mode = by_word ? QTextLayout::SkipWords : QTextLayout::SkipCharacters;
    return run.start() + run.layout().previousCursorPosition(in_run, mode);
}

// ---- Painting -------------------------------------------------------------------------------------------

// The caret shows in a selection too.
bool EditBox::caret_shown() const {
    return hasFocus() && blink_on_ && (preedit_.text.isEmpty() || preedit_.cursor_shown);
}

void EditBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionFrame panel;
    init_style_option(panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);

    scroll_to_cursor();
    const ShownRun& run = run_;
    const QPointF origin = text_origin();
    const QRect clip = geometry_of_text().contents;
    painter.setClipRect(clip);
    const QPalette& colours = palette();
    painter.setPen(colours.text().color());

    QList<QTextLayout::FormatRange> selections;
    if (line_.has_selection()) {
        const qsizetype cursor = line_.cursor();
        const int start = run.to_run(line_.selection_start(), cursor, preedit_);
        const int end = run.to_run(line_.selection_end(), cursor, preedit_);
        QTextLayout::FormatRange selected;
        selected.start = start;
        selected.length = end - start;
        selected.format.setBackground(colours.brush(QPalette::Highlight));
        selected.format.setForeground(colours.brush(QPalette::HighlightedText));
        if (selected.length > 0) selections.append(selected);
    }
    run.layout().draw(&painter, origin, selections, clip);
    if (caret_shown())
        run.layout().drawCursor(&painter, origin, caret_in_run(), style()->pixelMetric(QStyle::PM_TextCursorWidth, &panel, this));
}

void EditBox::restart_blinking() {
    blink_on_ = true;
    const int flash = QGuiApplication::styleHints()->cursorFlashTime();
    if (hasFocus() && flash >= 2)
        blink_timer_.start(flash / 2, this);
    else
        blink_timer_.stop();
}

void EditBox::timerEvent(QTimerEvent* event) {
    if (event->timerId() == blink_timer_.timerId()) {
        blink_on_ = !blink_on_;
        update(cursor_rect());
    } else if (event->timerId() == triple_click_timer_.timerId()) {
        triple_click_timer_.stop();
    }
    QWidget::timerEvent(event);
}

void EditBox::changeEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::FontChange:
        case QEvent::LayoutDirectionChange:
        case QEvent::StyleChange: run_.invalidate(); update(); break;
        case QEvent::PaletteChange:
        case QEvent::ActivationChange: update(); break;
        default: break;
    }
    QWidget::changeEvent(event);
}

// ---- Keyboard -------------------------------------------------------------------------------------------

bool EditBox::handle_key(QKeyEvent& event) {
    using Key = QKeySequence;
    const qsizetype cursor = line_.cursor();
    const qsizetype size = line_.text().size();
    if (event.matches(Key::Undo)) undo();
    else if (event.matches(Key::Redo)) redo();
    else if (event.matches(Key::SelectAll)) select_all();
    else if (event.matches(Key::Copy)) copy();
    else if (event.matches(Key::Cut)) cut();
    else if (event.matches(Key::Paste)) paste();
    else if (event.matches(Key::MoveToStartOfLine) || event.matches(Key::MoveToStartOfBlock)) set_cursor_position(0);
    else if (event.matches(Key::MoveToEndOfLine) || event.matches(Key::MoveToEndOfBlock)) set_cursor_position(size);
    else if (event.matches(Key::SelectStartOfLine) || event.matches(Key::SelectStartOfBlock)) set_cursor_position(0, true);
    else if (event.matches(Key::SelectEndOfLine) || event.matches(Key::SelectEndOfBlock)) set_cursor_position(size, true);
    // An arrow moves from the cursor, whatever is selected, and the selection goes.
    else if (event.matches(Key::MoveToNextChar)) set_cursor_position(next_position(cursor, false));
    else if (event.matches(Key::MoveToPreviousChar)) set_cursor_position(previous_position(cursor, false));
    else if (event.matches(Key::SelectNextChar)) set_cursor_position(next_position(cursor, false), true);
    else if (event.matches(Key::SelectPreviousChar)) set_cursor_position(previous_position(cursor, false), true);
    else if (event.matches(Key::MoveToNextWord)) set_cursor_position(next_position(cursor, true));
    else if (event.matches(Key::MoveToPreviousWord)) set_cursor_position(previous_position(cursor, true));
    else if (event.matches(Key::SelectNextWord)) set_cursor_position(next_position(cursor, true), true);
    else if (event.matches(Key::SelectPreviousWord)) set_cursor_position(previous_position(cursor, true), true);
    // The deleting keys select from the cursor first, then delete the selection, or the character after
    // the cursor when the selection came out empty.
    else if (event.matches(Key::Delete)) delete_forward();
    else if (event.matches(Key::DeleteEndOfWord)) {
        line_.move_to(next_position(cursor, true), true);
        delete_forward();
    } else if (event.matches(Key::DeleteStartOfWord)) {
        line_.move_to(previous_position(cursor, true), true);
        delete_forward();
    } else if (event.matches(Key::DeleteEndOfLine)) {
        line_.select(cursor, size);
        copy();
        delete_forward();
    }
    else if (event.key() == Qt::Key_Backspace && !(event.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier))) {
        line_.backspace();
        changed(true, true);
    } else if (is_typed_text(event)) {
        line_.insert(event.text(), true);
        changed(true, true);
    } else {
        return false;
    }
    return true;
}

void EditBox::keyPressEvent(QKeyEvent* event) {
    if (handle_key(*event))
        event->accept();
    else
        event->ignore();
}

bool EditBox::event(QEvent* event) {
    // Keys this box takes for editing are not shortcuts of anything else.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (is_typed_text(*key) || key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Paste) ||
            key->matches(QKeySequence::Cut) || key->matches(QKeySequence::Undo) ||
            key->matches(QKeySequence::Redo) || key->matches(QKeySequence::SelectAll) ||
            key->key() == Qt::Key_Home || key->key() == Qt::Key_End || key->key() == Qt::Key_Left ||
            key->key() == Qt::Key_Right || key->key() == Qt::Key_Delete || key->key() == Qt::Key_Backspace) {
            event->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

// ---- Input methods --------------------------------------------------------------------------------------

void EditBox::inputMethodEvent(QInputMethodEvent* event) {
    const bool commits = !event->commitString().isEmpty() || event->replacementLength() > 0;
    if (commits) {
        if (event->replacementStart() != 0 || event->replacementLength() != 0) {
            const qsizetype start = line_.cursor() + event->replacementStart();
            line_.select(start, start + event->replacementLength());
        }
        line_.insert(event->commitString(), true);
    }
    preedit_ = {};
    preedit_.text = event->preeditString();
    preedit_.cursor = static_cast<int>(preedit_.text.size());
    for (const QInputMethodEvent::Attribute& attribute : event->attributes()) {
        if (attribute.type == QInputMethodEvent::Cursor) {
            preedit_.cursor = attribute.start;
            preedit_.cursor_shown = attribute.length != 0;
        } else if (attribute.type == QInputMethodEvent::TextFormat) {
            const QTextCharFormat format = qvariant_cast<QTextFormat>(attribute.value).toCharFormat();
            if (format.isValid()) preedit_.formats.append({attribute.start, attribute.length, format});
        } else if (attribute.type == QInputMethodEvent::Selection && preedit_.text.isEmpty()) {
            line_.select(attribute.start, attribute.start + attribute.length);
        }
    }
    run_.invalidate();
    changed(commits, commits);
}

QVariant EditBox::inputMethodQuery(Qt::InputMethodQuery query) const {
    const qsizetype cursor = line_.cursor();
    const qsizetype around = std::max<qsizetype>(0, cursor - surrounding_half);
    switch (query) {
        case Qt::ImEnabled: return isEnabled();
        case Qt::ImCursorRectangle:
        case Qt::ImAnchorRectangle: return cursor_rect();
        case Qt::ImFont: return font();
        case Qt::ImCursorPosition: return static_cast<int>(cursor - around);
        case Qt::ImAnchorPosition:
            return static_cast<int>(std::clamp(line_.anchor(), around, cursor + surrounding_half) - around);
        case Qt::ImSurroundingText: return line_.text().mid(around, 2 * surrounding_half);
        case Qt::ImCurrentSelection:
            return line_.text().mid(line_.selection_start(),
                                    std::min(line_.selection_end() - line_.selection_start(), surrounding_half));
        case Qt::ImMaximumTextLength: return QVariant();
        case Qt::ImReadOnly: return false;
        case Qt::ImHints: return static_cast<int>(inputMethodHints());
        default: return QWidget::inputMethodQuery(query);
    }
}

// ---- Mouse ----------------------------------------------------------------------------------------------

void EditBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) return event->ignore();
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton && triple_click_timer_.isActive() &&
        (point - triple_click_point_).manhattanLength() < QApplication::startDragDistance()) {
        select_all();
        return;
    }
    set_cursor_position(position_at(point.x()), event->modifiers() & Qt::ShiftModifier);
}

void EditBox::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) set_cursor_position(position_at(event->position().toPoint().x()), true);
}

void EditBox::mouseReleaseEvent(QMouseEvent* event) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard->supportsSelection()) return;
    if (event->button() == Qt::LeftButton) {
        copy_to_selection_clipboard();
    } else if (event->button() == Qt::MiddleButton) {
        const QString chosen = clipboard->text(QClipboard::Selection);
        if (chosen.isEmpty()) return;
        line_.insert(chosen);
        changed(true, true);
    }
}

void EditBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    select_word_at(position_at(event->position().toPoint().x()));
    triple_click_point_ = event->position().toPoint();
    triple_click_timer_.start(QApplication::doubleClickInterval(), this);
    copy_to_selection_clipboard();
}

// The word under the pointer, without the spaces after it.
void EditBox::select_word_at(qsizetype position) {
    const qsizetype size = line_.text().size();
    const qsizetype start = previous_position(std::min(position + 1, size), true);
    qsizetype end = next_position(start, true);
    while (end > position && end > start && line_.text()[end - 1].isSpace()) --end;
    line_.select(start, end);
    changed(false, false);
}

void EditBox::copy_to_selection_clipboard() const {
    if (line_.has_selection()) QGuiApplication::clipboard()->setText(line_.selected_text(), QClipboard::Selection);
}

// ---- Focus and the context menu -------------------------------------------------------------------------

void EditBox::focusInEvent(QFocusEvent* event) {
    const Qt::FocusReason reason = event->reason();
    if ((reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason) &&
        !line_.has_selection())
        line_.select_all();
    changed(false, false);
    QWidget::focusInEvent(event);
}

void EditBox::focusOutEvent(QFocusEvent* event) {
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) line_.move_to(line_.cursor(), false);
    blink_timer_.stop();
    update();
    QWidget::focusOutEvent(event);
}

QMenu* EditBox::make_context_menu() {
    auto* menu = new QMenu(this);
    const auto add = [menu](const QString& caption, QKeySequence::StandardKey key, bool enabled, auto&& act) {
        const QString shortcut = QKeySequence(key).toString(QKeySequence::NativeText);
        QAction* action = menu->addAction(shortcut.isEmpty() ? caption : caption + u'\t' + shortcut);
        action->setEnabled(enabled);
        QObject::connect(action, &QAction::triggered, menu, act);
    };
    const bool selection = line_.has_selection();
    const bool all_selected = line_.selection_start() == 0 && line_.selection_end() == line_.text().size();
    add(QStringLiteral("撤销(&U)"), QKeySequence::Undo, line_.can_undo(), [this] { undo(); });
    add(QStringLiteral("重做(&R)"), QKeySequence::Redo, line_.can_redo(), [this] { redo(); });
    menu->addSeparator();
    add(QStringLiteral("剪切(&T)"), QKeySequence::Cut, selection, [this] { cut(); });
    add(QStringLiteral("复制(&C)"), QKeySequence::Copy, selection, [this] { copy(); });
    add(QStringLiteral("粘贴(&P)"), QKeySequence::Paste, !QGuiApplication::clipboard()->text().isEmpty(),
        [this] { paste(); });
    add(QStringLiteral("删除"), QKeySequence::UnknownKey, selection, [this] {
        line_.remove_selection();
        changed(true, true);
    });
    menu->addSeparator();
    add(QStringLiteral("全选(&A)"), QKeySequence::SelectAll, !line_.text().isEmpty() && !all_selected,
        [this] { select_all(); });
    return menu;
}

void EditBox::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = make_context_menu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

}  // namespace app
