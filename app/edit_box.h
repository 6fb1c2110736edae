#pragma once

// The form's single-line edit box: it looks and behaves like the platform's line edit (sunken panel,
// centred text, caret, selection, clipboard, undo, input methods), but lays out only the stretch of the
// text around the cursor, so that a text of many megabytes is pasted, shown, edited and read at once.

#include <QBasicTimer>
#include <QString>
#include <QWidget>

#include "app/edit_line.h"
#include "app/shown_run.h"

class QMenu;
class QStyleOptionFrame;

namespace app {

class EditBox : public QWidget {
    Q_OBJECT
public:
    explicit EditBox(QWidget* parent = nullptr);

    const QString& text() const { return line_.text(); }
    // Replaces the text as the program does: the cursor goes to the end and the undo history is cleared.
    void set_text(const QString& text);
    const EditLine& line() const { return line_; }
    static constexpr Qt::Alignment alignment() { return Qt::AlignHCenter | Qt::AlignVCenter; }

    void select_all();
    void copy() const;
    void cut();
    void paste();
    void undo();
    void redo();
    void set_cursor_position(qsizetype position, bool extend = false);

    // Where the caret is drawn, in the box's coordinates.
    QRect cursor_rect() const;

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

Q_SIGNALS:
    void text_edited();   // the user changed the text
    void text_changed();  // the user or the program changed the text

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    struct Geometry {
        QRect contents;   // inside the frame; drawing is clipped to it
        QRect line;       // where one line of text goes
    };

    void init_style_option(QStyleOptionFrame& option) const;
    Geometry geometry_of_text() const;
    const ShownRun& laid_out() const;
    void scroll_to_cursor();
    QPointF text_origin() const;
    int caret_in_run() const;
    qsizetype position_at(int x) const;
    qsizetype next_position(qsizetype position, bool by_word) const;
    qsizetype previous_position(qsizetype position, bool by_word) const;
    bool handle_key(QKeyEvent& event);
    void delete_forward();
    void select_word_at(qsizetype position);
    void copy_to_selection_clipboard() const;

    // After every change of the text, the cursor or the selection.
    void changed(bool text_changed, bool by_user);
    void restart_blinking();
    bool caret_shown() const;
    QMenu* make_context_menu();

    EditLine line_;
    Preedit preedit_;
    mutable ShownRun run_;
    // The view starts hscroll_ pixels right of the start of the text, and the run starts run_x_ pixels
    // right of it (the start of the text counts as 0 once the run has jumped past unmeasured text).
    mutable int hscroll_ = 0;
    mutable qreal run_x_ = 0;
    enum class ViewLost { no, to_the_left, to_the_right };
    mutable ViewLost view_lost_ = ViewLost::no;
    qsizetype painted_cursor_ = 0;
    QBasicTimer blink_timer_;
    QBasicTimer triple_click_timer_;
    QPoint triple_click_point_;
    bool blink_on_ = true;
};

}  // namespace app
