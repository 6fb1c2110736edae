// The start-up benchmark's yardstick: the plainest Qt 6 window that shows what
// quellmar shows at start-up. It has the same outer size, the same 49 widgets
// (31 labels, 12 line edits, 6 push buttons) at the same places with the same
// texts and fonts, and the second page's 19 widgets built but hidden. It has no
// tab strip of its own painting, no key handling and no handlers. Closing the
// window ends it with status 0.
#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

#include <array>
#include <limits>

namespace {

enum class kind { label, edit, button };
enum class face { gui, song, none };

struct widget_row {
    kind what;
    bool second_page;
    int left, top, width, height;
    const char* text;
    face font_face;
    int pixel_size;
    bool bold;
    bool red;
};

constexpr bool p1 = false, p2 = true, b = true, r = true;
constexpr int gui_px = 12;

// Rows in stacking order, the first row of each page on top.
constexpr std::array rows{
    widget_row{kind::label, p1, 16, 288, 234, 13, "{销售成本/（1-毛利率%)}=毛利额计算公式", face::gui, gui_px, false, false},
    widget_row{kind::button, p1, 268, 275, 57, 25, "清空数值", face::gui, gui_px, false, false},
    widget_row{kind::label, p1, 495, 272, 25, 29, "元", face::song, 20, false, false},
    widget_row{kind::label, p1, 496, 235, 25, 29, "元", face::song, 20, false, false},
    widget_row{kind::edit, p1, 387, 271, 110, 30, "", face::none, 20, b, false},
    widget_row{kind::label, p1, 331, 271, 59, 29, "毛利额为", face::song, 14, false, r},
    widget_row{kind::edit, p1, 387, 234, 110, 30, "", face::none, 20, b, false},
    widget_row{kind::label, p1, 330, 236, 59, 29, "销售价为", face::song, 14, false, r},
    widget_row{kind::button, p1, 267, 243, 57, 28, "计算等于", face::gui, gui_px, false, false},
    widget_row{kind::label, p1, 244, 247, 15, 29, "%", face::song, 32, false, false},
    widget_row{kind::edit, p1, 161, 249, 80, 30, "", face::none, 21, b, false},
    widget_row{kind::label, p1, 122, 251, 25, 29, "元", face::song, 20, false, false},
    widget_row{kind::label, p1, 160, 228, 92, 13, "输入商品毛利率 ", face::gui, gui_px, false, false},
    widget_row{kind::edit, p1, 22, 251, 100, 30, "", face::none, 21, b, false},
    widget_row{kind::label, p1, 16, 228, 135, 13, "输入商品成本(销售成本) ", face::gui, gui_px, false, false},
    widget_row{kind::label, p1, 216, 28, 103, 37, "毛利率计算", face::song, 19, b, false},
    widget_row{kind::label, p1, 125, 186, 286, 37, "算一下以毛利率计算该卖多少?", face::song, 19, b, false},
    widget_row{kind::button, p1, 271, 121, 57, 25, "清空数值", face::gui, gui_px, false, false},
    widget_row{kind::label, p1, 87, 154, 352, 13, "销售毛利率计算公式={（销售收入-销售成本）/销售收入}*100% ", face::gui, gui_px, false, false},
    widget_row{kind::label, p1, 501, 111, 15, 29, "%", face::song, 32, false, false},
    widget_row{kind::label, p1, 499, 78, 25, 29, "元", face::song, 20, false, false},
    widget_row{kind::edit, p1, 388, 115, 110, 30, "", face::none, 20, b, false},
    widget_row{kind::label, p1, 331, 115, 75, 29, "毛利率为", face::song, 14, false, r},
    widget_row{kind::edit, p1, 388, 80, 110, 30, "", face::none, 20, b, false},
    widget_row{kind::label, p1, 331, 83, 78, 29, "毛利额为", face::song, 14, false, r},
    widget_row{kind::button, p1, 270, 91, 57, 28, "计算等于", face::gui, gui_px, false, false},
    widget_row{kind::edit, p1, 151, 95, 110, 30, "", face::none, 20, b, false},
    widget_row{kind::edit, p1, 19, 96, 110, 30, "", face::none, 21, b, false},
    widget_row{kind::label, p1, 148, 75, 154, 13, "输入商品成本(销售成本) ", face::gui, gui_px, false, false},
    widget_row{kind::label, p1, 7, 74, 134, 13, "输入商品售价(销售收入)", face::gui, gui_px, false, false},

    widget_row{kind::button, p2, 349, 153, 57, 25, "清空数值", face::gui, gui_px, false, false},
    widget_row{kind::label, p2, 412, 165, 101, 14, "增长(下降)值", face::song, 16, false, r},
    widget_row{kind::edit, p2, 410, 132, 100, 30, "", face::none, 21, b, false},
    widget_row{kind::label, p2, 411, 81, 100, 14, "增长(下降)率", face::song, 16, false, r},
    widget_row{kind::label, p2, 145, 103, 63, 13, "输入上期数", face::gui, gui_px, false, false},
    widget_row{kind::label, p2, 36, 104, 63, 13, "输入本期数", face::gui, gui_px, false, false},
    widget_row{kind::label, p2, 509, 97, 15, 29, "%", face::song, 32, false, false},
    widget_row{kind::edit, p2, 410, 98, 100, 30, "", face::none, 21, b, false},
    widget_row{kind::button, p2, 349, 116, 57, 28, "计算等于", face::gui, gui_px, false, false},
    widget_row{kind::label, p2, 253, 120, 102, 29, "上期数×100%", face::song, 16, false, r},
    widget_row{kind::label, p2, 226, 119, 27, 29, ")÷", face::song, 20, b, r},
    widget_row{kind::label, p2, 114, 120, 13, 29, "-", face::song, 20, b, r},
    widget_row{kind::label, p2, 1, 120, 15, 29, "(", face::song, 20, b, r},
    widget_row{kind::edit, p2, 126, 120, 100, 30, "", face::none, 21, b, false},
    widget_row{kind::label, p2, 94, 228, 272, 13, "也可理解为 =（本期数－上期数）÷上期数×100%", face::gui, gui_px, false, false},
    widget_row{kind::label, p2, 71, 192, 395, 13, "同期增长率公式 =（本年的指标值-去年同期的值）÷去年同期的值*100%", face::gui, gui_px, false, false},
    widget_row{kind::edit, p2, 15, 121, 100, 30, "", face::none, 21, b, false},
    widget_row{kind::label, p2, 35, 265, 444, 13, "也可理解为目标增长率 =（本期A点指标值-本期目标指标值)÷本期目标指标值*100%", face::gui, gui_px, false, false},
    widget_row{kind::label, p2, 164, 46, 199, 37, "同比(同期\\目标)增长率计算", face::song, 14, b, false},
};

// Outer size 549 x 354 under openbox's default theme, whose frame adds 1 px
// left, right and bottom and a 20 px title bar.
constexpr QSize client_size{547, 333};
constexpr QSize outer_size{549, 354};
constexpr QPoint panel_origin{9, 7};
constexpr QSize panel_size{527, 313};

const QString song_face = QStringLiteral("宋体");

QFont font_for(const widget_row& row, const QString& default_family)
{
    QFont font(row.font_face == face::none ? default_family : song_face);
    font.setPixelSize(row.pixel_size);
    font.setBold(row.bold);
    if (row.font_face != face::none && row.pixel_size <= 16)
        font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QWidget* make_widget(const widget_row& row, QWidget* parent, const QString& default_family)
{
    const QString text = QString::fromUtf8(row.text);
    QWidget* widget = nullptr;
    switch (row.what) {
    case kind::label: {
        auto* label = new QLabel(text, parent);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setAutoFillBackground(true);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, row.red ? QColor(255, 0, 0) : QColor(0, 0, 0));
        label->setPalette(palette);
        widget = label;
        break;
    }
    case kind::edit: {
        auto* edit = new QLineEdit(parent);
        edit->setAlignment(Qt::AlignCenter);
        edit->setMaxLength(std::numeric_limits<int>::max());
        widget = edit;
        break;
    }
    case kind::button: {
        auto* button = new QPushButton(text, parent);
        button->setAutoDefault(false);
        widget = button;
        break;
    }
    }
    if (row.what != kind::button)
        widget->setFont(font_for(row, default_family));
    widget->setGeometry(row.left, row.top, row.width, row.height);
    widget->setVisible(!row.second_page);
    return widget;
}

} // namespace

int main(int argc, char** argv)
{
    QFont::insertSubstitution(song_face, QStringLiteral("AR PL UMing CN"));
    QApplication app(argc, argv);
    const QString default_family = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    QFont gui_font(song_face);
    gui_font.setPixelSize(gui_px);
    gui_font.setStyleStrategy(QFont::NoAntialias);
    QApplication::setFont(gui_font);

    QWidget window(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                                | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    window.setWindowTitle(QStringLiteral("Quellmar minimal"));
    window.setFixedSize(client_size);
    QWidget panel(&window);
    panel.setGeometry(QRect(panel_origin, panel_size));
    // Later-made siblings lie on top, so the rows are made bottom row first.
    for (auto row = rows.rbegin(); row != rows.rend(); ++row)
        make_widget(*row, &panel, default_family);

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    window.move((screen.width() - outer_size.width()) / 2, (screen.height() - outer_size.height()) / 2);
    window.show();
    return app.exec();
}
