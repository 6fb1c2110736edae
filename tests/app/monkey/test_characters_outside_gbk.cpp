// Characters that GBK lacks, pasted into a box as a user pastes them: each reads as "?", which ends the
// number, as the shell's GBK conversion promises, the characters that have no width (soft hyphen,
// zero-width space and joiners, byte order mark, word joiner) too, which the converter alone drops, so
// that "1", a zero-width space and "5" read as 15. The monkey found that: seed 20261211, a paste of a
// text holding U+200B.

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include "app/form_controls.h"
#include "app/main_window.h"
#include "app/program.h"
#include "calc/control_text.h"

using namespace Qt::StringLiterals;

namespace {

QWidget& control(std::string_view name) { return *app::main_window()->control(name); }

QString text_of(std::string_view name) { return app::control_text(*app::main_window()->spec_of(&control(name)), control(name)); }

void click(std::string_view name) {
    QWidget& target = control(name);
    QTest::mouseClick(app::main_window()->windowHandle(), Qt::LeftButton, {},
                      target.mapTo(app::main_window(), target.rect().center()));
}

void paste_into(std::string_view box, const QString& text) {
    click(box);
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
}

}  // namespace

class CharactersOutsideGbkTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { app::initialise_shell(); }
    void init() {
        app::load_main_window();
        QVERIFY(QTest::qWaitForWindowActive(app::main_window()));
    }
    void cleanup() { delete app::main_window(); }

    void read_as_question_marks_data() {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QByteArray>("read");
        QTest::addColumn<QString>("profit");   // with the cost box empty
        QTest::newRow("wave dash") << u"1\u301C5"_s << QByteArray("1?5") << u"1"_s;
        QTest::newRow("yen sign") << u"1\u00A55"_s << QByteArray("1?5") << u"1"_s;
        QTest::newRow("emoji") << u"1\U0001F6005"_s << QByteArray("1?5") << u"1"_s;
        QTest::newRow("soft hyphen") << u"1\u00AD5"_s << QByteArray("1?5") << u"1"_s;
        QTest::newRow("zero-width space") << u"1\u200B5"_s << QByteArray("1?5") << u"1"_s;
        QTest::newRow("zero-width joiner") << u"1\u200D5"_s << QByteArray("1?5") << u"1"_s;
        QTest::newRow("word joiner") << u"1\u20605"_s << QByteArray("1?5") << u"1"_s;
        QTest::newRow("byte order mark first") << u"\uFEFF5"_s << QByteArray("?5") << u"0"_s;
    }
    void read_as_question_marks() {
        QFETCH(QString, pasted);
        QFETCH(QByteArray, read);
        QFETCH(QString, profit);
        paste_into("销售额收入编辑框1", pasted);
        QCOMPARE(text_of("销售额收入编辑框1"), pasted);

        const std::optional<std::string> bytes = calc::get_control_text("销售额收入编辑框1");
        QVERIFY(bytes.has_value());
        QCOMPARE(QByteArray::fromStdString(*bytes), read);

        click("毛利率计算结果");
        QCOMPARE(text_of("毛利额编辑框3"), profit);
    }
};

QTEST_MAIN(CharactersOutsideGbkTest)
#include "test_characters_outside_gbk.moc"
