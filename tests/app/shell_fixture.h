#pragma once

// Each test gets a freshly built main window, shown and active, on the offscreen platform.

#include <string_view>

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include "app/edit_box.h"
#include "app/main_window.h"
#include "app/program.h"

namespace shell_test {

inline app::MainWindow& window() { return *app::main_window(); }

inline QWidget& control(std::string_view name) {
    QWidget* widget = window().control(name);
    if (widget == nullptr) qFatal("no control %s in the form", name.data());
    return *widget;
}

inline app::EditBox& box(std::string_view name) { return *qobject_cast<app::EditBox*>(&control(name)); }
inline QPushButton& button(std::string_view name) { return *qobject_cast<QPushButton*>(&control(name)); }

inline QString focused_name() {
    QWidget* focused = QApplication::focusWidget();
    return focused ? focused->objectName() : QStringLiteral("(none)");
}

inline void initialise_once() { app::initialise_shell(); }

inline bool open_window() {
    app::load_main_window();
    return QTest::qWaitForWindowActive(app::main_window());
}

inline void close_window() { delete app::main_window(); }

}  // namespace shell_test

#define SHELL_FIXTURE                                                   \
    void initTestCase() { shell_test::initialise_once(); }              \
    void init() { QVERIFY(shell_test::open_window()); }                 \
    void cleanup() { shell_test::close_window(); }
