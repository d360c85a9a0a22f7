#include "ui/SocketAdapter.h"

#include "ui/Codepage.h"

#include <QTcpSocket>

namespace orv::ui {

namespace {
// Enough for a burst; past it the socket stops reading from the network until the client catches up.
constexpr qint64 ReadBufferSize = 1 << 20;
} // namespace

SocketAdapter::SocketAdapter(QObject* parent) : QObject(parent), socket_(MakeSocket()) {
    readMore_.setSingleShot(true);
    readMore_.setInterval(0);
    clock_.start();
}

QTcpSocket* SocketAdapter::MakeSocket() {
    auto* socket = new QTcpSocket(this);
    socket->setObjectName(QStringLiteral("CliSocket"));
    socket->setReadBufferSize(ReadBufferSize);
    // Whichever socket is current when a notification is wired, the connection hears of it only
    // while that socket carries its link.
    connect(socket, &QTcpSocket::connected, this, [this] {
        if (connection_ != nullptr) connection_->Connected();
    });
    connect(socket, &QTcpSocket::disconnected, this, [this] {
        if (connection_ != nullptr) connection_->Disconnected();
    });
    connect(socket, &QTcpSocket::readyRead, this, [this] {
        if (connection_ != nullptr) connection_->ReadyRead();
    });
    connect(socket, &QTcpSocket::errorOccurred, this, [this] {
        if (connection_ != nullptr) connection_->Failed();
    });
    return socket;
}

void SocketAdapter::Attach(orv::Connection& connection) {
    connection_ = &connection;
    connect(&readMore_, &QTimer::timeout, this, [this] {
        if (connection_ != nullptr) connection_->ReadyRead();
    });
}

void SocketAdapter::Detach() {
    socket_->disconnect(this);
    readMore_.disconnect(this);
    connection_ = nullptr;
}

void SocketAdapter::Open(const std::string& host, unsigned short port) {
    if (socket_->state() != QAbstractSocket::UnconnectedState) {
        // Still sending the last link's final bytes (a "quit", say): let it finish unheard.
        QTcpSocket* old = socket_;
        old->disconnect(this);
        connect(old, &QTcpSocket::disconnected, old, &QObject::deleteLater);
        connect(old, &QTcpSocket::errorOccurred, old, &QObject::deleteLater);
        socket_ = MakeSocket();
    }
    socket_->connectToHost(DecodeCp1252(host), port);
}

void SocketAdapter::Close() {
    // Hand queued commands (a "quit", say) to the network before closing.
    if (socket_->state() == QAbstractSocket::ConnectedState) socket_->flush();
    socket_->close();
}

void SocketAdapter::Abort() {
    socket_->abort();
}

bool SocketAdapter::IsActive() const {
    return socket_->state() != QAbstractSocket::UnconnectedState;
}

bool SocketAdapter::IsConnected() const {
    return socket_->state() == QAbstractSocket::ConnectedState;
}

std::size_t SocketAdapter::BytesAvailable() const {
    return static_cast<std::size_t>(socket_->bytesAvailable());
}

std::size_t SocketAdapter::Read(char* into, std::size_t max) {
    const qint64 n = socket_->read(into, static_cast<qint64>(max));
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

void SocketAdapter::Write(std::string_view bytes) {
    socket_->write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::size_t SocketAdapter::BytesQueued() const {
    return static_cast<std::size_t>(socket_->bytesToWrite());
}

void SocketAdapter::ReadLater() {
    if (!readMore_.isActive()) readMore_.start();
}

} // namespace orv::ui
