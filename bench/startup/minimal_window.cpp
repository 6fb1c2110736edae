// The start-up benchmark's yardstick: the plainest Qt 6 window that shows what
// quellmar shows at start-up. It reads quellmar's own form and makes the same
// 49 widgets (plain QLabel, QLineEdit and QPushButton) at the same places with
// the same texts and fonts, the second page's built but hidden, in the same
// outer size. It has no painted tab strip, no key handling and no handlers,
// and it asks the window manager nothing. Closing the window ends it with
// status 0.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

#include <limits>

#include "app/fonts.h"
#include "app/main_window_form.h"

namespace {

namespace form = app::form;

// openbox's default theme adds 1 px left, right and bottom and a 20 px title bar.
constexpr QMargins openbox_frame{1, 20, 1, 1};

QWidget* make_widget(const form::Control& control, QWidget* parent)
{
    const QString text = QString::fromUtf8(control.text.data(), qsizetype(control.text.size()));
    QWidget* widget = nullptr;
    switch (control.kind) {
    case form::Kind::label: {
        auto* label = new QLabel(text, parent);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setAutoFillBackground(true);
        if (control.text_colour) {
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, control.text_colour->to_qcolor());
            label->setPalette(palette);
        }
        widget = label;
        break;
    }
    case form::Kind::edit_box: {
        auto* edit = new QLineEdit(parent);
        edit->setAlignment(Qt::AlignCenter);
        edit->setMaxLength(std::numeric_limits<int>::max());
        widget = edit;
        break;
    }
    case form::Kind::button: {
        auto* button = new QPushButton(text, parent);
        button->setAutoDefault(false);
        widget = button;
        break;
    }
    }
    widget->setFont(app::make_font(control.font));
    const auto [left, top, width, height] = control.rect;
    widget->setGeometry(left, top, width, height);
    widget->setVisible(control.page == form::tab_control.first_page);
    return widget;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    app::install_fonts();

    QWidget window(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                                | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    window.setWindowTitle(QStringLiteral("Quellmar minimal"));
    const QSize outer(form::main_window.outer_size.width, form::main_window.outer_size.height);
    window.setFixedSize(outer.shrunkBy(openbox_frame));
    QWidget panel(&window);
    panel.setGeometry(form::tab_control.place.x, form::tab_control.place.y, form::tab_control.size.width,
                      form::tab_control.size.height);
    // Later-made siblings lie on top, so the form's rows are made last row first.
    for (auto control = form::controls.rbegin(); control != form::controls.rend(); ++control)
        make_widget(*control, &panel);

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    window.move((screen.width() - outer.width()) / 2, (screen.height() - outer.height()) / 2);
    window.show();
    return application.exec();
}
