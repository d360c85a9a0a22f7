#include "DemoServer.h"

#include "Session.h"

#include <QTcpSocket>

#include <random>

namespace orvdemo {

namespace {
// Enough for any burst of commands; beyond it the kernel holds the client back instead of our memory.
constexpr qint64 kReadBufferSize = 64 * 1024;
} // namespace

DemoServer::DemoServer(const Options& options, QObject* parent)
    : QObject(parent), options_(options), world_(options.seed) {
    world_.populate(options_.players);
    connect(&server_, &QTcpServer::newConnection, this, &DemoServer::accept);
    activity_.setSingleShot(true);
    connect(&activity_, &QTimer::timeout, this, [this] {
        world_.stepActivity(options_.players);
        scheduleActivity();
    });
    scheduleActivity();
}

DemoServer::~DemoServer() {
    // The sockets die with server_ and signal as they go; nobody is left to hear a departure.
    for (auto& entry : clients_)
        entry.first->disconnect(this);
    clients_.clear();
}

bool DemoServer::listen(const QHostAddress& address, quint16 port) {
    return server_.listen(address, port);
}

void DemoServer::dropAll() {
    for (auto& entry : clients_)
        cut(entry.first);
}

void DemoServer::cut(QTcpSocket* socket) {
    emit logMessage(clients_.at(socket)->peer + " cut off");
    QMetaObject::invokeMethod(
        socket,
        [this, socket] {
            socket->abort();
            drop(socket);
        },
        Qt::QueuedConnection);
}

void DemoServer::accept() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        const QString peer = socket->peerAddress().toString() + ':' + QString::number(socket->peerPort());
        if (clientCount() >= options_.maxClients) {
            socket->write("Orvanta is full. Please try again later.\r\n");
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            socket->disconnectFromHost();
            emit logMessage(peer + " turned away: server full");
            continue;
        }
        socket->setReadBufferSize(kReadBufferSize);
        auto client = std::make_unique<Client>();
        Client* c = client.get();
        c->peer = peer;
        c->session = std::make_unique<Session>(
            world_, [this, socket, c](std::string_view bytes) { writeTo(socket, *c, bytes); },
            // Queued, so that the session is never torn down inside one of its own calls.
            [socket] {
                QMetaObject::invokeMethod(
                    socket, [socket] { socket->disconnectFromHost(); }, Qt::QueuedConnection);
            });
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readFrom(socket); });
        // Queued: a socket can signal its end from inside a write, that is inside a session's call.
        connect(
            socket, &QTcpSocket::disconnected, this, [this, socket] { drop(socket); }, Qt::QueuedConnection);
        clients_.emplace(socket, std::move(client));
        emit logMessage(peer + " connected");
        c->session->start();
        if (options_.dropAfterMs > 0)
            QTimer::singleShot(options_.dropAfterMs, socket, [this, socket] {
                if (clients_.contains(socket)) cut(socket);
            });
        if (socket->state() == QAbstractSocket::UnconnectedState) drop(socket); // gone before we looked
    }
}

void DemoServer::readFrom(QTcpSocket* socket) {
    auto it = clients_.find(socket);
    if (it == clients_.end()) return;
    const QByteArray data = socket->readAll();
    it->second->session->receive(std::string_view(data.constData(), static_cast<std::size_t>(data.size())));
}

void DemoServer::writeTo(QTcpSocket* socket, Client& client, std::string_view bytes) {
    if (client.dropping || socket->state() != QAbstractSocket::ConnectedState) return;
    socket->write(bytes.data(), static_cast<qint64>(bytes.size()));
    // Qt sends from the event loop, so a burst of answers piles up here first; only what the kernel
    // will not take either counts as unread.
    if (socket->bytesToWrite() > options_.maxPendingOutput) socket->flush();
    if (socket->bytesToWrite() <= options_.maxPendingOutput) return;
    // The client stopped reading; its backlog must not grow without bound.
    client.dropping = true;
    emit logMessage(client.peer + " dropped: not reading its output");
    cut(socket);
}

void DemoServer::drop(QTcpSocket* socket) {
    auto it = clients_.find(socket);
    if (it == clients_.end()) return;
    const std::unique_ptr<Client> client = std::move(it->second);
    clients_.erase(it);
    socket->disconnect(this);
    socket->deleteLater();
    client->session->hangUp();
    emit logMessage(client->peer + " disconnected");
}

void DemoServer::scheduleActivity() {
    if (options_.activityMs <= 0) return;
    const int mean = options_.activityMs;
    activity_.start(std::uniform_int_distribution<int>(mean / 2, mean + mean / 2)(world_.random()));
}

} // namespace orvdemo
