#pragma once

#include "app/Forms.h"
#include "store/RegFile.h"
#include "ui/Main.h"
#include "ui/Tcp.h"

#include <QtNetwork>
#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

// The lines a link that ends shows; a log-off adds the last one.
inline const QStringList LostLines = {" ", " --- No longer connected to talmaro' servers ---"};
inline const QStringList ClosedLines = LostLines + QStringList{"Connection to Orvanta Closed"};

// A game server of the test's own on 127.0.0.1: records every byte it receives and sends what
// the test tells it to.
struct ScriptServer {
    ScriptServer() {
        listener.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&listener, &QTcpServer::newConnection, [this] {
            peer = listener.nextPendingConnection();
            QObject::connect(peer, &QTcpSocket::readyRead, [this] { received += peer->readAll(); });
        });
    }
    QString Port() const { return QString::number(listener.serverPort()); }
    void Send(const QByteArray& bytes) { peer->write(bytes); }
    // Waits until as many bytes as expected have arrived, then compares everything received.
    bool Received(const QByteArray& expected) {
        return QTest::qWaitFor([&] { return received.size() >= expected.size(); }, 5000) &&
               received == expected;
    }

    QTcpServer listener;
    QPointer<QTcpSocket> peer;
    QByteArray received;
};

// A clock that stands still: Sat Dec 05 14:03:09 2026.
struct FixedClock : orv::Clock {
    orv::LocalTime Now() const override { return {2026, 12, 5, 14, 3, 9, 6}; }
};

// The alert sound, noted instead of heard.
struct FakeSound : orv::SoundPlayer {
    void PlayAsync(const std::string& path) override { played.push_back(path); }
    std::vector<std::string> played;
};

