#pragma once

#include <QFont>
#include <QImage>
#include <QList>
#include <QRect>
#include <QStringList>
#include <QWidget>

namespace app {

// The tab strip and the framed page area that fill the main window. It only draws itself and reports
// the user's choice of page; the page controls are the owner's widgets, made children of this control,
// and the owner shows and hides them on current_changed. It never takes the keyboard focus.
//
// The tab under the mouse follows the pointer and is highlighted; it is cleared when the pointer
// leaves the tabs or the control, and when a click selects a page, until the pointer moves again.
class TabControl : public QWidget {
    Q_OBJECT
public:
    TabControl(const QStringList& captions, const QFont& caption_font, QWidget* parent = nullptr);

    int count() const;                // number of pages
    QString caption(int index) const; // as stored, spaces included
    int current_index() const;        // the page shown; 0 at first
    int hovered_index() const;        // tab under the mouse, -1 for none
    QRect tab_rect(int index) const;  // in the control's coordinates; empty for an index out of range

    // A disabled tab shows a grey caption and neither highlights nor can be selected by the user.
    // All tabs are enabled at first.
    void set_tab_enabled(int index, bool enabled);
    bool is_tab_enabled(int index) const;

    // Shows the page as if the user had pressed its tab: nothing happens for the page shown or a
    // disabled tab.
    void select_page(int index);

signals:
    // The user pressed the left button on the tab of a page that was not shown.
    void current_changed(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    // The pointer going from a tab straight onto a control of the page leaves no point of the tab
    // control between: the controls tell it when the pointer enters them.
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QRect> tab_rects() const;
    int enabled_tab_at(QPoint pos) const;
    void set_hovered(int index);
    void update_tab_strip();

    QStringList captions_;
    QFont caption_font_;
    QList<bool> enabled_;
    int current_ = 0;
    QImage picture_;  // the last painted state; made again when the state or the size changes
    int hovered_ = -1;
};

}  // namespace app
