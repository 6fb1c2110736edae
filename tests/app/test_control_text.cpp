// The handlers' box access: what is written reads back exactly, empty boxes read as no text, and texts
// cross between the boxes (Unicode) and the handlers (GBK bytes).

#include <QSignalSpy>
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
