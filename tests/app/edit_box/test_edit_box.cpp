// The form's edit box against the platform's line edit: the same keys give the same text, cursor and
// selection, and the same state draws the same pixels; a text far too long for the platform's box is
// shown, scrolled and edited like a short one, and handed out whole.

#include <functional>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QRegularExpression>
#include <QKeyEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QLineEdit>
#include <QTest>

#include "app/edit_box.h"

using namespace Qt::StringLiterals;

namespace {

// One step a user takes in a box: a key with modifiers, or typed text.
struct Step {
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    QString typed;
};
using Steps = QList<Step>;

Step key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { return {k, m, {}}; }
Step type(const QString& text) { return {Qt::Key_unknown, Qt::NoModifier, text}; }

void apply(QWidget& box, const Step& step) {
    if (step.typed.isEmpty()) return QTest::keyClick(&box, step.key, step.modifiers);
    // Beyond Latin-1 a character arrives as a key event that carries only its text, as from a keyboard
    // layout that has it.
    for (const QChar c : step.typed) {
        if (c.unicode() < 0x80) {
            QTest::keyClicks(&box, QString(c));
            continue;
        }
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(&box, &press);
    }
}

// A line edit and an edit box side by side in one window, alike in size, font and colours.
struct Pair {
    QWidget window;
    QLineEdit* reference = new QLineEdit(&window);
    app::EditBox* ours = new app::EditBox(&window);

    explicit Pair(int width = 110, int pixel_size = 20) {
        QFont font(u"DejaVu Sans"_s);
        font.setPixelSize(pixel_size);
        font.setBold(true);
        for (QWidget* box : {static_cast<QWidget*>(reference), static_cast<QWidget*>(ours)}) {
            box->setFont(font);
            box->resize(width, 30);
        }
        reference->setAlignment(app::EditBox::alignment());
        reference->setMaxLength(std::numeric_limits<int>::max());
        ours->move(0, 40);
        window.resize(width, 80);
        window.show();
        if (!QTest::qWaitForWindowActive(&window)) qFatal("the test window did not become active");
    }

    void set_text(const QString& text) {
        reference->setText(text);
        ours->set_text(text);
    }

    // Focus first, so that the caret is in the first phase of its blinking in both.
    QImage look_of(QWidget& box, bool focused) {
        if (focused) box.setFocus(Qt::OtherFocusReason);
        else window.setFocus();
        if (box.hasFocus() != focused) qFatal("the box did not take or leave the focus");
        return box.grab().toImage();
    }
};

QString state(const QLineEdit& box) {
    return u"text \"%1\" cursor %2 selected \"%3\""_s.arg(box.text()).arg(box.cursorPosition()).arg(box.selectedText());
}

QString state(const app::EditBox& box) {
    const app::EditLine& line = box.line();
    return u"text \"%1\" cursor %2 selected \"%3\""_s.arg(box.text()).arg(line.cursor()).arg(line.selected_text());
}

// On a difference both images are left in the temporary folder for a look.
bool same_pixels(const QImage& actual, const QImage& expected, const QString& what) {
    if (actual == expected) return true;
    const QString stem = QDir::temp().filePath(u"edit_box-"_s + QString(what).replace(QRegularExpression(u"\\W+"_s), u"_"_s));
    actual.save(stem + u"-ours.png"_s);
    expected.save(stem + u"-platform.png"_s);
    qWarning("pixels differ; see %s-*.png", qPrintable(stem));
    return false;
}

}  // namespace

Q_DECLARE_METATYPE(Steps)

class EditBoxTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { QGuiApplication::clipboard()->clear(); }

    void editing_keys_act_as_on_the_platforms_line_edit_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<Steps>("steps");
        const auto ctrl = Qt::ControlModifier;
        const auto shift = Qt::ShiftModifier;
        QTest::newRow("typing") << u""_s << Steps{type(u"12.5e3"_s)};
        QTest::newRow("typing replaces a selection") << u"100"_s << Steps{key(Qt::Key_A, ctrl), type(u"7"_s)};
        QTest::newRow("backspace and delete") << u"12345"_s
            << Steps{key(Qt::Key_Left), key(Qt::Key_Left), key(Qt::Key_Backspace), key(Qt::Key_Delete)};
        QTest::newRow("home, end, shift selections") << u"142.857"_s
            << Steps{key(Qt::Key_Home), key(Qt::Key_Right, shift), key(Qt::Key_Right, shift), key(Qt::Key_End, shift),
                     key(Qt::Key_Left), type(u"9"_s)};
        QTest::newRow("arrows collapse a selection to its ends") << u"abcdef"_s
            << Steps{key(Qt::Key_Left, shift), key(Qt::Key_Left, shift), key(Qt::Key_Right), type(u"x"_s),
                     key(Qt::Key_Home, shift), key(Qt::Key_Left), type(u"y"_s)};
        QTest::newRow("words") << u"12 345 6789"_s
            << Steps{key(Qt::Key_Left, ctrl), key(Qt::Key_Left, ctrl), key(Qt::Key_Right, ctrl | shift),
                     key(Qt::Key_Backspace, ctrl), key(Qt::Key_Delete, ctrl)};
        QTest::newRow("undo and redo") << u"5"_s
            << Steps{type(u"00"_s), key(Qt::Key_Left), type(u"1"_s), key(Qt::Key_Z, ctrl), key(Qt::Key_Z, ctrl),
                     key(Qt::Key_Y, ctrl)};
        QTest::newRow("cut and paste") << u"3.14159"_s
            << Steps{key(Qt::Key_Home), key(Qt::Key_Right, shift), key(Qt::Key_X, ctrl), key(Qt::Key_End),
                     key(Qt::Key_V, ctrl), key(Qt::Key_V, ctrl)};
        QTest::newRow("full-width and Chinese") << u"１２"_s
            << Steps{type(u"．５元"_s), key(Qt::Key_Left), key(Qt::Key_Backspace)};
        QTest::newRow("a surrogate pair goes at once") << u"a\U0001F600b"_s
            << Steps{key(Qt::Key_Left), key(Qt::Key_Left), key(Qt::Key_Right, shift), key(Qt::Key_Delete),
                     key(Qt::Key_End), key(Qt::Key_Left), key(Qt::Key_Backspace)};
        QTest::newRow("ctrl letters type nothing") << u"8"_s << Steps{key(Qt::Key_B, ctrl), key(Qt::Key_Q, ctrl)};
    }

    void editing_keys_act_as_on_the_platforms_line_edit() {
        QFETCH(QString, start);
        QFETCH(Steps, steps);
        Pair pair;
        pair.set_text(start);
        for (QWidget* box : {static_cast<QWidget*>(pair.reference), static_cast<QWidget*>(pair.ours)}) {
            QGuiApplication::clipboard()->clear();
            box->setFocus(Qt::OtherFocusReason);
            for (const Step& step : steps) apply(*box, step);
        }
        QCOMPARE(state(*pair.ours), state(*pair.reference));
    }

    void the_same_state_draws_the_same_pixels_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("focused");
        QTest::addColumn<Steps>("steps");
        for (bool focused : {false, true}) {
            const char* f = focused ? "focused" : "unfocused";
            QTest::addRow("empty, %s", f) << u""_s << focused << Steps{};
            QTest::addRow("a result, %s", f) << u"142.8571428571"_s << focused << Steps{};
            QTest::addRow("short, centred, %s", f) << u"30"_s << focused << Steps{};
            QTest::addRow("too long, scrolled to the cursor, %s", f)
                << u"-1.234567890123e+300 and more"_s << focused << Steps{key(Qt::Key_Home), key(Qt::Key_Right)};
            QTest::addRow("Chinese and full-width, %s", f) << u"毛利１２．５"_s << focused << Steps{};
            QTest::addRow("control characters show as spaces, %s", f) << u"1\t2\n3\r4"_s << focused << Steps{};
        }
        QTest::newRow("a selection") << u"100.5"_s << true << Steps{key(Qt::Key_Left, Qt::ShiftModifier),
                                                                     key(Qt::Key_Left, Qt::ShiftModifier)};
        QTest::newRow("all selected") << u"2.5"_s << true << Steps{key(Qt::Key_A, Qt::ControlModifier)};
    }

    void the_same_state_draws_the_same_pixels() {
        QFETCH(QString, text);
        QFETCH(bool, focused);
        QFETCH(Steps, steps);
        Pair pair;
        pair.set_text(text);
        for (QWidget* box : {static_cast<QWidget*>(pair.reference), static_cast<QWidget*>(pair.ours)}) {
            box->setFocus(Qt::OtherFocusReason);
            for (const Step& step : steps) apply(*box, step);
        }
        const QImage expected = pair.look_of(*pair.reference, focused);
        const QImage actual = pair.look_of(*pair.ours, focused);
        QVERIFY(same_pixels(actual, expected, QString::fromLatin1(QTest::currentDataTag())));
    }

    // A text longer than what is laid out at once: walking the cursor through it shows what the platform's
    // box shows at every step, across the places where the laid-out stretch moves. (Where the box jumps
    // over text it never measured, as to the end of it, it cannot know in which part of a pixel the
    // shown glyphs begin, so there only the cursor is compared.)
    void a_long_text_scrolls_as_the_platforms_box_does() {
        QString text;
        for (int i = 0; text.size() < 3 * app::ShownRun::whole_text_limit; ++i) text += QString::number(i) + u' ';
        Pair pair;
        pair.set_text(text);
        struct Walk {
            Qt::Key key;
            int count;
            bool measured;
        };
        const QList<Walk> walks = {{Qt::Key_Home, 1, true},  {Qt::Key_Right, 4600, true},
                                   {Qt::Key_Left, 2600, true}, {Qt::Key_End, 1, false},
                                   {Qt::Key_Left, 300, false}};
        int step = 0;
        for (const Walk& walk : walks) {
            for (int i = 0; i < walk.count; ++i, ++step) {
                for (QWidget* box : {static_cast<QWidget*>(pair.reference), static_cast<QWidget*>(pair.ours)}) {
                    box->setFocus(Qt::OtherFocusReason);
                    QTest::keyClick(box, walk.key);
                }
                QCOMPARE(pair.ours->line().cursor(), qsizetype(pair.reference->cursorPosition()));
                if (walk.measured && (step % 61 == 0 || i + 1 == walk.count))
                    QVERIFY(same_pixels(pair.look_of(*pair.ours, false), pair.look_of(*pair.reference, false),
                                        u"walk %1"_s.arg(step)));
            }
        }
    }

    // 16 Mi characters: pasted whole, shown from its start as a short text is, undone and redone whole.
    void a_huge_paste_is_taken_whole() {
        const QString huge(16 * 1024 * 1024, u'7');
        Pair pair;
        QGuiApplication::clipboard()->setText(huge);
        pair.ours->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(pair.ours, Qt::Key_V, Qt::ControlModifier);
        QGuiApplication::clipboard()->clear();
        QCOMPARE(pair.ours->text().size(), huge.size());
        QVERIFY(pair.ours->text() == huge);

        pair.reference->setText(QString(200, u'7'));
        QTest::keyClick(pair.ours, Qt::Key_Home);
        pair.reference->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(pair.reference, Qt::Key_Home);
        QVERIFY(same_pixels(pair.look_of(*pair.ours, false), pair.look_of(*pair.reference, false), u"huge start"_s));

        QTest::keyClick(pair.ours, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(pair.ours->text().isEmpty());
        QTest::keyClick(pair.ours, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(pair.ours->text().size(), huge.size());
    }

    void the_program_sets_text_without_an_edit_signal_and_clears_the_history() {
        app::EditBox box;
        QSignalSpy edited(&box, &app::EditBox::text_edited);
        QSignalSpy changed(&box, &app::EditBox::text_changed);
        box.show();
        box.setFocus(Qt::OtherFocusReason);
        QTest::keyClicks(&box, u"12"_s);
        box.set_text(u"30"_s);
        QCOMPARE(edited.count(), 2);
        QCOMPARE(changed.count(), 3);
        QTest::keyClick(&box, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(box.text(), u"30"_s);
        QCOMPARE(box.line().cursor(), 2);
    }

    void focus_by_tab_selects_all() {
        QWidget window;
        auto* first = new QLineEdit(&window);
        auto* box = new app::EditBox(&window);
        box->move(0, 40);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        box->set_text(u"88"_s);
        first->setFocus();
        QTest::keyClick(first, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), box);
        QCOMPARE(box->line().selected_text(), u"88"_s);
        first->setFocus();
        QVERIFY(!box->line().has_selection());
    }
};

QTEST_MAIN(EditBoxTest)
#include "test_edit_box.moc"