// A real main window and its dialogs, as the program creates them. Each test starts in a working
// folder of its own (StartDir, where the day logs go) with a settings folder of its own.
class UiTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(ConfigDir()));
        startedIn = QDir::currentPath();
        QDir::setCurrent(home.path());
        Start();
    }
    void TearDown() override {
        Stop();
        QDir::setCurrent(startedIn);
    }

    // The program's start-up and exit: the main window, then the dialogs; at exit the dialogs go first.
    void Start() {
        form = std::make_unique<TMainForm>(clock);
        CreateForms(*form);
        form->show();
        Output = Find<QPlainTextEdit>("Output");
        Input = Find<QPlainTextEdit>("Input");
    }
    void Stop() {
        DestroyForms();
        form.reset();
    }
    void Restart() {
        Stop();
        Start();
    }

    QString ConfigDir() const { return home.path() + QStringLiteral("/config"); }
    QString SettingsPath() const { return ConfigDir() + QStringLiteral("/talmaro/ot32.reg"); }
    // The settings file as the next start will read it.
    orv::RegFile Settings() const { return orv::RegFile(QFile::encodeName(SettingsPath()).toStdString()); }
    orv::RegValue Stored(const char* name) const { return Settings().Read(name); }
    std::uint32_t Number(const char* name) const {
        const orv::RegValue value = Stored(name);
        EXPECT_EQ(value.Type, orv::ValueType::Dword) << name;
        return value.Number;
    }
    void Store(const char* name, std::uint32_t n) const { ASSERT_FALSE(Settings().WriteDword(name, n)); }
    void Store(const char* name, const std::string& s) const { ASSERT_FALSE(Settings().WriteText(name, s)); }

    // Answers the next modal window that shows (of the given object name, when one is given) once
    // the command that opens it runs its loop; the answer closes it.
    static void WhenModal(const QString& name, std::function<void(QWidget*)> answer) {
        auto* poll = new QTimer(qApp);
        auto asked = std::make_shared<QElapsedTimer>();
        asked->start();
        QObject::connect(poll, &QTimer::timeout, [poll, name, asked, answer = std::move(answer)] {
            QWidget* modal = QApplication::activeModalWidget();
            const bool shown = modal != nullptr && (name.isEmpty() || modal->objectName() == name);
            if (!shown && !asked->hasExpired(10000)) return;
            // A command that never asked must not have its answer taken by a later one.
            poll->stop();
            poll->deleteLater();
            if (shown)
                answer(modal);
            else
                ADD_FAILURE() << "no modal window " << name.toStdString();
        });
        poll->start(5);
    }
    // Runs the event loop until done holds, for at most five seconds.
    static bool Until(const std::function<bool()>& done) { return QTest::qWaitFor(done, 5000); }

    template <class T> T* Find(const char* name) const {
        T* found = form->findChild<T*>(QLatin1String(name));
        if (found == nullptr) ADD_FAILURE() << "no " << name;
        return found;
    }
    QAction* Action(const char* name) const { return Find<QAction>(name); }
    QString Status() const { return Find<QLabel>("StatusPanel0")->text(); }
    QString Total() const { return Find<QLabel>("TotalPanel")->text(); }
    QString Count() const { return Find<QLabel>("StatusPanel2")->text(); }
    // Chooses Connect > Log On; once the dialog shows, fill sets its boxes, then Connect or Cancel
    // closes it.
    void LogOnWith(std::function<void(TTCPIPForm&)> fill, bool confirm = true) {
        WhenModal(QStringLiteral("TCPIPForm"), [fill = std::move(fill), confirm](QWidget*) {
            fill(*TCPIPForm);
            QTest::mouseClick(confirm ? TCPIPForm->OKBtn : TCPIPForm->CancelBtn, Qt::LeftButton);
        });
        Action("LogontoOrv")->trigger();
    }
    // Logs on to 127.0.0.1 at port as the avatar Zed, the password saved.
    void LogOnTo(const QString& port, const QString& account = {}, const QString& password = {},
                 bool confirm = true) {
        LogOnWith(
            [=](TTCPIPForm& dialog) {
                dialog.HostEdit->setText(QStringLiteral("127.0.0.1"));
                dialog.PortEdit->setText(port);
                dialog.OrvEdit->setText(QStringLiteral("Zed"));
                dialog.AccountEdit->setText(account);
                dialog.PasswordEdit->setText(password);
                dialog.SaveCheck->setChecked(true);
            },
            confirm);
    }
    // Logs on to the server and waits until both ends have the connection.
    void Connect(ScriptServer& server, const QString& account = {}, const QString& password = {}) {
        LogOnTo(server.Port(), account, password);
        ASSERT_TRUE(Until([&] { return server.peer != nullptr && Status() == "Connected"; }));
    }
    // Puts text in the input pane, the caret at its end, and presses Enter.
    void Enter(const QString& text) const {
        Input->setPlainText(text);
        Input->moveCursor(QTextCursor::End);
        QTest::keyClick(Input, Qt::Key_Return);
    }

    // Output's lines, one per block, after the pane has caught up with the model.
    QStringList Lines() const {
        form->SyncOutput();
        return Output->document()->toRawText().split(QChar::ParagraphSeparator);
    }
    QStringList LastLines(qsizetype n) const { return Lines().mid(Lines().size() - n); }

    // The player list's rows, top to bottom.
    QStringList Rows() const {
        QStringList rows;
        for (const QListWidgetItem* row : Find<QListWidget>("PlayerList")->findItems("*", Qt::MatchWildcard))
            rows << row->text();
        return rows;
    }
    QPoint RowCentre(const QString& name) const {
        auto* list = Find<QListWidget>("PlayerList");
        const QList<QListWidgetItem*> found = list->findItems(name, Qt::MatchExactly);
        return found.isEmpty() ? QPoint(-1, -1) : list->visualItemRect(found.front()).center();
    }
    // A right-click on the player list as the desktop delivers it, the press and then the request
    // for a context menu; returns the popup menu once it shows.
    QMenu* OpenPlayerPopup(QPoint at) const {
        QWidget* viewport = Find<QListWidget>("PlayerList")->viewport();
        QTest::mouseClick(viewport, Qt::RightButton, {}, at);
        QContextMenuEvent request(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
        QApplication::sendEvent(viewport, &request);
        auto* popup = Find<QMenu>("Popup");
        EXPECT_TRUE(Until([popup] { return popup->isVisible(); }));
        return popup;
    }
    static void ChooseFromPopup(QMenu* popup, QAction* item) {
        const QPoint at = popup->actionGeometry(item).center();
        QTest::mouseMove(popup, at);
        QTest::mouseClick(popup, Qt::LeftButton, {}, at);
    }

    QTemporaryDir home;
    QString startedIn;
    FixedClock clock;
    std::unique_ptr<TMainForm> form;
    QPlainTextEdit* Output = nullptr;
    QPlainTextEdit* Input = nullptr;
};
