// The handlers' access to the texts of the main window's controls, by name, as GBK bytes.

#include "calc/control_text.h"

#include <string>
#include <vector>

#include <QString>

#include "app/fatal_error.h"
#include "app/form_controls.h"
#include "app/gbk_text.h"
#include "app/handler_reads.h"
#include "app/main_window.h"
#include "app/main_window_form.h"
#include "app/program.h"

namespace {

struct ControlRef {
    const app::form::Control& spec;
    QWidget& widget;
};

// An unknown name, or no main window to look in, is a fatal error.
ControlRef find_window_control(std::string_view name) {
    const QString shown_name = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    app::MainWindow* window = app::main_window();
    if (window == nullptr) app::fatal_error(QStringLiteral("主窗口不存在，无法访问控件“%1”。").arg(shown_name));
    const auto row = app::form::find_control(name);
    if (!row) app::fatal_error(QStringLiteral("找不到控件“%1”。").arg(shown_name));
    return {app::form::controls[*row], window->control(*row)};
}

struct ConvertedText {
    const QWidget* control;
    std::string bytes;
};

int handlers_running = 0;
std::vector<ConvertedText> converted_texts;

std::string gbk_text_of(const ControlRef& control, const QString& text) {
    if (handlers_running == 0) return app::to_gbk(text);
    for (const ConvertedText& converted : converted_texts)
        if (converted.control == &control.widget) return converted.bytes;
    return converted_texts.emplace_back(ConvertedText{&control.widget, app::to_gbk(text)}).bytes;
}

void forget_converted_text(const QWidget& control) {
    std::erase_if(converted_texts, [&](const ConvertedText& converted) { return converted.control == &control; });
}

}  // namespace

namespace app {

HandlerReads::HandlerReads() { ++handlers_running; }

HandlerReads::~HandlerReads() {
    if (--handlers_running == 0) std::vector<ConvertedText>().swap(converted_texts);
}

}  // namespace app

namespace calc {

std::optional<std::string> get_control_text(std::string_view control_name) {
    const ControlRef control = find_window_control(control_name);
    const QString text = app::control_text(control.spec, control.widget);
    if (text.isEmpty()) return std::nullopt;
    return gbk_text_of(control, text);
}

void set_control_text(std::string_view control_name, std::string_view text) {
    const ControlRef control = find_window_control(control_name);
    forget_converted_text(control.widget);
    app::set_control_text(control.spec, control.widget, app::from_gbk(text));
}

}  // namespace calc
