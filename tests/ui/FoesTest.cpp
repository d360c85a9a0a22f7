#include "ui/Foes.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

// The dialog over a start folder of the test's own; the main window's side records every call.
class FoesTest : public ::testing::Test {
  protected:
    void Create(std::int32_t storedMask = 0) {
        form.reset();
        stored = storedMask;
        form = std::make_unique<TFriendsForm>(
            foes, dir.path(),
            FriendsLinks{
                [this] { return stored; },
                [this](std::int32_t mask) { calls.push_back("mask " + std::to_string(stored = mask)); },
                [this] {
                    calls.push_back("rebuild");
                    namesAtRebuild = foes.Names();
                    fileAtRebuild = ListFile();
                },
                [this](std::string_view line) { calls.push_back("show " + std::string(line)); }});
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
    // The list box's items, or the same by code point where only which names are listed matters.
    QStringList Items(bool byCodePoint = false) const {
        QStringList items;
        for (int row = 0; row < form->FFList->count(); ++row)
            items << form->FFList->item(row)->text();
        if (byCodePoint) items.sort();
        return items;
    }
    void Add(const QString& typed) {
        form->NewEdit->insert(typed); // QTest can type ASCII only
        Click(form->AddBtn);
    }
    static void Click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    QTemporaryDir dir;
    orv::FriendsAndFoes foes; // outlives the dialog, as the main window's does
    std::int32_t stored = 0;
    Strings calls, namesAtRebuild;
    QByteArray fileAtRebuild;
    std::unique_ptr<TFriendsForm> form;
};

TEST_F(FoesTest, EditsStayInTheDialogUntilOKWhichAppliesWhatThePlayerLeftThere) {
    WriteListFile("Amy\n");
    Create(1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr); // shown without blocking
    Add(QStringLiteral("\u00e9CLAIR"));                    // capitalised in the game's code page
    EXPECT_EQ(form->NewEdit->text(), QString());
    Add(QStringLiteral("mIXED"));
    Add(QStringLiteral("MIXED")); // a duplicate is kept
    Add(QString());               // nothing typed, nothing added
    EXPECT_EQ(Items(true), (QStringList{"Amy", "Mixed", "Mixed", "\u00c9clair"}));
    QTest::keyClicks(form->NewEdit, QString(40, QLatin1Char('x')));
    EXPECT_EQ(form->NewEdit->text().size(), 31);
    form->NewEdit->clear();
    QListWidget* list = form->FFList; // the first row selected with a click
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    Click(form->DeleteBtn);
    Click(form->DeleteBtn); // the deletion left nothing selected
    EXPECT_EQ(Items(true), (QStringList{"Mixed", "Mixed", "\u00c9clair"}));
    form->GHogCheck->click();
    form->CaptainCheck->click();

    Click(form->CancelBtn);
    form->show();
    QTest::keyClick(form->FFList, Qt::Key_Escape); // Escape is Cancel too
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(foes.Names(), (Strings{"Amy"}));
    EXPECT_EQ(foes.RanksAlertMask(), 1);
    EXPECT_EQ(ListFile(), "Amy\n");

    form->show();
    Click(form->OKBtn);
    EXPECT_EQ(foes.Names().size(), 3u);
    EXPECT_EQ(stored, 4);
}

TEST_F(FoesTest, OKStoresTheMaskThenReplacesTheListThenRebuildsThenSaves) {
    WriteListFile("zed\nbob\n\nCat\n");
    Create();
    EXPECT_EQ(foes.Names(), (Strings{"zed", "bob", "", "Cat"})); // file order
    EXPECT_EQ(Items(), (QStringList{"", "bob", "Cat", "zed"}));  // letter case aside
    Add(QStringLiteral("amy"));
    form->TraderCheck->click();
    form->AudioCheck->click();
    Click(form->OKBtn);
    EXPECT_EQ(calls, (Strings{"mask 32784", "rebuild"}));
    EXPECT_EQ(namesAtRebuild, (Strings{"", "Amy", "bob", "Cat", "zed"}));
    EXPECT_EQ(fileAtRebuild, "zed\nbob\n\nCat\n");
    EXPECT_EQ(ListFile(), "\nAmy\nbob\nCat\nzed\n");
    EXPECT_FALSE(form->isVisible());

    // A list that cannot be saved is reported and still applies.
    QFile::remove(dir.filePath(QStringLiteral("ff.dat")));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("ff.dat")));
    calls.clear();
    form->show();
    Add(QStringLiteral("dot"));
    Click(form->OKBtn);
    EXPECT_EQ(calls, (Strings{"mask 32784", "rebuild", "show Unable to save friends and foes list!"}));
    EXPECT_EQ(foes.Names(), (Strings{"", "Amy", "bob", "Cat", "Dot", "zed"}));
}

} // namespace
