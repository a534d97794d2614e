#include "CannedHttpServer.h"

#include <QTcpSocket>

#include <gtest/gtest.h>

CannedHttpServer::CannedHttpServer(QByteArray response) : m_response(std::move(response))
{
    QObject::connect(&m_server, &QTcpServer::newConnection, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            ++m_requests;
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                m_request += socket->readAll();
                if (!m_request.contains("\r\n\r\n"))
                    return;
                socket->write(m_response);
                socket->disconnectFromHost();
            });
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    EXPECT_TRUE(m_server.listen(QHostAddress::LocalHost));
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
