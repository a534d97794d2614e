#include "app/core/HttpGet.h"

#include "common/FileNames.h"
#include "common/UiSeam.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTcpSocket>
#include <QThread>
#include <QUrl>

#include <algorithm>
#include <atomic>
#include <memory>
#include <optional>

namespace {

constexpr int kPollMs = 100; // how soon the worker notices the end of the wait

// The blocking transfer, run on the worker thread. The body, on success.
HTTPGet::Result transfer(const QUrl &url, const HTTPGet::Limits &limits, const std::atomic_bool &abort,
                         QByteArray *body)
{
    const auto fail = [](const QString &why) { return HTTPGet::Result{false, why}; };
    if (!url.isValid() || url.scheme() != QStringLiteral("http") || url.host().isEmpty())
        return fail(QStringLiteral("invalid address"));
    const QDeadlineTimer deadline(limits.totalMs);

    // Connecting is one wait (an interrupted attempt cannot be resumed), bounded
    // by the whole exchange's time.
    QTcpSocket socket;
    socket.connectToHost(url.host(), quint16(url.port(80)));
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        return fail(socket.errorString());

    // Waits in short steps so that the deadline and the caller's end of the
    // wait are noticed; false when neither more data nor the end came in time.
    QString stopped;
    const auto waitForData = [&] {
        while (!abort.load() && !deadline.hasExpired()) {
            if (socket.waitForReadyRead(int(std::min<qint64>(kPollMs, deadline.remainingTime()))))
                return true;
            if (socket.state() != QAbstractSocket::ConnectedState)
                return false;
        }
        stopped = abort.load() ? QStringLiteral("cancelled") : QStringLiteral("timed out");
        return false;
    };

    // The port belongs in the Host header whenever it is not HTTP's own.
    const QString host = url.port(80) == 80 ? url.host() : url.host() + u':' + QString::number(url.port());
    const QString path = url.path(QUrl::FullyEncoded).isEmpty() ? QStringLiteral("/") : url.path(QUrl::FullyEncoded);
    const QByteArray request = QByteArrayLiteral("GET ") + path.toLatin1() + QByteArrayLiteral(" HTTP/1.0\r\n") +
                               QByteArrayLiteral("Host: ") + host.toLatin1() + QByteArrayLiteral("\r\n") +
                               QByteArrayLiteral("User-Agent: Kovix HTTPGet\r\n") +
                               QByteArrayLiteral("Accept: */*\r\n") + QByteArrayLiteral("Pragma: no-cache\r\n") +
                               QByteArrayLiteral("Cache-Control: no-cache\r\n\r\n");
    socket.write(request);
    if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
        return fail(socket.errorString());

    // Status line and headers.
    QByteArray head;
    while (!head.contains("\r\n\r\n")) {
        if (socket.bytesAvailable() == 0 && !waitForData())
            return fail(stopped.isEmpty() ? QStringLiteral("no response") : stopped);
        head += socket.read(4096);
        if (head.size() > qsizetype(64) * 1024)
            return fail(QStringLiteral("response header too long"));
    }
    const qsizetype headerEnd = head.indexOf("\r\n\r\n");
    QByteArray received = head.mid(headerEnd + 4);
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
    const QString tooLong = QStringLiteral("answer longer than %1 bytes").arg(limits.maxBytes);
    if (contentLength && *contentLength > limits.maxBytes)
        return fail(tooLong);

    // HTTP/1.0: the body ends when the server closes the connection.
    while (socket.state() == QAbstractSocket::ConnectedState || socket.bytesAvailable() > 0) {
        if (received.size() > limits.maxBytes)
            return fail(tooLong);
        if (socket.bytesAvailable() == 0 && !waitForData()) {
            if (!stopped.isEmpty())
                return fail(stopped);
            break;
        }
        received += socket.read(limits.maxBytes + 1 - received.size());
    }
    if (received.size() > limits.maxBytes)
        return fail(tooLong);
    if (!contentLength)
        return fail(QStringLiteral("no Content-Length"));
    if (received.size() != *contentLength)
        return fail(QStringLiteral("received %1 of %2 bytes").arg(received.size()).arg(*contentLength));
    *body = received;
    return {true, QString()};
}

HTTPGet::Result writeFile(const QString &localPath, const QByteArray &body)
{
    QFile file(localPath);
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    for (qsizetype at = 0; written && at < body.size(); at += HTTPGet::kBlockSize) {
        const QByteArray block = body.mid(at, HTTPGet::kBlockSize);
        written = file.write(block) == block.size();
    }
    written = written && file.flush();
    if (!written) {
        const QString why = file.errorString();
        file.close();
        QFile::remove(localPath);
        return {false, why};
    }
    return {true, QString()};
}

} // namespace

HTTPGet::Result HTTPGet::downloadFile(const QString &address, const QString &localPath, const CancelCheck &cancelled,
                                      const Limits &limits)
{
    auto result = std::make_shared<Result>();
    auto finished = std::make_shared<std::atomic_bool>(false);
    auto abort = std::make_shared<std::atomic_bool>(false);
    const QUrl url(address);
    // The target lies in the host's tree, spelt as the host spells it.
    const QString target = FileNames::resolve(localPath);
    std::unique_ptr<QThread> worker(QThread::create([=] {
        QByteArray body;
        *result = transfer(url, limits, *abort, &body);
        if (result->ok)
            *result = writeFile(target, body);
        finished->store(true);
    }));
    worker->start();
    // Keep the message loop running until the worker is done.
    while (!finished->load()) {
        ui().processEvents();
        if (cancelled && !abort->load() && cancelled())
            abort->store(true);
        worker->wait(10);
    }
    worker->wait();
    result->cancelled = abort->load() && !result->ok;
    return *result;
}
