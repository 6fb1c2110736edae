#include "app/tab_control_accessible.h"

#include <vector>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>

#include "app/tab_control.h"

namespace app {
namespace {

class PageTabAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    PageTabAccessible(TabControl* tabs, int index) : tabs_(tabs), index_(index) {}

    int index() const { return index_; }

    bool isValid() const override { return tabs_ && index_ < tabs_->count(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return tabs_->window()->windowHandle(); }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(tabs_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessible::Role role() const override { return QAccessible::PageTab; }

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? tabs_->caption(index_).trimmed() : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        const QRect tab = tabs_->tab_rect(index_);
        return QRect(tabs_->mapToGlobal(tab.topLeft()), tab.size());
    }

    QAccessible::State state() const override {
        QAccessible::State state;
        state.selectable = true;
        state.selected = tabs_->current_index() == index_;
        state.disabled = !tabs_->is_tab_enabled(index_);
        state.invisible = !tabs_->isVisible();
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction()) tabs_->select_page(index_);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<TabControl> tabs_;
    int index_;
};

class TabControlAccessible : public QAccessibleWidget {
public:
    explicit TabControlAccessible(TabControl* tabs) : QAccessibleWidget(tabs, QAccessible::PageTabList) {}

    ~TabControlAccessible() override {
        for (QAccessible::Id id : page_tab_ids_) QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return tabs().count() + QAccessibleWidget::childCount(); }

    QAccessibleInterface* child(int index) const override {
        if (index < 0) return nullptr;
        if (index >= tabs().count()) return QAccessibleWidget::child(index - tabs().count());
        while (static_cast<int>(page_tab_ids_.size()) <= index) {
            auto* page_tab = new PageTabAccessible(&tabs(), static_cast<int>(page_tab_ids_.size()));
            page_tab_ids_.push_back(QAccessible::registerAccessibleInterface(page_tab));
        }
        return QAccessible::accessibleInterface(page_tab_ids_[index]);
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        if (const auto* page_tab = dynamic_cast<const PageTabAccessible*>(child);
            page_tab != nullptr && page_tab->parent() == this)
            return page_tab->index();
        const int index = QAccessibleWidget::indexOfChild(child);
        return index < 0 ? -1 : index + tabs().count();
    }

    QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0; i < tabs().count(); ++i)
            if (QAccessibleInterface* page_tab = child(i); page_tab->rect().contains(x, y)) return page_tab;
        return QAccessibleWidget::childAt(x, y);
    }

private:
    TabControl& tabs() const { return *static_cast<TabControl*>(widget()); }

    mutable std::vector<QAccessible::Id> page_tab_ids_;
};

QAccessibleInterface* tab_control_factory(const QString& class_name, QObject* object) {
    if (class_name != QLatin1String(TabControl::staticMetaObject.className()) || !object->isWidgetType())
        return nullptr;
    return new TabControlAccessible(static_cast<TabControl*>(object));
}

}  // namespace

void install_tab_control_accessibility() {
    static const bool installed = (QAccessible::installFactory(tab_control_factory), true);
    (void)installed;
}

}  // namespace app
