#pragma once

#include "session/Connection.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class QTcpSocket;

namespace orv::ui {

// The connection's socket and clock over QTcpSocket: forwards the socket's notifications to the
// connection and continues a long read from a zero-time timer. A link opened while the last one is
// still sending its final bytes gets a new socket; the old one finishes on its own.
class SocketAdapter final : public QObject, public orv::LinkSocket, public orv::MonotonicClock {
  public:
    explicit SocketAdapter(QObject* parent);
    // Notifications go to connection from now on.
    void Attach(orv::Connection& connection);
    // The socket of the current link; a link still closing from before has one of its own.
    // Notifications raised while the window is torn down go nowhere.
    void Detach();
    QTcpSocket* Socket() const { return socket_; }

    void Open(const std::string& host, unsigned short port) override;
    void Close() override;
    void Abort() override;
    bool IsActive() const override;
    bool IsConnected() const override;
    std::size_t BytesAvailable() const override;
    std::size_t Read(char* into, std::size_t max) override;
    void Write(std::string_view bytes) override;
    std::size_t BytesQueued() const override;
    void ReadLater() override;

    std::int64_t NowMs() const override { return clock_.elapsed(); }

  private:
    QTcpSocket* MakeSocket();

    QTcpSocket* socket_;
    orv::Connection* connection_ = nullptr;
    QTimer readMore_;
    QElapsedTimer clock_;
};

} // namespace orv::ui
