#include "app/tab_control.h"

#include <QChildEvent>
#include <QMouseEvent>
#include <QPainter>

#include "app/tab_control_accessible.h"
#include "app/tab_painter.h"

namespace app {

TabControl::TabControl(const QStringList& captions, const QFont& caption_font, QWidget* parent)
    : QWidget(parent), captions_(captions), caption_font_(caption_font), enabled_(captions.size(), true) {
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);  // paintEvent covers every pixel
    install_tab_control_accessibility();
}

int TabControl::count() const { return captions_.size(); }

QString TabControl::caption(int index) const { return captions_.value(index); }

int TabControl::current_index() const { return current_; }

int TabControl::hovered_index() const { return hovered_; }

QRect TabControl::tab_rect(int index) const {
    const QList<QRect> rects = tab_rects();
    return index >= 0 && index < rects.size() ? rects[index] : QRect();
}

void TabControl::set_tab_enabled(int index, bool enabled) {
    if (index < 0 || index >= enabled_.size() || enabled_[index] == enabled) return;
    enabled_[index] = enabled;
    if (!enabled && hovered_ == index) hovered_ = -1;
    update_tab_strip();
}

bool TabControl::is_tab_enabled(int index) const {
    return index >= 0 && index < enabled_.size() && enabled_[index];
}

QList<QRect> TabControl::tab_rects() const { return layout_tabs(captions_, caption_font_, width()).tabs; }

int TabControl::enabled_tab_at(QPoint pos) const {
    const QList<QRect> rects = tab_rects();
    for (int i = 0; i < rects.size(); ++i)
        if (rects[i].contains(pos)) return enabled_[i] ? i : -1;
    return -1;
}

// The whole picture is made off-screen and copied in one step, so a repaint never shows half a state.
void TabControl::paintEvent(QPaintEvent*) {
    if (picture_.size() != size())
        picture_ = paint_tab_control(size(), captions_, caption_font_, current_, hovered_, enabled_);
    QPainter(this).drawImage(0, 0, picture_);
}

// Hover and selection change only the tabs and the page frame's top line beneath them.
void TabControl::update_tab_strip() {
    picture_ = QImage();
    update(0, 0, width(), layout_tabs(captions_, caption_font_, width()).page_top + 1);
}

void TabControl::set_hovered(int index) {
    if (index == hovered_) return;
    hovered_ = index;
    update_tab_strip();
}

void TabControl::mouseMoveEvent(QMouseEvent* event) { set_hovered(enabled_tab_at(event->position().toPoint())); }

void TabControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    select_page(enabled_tab_at(event->position().toPoint()));
}


void TabControl::select_page(int index) {
    if (!is_tab_enabled(index) || index == current_) return;
    current_ = index;
    hovered_ = -1;
    update_tab_strip();
    emit current_changed(index);
}

void TabControl::leaveEvent(QEvent*) { set_hovered(-1); }

bool TabControl::event(QEvent* event) {
    if (event->type() == QEvent::ChildAdded) {
        QObject* child = static_cast<QChildEvent*>(event)->child();
        if (child->isWidgetType()) child->installEventFilter(this);
    }
    return QWidget::event(event);
}

bool TabControl::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Enter) set_hovered(-1);
    return false;
}

}  // namespace app
