#include "app/main_window.h"

#include <QCloseEvent>
#include <QPalette>
#include <QStringList>

#include "app/colours.h"
#include "app/event_dispatch.h"
#include "app/focus.h"
#include "app/fonts.h"
#include "app/form_controls.h"
#include "app/tab_control.h"

namespace app {
namespace {

QString qstring(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

TabControl* make_tab_control(QWidget* window) {
    const form::TabControlSettings& settings = form::tab_control;
    QStringList captions;
    for (std::string_view caption : settings.captions) captions.append(qstring(caption));
    auto* tabs = new TabControl(captions, make_font(settings.caption_font), window);
    tabs->setGeometry(settings.place.x, settings.place.y, settings.size.width, settings.size.height);
    return tabs;
}

constexpr Qt::WindowFlags window_flags = Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                         Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;

}  // namespace

MainWindow::MainWindow() : QWidget(nullptr, window_flags), tabs_(make_tab_control(this)) {
    setWindowTitle(qstring(form::main_window.title));
    setAttribute(Qt::WA_DeleteOnClose);
    QPalette background = palette();
    background.setColor(QPalette::Window, colours::button_face());
    setPalette(background);
    setAutoFillBackground(true);
}

void MainWindow::build_controls() {
    for (std::size_t row = 0; row < form::controls.size(); ++row)
        controls_[row] = make_control(form::controls[row], tabs_);
    // Later siblings lie on top in Qt; the form's first row must be the top one.
    for (std::size_t row = controls_.size(); row-- > 0;) controls_[row]->raise();

    connect(tabs_, &TabControl::current_changed, this, &MainWindow::show_page);
    show_page(form::tab_control.first_page);
}

QWidget* MainWindow::control(std::string_view name) const {
    const auto row = form::find_control(name);
    return row ? controls_[*row] : nullptr;
}

const form::Control* MainWindow::spec_of(const QWidget* widget) const {
    for (std::size_t row = 0; row < controls_.size(); ++row)
        if (controls_[row] == widget) return &form::controls[row];
    return nullptr;
}

void MainWindow::show_page(int page) {
    for (std::size_t row = 0; row < controls_.size(); ++row)
        if (form::controls[row].page != page) controls_[row]->hide();
    for (std::size_t row = 0; row < controls_.size(); ++row)
        if (form::controls[row].page == page) controls_[row]->show();
    if (QWidget* first = page_focus_control(*this, page)) first->setFocus(Qt::OtherFocusReason);
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange) on_activation_changed();
    // The window has a fixed size: it is never shown full-screen or maximised.
    if (event->type() == QEvent::WindowStateChange &&
        (windowState() & (Qt::WindowFullScreen | Qt::WindowMaximized)))
        setWindowState(windowState() & ~(Qt::WindowFullScreen | Qt::WindowMaximized));
}

// Leaving the window remembers the focused control; coming back gives it the focus again, or the first
// control of the focus cycle when there is none to return to.
void MainWindow::on_activation_changed() {
    if (!isActiveWindow()) {
        if (QWidget* focused = focusWidget(); spec_of(focused) != nullptr) remembered_focus_ = focused;
        return;
    }
    QWidget* target = remembered_focus_;
    remembered_focus_.clear();
    if (target == nullptr || !target->isVisibleTo(this)) target = first_in_focus_cycle(*this);
    if (target != nullptr && target != focusWidget()) target->setFocus(Qt::ActiveWindowFocusReason);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    dispatch_event(form::main_window, form::window_event::close_query);
    event->accept();
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    dispatch_event(form::main_window, form::window_event::moved);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    dispatch_event(form::main_window, form::window_event::resized);
}

}  // namespace app
