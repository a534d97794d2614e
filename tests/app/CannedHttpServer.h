#pragma once

#include <QByteArray>
#include <QString>
#include <QTcpServer>

// An HTTP server on 127.0.0.1 that answers every request with one canned
// response and records what it was asked. It runs in the test's thread: the
// download's wait keeps the message loop running, which lets it answer.
//
// After the response it can go on sending a stream: a chunk every
// `intervalMs` (0: as soon as the previous one has left), until `maxBytes`
// have gone or the client hung up. That makes a slow, an endless or an
// oversized answer; `maxBytes` keeps every one of them finite.
struct CannedHttpStream
{
    QByteArray chunk;
    int intervalMs = 0;
    qint64 maxBytes = 0;
};

class CannedHttpServer
{
public:
    using Stream = CannedHttpStream;

    explicit CannedHttpServer(QByteArray response, Stream stream = {});

    // A response with a correct Content-Length.
    static QByteArray ok(const QByteArray &body);

    QString host() const;    // "127.0.0.1:port", for TARNEK_UPDATE_SERVER
    QString address() const; // the manifest's address on this server
    QByteArray request() const { return m_request; }
    int requestCount() const { return m_requests; }
    // Bytes of the stream sent so far (over all connections).
    qint64 streamed() const { return m_streamed; }

private:
    void answer(QTcpSocket *socket);

    QTcpServer m_server;
    QByteArray m_response;
    Stream m_stream;
    QByteArray m_request;
    int m_requests = 0;
    qint64 m_streamed = 0;
};
