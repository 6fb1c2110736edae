#include "app/form_controls.h"

#include <algorithm>
#include <limits>

#include <QFontMetrics>
#include <QPalette>
#include <QPushButton>
#include <QStyle>

#include "app/colours.h"
#include "app/edit_box.h"
#include "app/event_dispatch.h"
#include "app/fonts.h"
#include "app/form_label.h"

namespace app {
namespace {

QString qstring(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

QWidget* make_label(const form::Control& spec, QWidget* parent) {
    return new FormLabel(qstring(spec.text), spec.text_colour.value_or(colours::black).to_qcolor(), parent);
}

// Selections show only in the box that has the focus: the inactive colours of the selection are the box's
// own.
QPalette edit_box_palette(const form::Control& spec, QPalette palette) {
    const QColor background = colours::edit_box_background.to_qcolor();
    const QColor text = spec.text_colour.value_or(colours::black).to_qcolor();
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Inactive, QPalette::Highlight, background);
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText, text);
    return palette;
}

// A screen reader names an edit box by the label beside it, without the label's trailing space.
QString accessible_name(const form::Control& box) {
    const auto label = form::find_control(box.label_beside);
    return label ? qstring(form::controls[*label].text).trimmed() : QString();
}

QWidget* make_edit_box(const form::Control& spec, QWidget* parent) {
    auto* box = new EditBox(parent);
    box->setAccessibleName(accessible_name(spec));
    box->setPalette(edit_box_palette(spec, box->palette()));
    QObject::connect(box, &EditBox::text_edited, box,
                     [&spec] { dispatch_event(spec, form::edit_box_event::content_changed); });
    return box;
}

QWidget* make_button(const form::Control& spec, QWidget* parent) {
    auto* button = new QPushButton(qstring(spec.text), parent);
    button->setAutoDefault(false);
    button->setDefault(false);
    QObject::connect(button, &QPushButton::clicked, button,
                     [&spec] { dispatch_event(spec, form::button_event::click); });
    return button;
}

// A single-line edit box is never lower than one line of its font plus its sunken edge.
int edit_box_height(const form::Control& spec, const QWidget& box) {
    const int edge = box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &box);
    return std::max(spec.rect.height, QFontMetrics(box.font()).height() + 2 * edge);
}

}  // namespace

QWidget* make_control(const form::Control& spec, QWidget* parent) {
    QWidget* control = nullptr;
    switch (spec.kind) {
        case form::Kind::label: control = make_label(spec, parent); break;
        case form::Kind::edit_box: control = make_edit_box(spec, parent); break;
        case form::Kind::button: control = make_button(spec, parent); break;
    }
    control->hide();
    control->setObjectName(qstring(spec.name));
    control->setFont(make_font(spec.font));
    control->setFocusPolicy(spec.takes_focus ? Qt::StrongFocus : Qt::NoFocus);
    const int height = spec.kind == form::Kind::edit_box ? edit_box_height(spec, *control) : spec.rect.height;
    control->setGeometry(spec.rect.left, spec.rect.top, spec.rect.width, height);
    return control;
}

QString control_text(const form::Control& spec, const QWidget& control) {
    switch (spec.kind) {
        case form::Kind::label: return static_cast<const FormLabel&>(control).text();
        case form::Kind::edit_box: return static_cast<const EditBox&>(control).text();
        case form::Kind::button: return static_cast<const QPushButton&>(control).text();
    }
    return {};
}

void set_control_text(const form::Control& spec, QWidget& control, const QString& text) {
    switch (spec.kind) {
        case form::Kind::label: static_cast<FormLabel&>(control).set_text(text); break;
        case form::Kind::button: static_cast<QPushButton&>(control).setText(text); break;
        case form::Kind::edit_box:
            static_cast<EditBox&>(control).set_text(text);
            dispatch_event(spec, form::edit_box_event::content_changed);
            break;
    }
}

}  // namespace app
