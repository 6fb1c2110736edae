// Pastes a long text into a box of the real window, clicks the calculator's button and then its clear
// button, and prints how long each took and how much memory the process held.
//
//   paste_probe [SIZE...]     default: 1 16 1w 16w
//
// SIZE is a number of Mi characters: ASCII digits or, with "w", full-width digits.
// Runs on whatever platform Qt picks (QT_QPA_PLATFORM=offscreen, or a display).

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QTest>

#include "app/edit_box.h"
#include "app/main_window.h"
#include "app/platform_setup.h"
#include "app/program.h"

namespace {

using Clock = std::chrono::steady_clock;

double ms_since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Resident and peak resident memory in MiB, from the kernel's account of this process.
std::pair<double, double> memory_mib() {
    std::ifstream status("/proc/self/status");
    double rss = 0, peak = 0;
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) rss = std::stod(line.substr(6)) / 1024;
        if (line.rfind("VmHWM:", 0) == 0) peak = std::stod(line.substr(6)) / 1024;
    }
    return {rss, peak};
}

template <class Widget>
Widget& control(const char* name) {
    return *qobject_cast<Widget*>(app::main_window()->control(name));
}

// A text of `mebibytes` Mi characters: ASCII digits, or full-width ones ("wide"), which take the
// converter's slow road to GBK and are two bytes each there.
QString digits(int mebibytes, bool wide) {
    return QString(mebibytes * 1024 * 1024, wide ? QChar(0xFF17) : QLatin1Char('7'));
}

void measure(int mebibytes, bool wide) {
    auto& revenue = control<app::EditBox>("销售额收入编辑框1");
    auto& cost = control<app::EditBox>("销售成本编辑框2");
    auto& calculate = control<QPushButton>("毛利率计算结果");
    auto& clear = control<QPushButton>("清空按钮1");
    QWidget& page = *calculate.parentWidget();
    cost.set_text(QStringLiteral("1"));
    const auto before = memory_mib();

    QGuiApplication::clipboard()->setText(digits(mebibytes, wide));
    revenue.setFocus();
    auto start = Clock::now();
    QTest::keyClick(&revenue, Qt::Key_V, Qt::ControlModifier);
    revenue.repaint();
    const double paste_ms = ms_since(start);
    QGuiApplication::clipboard()->clear();
    const qsizetype held = revenue.text().size();
    const auto pasted = memory_mib();

    start = Clock::now();
    QTest::mouseClick(&calculate, Qt::LeftButton);
    page.repaint();
    const double click_ms = ms_since(start);

    start = Clock::now();
    QTest::mouseClick(&clear, Qt::LeftButton);
    page.repaint();
    const double clear_ms = ms_since(start);
    const auto cleared = memory_mib();

    std::printf("%2d MiB %s: %lld chars in the box; paste %.0f ms, click %.0f ms, clear %.0f ms (each with its "
                "repaint); RSS %.0f MiB before, %.0f pasted, %.0f cleared; peak so far %.0f MiB\n",
                mebibytes, wide ? "full-width" : "ASCII     ", static_cast<long long>(held), paste_ms, click_ms,
                clear_ms, before.first, pasted.first, cleared.first, cleared.second);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    app::prepare_platform();
    QApplication application(argc, argv);
    app::platform_started();
    app::initialise_shell();
    app::load_main_window();
    if (!QTest::qWaitForWindowActive(app::main_window())) return 1;
    const QStringList sizes = argc < 2 ? QStringList{"1", "16", "1w", "16w"} : QApplication::arguments().mid(1);
    for (const QString& size : sizes) measure(QString(size).remove(u'w').toInt(), size.endsWith(u'w'));
    return 0;
}
