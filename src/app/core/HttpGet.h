#pragma once

#include <QString>

#include <functional>

// Downloads one file with an HTTP/1.0 GET (user agent "Kovix HTTPGet",
// "Accept: */*", caching disabled). The transfer runs on a worker thread; the
// calling (user-interface) thread waits in its message loop, so windows stay
// painted. The download succeeds only when the server answered 2xx with a
// Content-Length and exactly that many bytes arrived; anything else is an
// error.
//
// The files fetched this way are a few hundred bytes (the version manifest),
// so the body is bounded (64 KiB) and kept in memory until it is whole; only
// then is the file written, in blocks of up to 1025 bytes. A failure leaves
// no file behind. The whole exchange, connecting included, is bounded in
// time (30 s): a server that trickles its answer cannot keep the user
// waiting longer. The caller can also end the wait (the user closed the
// wizard); between connecting and the end of the answer it ends within a
// fraction of a second.
struct HttpGetLimits
{
    qint64 maxBytes = 64 * 1024;
    int totalMs = 30000;
};

class HTTPGet
{
public:
    struct Result
    {
        bool ok = false;
        QString error; // what went wrong, for diagnostics; the caller shows its own message
        bool cancelled = false;
    };

    using Limits = HttpGetLimits;

    // Polled in the wait; true ends the download as a failure.
    using CancelCheck = std::function<bool()>;

    // `address`: "http://host[:port]/path".
    static Result downloadFile(const QString &address, const QString &localPath, const CancelCheck &cancelled = {},
                               const Limits &limits = {});

    static constexpr int kBlockSize = 1025;
};
