#include "ui/Foes.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

// The dialog over a start folder of the test's own; the main window's side records every call.
class FriendsFormTest : public ::testing::Test {
  protected:
    void Create(std::int32_t storedMask = 0) {
        form.reset();
        stored = storedMask;
        auto setMask = [this](std::int32_t mask) {
            calls.push_back("mask " + std::to_string(stored = mask));
        };
        auto rebuild = [this] {
            calls.push_back("rebuild");
            namesAtRebuild = foes.Names();
            fileAtRebuild = ListFile();
        };
        auto show = [this](std::string_view line) { calls.push_back("show " + std::string(line)); };
        form = std::make_unique<TFriendsForm>(
            foes, dir.path(), FriendsLinks{[this] { return stored; }, setMask, rebuild, show});
        form->show();
    }

    void WriteListFile(const QByteArray& bytes) {
        QFile file(dir.filePath(QStringLiteral("ff.dat")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    QByteArray ListFile() const {
        QFile file(dir.filePath(QStringLiteral("ff.dat")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
    }
    QStringList Items() const {
        QStringList items;
        for (int row = 0; row < form->FFList->count(); ++row)
            items << form->FFList->item(row)->text();
        return items;
    }
    void Add(const QString& typed) {
        form->NewEdit->insert(typed); // QTest can type ASCII only
        Click(form->AddBtn);
    }
    void Select(int row) {
        QListWidget* list = form->FFList;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }
    static void Click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    QTemporaryDir dir;
    orv::FriendsAndFoes foes; // outlives the dialog, as the main window's does
    std::int32_t stored = 0;
    Strings calls, namesAtRebuild;
    QByteArray fileAtRebuild;
    std::unique_ptr<TFriendsForm> form;
};

TEST_F(FriendsFormTest, EachCheckBoxStandsForItsBitBothWays) {
    const char* const boxes[][2] = {
        {"GHogCheck", "GroundHog"},     {"CommanderCheck", "Commander"}, {"CaptainCheck", "Captain"},
        {"AdventCheck", "Adventurer"},  {"TraderCheck", "Trader"},       {"MerchantCheck", "Merchant"},
        {"JourneyCheck", "J. P."},      {"GuildCheck", "G. M."},         {"ExplorerCheck", "Explorer"},
        {"SquireCheck", "Squire"},      {"ThaneCheck", "Thane"},         {"IndustCheck", "Industrialist"},
        {"TechnoCheck", "Technocrat"},  {"BaronCheck", "Baron/ess"},     {"DukeCheck", "Duke/Duchesse"},
        {"AudioCheck", "Audible Alert"}};
    for (int bit = 0; bit < 16; ++bit) {
        SCOPED_TRACE(boxes[bit][0]);
        Create(1 << bit);
        auto* check = form->findChild<QCheckBox*>(QLatin1String(boxes[bit][0]));
        ASSERT_NE(check, nullptr);
        EXPECT_EQ(check->text(), QLatin1String(boxes[bit][1]));
        for (const QCheckBox* box : form->findChildren<QCheckBox*>())
            EXPECT_EQ(box->isChecked(), box == check) << box->objectName().toStdString();
        check->click(); // off, and ticked again by hand: it alone makes the stored mask
        check->click();
        Click(form->OKBtn);
        EXPECT_EQ(stored, 1 << bit);
        EXPECT_EQ(foes.RanksAlertMask(), 1 << bit);
    }
}

TEST_F(FriendsFormTest, AddAndDeleteEditOnlyTheListBox) {
    WriteListFile("Amy\n");
    Create();
    Add(QStringLiteral("mIXED"));
    EXPECT_EQ(form->NewEdit->text(), QString());
    Add(QStringLiteral(" lead")); // the first character is the space, so no capital
    Add(QStringLiteral("MIXED")); // a duplicate is kept
    Add(QString());               // nothing typed, nothing added
    EXPECT_EQ(Items(), (QStringList{" lead", "Amy", "Mixed", "Mixed"}));
    Add(QStringLiteral("\u00e9CLAIR")); // the code page's own letters follow the rule too
    EXPECT_TRUE(Items().contains(QStringLiteral("\u00c9clair")));
    QTest::keyClicks(form->NewEdit, QString(40, QLatin1Char('x')));
    EXPECT_EQ(form->NewEdit->text().size(), 31);

    Select(1);
    Click(form->DeleteBtn);
    Click(form->DeleteBtn); // the deletion left nothing selected
    EXPECT_EQ(Items().size(), 4);
    EXPECT_FALSE(Items().contains("Amy"));

    EXPECT_EQ(foes.Names(), (Strings{"Amy"}));
    EXPECT_TRUE(calls.empty());
}

TEST_F(FriendsFormTest, OKStoresTheMaskThenReplacesTheListThenRebuildsThenSaves) {
    WriteListFile("zed\r\nbob\n\nCat\n");
    Create();
    EXPECT_EQ(foes.Names(), (Strings{"zed", "bob", "", "Cat"})); // file order
    EXPECT_EQ(Items(), (QStringList{"", "bob", "Cat", "zed"}));  // letter case aside
    Add(QStringLiteral("amy"));
    form->TraderCheck->click();
    form->AudioCheck->click();
    Click(form->OKBtn);
    EXPECT_EQ(calls, (Strings{"mask 32784", "rebuild"}));
    EXPECT_EQ(namesAtRebuild, (Strings{"", "Amy", "bob", "Cat", "zed"}));
    EXPECT_EQ(fileAtRebuild, "zed\r\nbob\n\nCat\n");
    EXPECT_EQ(ListFile(), "\nAmy\nbob\nCat\nzed\n");
    EXPECT_FALSE(form->isVisible());
}

TEST_F(FriendsFormTest, AListThatCannotBeSavedIsReportedAndStillApplies) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("ff.dat")));
    Create();
    Add(QStringLiteral("amy"));
    Click(form->OKBtn);
    EXPECT_EQ(calls, (Strings{"mask 0", "rebuild", "show Unable to save friends and foes list!"}));
    EXPECT_EQ(foes.Names(), (Strings{"Amy"}));
    EXPECT_FALSE(form->isVisible());
}

TEST_F(FriendsFormTest, ShowsWithoutBlockingAndCancelAppliesNothingButKeepsTheEdits) {
    WriteListFile("Amy\n");
    Create(1);
    EXPECT_FALSE(form->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(form->windowFlags().testFlag(Qt::WindowCloseButtonHint));

    Add(QStringLiteral("bob"));
    Select(0);
    Click(form->DeleteBtn);
    form->GHogCheck->click();
    form->CaptainCheck->click();
    Click(form->CancelBtn);
    form->show();
    QTest::keyClick(form->FFList, Qt::Key_Escape); // Escape and a close request are Cancel too
    EXPECT_FALSE(form->isVisible());
    form->show();
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(foes.Names(), (Strings{"Amy"}));
    EXPECT_EQ(foes.RanksAlertMask(), 1);
    EXPECT_EQ(ListFile(), "Amy\n");

    form->show();
    Click(form->OKBtn); // applies what the player left in the controls
    EXPECT_EQ(foes.Names(), (Strings{"Bob"}));
    EXPECT_EQ(stored, 4);
}

} // namespace
