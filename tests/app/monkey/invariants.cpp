#include "invariants.h"

#include <algorithm>

#include <QApplication>
#include <QByteArray>
#include <QStringEncoder>

#include "app/form_controls.h"
#include "app/main_window_form.h"
#include "app/tab_control.h"
#include "calc/control_text.h"

namespace monkey {
namespace {

QString bytes_shown(const std::string& bytes) {
    const QByteArray hex = QByteArray::fromStdString(bytes.substr(0, 40)).toHex(' ');
    return QString::fromLatin1(hex) + (bytes.size() > 40 ? QStringLiteral(" … (%1 bytes)").arg(bytes.size()) : QString());
}

// GBK bytes as the shell gives them: each character that GBK lacks becomes "?". Where the whole text
// does not convert cleanly, the characters are converted one by one; the converter gives no bytes at all
// for the characters that have no width (U+200B, U+FEFF, ...), which are "?" too.
QByteArray expected_gbk(const QString& text) {
    QStringEncoder encoder("GBK");
    QByteArray bytes = encoder.encode(text);
    if (!encoder.hasError()) return bytes;
    bytes.clear();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        const QStringView character = QStringView(text).mid(i, length);
        const QByteArray one = encoder.encode(character);
        bytes += one.isEmpty() ? QByteArray("?") : one;
        i += length - 1;
    }
    return bytes;
}

QString page_problem(const app::MainWindow& window, int page) {
    if (window.tab_control().current_index() != page)
        return QStringLiteral("page %1 is shown, page %2 expected").arg(window.tab_control().current_index()).arg(page);
    for (std::size_t row = 0; row < app::form::controls.size(); ++row) {
        const bool shown_now = window.control(row).isVisible();
        if (shown_now != (app::form::controls[row].page == page))
            return QStringLiteral("%1 is %2 while page %3 is shown")
                .arg(name_of(app::form::controls[row].name), shown_now ? "visible" : "hidden")
                .arg(page);
    }
    return {};
}

QString focus_problem(const app::MainWindow& window, const Expectation& expected) {
    QWidget* focused = QApplication::focusWidget();
    if (focused == &window) return {};
    if (focused == nullptr) return QStringLiteral("no widget has the focus");
    QWidget* control = focused_control(window);
    if (control == nullptr)
        return QStringLiteral("the focus is on a %1 named \"%2\", no control of the window")
            .arg(focused->metaObject()->className(), focused->objectName());
    const std::string_view name = window.spec_of(control)->name;
    const auto cycle = focus_cycle(expected.page);
    if (std::ranges::find(cycle, name) == cycle.end())
        return QStringLiteral("the focus is on %1, not a control of page %2 that takes it").arg(name_of(name)).arg(expected.page);
    if (!control->isVisible() || !control->isEnabled())
        return QStringLiteral("the focus is on %1, which is hidden or disabled").arg(name_of(name));
    if (expected.focus != nullptr && control != expected.focus)
        return QStringLiteral("the focus is on %1, expected on %2").arg(name_of(name), expected.focus->objectName());
    return {};
}

QString hover_problem(const app::MainWindow& window, const Expectation& expected) {
    const int hovered = window.tab_control().hovered_index();
    if (!expected.hovered_tab || hovered == *expected.hovered_tab) return {};
    return QStringLiteral("tab %1 is highlighted, expected %2").arg(hovered).arg(*expected.hovered_tab);
}

QString readability_problem(std::size_t box, const QString& text) {
    const std::optional<std::string> read = calc::get_control_text(boxes[box]);
    if (read.has_value() == text.isEmpty())
        return QStringLiteral("%1 shows \"%2\" but reads as %3")
            .arg(name_of(boxes[box]), shown(text), read ? QStringLiteral("text") : QStringLiteral("no text"));
    if (!read) return {};
    const QByteArray expected = expected_gbk(text);
    if (QByteArray::fromStdString(*read) != expected)
        return QStringLiteral("%1 shows \"%2\" but reads as the bytes %3, expected %4")
            .arg(name_of(boxes[box]), shown(text), bytes_shown(*read), bytes_shown(expected.toStdString()));
    return {};
}

QString boxes_problem(const app::MainWindow& window, const Snapshot& before, const Expectation& expected) {
    for (std::size_t box = 0; box < boxes.size(); ++box) {
        const QString now = box_text(window, box);
        if (now == before.texts[box]) continue;
        if (!expected.may_change[box])
            return QStringLiteral("%1 changed from \"%2\" to \"%3\", though nothing may change it")
                .arg(name_of(boxes[box]), shown(before.texts[box]), shown(now));
        if (QString problem = readability_problem(box, now); !problem.isEmpty()) return problem;
    }
    for (const auto& [box, text] : expected.required) {
        const std::optional<std::string> read = calc::get_control_text(boxes[box]);
        if (read != text)
            return QStringLiteral("%1 holds \"%2\", expected \"%3\"")
                .arg(name_of(boxes[box]), read ? QString::fromStdString(*read) : QString(),
                     text ? QString::fromStdString(*text) : QString());
    }
    return {};
}

}  // namespace

QWidget& box_widget(const app::MainWindow& window, std::size_t box) { return *window.control(boxes[box]); }

QString box_text(const app::MainWindow& window, std::size_t box) {
    const QWidget& widget = box_widget(window, box);
    return app::control_text(*window.spec_of(&widget), widget);
}

Snapshot take_snapshot(const app::MainWindow& window) {
    Snapshot snapshot;
    for (std::size_t box = 0; box < boxes.size(); ++box) snapshot.texts[box] = box_text(window, box);
    return snapshot;
}

QWidget* focused_control(const app::MainWindow& window) {
    for (QWidget* widget = QApplication::focusWidget(); widget != nullptr && widget != &window; widget = widget->parentWidget())
        if (window.spec_of(widget) != nullptr) return widget;
    return nullptr;
}

QString check_event(const app::MainWindow& window, const Snapshot& before, const Expectation& expected) {
    if (QString problem = page_problem(window, expected.page); !problem.isEmpty()) return problem;
    if (QString problem = focus_problem(window, expected); !problem.isEmpty()) return problem;
    if (QString problem = hover_problem(window, expected); !problem.isEmpty()) return problem;
    return boxes_problem(window, before, expected);
}

QString check_box_text(const app::MainWindow& window, std::size_t box, const QString& text) {
    const QString now = box_text(window, box);
    if (now == text) return {};
    return QStringLiteral("%1 holds \"%2\" after its text was replaced by \"%3\"").arg(name_of(boxes[box]), shown(now), shown(text));
}

QString shown(const QString& text) {
    constexpr qsizetype limit = 60;
    QString out;
    for (qsizetype i = 0; i < std::min(text.size(), limit); ++i) {
        const QChar c = text[i];
        if (c.isPrint() && c != u'\\')
            out += c;
        else
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    }
    if (text.size() > limit) out += QStringLiteral("… (%1 characters)").arg(text.size());
    return out;
}

}  // namespace monkey
