#pragma once

#include <QByteArray>
#include <QString>
#include <QTcpServer>

// An HTTP server on 127.0.0.1 that answers every request with one canned
// response and records what it was asked. It runs in the test's thread: the
// download's wait keeps the message loop running, which lets it answer.
class CannedHttpServer
{
public:
    explicit CannedHttpServer(QByteArray response);

    // A response with a correct Content-Length.
    static QByteArray ok(const QByteArray &body);

    QString host() const;    // "127.0.0.1:port", for TARNEK_UPDATE_SERVER
    QString address() const; // the manifest's address on this server
    QByteArray request() const { return m_request; }
    int requestCount() const { return m_requests; }

private:
    QTcpServer m_server;
    QByteArray m_response;
    QByteArray m_request;
    int m_requests = 0;
};
