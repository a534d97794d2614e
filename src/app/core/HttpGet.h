#pragma once

#include <QString>

// Downloads one file with an HTTP/1.0 GET (user agent "Kovix HTTPGet",
// "Accept: */*", caching disabled). The transfer runs on a worker thread; the
// calling (user-interface) thread waits in its message loop, so windows stay
// painted. The body is written in blocks of up to 1025 bytes. The download
// succeeds only when the server answered 2xx with a Content-Length and exactly
// that many bytes arrived; anything else is an error (the partial file may
// stay; the next download overwrites it).
class HTTPGet
{
public:
    struct Result
    {
        bool ok = false;
        QString error; // what went wrong, for diagnostics; the caller shows its own message
    };

    // `address`: "http://host[:port]/path".
    static Result downloadFile(const QString &address, const QString &localPath);

    static constexpr int kBlockSize = 1025;
    static constexpr int kTimeoutMs = 30000;
};
