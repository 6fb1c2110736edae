#pragma once

// The main window, built from its form: a fixed-size top-level window holding the tab control, whose
// direct children are the controls of both pages (only the shown page's controls are visible).

#include <array>
#include <cstddef>
#include <string_view>

#include <QPointer>
#include <QWidget>

#include "app/main_window_form.h"

namespace app {

class TabControl;

class MainWindow : public QWidget {
public:
    // Makes the window, hidden, with its tab control; build_controls() fills the tab control.
    MainWindow();

    // Makes every control of the form, stacks them in the form's order and shows the first page.
    void build_controls();

    TabControl& tab_control() const { return *tabs_; }
    QWidget& control(std::size_t row) const { return *controls_[row]; }
    // nullptr for a name the form does not have.
    QWidget* control(std::string_view name) const;
    // The form's row of one of this window's controls; none for any other widget.
    const form::Control* spec_of(const QWidget* widget) const;

    // Shows the controls of one page, hides the others' and puts the focus on the page's first control.
    void show_page(int page);

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void on_activation_changed();

    TabControl* tabs_;
    std::array<QWidget*, form::controls.size()> controls_{};
    QPointer<QWidget> remembered_focus_;
};

}  // namespace app
