#include "ui/Accessible.h"

#include "ui/Layout.h"
#include "ui/New_account.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QWindow>

namespace orv::ui {

namespace {

// A checkable command of a menu, in place of Qt's menu item, which has no description to carry
// the toggle's state.
class ToggleItem final : public QAccessibleInterface, public QAccessibleActionInterface {
  public:
    ToggleItem(QAction* action, QMenu* menu) : action_(action), menu_(menu) {}

    bool isValid() const override { return action_ != nullptr && menu_ != nullptr; }
    QObject* object() const override { return action_; }
    QWindow* window() const override {
        // A menu that never opened has no window of its own yet: the one it opens from stands in.
        for (const QWidget* widget = menu_; widget != nullptr; widget = widget->parentWidget())
            if (QWindow* window = widget->windowHandle()) return window;
        return nullptr;
    }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(menu_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text kind) const override {
        switch (kind) {
        case QAccessible::Name:
            return SpokenCaption(action_->text());
        case QAccessible::Description:
            return QLatin1String(action_->isChecked() ? ToggleOn : ToggleOff);
        case QAccessible::Accelerator:
            return (action_->shortcut().isEmpty() ? QKeySequence::mnemonic(action_->text())
                                                  : action_->shortcut())
                .toString(QKeySequence::NativeText);
        default:
            return QString();
        }
    }
    void setText(QAccessible::Text, const QString&) override {}
    QAccessible::Role role() const override { return QAccessible::MenuItem; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.invisible = !menu_->isVisible() || !action_->isVisible();
        state.focused = menu_->activeAction() == action_;
        state.disabled = !action_->isEnabled();
        state.checkable = true;
        state.checked = action_->isChecked();
        return state;
    }
    QRect rect() const override {
        return menu_->actionGeometry(action_).translated(menu_->mapToGlobal(QPoint(0, 0)));
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }

    QStringList actionNames() const override { return {pressAction(), toggleAction()}; }
    void doAction(const QString&) override {
        if (action_->isEnabled()) action_->trigger();
    }
    QStringList keyBindingsForAction(const QString&) const override {
        return {text(QAccessible::Accelerator)};
    }

  private:
    QPointer<QAction> action_;
    QPointer<QMenu> menu_;
};

// A box that only shows a value, as read-only text: Qt's line edit calls every box editable.
class ReadOnlyBox final : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit ReadOnlyBox(QLineEdit* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.selectableText = true;
        return state;
    }
    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Value ? box()->text() : QAccessibleWidget::text(kind);
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    void selection(int, int* start, int* end) const override {
        *start = box()->selectionStart();
        *end = *start + box()->selectionLength();
    }
    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { box()->setSelection(start, end - start); }
    void removeSelection(int) override { box()->deselect(); }
    void setSelection(int, int start, int end) override { box()->setSelection(start, end - start); }
    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }
    QString text(int start, int end) const override { return box()->text().mid(start, end - start); }
    int characterCount() const override { return int(box()->text().size()); }
    QRect characterRect(int) const override { return QRect(); }
    int offsetAtPoint(const QPoint& point) const override {
        return box()->cursorPositionAt(box()->mapFromGlobal(point));
    }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return QString();
    }

  private:
    QLineEdit* box() const { return static_cast<QLineEdit*>(widget()); }
};

// The up-down buttons of a stat as one spin button: its value is the number in the box beside it,
// and setting a value takes the steps the arrows would, each one allowed or refused as theirs are.
class Stepper final : public QAccessibleWidget, public QAccessibleValueInterface {
  public:
    explicit Stepper(UpDownButtons* stepper) : QAccessibleWidget(stepper, QAccessible::SpinBox) {}

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Value ? stepper()->Associate->text() : QAccessibleWidget::text(kind);
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QVariant currentValue() const override { return Number(); }
    void setCurrentValue(const QVariant& value) override {
        const int wanted = value.toInt();
        for (int number = Number(); number != wanted;) {
            stepper()->Step(number < wanted ? +1 : -1);
            if (Number() == number) return; // refused, or at a limit
            number = Number();
        }
    }
    QVariant maximumValue() const override { return stepper()->Maximum; }
    QVariant minimumValue() const override { return stepper()->Minimum; }
    QVariant minimumStepSize() const override { return 1; }

    QStringList actionNames() const override {
        return QAccessibleWidget::actionNames() << increaseAction() << decreaseAction();
    }
    void doAction(const QString& name) override {
        if (name == increaseAction())
            stepper()->Step(+1);
        else if (name == decreaseAction())
            stepper()->Step(-1);
        else
            QAccessibleWidget::doAction(name);
    }

  private:
    UpDownButtons* stepper() const { return static_cast<UpDownButtons*>(widget()); }
    int Number() const { return stepper()->Associate->text().toInt(); }
};

QMenu* MenuOf(const QAction* action) {
    for (QObject* holder : action->associatedObjects())
        if (auto* menu = qobject_cast<QMenu*>(holder)) return menu;
    return nullptr;
}

// A toggle's state changes are told at once, so that a menu left open reads the new state.
void TellToggles(QAction* action) {
    QObject::connect(action, &QAction::toggled, action, [action] {
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent state(action, changed);
        QAccessible::updateAccessibility(&state);
        QAccessibleEvent description(action, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&description);
    });
}

// Qt asks with each class name of an object, the most derived first, and takes Qt's own interface
// for a class Qt knows before this factory's: so it answers for the window's own classes, and for
// QAction, which Qt's menus make their items for only when no factory has one.
QAccessibleInterface* Factory(const QString& className, QObject* object) {
    if (className == QLatin1String(QAction::staticMetaObject.className())) {
        auto* action = static_cast<QAction*>(object);
        QMenu* menu = MenuOf(action);
        if (!action->isCheckable() || menu == nullptr) return nullptr;
        TellToggles(action);
        return new ToggleItem(action, menu);
    }
    if (className == QLatin1String(ReadOnlyEdit::staticMetaObject.className()))
        return new ReadOnlyBox(static_cast<ReadOnlyEdit*>(object));
    if (className == QLatin1String(UpDownButtons::staticMetaObject.className()))
        return new Stepper(static_cast<UpDownButtons*>(object));
    return nullptr;
}

} // namespace

void InstallAccessibleInterfaces() {
    static const bool installed = (QAccessible::installFactory(Factory), true);
    (void)installed;
}

} // namespace orv::ui
