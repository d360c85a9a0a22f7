#include "UiFixture.h"
#include "ui/About.h"
#include "ui/Accessible.h"
#include "ui/F_keys.h"
#include "ui/Foes.h"
#include "ui/Logerr.h"
#include "ui/New_account.h"

namespace {

bool Interactive(QAccessible::Role role) {
    for (QAccessible::Role acted :
         {QAccessible::PushButton, QAccessible::CheckBox, QAccessible::RadioButton, QAccessible::EditableText,
          QAccessible::SpinBox, QAccessible::ComboBox, QAccessible::List, QAccessible::MenuItem,
          QAccessible::ButtonMenu, QAccessible::ButtonDropDown, QAccessible::Slider, QAccessible::Terminal})
        if (role == acted) return true;
    return false;
}

// Said aloud, a name tells what the control is for: not empty, not padded, not a bare index.
bool Meaningful(const QString& name) {
    static const QRegularExpression index(QStringLiteral("^[A-Za-z]+ ?\\d+$"));
    return !name.isEmpty() && name == name.trimmed() && !index.match(name).hasMatch();
}

class AccessibilityTest : public UiTest {
  protected:
    // Every control under node as a screen reader meets it, menus included.
    void CheckTree(QAccessibleInterface* node, QStringList& faults) {
        const QString name = node->text(QAccessible::Name);
        const QString what = QStringLiteral("%1 \"%2\"").arg(node->object()->objectName(), name);
        const QAccessible::State state = node->state();
        if (Interactive(node->role()) && !Meaningful(name)) faults << what + " has no meaningful name";
        if (state.editable && state.readOnly) faults << what + " is both editable and read-only";
        if (node->role() == QAccessible::SpinBox &&
            (node->valueInterface() == nullptr ||
             node->valueInterface()->currentValue().toString() != node->text(QAccessible::Value)))
            faults << what + " is a spin control without its value";
        if (node->role() == QAccessible::MenuItem && state.checkable) {
            ++toggles;
            if (node->text(QAccessible::Description) !=
                (state.checked ? orv::ui::ToggleOn : orv::ui::ToggleOff))
                faults << what + " does not say whether it is on";
        }
        for (int i = 0; i < node->childCount(); ++i)
            CheckTree(node->child(i), faults);
    }

    // The controls Tab (or Shift+Tab) visits from the focus until it comes back there.
    static QList<QWidget*> TabStops(Qt::KeyboardModifiers modifiers) {
        QList<QWidget*> stops{QApplication::focusWidget()};
        for (int guard = 0; guard < 60; ++guard) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
            if (QApplication::focusWidget() == stops.front()) break;
            stops << QApplication::focusWidget();
        }
        return stops;
    }

    int toggles = 0;
};

// Each window, shown as the program shows it, walked through Qt's accessibility interfaces and with
// the Tab key: every control says what it is, Tab reaches every button in the order on screen and
// Shift+Tab goes back the same way.
TEST_F(AccessibilityTest, EveryWindowReadsAloudAndTabReachesEveryButtonInOrder) {
    Store("Ac0", "Zed~kx1234\n");
    Store("Ac1", "Pip~kx5678\n");
    Store("Current Account", 1); // Last and Next both enabled
    Restart();
    const std::pair<QWidget*, QStringList> windows[] = {
        {form.get(), {"Output", "PlayerList", "Input"}},
        {TCPIPForm,
         {"HostEdit", "PortEdit", "OrvEdit", "AccountEdit", "PasswordEdit", "SaveCheck", "LastBtn", "NextBtn",
          "OKBtn", "CancelBtn"}},
        {NewAccountForm,
         {"HostEdit", "PortEdit", "IDEdit",  "NewAcCheck", "PwEdit",     "PwConfEdit", "EMailEdit",
          "NameEdit", "RaceEdit", "Male",    "StrEdit",    "StrSpin",    "DexEdit",    "DexSpin",
          "StaEdit",  "UpDown1",  "IntEdit", "UpDown2",    "UnusedEdit", "SendBtn",    "CancelBtn"}},
        {LogonErrorForm, {"AccountEdit", "PasswordEdit", "Button1", "Button2"}},
        {FKeyForm, {"F_KeyMemo", "NextBtn", "SaveBtn", "ResetBtn", "OKBtn"}}, // Last is off at F1
        {FriendsForm,
         {"GHogCheck",    "CommanderCheck", "CaptainCheck",  "AdventCheck", "TraderCheck", "MerchantCheck",
          "JourneyCheck", "GuildCheck",     "ExplorerCheck", "SquireCheck", "ThaneCheck",  "IndustCheck",
          "TechnoCheck",  "BaronCheck",     "DukeCheck",     "AudioCheck",  "FFList",      "NewEdit",
          "AddBtn",       "DeleteBtn",      "OKBtn",         "CancelBtn"}},
        {AboutBox, {"OKButton"}},
    };
    for (const auto& [window, order] : windows) {
        SCOPED_TRACE(window->objectName().toStdString());
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        ASSERT_NE(QApplication::focusWidget(), nullptr);

        QStringList faults;
        CheckTree(QAccessible::queryAccessibleInterface(window), faults);
        EXPECT_EQ(faults.join("\n").toStdString(), "");

        const QList<QWidget*> forward = TabStops(Qt::NoModifier);
        QList<QWidget*> back = TabStops(Qt::ShiftModifier);
        std::reverse(back.begin() + 1, back.end());
        EXPECT_EQ(back, forward) << "Shift+Tab goes back the way Tab came";
        QStringList visited;
        for (QWidget* stop : forward) {
            visited << stop->objectName();
            if (!Interactive(QAccessible::queryAccessibleInterface(stop)->role()))
                ADD_FAILURE() << "a screen reader cannot tell what Tab stop " << visited.back().toStdString()
                              << " is";
        }
        std::rotate(visited.begin(), std::find(visited.begin(), visited.end(), order.front()), visited.end());
        EXPECT_EQ(visited.join(" ").toStdString(), order.join(" ").toStdString());

        // A button outside the Tab order is one the keyboard never presses. Tab enters a group of
        // choices once, a stepper's arrows are stepped with Up and Down, and the tool bar's buttons
        // each repeat a menu command.
        for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
            const QList<QAbstractButton*> group =
                button->group() ? button->group()->buttons() : QList{button};
            const bool reached = std::any_of(group.begin(), group.end(), [&](QAbstractButton* one) {
                return forward.contains(one) || forward.contains(one->parentWidget());
            });
            if (button->isVisible() && button->isEnabled() && !reached &&
                button->parentWidget()->objectName() != "ToolBar")
                ADD_FAILURE() << "Tab never reaches " << button->objectName().toStdString();
        }
        if (window != form.get()) window->hide();
    }
    EXPECT_EQ(toggles, 12) << "the checkable commands of the menus";

    // A toggle's description follows its state; a stepper set through its value takes the steps its
    // arrows would.
    QAccessibleInterface* diagnostics = QAccessible::queryAccessibleInterface(Action("DiagItem"));
    diagnostics->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(diagnostics->text(QAccessible::Description).toStdString(), orv::ui::ToggleOn);
    QAccessibleValueInterface* strength =
        QAccessible::queryAccessibleInterface(NewAccountForm->StrSpin)->valueInterface();
    ASSERT_NE(strength, nullptr);
    strength->setCurrentValue(25);
    EXPECT_EQ(NewAccountForm->UnusedEdit->text().toStdString(), "55");
}

} // namespace
