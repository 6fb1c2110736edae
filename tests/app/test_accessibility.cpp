// What a screen reader finds in the window: each edit box named by the label beside it, each button by
// its caption, and the tab control as a list of two page tabs that can be pressed.

#include <QAccessible>
#include <QTest>

#include "shell_fixture.h"

using namespace shell_test;
using namespace Qt::StringLiterals;

namespace {

QAccessibleInterface* accessible(QObject* object) { return QAccessible::queryAccessibleInterface(object); }

// Depth-first search for the interface of a named widget, starting at the window.
QAccessibleInterface* find_in_tree(QAccessibleInterface* node, const QObject* target) {
    if (node->object() == target) return node;
    for (int i = 0; i < node->childCount(); ++i)
        if (QAccessibleInterface* child = node->child(i))
            if (QAccessibleInterface* found = find_in_tree(child, target)) return found;
    return nullptr;
}

QAccessibleInterface* tab_list() {
    QAccessibleInterface* window_node = accessible(&window());
    for (int i = 0; i < window_node->childCount(); ++i)
        if (window_node->child(i)->role() == QAccessible::PageTabList) return window_node->child(i);
    return nullptr;
}

}  // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        QAccessible::setActive(true);
        initialise_once();
    }
    void init() { QVERIFY(open_window()); }
    void cleanup() { close_window(); }

    void edit_boxes_are_named_by_their_labels_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("name");
        QTest::newRow("revenue") << u"销售额收入编辑框1"_s << u"输入商品售价(销售收入)"_s;
        QTest::newRow("cost") << u"销售成本编辑框2"_s << u"输入商品成本(销售成本)"_s;
        QTest::newRow("gross profit") << u"毛利额编辑框3"_s << u"毛利额为"_s;
        QTest::newRow("gross margin") << u"毛利率编辑框4"_s << u"毛利率为"_s;
        QTest::newRow("goods cost") << u"商品成本编辑框5"_s << u"输入商品成本(销售成本)"_s;
        QTest::newRow("target margin") << u"商品毛利率编辑框6"_s << u"输入商品毛利率"_s;
        QTest::newRow("selling price") << u"销售价格编辑框7"_s << u"销售价为"_s;
        QTest::newRow("profit at the price, named like a price box") << u"销售价格编辑框8"_s << u"毛利额为"_s;
        QTest::newRow("this period, hidden page") << u"本期数编辑框1"_s << u"输入本期数"_s;
        QTest::newRow("previous period") << u"上期数编辑框2"_s << u"输入上期数"_s;
        QTest::newRow("growth rate") << u"增长率编辑框3"_s << u"增长(下降)率"_s;
        QTest::newRow("growth value") << u"增长值编辑框4"_s << u"增长(下降)值"_s;
    }
    void edit_boxes_are_named_by_their_labels() {
        QFETCH(QString, box);
        QFETCH(QString, name);
        QAccessibleInterface* node = find_in_tree(accessible(&window()), &control(box.toStdString()));
        QVERIFY2(node != nullptr, "the box is not in the window's accessibility tree");
        QCOMPARE(node->role(), QAccessible::EditableText);
        QCOMPARE(node->text(QAccessible::Name), name);
    }

    void buttons_are_named_by_their_captions() {
        const std::pair<const char*, QString> buttons[] = {
            {"毛利率计算结果", u"计算等于"_s}, {"清空按钮1", u"清空数值"_s}, {"售价计算结果1", u"计算等于"_s},
            {"清空按钮2", u"清空数值"_s},     {"增长率计算结果1", u"计算等于"_s}, {"清空按钮3", u"清空数值"_s}};
        for (const auto& [name, caption] : buttons) {
            QAccessibleInterface* node = find_in_tree(accessible(&window()), &control(name));
            QVERIFY2(node != nullptr, name);
            QCOMPARE(node->role(), QAccessible::Button);
            QCOMPARE(node->text(QAccessible::Name), caption);
        }
    }

    void the_tab_control_lists_two_page_tabs_the_shown_one_selected() {
        QAccessibleInterface* list = tab_list();
        QVERIFY2(list != nullptr, "no page tab list under the window");
        QVERIFY(list->childCount() >= 2);
        QAccessibleInterface* first = list->child(0);
        QAccessibleInterface* second = list->child(1);
        QCOMPARE(first->role(), QAccessible::PageTab);
        QCOMPARE(second->role(), QAccessible::PageTab);
        QCOMPARE(first->text(QAccessible::Name), u"毛利率计算"_s);
        QCOMPARE(second->text(QAccessible::Name), u"同比增长计算"_s);
        QVERIFY(first->state().selected);
        QVERIFY(!second->state().selected);
        QCOMPARE(first->parent(), list);
        QCOMPARE(list->indexOfChild(second), 1);
        // The page tabs lie where the tabs are drawn.
        QCOMPARE(list->childAt(second->rect().center().x(), second->rect().center().y()), second);
        QVERIFY(!first->rect().intersects(second->rect()));
        // The page controls follow the tabs, each once.
        const int box_index = list->indexOfChild(accessible(&control("销售额收入编辑框1")));
        QVERIFY(box_index >= 2);
        QCOMPARE(list->child(box_index)->object(), &control("销售额收入编辑框1"));
    }

    void pressing_a_page_tab_shows_its_page() {
        QAccessibleInterface* second = tab_list()->child(1);
        QAccessibleActionInterface* actions = second->actionInterface();
        QVERIFY(actions != nullptr);
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        actions->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(second->state().selected);
        QVERIFY(!tab_list()->child(0)->state().selected);
        QVERIFY(control("增长率编辑框3").isVisible());
        QVERIFY(!control("销售额收入编辑框1").isVisible());
        QCOMPARE(focused_name(), u"清空按钮3"_s);
    }
};

QTEST_MAIN(AccessibilityTest)
#include "test_accessibility.moc"
