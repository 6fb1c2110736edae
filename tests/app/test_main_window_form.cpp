// The built window against its form, and the form against a few values copied from the design by hand,
// so that a slip in the table shows up as well as a slip in the building.

#include <QFontInfo>
#include <QStringEncoder>
#include <QTest>

#include "app/edit_box.h"
#include "app/fonts.h"
#include "app/form_label.h"
#include "app/main_window_form.h"
#include "app/tab_control.h"
#include "app/window_placement.h"
#include "shell_fixture.h"

using namespace shell_test;
using namespace Qt::StringLiterals;
namespace form = app::form;

Q_DECLARE_METATYPE(std::size_t)

class MainWindowFormTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    SHELL_FIXTURE

    void every_control_is_built_as_its_row_says_data() {
        QTest::addColumn<std::size_t>("row");
        for (std::size_t row = 0; row < form::controls.size(); ++row)
            QTest::newRow(form::controls[row].name.data()) << row;
    }
    void every_control_is_built_as_its_row_says() {
        QFETCH(std::size_t, row);
        const form::Control& spec = form::controls[row];
        QWidget& widget = window().control(row);
        QCOMPARE(widget.parentWidget(), &window().tab_control());
        QCOMPARE(widget.objectName(), QString::fromUtf8(spec.name.data(), spec.name.size()));
        QCOMPARE(widget.geometry(), QRect(spec.rect.left, spec.rect.top, spec.rect.width, spec.rect.height));
        QCOMPARE(widget.font().pixelSize(), spec.font.pixel_size);
        QCOMPARE(widget.font().weight(), QFont::Weight(spec.font.weight));
        QCOMPARE(widget.focusPolicy(), spec.takes_focus ? Qt::StrongFocus : Qt::NoFocus);
        QCOMPARE(widget.isVisibleTo(&window()), spec.page == 0);
        const QString text = QString::fromUtf8(spec.text.data(), spec.text.size());
        switch (spec.kind) {
            case form::Kind::label: QCOMPARE(static_cast<app::FormLabel&>(widget).text(), text); break;
            case form::Kind::edit_box: {
                auto* edit = qobject_cast<app::EditBox*>(&widget);
                QVERIFY(edit != nullptr);
                QVERIFY(edit->text().isEmpty());
                QVERIFY(edit->testAttribute(Qt::WA_InputMethodEnabled));
                break;
            }
            case form::Kind::button: {
                auto& push = static_cast<QPushButton&>(widget);
                QCOMPARE(push.text(), text);
                QVERIFY(!push.autoDefault());
                QVERIFY(!push.isDefault());
                break;
            }
        }
    }

    // Values read off the design, not off the table.
    void spot_checks_of_the_form_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("page");
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("pixel_size");
        QTest::addColumn<bool>("is_bold");
        QTest::addColumn<int>("tab_number");
        QTest::newRow("backslash") << u"标签1"_s << 1 << QRect(164, 46, 199, 37) << u"同比(同期\\目标)增长率计算"_s
                                   << 14 << true << 0;
        QTest::newRow("trailing space") << u"标签10"_s << 0 << QRect(87, 154, 352, 13)
                                        << u"销售毛利率计算公式={（销售收入-销售成本）/销售收入}*100% "_s << 12
                                        << false << 0;
        QTest::newRow("mixed brackets") << u"标签2"_s << 1 << QRect(35, 265, 444, 13)
                                        << u"也可理解为目标增长率 =（本期A点指标值-本期目标指标值)÷本期目标指标值*100%"_s
                                        << 12 << false << 0;
        QTest::newRow("first box") << u"销售额收入编辑框1"_s << 0 << QRect(19, 96, 110, 30) << QString() << 21 << true
                                   << 1;
        QTest::newRow("profit at price") << u"销售价格编辑框8"_s << 0 << QRect(387, 271, 110, 30) << QString() << 20
                                         << true << 11;
        QTest::newRow("shared tab number") << u"清空按钮3"_s << 1 << QRect(349, 153, 57, 25) << u"清空数值"_s << 12
                                           << false << 6;
        QTest::newRow("cut percent") << u"标签27"_s << 0 << QRect(244, 247, 15, 29) << u"%"_s << 32 << false << 0;
        QTest::newRow("growth result") << u"增长值编辑框4"_s << 1 << QRect(410, 132, 100, 30) << QString() << 21 << true
                                       << 17;
    }
    void spot_checks_of_the_form() {
        QFETCH(QString, name);
        QFETCH(int, page);
        QFETCH(QRect, rect);
        QFETCH(QString, text);
        QFETCH(int, pixel_size);
        QFETCH(bool, is_bold);
        QFETCH(int, tab_number);
        const QByteArray utf8 = name.toUtf8();
        const auto row = form::find_control(std::string_view(utf8.constData(), utf8.size()));
        QVERIFY(row.has_value());
        const form::Control& spec = form::controls[*row];
        QCOMPARE(spec.page, page);
        QCOMPARE(QRect(spec.rect.left, spec.rect.top, spec.rect.width, spec.rect.height), rect);
        QCOMPARE(QString::fromUtf8(spec.text.data(), spec.text.size()), text);
        QCOMPARE(spec.font.pixel_size, pixel_size);
        QCOMPARE(spec.font.weight == app::bold, is_bold);
        QCOMPARE(spec.tab_number, tab_number);
    }

    void the_form_holds_the_designed_controls() {
        int per_page[2] = {0, 0};
        int per_kind[3] = {0, 0, 0};
        for (const form::Control& spec : form::controls) {
            ++per_page[spec.page];
            ++per_kind[static_cast<int>(spec.kind)];
            QCOMPARE(spec.takes_focus, spec.kind != form::Kind::label);
            QCOMPARE(spec.on_click != nullptr, spec.kind == form::Kind::button);
        }
        QCOMPARE(per_page[0], 30);
        QCOMPARE(per_page[1], 19);
        QCOMPARE(per_kind[static_cast<int>(form::Kind::label)], 31);
        QCOMPARE(per_kind[static_cast<int>(form::Kind::edit_box)], 12);
        QCOMPARE(per_kind[static_cast<int>(form::Kind::button)], 6);
        QVERIFY(!form::find_control("标签32").has_value());
    }

    void captions_are_41_gbk_bytes_with_their_spaces() {
        QStringEncoder gbk("GBK");
        const QString first = QString::fromUtf8(form::tab_control.captions[0].data());
        const QString second = QString::fromUtf8(form::tab_control.captions[1].data());
        QCOMPARE(first, QString(16, u' ') + u"毛利率计算"_s + QString(15, u' '));
        QCOMPARE(second, QString(15, u' ') + u"同比增长计算"_s + QString(14, u' '));
        QCOMPARE(QByteArray(gbk.encode(first)).size(), 41);
        QCOMPARE(QByteArray(gbk.encode(second)).size(), 41);
    }

    void song_face_measures_six_and_twelve_pixels() {
        const QFont font = app::make_font(app::default_gui_font);
        QCOMPARE(QFontInfo(font).pixelSize(), 12);
        QCOMPARE(QFontMetrics(font).horizontalAdvance(QString::fromUtf8(form::tab_control.captions[0].data())), 246);
        QCOMPARE(QApplication::font().pixelSize(), 12);
        QVERIFY(font.styleStrategy() & QFont::NoAntialias);
    }

    void window_settings() {
        QCOMPARE(window().windowTitle(), u"Quellmar"_s);
        const Qt::WindowFlags flags = window().windowFlags();
        QVERIFY(flags & Qt::WindowMinimizeButtonHint);
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QCOMPARE(window().minimumSize(), window().maximumSize());
        QVERIFY(window().width() >= 543 && window().height() >= 327);
        QCOMPARE(window().tab_control().geometry(), QRect(9, 7, 527, 313));
        QVERIFY(!QApplication::windowIcon().isNull());
        window().setWindowState(Qt::WindowFullScreen);
        QTRY_VERIFY(!(window().windowState() & Qt::WindowFullScreen));
    }

    // Where two controls overlap, the one listed first is on top.
    void overlapping_controls_data() {
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QString>("lower");
        QTest::newRow("标签14") << u"毛利额编辑框3"_s << u"标签14"_s;
        QTest::newRow("标签15") << u"毛利率编辑框4"_s << u"标签15"_s;
        QTest::newRow("标签26") << u"销售价格编辑框8"_s << u"标签26"_s;
        QTest::newRow("标签25") << u"销售价格编辑框7"_s << u"标签25"_s;
        QTest::newRow("box 8") << u"标签30"_s << u"销售价格编辑框8"_s;
        QTest::newRow("box 7") << u"标签29"_s << u"销售价格编辑框7"_s;
        QTest::newRow("标签13") << u"增长率计算结果1"_s << u"标签13"_s;
        QTest::newRow("box 3") << u"标签6"_s << u"增长率编辑框3"_s;
        QTest::newRow("box 2") << u"标签11"_s << u"上期数编辑框2"_s;
        QTest::newRow("box 1 right") << u"标签11"_s << u"本期数编辑框1"_s;
        QTest::newRow("box 1 left") << u"标签12"_s << u"本期数编辑框1"_s;
    }
    void overlapping_controls() {
        QFETCH(QString, upper);
        QFETCH(QString, lower);
        QWidget* top = window().findChild<QWidget*>(upper);
        QWidget* bottom = window().findChild<QWidget*>(lower);
        QVERIFY(top && bottom);
        window().show_page(form::controls[*form::find_control(upper.toStdString())].page);
        const QRect overlap = top->geometry() & bottom->geometry();
        QVERIFY(!overlap.isEmpty());
        QCOMPARE(window().tab_control().childAt(overlap.center()), top);
    }

    void centred_by_the_outer_size_data() {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<int>("frame_top");
        QTest::addColumn<QPoint>("corner");
        QTest::addColumn<QSize>("client");
        QTest::newRow("1024x768") << QRect(0, 0, 1024, 768) << 20 << QPoint(237, 207) << QSize(547, 333);
        QTest::newRow("1920x1080") << QRect(0, 0, 1920, 1080) << 20 << QPoint(685, 363) << QSize(547, 333);
        QTest::newRow("smaller than the window") << QRect(0, 0, 500, 300) << 20 << QPoint(-24, -27) << QSize(547, 333);
        QTest::newRow("second screen") << QRect(1024, 0, 1024, 768) << 20 << QPoint(1261, 207) << QSize(547, 333);
        QTest::newRow("tall title bar grows the window") << QRect(0, 0, 1024, 768) << 40 << QPoint(237, 200)
                                                         << QSize(547, 327);
        QTest::newRow("no frame") << QRect(0, 0, 1024, 768) << -1 << QPoint(237, 207) << QSize(549, 354);
    }
    void centred_by_the_outer_size() {
        QFETCH(QRect, screen);
        QFETCH(int, frame_top);
        QFETCH(QPoint, corner);
        QFETCH(QSize, client);
        const app::FrameExtents frame = frame_top < 0 ? app::FrameExtents{} : app::FrameExtents{1, 1, frame_top, 1};
        const app::WindowPlacement placed = app::place_window(QSize(549, 354), QSize(543, 327), frame, screen);
        QCOMPARE(placed.frame_position, corner);
        QCOMPARE(placed.client_size, client);
    }
};

QTEST_MAIN(MainWindowFormTest)
#include "test_main_window_form.moc"
