#include "app/tab_control.h"

#include <algorithm>

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace app {

TabControl::TabControl(const QStringList& captions, const QFont& caption_font, QWidget* parent)
    : QWidget(parent), captions_(captions), caption_font_(caption_font) {
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

int TabControl::current_index() const { return current_; }

int TabControl::hovered_index() const { return hovered_; }

QRect TabControl::tab_rect(int index) const {
    return index >= 0 && index < tab_rects_.size() ? tab_rects_[index] : QRect();
}

void TabControl::resizeEvent(QResizeEvent*) {
    tab_rects_.clear();
    const QFontMetrics metrics(caption_font_);
    int x = 1;
    for (const QString& caption : captions_) {
        const int w = std::clamp(metrics.horizontalAdvance(caption) + 11, 50, std::max(50, width() - 3));
        tab_rects_.append(QRect(x, 2, w, 20));
        x += w;
    }
}

void TabControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(255, 255, 238));
    painter.fillRect(QRect(0, 22, width(), height() - 22), QColor(236, 236, 236));
    painter.setFont(caption_font_);
    for (int i = 0; i < tab_rects_.size(); ++i) {
        painter.fillRect(tab_rects_[i], i == hovered_ ? QColor(255, 255, 215) : QColor(255, 255, 255));
        painter.drawText(tab_rects_[i].adjusted(6, 2, -4, 0), Qt::AlignLeft | Qt::AlignVCenter, captions_[i]);
    }
}

int TabControl::tab_at(QPoint pos) const {
    for (int i = 0; i < tab_rects_.size(); ++i)
        if (tab_rects_[i].contains(pos)) return i;
    return -1;
}

void TabControl::set_hovered(int index) {
    if (index == hovered_) return;
    hovered_ = index;
    update_tab_strip();
}

void TabControl::update_tab_strip() { update(); }

void TabControl::mouseMoveEvent(QMouseEvent* event) { set_hovered(tab_at(event->position().toPoint())); }

void TabControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const int index = tab_at(event->position().toPoint());
    if (index < 0 || index == current_) return;
    current_ = index;
    hovered_ = -1;
    update_tab_strip();
    emit current_changed(index);
}

void TabControl::leaveEvent(QEvent*) { set_hovered(-1); }

}  // namespace app
