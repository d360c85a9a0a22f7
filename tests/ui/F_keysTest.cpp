#include "ui/F_keys.h"
#include "ui/Layout.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <string>

namespace {

using Stored = std::map<std::string, std::string>;

// The dialog over a settings store held in a map, with the texts it hands to the keys.
class F_keysTest : public ::testing::Test {
  protected:
    void Open() {
        published.fill("(never told)");
        form = std::make_unique<TFKeyForm>(
            FKeyLinks{[this](const std::string& name) {
                          return stored.contains(name) ? stored.at(name) : std::string();
                      },
                      [this](const std::string& name, const std::string& text) {
                          return name != failingName && (stored[name] = text, true);
                      },
                      [this](std::size_t index, const std::string& text) { published.at(index) = text; }});
        form->show();
    }
    static void Click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    QString Caption() const { return form->F_KeyGroup->title(); }
    QString Memo() const { return form->F_KeyMemo->toPlainText(); }
    void Type(const QString& text, int linesAfter = 0) {
        form->F_KeyMemo->moveCursor(QTextCursor::End);
        QTest::keyClicks(form->F_KeyMemo, text);
        for (int i = 0; i < linesAfter; ++i)
            QTest::keyClick(form->F_KeyMemo, Qt::Key_Return);
    }

    Stored stored;
    std::string failingName; // a value the store cannot write
    std::array<std::string, 12> published;
    std::unique_ptr<TFKeyForm> form;
};

TEST_F(F_keysTest, NextAndLastWalkTheKeysResetKeepsThePlaceAndOnlyOkKeepsATextForTheRun) {
    stored = {{"F1", "look"}, {"F2", "north"}};
    Open();
    EXPECT_EQ(Caption(), " Text for F1-Key ");
    EXPECT_FALSE(form->LastBtn->isEnabled());
    // Next to F12, once more on F12 (where it is disabled), then Last back to F1.
    for (int step = 0; step < 23; ++step) {
        const int key = step < 12 ? std::min(step + 2, 12) : 23 - step;
        Click(step < 12 ? form->NextBtn : form->LastBtn);
        EXPECT_EQ(Caption(), QStringLiteral(" Text for the F%1-Key ").arg(key));
        EXPECT_EQ(form->LastBtn->isEnabled(), key > 1) << key;
        EXPECT_EQ(form->NextBtn->isEnabled(), key < 12) << key;
    }

    Type(QStringLiteral(" around"));
    Click(form->NextBtn);
    Type(QStringLiteral(" east"));
    Click(form->ResetBtn);
    EXPECT_EQ(Memo(), "north");
    EXPECT_EQ(published[0], "look");
    EXPECT_EQ(Caption(), " Text for the F2-Key ");
    EXPECT_TRUE(form->LastBtn->isEnabled());

    Type(QStringLiteral(" up"));
    form->close(); // the close box leaves the text in the pane only
    EXPECT_EQ(published[1], "north");
    form->show();
    EXPECT_EQ(Memo(), "north up");
    Click(form->OKBtn);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), orv::ui::DialogResult::OK);
    EXPECT_EQ(published[1], "north up");
    EXPECT_EQ(stored.at("F2"), "north");
}

TEST_F(F_keysTest, TextsAreKeptWithoutTrailingBreaksAndWrittenOnlyBySaveAll) {
    stored = {{"F1", "look"}, {"F3", "say\xa0hi\r\nwave"}, {"F4", ""}};
    Open();
    EXPECT_EQ(Memo(), "look");
    EXPECT_EQ(published[0], "look");
    EXPECT_EQ(published[3], ""); // an empty stored value is no text
    EXPECT_FALSE(form->KeyText(3));

    form->F_KeyMemo->clear();
    form->F_KeyMemo->insertPlainText(QStringLiteral("say caf\u00e9 \u20ac"));
    Type(QString(), 1);
    Type(QStringLiteral("grin"), 2);
    Click(form->NextBtn);
    EXPECT_EQ(published[0], "say caf\xe9 \x80\r\ngrin");
    EXPECT_TRUE(Memo().isEmpty());
    Click(form->NextBtn); // F2 visited and left empty
    EXPECT_EQ(Memo(), "say hi\nwave");
    EXPECT_EQ(stored, (Stored{{"F1", "look"}, {"F3", "say\xa0hi\r\nwave"}, {"F4", ""}}));

    Click(form->SaveBtn); // F4 to F12 never visited, never written
    EXPECT_EQ(
        stored,
        (Stored{{"F1", "say caf\xe9 \x80\r\ngrin"}, {"F2", ""}, {"F3", "say\xa0hi\r\nwave"}, {"F4", ""}}));
    EXPECT_TRUE(form->isVisible());

    // The empty value loads back as no text; a value the store cannot write ends the saving there.
    Open();
    EXPECT_FALSE(form->KeyText(1));
    EXPECT_EQ(published[1], "");
    failingName = "F2";
    Click(form->NextBtn);
    stored.clear();
    Click(form->SaveBtn);
    EXPECT_EQ(stored, (Stored{{"F1", "say caf\xe9 \x80\r\ngrin"}}));
}

TEST_F(F_keysTest, TheEditorTakesAtMost240CharactersCountingBreaksAsTwo) {
    Open();
    Type(QString(250, QLatin1Char('a')));
    EXPECT_EQ(Memo().size(), 240);

    form->F_KeyMemo->clear();
    Type(QString(230, QLatin1Char('a')), 3);
    Type(QStringLiteral("bcdef"));
    Click(form->OKBtn);
    EXPECT_EQ(published[0], std::string(230, 'a') + "\r\n\r\n\r\nbcde");

    // A paste into the middle loses its own tail, not the text after it.
    form->F_KeyMemo->setPlainText(QStringLiteral("xy"));
    QTextCursor cursor = form->F_KeyMemo->textCursor();
    cursor.setPosition(1);
    cursor.insertText(QString(300, QLatin1Char('p')));
    EXPECT_EQ(Memo(), QLatin1Char('x') + QString(238, QLatin1Char('p')) + QLatin1Char('y'));
}

} // namespace
