#pragma once

#include "World.h"

#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <QTimer>

#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>

class QTcpSocket;

namespace orvdemo {

class Session;

// The game on a TCP port: a Session per connection, and simulated players who arrive and leave on a
// randomised timer. Listen on port 0 to be given a free one (tests do).
class DemoServer : public QObject {
    Q_OBJECT

  public:
    struct Options {
        int players = 40;                          // simulated players on line at start
        std::uint32_t seed = 1;                    // for names, ranks and the timer
        int activityMs = 4000;                     // mean time between arrivals and departures; 0: none
        qint64 maxPendingOutput = 4 * 1024 * 1024; // a client that lets more pile up unread is dropped
        int maxClients = 512;                      // beyond this a newcomer is told to come back later
        int dropAfterMs = 0;                       // each link is cut this long after it opened; 0: never
    };

    explicit DemoServer(const Options& options, QObject* parent = nullptr);
    ~DemoServer() override;

    bool listen(const QHostAddress& address, quint16 port);
    quint16 port() const { return server_.serverPort(); }
    QString errorString() const { return server_.errorString(); }

    int clientCount() const { return static_cast<int>(clients_.size()); }
    int playersOnline() const { return static_cast<int>(world_.online().size()); }

    // Cuts every link from the server's side, as a network failure or a crash would.
    void dropAll();

  signals:
    void logMessage(const QString& text);

  private:
    struct Client {
        std::unique_ptr<Session> session;
        QString peer;
        bool dropping = false;
    };

    void accept();
    void readFrom(QTcpSocket* socket);
    void writeTo(QTcpSocket* socket, Client& client, std::string_view bytes);
    void drop(QTcpSocket* socket);
    // Aborts the link once the current call is over, then drops the client.
    void cut(QTcpSocket* socket);
    void scheduleActivity();

    Options options_;
    World world_;
    QTcpServer server_;
    QTimer activity_;
    std::unordered_map<QTcpSocket*, std::unique_ptr<Client>> clients_;
};

} // namespace orvdemo
