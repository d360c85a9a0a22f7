#pragma once

#include "app/Forms.h"
#include "ui/Main.h"
#include "store/RegFile.h"
#include "ui/Tcp.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// A game server of the test's own on 127.0.0.1: records every byte it receives and sends what
// the test tells it to.
class ScriptServer {
  public:
    ScriptServer() {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            peer = server_.nextPendingConnection();
            QObject::connect(peer, &QTcpSocket::readyRead, [this] { received += peer->readAll(); });
        });
    }
    QString Port() const { return QString::number(server_.serverPort()); }
    void Send(const QByteArray& bytes) {
        peer->write(bytes);
        peer->flush();
    }
    // Waits until the bytes received so far end with what is expected, then compares them all.
    bool Received(const QByteArray& expected) {
        return QTest::qWaitFor([&] { return received.size() >= expected.size(); }, 5000) &&
               received == expected;
    }

    QPointer<QTcpSocket> peer;
    QByteArray received;

  private:
    QTcpServer server_;
};

// A modal window that nobody answers would keep the test inside its loop for ever: once one has
// stood unanswered for a few seconds, the test fails and the window is closed.
class ModalWatchdog {
  public:
    explicit ModalWatchdog(int limitMs) {
        QObject::connect(&timer_, &QTimer::timeout, [this, limitMs] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr || !modal->isVisible()) {
                seen_ = nullptr;
                return;
            }
            if (modal != seen_) {
                seen_ = modal;
                since_.start();
                return;
            }
            if (since_.elapsed() < limitMs) return;
            ADD_FAILURE() << "nobody answered the modal window " << modal->objectName().toStdString() << " \""
                          << modal->windowTitle().toStdString() << '"';
            seen_ = nullptr;
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->done(QDialog::Rejected);
            else
                modal->close();
        });
        timer_.start(50);
    }

  private:
    QTimer timer_;
    QPointer<QWidget> seen_;
    QElapsedTimer since_;
};

// A clock that stands still until the test moves it: Sat Dec 05 14:03:09 2026.
class FixedClock : public orv::Clock {
  public:
    orv::LocalTime Now() const override { return now; }
    orv::LocalTime now{2026, 12, 5, 14, 3, 9, 6};
};

