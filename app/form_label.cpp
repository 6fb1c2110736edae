#include "app/form_label.h"

#include <QPainter>

#include "app/colours.h"

namespace app {

FormLabel::FormLabel(const QString& text, const QColor& text_colour, QWidget* parent)
    : QWidget(parent), text_(text), text_colour_(text_colour) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void FormLabel::set_text(const QString& text) {
    if (text == text_) return;
    text_ = text;
    update();
}

void FormLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), colours::button_face());
    if (text_.isEmpty()) return;
    painter.setFont(font());
    painter.setPen(text_colour_);
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text_);
}

}  // namespace app
