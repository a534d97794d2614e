#include "CannedHttpServer.h"

#include <QTcpSocket>
#include <QTimer>

#include <gtest/gtest.h>

CannedHttpServer::CannedHttpServer(QByteArray response, Stream stream)
    : m_response(std::move(response)), m_stream(std::move(stream))
{
    QObject::connect(&m_server, &QTcpServer::newConnection, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            ++m_requests;
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                m_request += socket->readAll();
                if (socket->property("answered").toBool() || !m_request.contains("\r\n\r\n"))
                    return;
                socket->setProperty("answered", true);
                answer(socket);
            });
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    EXPECT_TRUE(m_server.listen(QHostAddress::LocalHost));
}

void CannedHttpServer::answer(QTcpSocket *socket)
{
    socket->write(m_response);
    if (m_stream.chunk.isEmpty() || m_stream.maxBytes <= 0) {
        socket->disconnectFromHost();
        return;
    }
    // Each chunk goes out when the previous one has left (and the interval
    // has passed), so the server never buffers more than one chunk.
    auto *timer = new QTimer(socket);
    timer->setSingleShot(true);
    timer->setInterval(m_stream.intervalMs);
    qint64 sent = 0;
    QObject::connect(timer, &QTimer::timeout, socket, [this, socket, sent]() mutable {
        if (socket->state() != QAbstractSocket::ConnectedState)
            return;
        if (sent >= m_stream.maxBytes) {
            socket->disconnectFromHost();
            return;
        }
        const QByteArray chunk = m_stream.chunk.left(m_stream.maxBytes - sent);
        socket->write(chunk);
        sent += chunk.size();
        m_streamed += chunk.size();
    });
    QObject::connect(socket, &QTcpSocket::bytesWritten, timer, [socket, timer] {
        if (socket->bytesToWrite() == 0)
            timer->start();
    });
}

QByteArray CannedHttpServer::ok(const QByteArray &body)
{
    return "HTTP/1.0 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

QString CannedHttpServer::host() const
{
    return QStringLiteral("127.0.0.1:%1").arg(m_server.serverPort());
}

QString CannedHttpServer::address() const
{
    return QStringLiteral("http://") + host() + QStringLiteral("/download/velmarver.dat");
}
