#pragma once

#include "Main.h"
#include "RegFile.h"
#include "Tcp.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
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
        Start();
    }
    void TearDown() override {
        Stop();
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
    orv::RegValue Stored(const char* name) const {
        return orv::RegFile(QFile::encodeName(SettingsPath()).toStdString()).Read(name);
    }
    void Store(const char* name, std::uint32_t value) const {
        ASSERT_FALSE(orv::RegFile(QFile::encodeName(SettingsPath()).toStdString()).WriteDword(name, value));
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

    // Chooses Connect > Log On and answers the dialog with host and port (or cancels it).
    void LogOn(const QString& host, const QString& port, bool confirm = true) {
        auto* answer = new QTimer(form.get());
        QObject::connect(answer, &QTimer::timeout, [answer, host, port, confirm] {
            if (TCPIPForm == nullptr || !TCPIPForm->isVisible()) return;
            answer->deleteLater();
            TCPIPForm->findChild<QLineEdit*>(QStringLiteral("HostEdit"))->setText(host);
            TCPIPForm->findChild<QLineEdit*>(QStringLiteral("PortEdit"))->setText(port);
            const char* button = confirm ? "OKBtn" : "CancelBtn";
            QTest::mouseClick(TCPIPForm->findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
        });
        answer->start(0);
        Action("LogontoOrv")->trigger();
    }
    // Logs on to the server and waits until both ends have the connection.
    void Connect(ScriptServer& server) {
        LogOn(QStringLiteral("127.0.0.1"), server.Port());
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

    QTemporaryDir home;
    QString startedIn;
    FixedClock clock;
    std::unique_ptr<TMainForm> form;
    QPlainTextEdit* Output = nullptr;
    QPlainTextEdit* Input = nullptr;
};
