#include "app/edit_box_accessible.h"

#include <algorithm>

#include <QAccessibleWidget>

#include "app/edit_box.h"

namespace app {
namespace {

class AccessibleEditBox : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit AccessibleEditBox(EditBox* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = true;
        state.selectableText = true;
        return state;
    }

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) return box().text();
        return QAccessibleWidget::text(kind);
    }

    // The text interface, in positions of the box's text.
    void selection(int index, int* start, int* end) const override {
        const EditLine& line = box().line();
        *start = *end = 0;
        if (index == 0 && line.has_selection()) {
            *start = static_cast<int>(line.selection_start());
            *end = static_cast<int>(line.selection_end());
        }
    }
    int selectionCount() const override { return box().line().has_selection() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { box().set_cursor_position(box().line().cursor()); }
    void setSelection(int, int start, int end) override {
        box().set_cursor_position(start);
        box().set_cursor_position(end, true);
    }
    int cursorPosition() const override { return static_cast<int>(box().line().cursor()); }
    void setCursorPosition(int position) override { box().set_cursor_position(position); }
    QString text(int start, int end) const override { return box().text().mid(start, std::max(0, end - start)); }
    int characterCount() const override { return static_cast<int>(box().text().size()); }
    QRect characterRect(int) const override {
        const QRect caret = box().cursor_rect();
        return QRect(box().mapToGlobal(caret.topLeft()), caret.size());
    }
    int offsetAtPoint(const QPoint&) const override { return cursorPosition(); }
    void scrollToSubstring(int, int end) override { box().set_cursor_position(end); }
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }

private:
    EditBox& box() const { return *static_cast<EditBox*>(widget()); }
};

QAccessibleInterface* edit_box_factory(const QString& class_name, QObject* object) {
    if (class_name == QLatin1String("app::EditBox") && object->isWidgetType())
        return new AccessibleEditBox(static_cast<EditBox*>(object));
    return nullptr;
}

}  // namespace

void install_edit_box_accessibility() {
    static const bool installed = (QAccessible::installFactory(edit_box_factory), true);
    (void)installed;
}

void notify_accessibility(EditBox& box, bool text_changed) {
    if (!QAccessible::isActive()) return;
    if (text_changed) {
        QAccessibleValueChangeEvent event(&box, box.text());
        QAccessible::updateAccessibility(&event);
    }
    QAccessibleTextCursorEvent event(&box, static_cast<int>(box.line().cursor()));
    QAccessible::updateAccessibility(&event);
}

}  // namespace app
