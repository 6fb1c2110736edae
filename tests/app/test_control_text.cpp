// The handlers' box access: what is written reads back exactly, empty boxes read as no text, and texts
// cross between the boxes (Unicode) and the handlers (GBK bytes).

#include <QSignalSpy>
#include <QStringEncoder>
#include <QTest>

#include "calc/control_text.h"
#include "shell_fixture.h"

using namespace shell_test;
using namespace Qt::StringLiterals;

class ControlTextTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    SHELL_FIXTURE

    void read_after_write_data() {
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<QString>("shown");
        QTest::newRow("result") << QByteArray("142.8571428571") << u"142.8571428571"_s;
        QTest::newRow("infinity") << QByteArray("-1.#INF") << u"-1.#INF"_s;
        QTest::newRow("full-width") << QByteArray("\xA3\xAD\xA3\xB3\xA3\xAE\xA3\xB5") << u"－３．５"_s;
        QTest::newRow("Chinese") << QByteArray("\xC3\xAB\xC0\xFB\xC2\xCA") << u"毛利率"_s;
        QTest::newRow("spaces kept") << QByteArray("  7 ") << u"  7 "_s;
        QTest::newRow("longer than 32767") << QByteArray(40000, '9') << QString(40000, u'9');
    }
    void read_after_write() {
        QFETCH(QByteArray, written);
        QFETCH(QString, shown);
        const std::string_view bytes(written.constData(), written.size());
        calc::set_control_text("毛利额编辑框3", bytes);
        QCOMPARE(box("毛利额编辑框3").text(), shown);
        const std::optional<std::string> read = calc::get_control_text("毛利额编辑框3");
        QVERIFY(read.has_value());
        QCOMPARE(QByteArray::fromStdString(*read), written);
    }

    void an_empty_box_reads_as_no_text() {
        QVERIFY(!calc::get_control_text("增长率编辑框3").has_value());  // on the hidden page, too
        calc::set_control_text("销售成本编辑框2", "12");
        calc::set_control_text("销售成本编辑框2", "");
        QVERIFY(!calc::get_control_text("销售成本编辑框2").has_value());
    }

    void typed_full_width_text_reads_as_gbk_bytes() {
        for (QChar typed : u"１２３．５"_s)
            QTest::sendKeyEvent(QTest::Click, &box("销售额收入编辑框1"), Qt::Key_unknown, QString(typed), {});
        QCOMPARE(box("销售额收入编辑框1").text(), u"１２３．５"_s);
        QCOMPARE(QByteArray::fromStdString(calc::get_control_text("销售额收入编辑框1").value()),
                 QByteArray("\xA3\xB1\xA3\xB2\xA3\xB3\xA3\xAE\xA3\xB5"));
    }

    void characters_outside_gbk_read_as_question_marks() {
        box("本期数编辑框1").set_text(u"a\U0001F600〜b"_s);
        QCOMPARE(QByteArray::fromStdString(calc::get_control_text("本期数编辑框1").value()), QByteArray("a??b"));
    }

    // The ends of each range of the characters Unicode calls default-ignorable, which the converter by
    // itself drops: each reads as one "?", alone, between digits and after full-width ones.
    void characters_without_width_read_as_question_marks_data() {
        QTest::addColumn<uint>("code_point");
        for (char32_t c : {0x00ADU, 0x034FU, 0x061CU, 0x115FU, 0x1160U, 0x17B4U, 0x17B5U, 0x180BU, 0x180FU, 0x200BU,
                           0x200FU, 0x202AU, 0x202EU, 0x2060U, 0x206FU, 0x3164U, 0xFE00U, 0xFE0FU, 0xFEFFU, 0xFFA0U,
                           0xFFF0U, 0xFFF8U, 0x1BCA0U, 0x1BCA3U, 0x1D173U, 0x1D17AU, 0xE0000U, 0xE0FFFU})
            QTest::addRow("U+%04X", unsigned(c)) << uint(c);
    }
    void characters_without_width_read_as_question_marks() {
        QFETCH(uint, code_point);
        const char32_t character = code_point;
        const QString c = QStringView(QChar::fromUcs4(character)).toString();  // fromUcs4 would drop a BOM
        QStringEncoder plain("GBK");
        QVERIFY2(QByteArray(plain.encode(c)).isEmpty(), "the converter alone keeps this character");
        const std::pair<QString, QByteArray> cases[] = {
            {c, "?"}, {u"1"_s + c + u"5"_s, "1?5"}, {u"１"_s + c + c, "\xA3\xB1??"}};
        for (const auto& [text, bytes] : cases) {
            box("上期数编辑框2").set_text(text);
            QCOMPARE(QByteArray::fromStdString(calc::get_control_text("上期数编辑框2").value()), bytes);
        }
    }

    void writing_raises_content_changed_once_and_labels_take_text_too() {
        QSignalSpy changed(&box("上期数编辑框2"), &app::EditBox::text_changed);
        calc::set_control_text("上期数编辑框2", "3");
        QCOMPARE(changed.count(), 1);
        calc::set_control_text("标签9", "\xC3\xAB");
        QCOMPARE(QByteArray::fromStdString(calc::get_control_text("标签9").value()), QByteArray("\xC3\xAB"));
    }
};

QTEST_MAIN(ControlTextTest)
#include "test_control_text.moc"