// A real main window and connection dialog, as the program creates them. Each test starts in a
// working folder of its own (StartDir, where the day logs go) with a settings folder of its own.
class UiTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(ConfigDir()));
        startedIn = QDir::currentPath();
        QDir::setCurrent(home.path());
        watchdog = std::make_unique<ModalWatchdog>(5000);
        Start();
    }
    void TearDown() override {
        Stop();
        watchdog.reset();
        QDir::setCurrent(startedIn);
    }

    // The program's start-up and shutdown: the main window, then the dialogs, then shown; at
    // exit the dialogs go first.
    void Start() {
        form = std::make_unique<TMainForm>(clock);
        CreateForms();
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
    void Store(const char* name, std::uint32_t value) const {
        ASSERT_FALSE(Settings().WriteDword(name, value));
    }
    void Store(const char* name, const std::string& text) const {
        ASSERT_FALSE(Settings().WriteText(name, text));
    }

    // Answers the next modal window that shows (of the given object name, when one is given) once
    // the command that opens it runs its loop; the answer closes it.
    static void WhenModal(const QString& name, std::function<void(QWidget*)> answer) {
        auto* poll = new QTimer(qApp);
        auto deadline = std::make_shared<QDeadlineTimer>(10000);
        QObject::connect(poll, &QTimer::timeout, [poll, name, deadline, answer = std::move(answer)] {
            if (deadline->hasExpired()) { // a command that never asked must not answer a later one
                poll->stop();
                poll->deleteLater();
                ADD_FAILURE() << "no modal window " << name.toStdString();
                return;
            }
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr || !modal->isVisible() || (!name.isEmpty() && modal->objectName() != name))
                return;
            poll->stop();
            poll->deleteLater();
            answer(modal);
        });
        poll->start(5);
    }

    template <class T> T* Find(const char* name) const {
        T* found = form->findChild<T*>(QLatin1String(name));
        if (found == nullptr) ADD_FAILURE() << "no " << name;
        return found;
    }
    QAction* Action(const char* name) const { return Find<QAction>(name); }
    QString Status() const { return Find<QLabel>("StatusPanel0")->text(); }
    QString Total() const { return Find<QLabel>("TotalPanel")->text(); }

    // Chooses Connect > Log On; once the dialog shows, fill sets its boxes (and may check them),
    // then Connect or Cancel closes it. Given a port, the host is 127.0.0.1 before fill runs.
    void LogOnWith(std::function<void(TTCPIPForm&)> fill, bool confirm = true) {
        auto* answer = new QTimer(form.get());
        QObject::connect(answer, &QTimer::timeout, [answer, fill = std::move(fill), confirm] {
            if (TCPIPForm == nullptr || !TCPIPForm->isVisible()) return;
            answer->stop();
            answer->deleteLater();
            fill(*TCPIPForm);
            QTest::mouseClick(confirm ? TCPIPForm->OKBtn : TCPIPForm->CancelBtn, Qt::LeftButton);
        });
        answer->start(0);
        Action("LogontoOrv")->trigger();
    }
    void LogOnWith(const QString& port, bool confirm = true, std::function<void(TTCPIPForm&)> fill = {}) {
        LogOnWith(
            [port, fill](TTCPIPForm& dialog) {
                dialog.HostEdit->setText(QStringLiteral("127.0.0.1"));
                dialog.PortEdit->setText(port);
                if (fill) fill(dialog);
            },
            confirm);
    }
    // Logs on to the server and waits until both ends have the connection.
    void Connect(ScriptServer& server, std::function<void(TTCPIPForm&)> fill = {}) {
        LogOnWith(server.Port(), true, std::move(fill));
        WaitConnected(server);
    }
    void WaitConnected(ScriptServer& server) const {
        ASSERT_TRUE(QTest::qWaitFor([&] { return server.peer != nullptr && Status() == "Connected"; }, 5000));
    }

    // Output's lines, one per block, after the pane has caught up with the model.
    QStringList Lines() const {
        form->SyncOutput();
        QStringList lines;
        for (QTextBlock block = Output->document()->begin(); block.isValid(); block = block.next())
            lines << block.text();
        return lines;
    }
    QStringList LastLines(qsizetype n) const {
        return Lines().mid(std::max<qsizetype>(0, Lines().size() - n));
    }

    // The player list's rows, top to bottom.
    QStringList Rows() const {
        auto* list = Find<QListWidget>("PlayerList");
        QStringList rows;
        for (int i = 0; i < list->count(); ++i)
            rows << list->item(i)->text();
        return rows;
    }
    QPoint RowCentre(const QString& name) const {
        auto* list = Find<QListWidget>("PlayerList");
        const QList<QListWidgetItem*> found = list->findItems(name, Qt::MatchExactly);
        if (found.isEmpty()) {
            ADD_FAILURE() << "no row " << name.toStdString();
            return {};
        }
        return list->visualItemRect(found.front()).center();
    }
    // A right-click on the player list as the desktop delivers it, the press and then the request
    // for a context menu; returns the popup menu once it shows.
    QMenu* OpenPlayerPopup(QPoint at) const {
        QWidget* viewport = Find<QListWidget>("PlayerList")->viewport();
        QTest::mouseClick(viewport, Qt::RightButton, {}, at);
        QContextMenuEvent request(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
        QApplication::sendEvent(viewport, &request);
        auto* popup = Find<QMenu>("Popup");
        EXPECT_TRUE(QTest::qWaitFor([popup] { return popup->isVisible(); }, 5000));
        return popup;
    }
    static void ChooseFromPopup(QMenu* popup, QAction* item) {
        const QPoint at = popup->actionGeometry(item).center();
        QTest::mouseMove(popup, at);
        QTest::mouseClick(popup, Qt::LeftButton, {}, at);
    }

    QTemporaryDir home;
    QString startedIn;
    std::unique_ptr<ModalWatchdog> watchdog;
    FixedClock clock;
    std::unique_ptr<TMainForm> form;
    QPlainTextEdit* Output = nullptr;
    QPlainTextEdit* Input = nullptr;
};
