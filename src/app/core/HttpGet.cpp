#include "app/core/HttpGet.h"

#include "common/FileNames.h"
#include "common/UiSeam.h"

#include <QFile>
#include <QTcpSocket>
#include <QThread>
#include <QUrl>

#include <atomic>
#include <memory>
#include <optional>

namespace {

// The blocking transfer, run on the worker thread.
HTTPGet::Result transfer(const QUrl &url, const QString &localPath)
{
    const auto fail = [](const QString &why) { return HTTPGet::Result{false, why}; };
    if (!url.isValid() || url.scheme() != QStringLiteral("http") || url.host().isEmpty())
        return fail(QStringLiteral("invalid address"));

    QTcpSocket socket;
    socket.connectToHost(url.host(), quint16(url.port(80)));
    if (!socket.waitForConnected(HTTPGet::kTimeoutMs))
        return fail(socket.errorString());

    // The port belongs in the Host header whenever it is not HTTP's own.
    const QString host = url.port(80) == 80 ? url.host() : url.host() + u':' + QString::number(url.port());
    const QString path = url.path(QUrl::FullyEncoded).isEmpty() ? QStringLiteral("/") : url.path(QUrl::FullyEncoded);
    const QByteArray request = QByteArrayLiteral("GET ") + path.toLatin1() + QByteArrayLiteral(" HTTP/1.0\r\n") +
                               QByteArrayLiteral("Host: ") + host.toLatin1() + QByteArrayLiteral("\r\n") +
                               QByteArrayLiteral("User-Agent: Kovix HTTPGet\r\n") +
                               QByteArrayLiteral("Accept: */*\r\n") + QByteArrayLiteral("Pragma: no-cache\r\n") +
                               QByteArrayLiteral("Cache-Control: no-cache\r\n\r\n");
    socket.write(request);
    if (!socket.waitForBytesWritten(HTTPGet::kTimeoutMs))
        return fail(socket.errorString());

    // Status line and headers.
    QByteArray head;
    while (!head.contains("\r\n\r\n")) {
        if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(HTTPGet::kTimeoutMs))
            return fail(QStringLiteral("no response"));
        head += socket.read(4096);
        if (head.size() > qsizetype(64) * 1024)
            return fail(QStringLiteral("response header too long"));
    }
    const qsizetype headerEnd = head.indexOf("\r\n\r\n");
    QByteArray body = head.mid(headerEnd + 4);
    const QList<QByteArray> lines = head.left(headerEnd).split('\n');
    const QList<QByteArray> status = lines.value(0).trimmed().split(' ');
    if (status.size() < 2 || !status.at(0).startsWith("HTTP/"))
        return fail(QStringLiteral("not an HTTP response"));
    const int code = status.at(1).toInt();
    if (code < 200 || code > 299)
        return fail(QStringLiteral("HTTP status %1").arg(code));
    std::optional<qint64> contentLength;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().compare("Content-Length", Qt::CaseInsensitive) == 0) {
            bool ok = false;
            const qint64 length = line.mid(colon + 1).trimmed().toLongLong(&ok);
            if (ok && length >= 0)
                contentLength = length;
        }
    }

    QFile file(localPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fail(file.errorString());
    qint64 received = 0;
    const auto writeBlocks = [&](const QByteArray &data) {
        for (qsizetype at = 0; at < data.size(); at += HTTPGet::kBlockSize) {
            const QByteArray block = data.mid(at, HTTPGet::kBlockSize);
            if (file.write(block) != block.size())
                return false;
            received += block.size();
        }
        return true;
    };
    if (!writeBlocks(body))
        return fail(file.errorString());
    // HTTP/1.0: the body ends when the server closes the connection.
    while (socket.state() == QAbstractSocket::ConnectedState || socket.bytesAvailable() > 0) {
        if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(HTTPGet::kTimeoutMs))
            break;
        if (!writeBlocks(socket.read(HTTPGet::kBlockSize)))
            return fail(file.errorString());
    }
    file.close();

    if (!contentLength)
        return fail(QStringLiteral("no Content-Length"));
    if (received != *contentLength)
        return fail(QStringLiteral("received %1 of %2 bytes").arg(received).arg(*contentLength));
    return {true, QString()};
}

} // namespace

HTTPGet::Result HTTPGet::downloadFile(const QString &address, const QString &localPath)
{
    auto result = std::make_shared<Result>();
    auto finished = std::make_shared<std::atomic_bool>(false);
    const QUrl url(address);
    // The target lies in the host's tree, spelt as the host spells it.
    const QString target = FileNames::resolve(localPath);
    std::unique_ptr<QThread> worker(QThread::create([=] {
        *result = transfer(url, target);
        finished->store(true);
    }));
    worker->start();
    // Keep the message loop running until the worker is done.
    while (!finished->load()) {
        ui().processEvents();
        worker->wait(10);
    }
    worker->wait();
    return *result;
}
