#include "UiFixture.h"

#include "DemoServer.h"

using PlayTest = UiTest;

namespace {

// Waits until some line shown from `from` on satisfies the test; returns its index or -1.
template <class Test>
qsizetype WaitForLine(const std::function<QStringList()>& lines, qsizetype from, Test test) {
    qsizetype found = -1;
    (void)QTest::qWaitFor(
        [&] {
            const QStringList shown = lines();
            for (qsizetype i = from; i < shown.size(); ++i)
                if (test(shown[i])) {
                    found = i;
                    return true;
                }
            return false;
        },
        5000);
    return found;
}

} // namespace

TEST_F(PlayTest, APlayerLogsOnPlaysAndLogsOffAgainstTheDemoServer) {
    orvdemo::DemoServer::Options options;
    options.players = 5;
    options.activityMs = 0; // nobody arrives or leaves during the test
    orvdemo::DemoServer server(options);
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0)) << server.errorString().toStdString();
    const auto lines = [this] { return Lines(); };
    // Until the log-on dialogue is automated, prompts are cut at their colon and the space after one
    // starts the next line, so lines are compared without their surrounding blanks.
    const auto is = [](const char* text) {
        return [text](const QString& line) { return line.trimmed() == text; };
    };

    LogOn(QStringLiteral("127.0.0.1"), QString::number(server.port()));
    qsizetype at = WaitForLine(lines, 0, is("Connected to talmaro"));
    ASSERT_GE(at, 0);
    at = WaitForLine(lines, at, is("login:"));
    ASSERT_GE(at, 0) << Lines().join('|').toStdString();

    QTest::keyClicks(Input, QStringLiteral("demo"));
    QTest::keyClick(Input, Qt::Key_Return);
    at = WaitForLine(lines, at, is("Password:"));
    ASSERT_GE(at, 0) << Lines().join('|').toStdString();
    QTest::keyClicks(Input, QStringLiteral("demo"));
    QTest::keyClick(Input, Qt::Key_Return);
    at = WaitForLine(lines, at, is("Welcome to Orvanta DataSpace."));
    ASSERT_GE(at, 0) << Lines().join('|').toStdString();

    QTest::keyClicks(Input, QStringLiteral("look"));
    QTest::keyClick(Input, Qt::Key_Return);
    at = WaitForLine(lines, at, is(">look"));
    ASSERT_GE(at, 0) << Lines().join('|').toStdString();
    // The room's name and description follow the echo, then its exits.
    EXPECT_GE(
        WaitForLine(lines, at + 1, [](const QString& line) { return line.trimmed().startsWith("Exits"); }),
        at + 3);

    Action("Logoff")->trigger();
    EXPECT_EQ(LastLines(3), QStringList({" ", " --- No longer connected to talmaro' servers ---",
                                         "Connection to Orvanta Closed"}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return server.clientCount() == 0; }, 5000));
}
