// Text committed by an input method, as a Chinese one commits full-width digits, lands in the box, reads
// back as its GBK bytes and is computed with as the number it stands for.

#include <QInputMethodEvent>
#include <QTest>

#include "calc/control_text.h"
#include "shell_fixture.h"

using namespace shell_test;
using namespace Qt::StringLiterals;

namespace {

void commit(app::EditBox& box, const QString& text) {
    box.setFocus(Qt::OtherFocusReason);
    QInputMethodEvent preedit(text, {});  // composing first, as a method shows its candidate
    QApplication::sendEvent(&box, &preedit);
    QInputMethodEvent committed;
    committed.setCommitString(text);
    QApplication::sendEvent(&box, &committed);
}

}  // namespace

class InputMethodTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    SHELL_FIXTURE

    void edit_boxes_accept_input_methods() {
        QVERIFY(box("销售额收入编辑框1").testAttribute(Qt::WA_InputMethodEnabled));
        QVERIFY(box("增长值编辑框4").testAttribute(Qt::WA_InputMethodEnabled));
    }

    void a_preedit_alone_leaves_the_box_empty() {
        QInputMethodEvent preedit(u"１２"_s, {});
        QApplication::sendEvent(&box("销售成本编辑框2"), &preedit);
        QVERIFY(!calc::get_control_text("销售成本编辑框2").has_value());
    }

    void committed_full_width_digits_read_as_gbk_and_compute() {
        commit(box("销售额收入编辑框1"), u"１２３．５"_s);
        commit(box("销售成本编辑框2"), u"２３"_s);
        QCOMPARE(box("销售额收入编辑框1").text(), u"１２３．５"_s);
        QCOMPARE(QByteArray::fromStdString(calc::get_control_text("销售额收入编辑框1").value()),
                 QByteArray("\xA3\xB1\xA3\xB2\xA3\xB3\xA3\xAE\xA3\xB5"));
        QCOMPARE(QByteArray::fromStdString(calc::get_control_text("销售成本编辑框2").value()),
                 QByteArray("\xA3\xB2\xA3\xB3"));

        QTest::mouseClick(&button("毛利率计算结果"), Qt::LeftButton);
        QCOMPARE(box("毛利额编辑框3").text(), u"100.5"_s);
    }
};

QTEST_MAIN(InputMethodTest)
#include "test_input_method.moc"
