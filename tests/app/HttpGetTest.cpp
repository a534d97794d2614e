// The manifest download against a real HTTP server on 127.0.0.1.

#include "app/core/HttpGet.h"

#include "CannedHttpServer.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray manifest(const QByteArray &version)
{
    return "[TARNEK]\r\nVER=" + version + "\r\n";
}

class HttpGetTest : public testing::Test
{
protected:
    QString localPath() const { return m_dir.filePath(u"velmarver.dat"_s); }
    QByteArray localContent() const
    {
        QFile f(localPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTemporaryDir m_dir;
};

TEST_F(HttpGetTest, DownloadsTheBodyAndSendsTheHostsHeaders)
{
    const QByteArray body = manifest("2.15");
    CannedHttpServer server(CannedHttpServer::ok(body));
    const HTTPGet::Result result = HTTPGet::downloadFile(server.address(), localPath());
    EXPECT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(localContent(), body);
    const QByteArray request = server.request();
    EXPECT_TRUE(request.startsWith("GET /download/velmarver.dat HTTP/1.0\r\n")) << request.toStdString();
    EXPECT_TRUE(request.contains("\r\nUser-Agent: Kovix HTTPGet\r\n"));
    EXPECT_TRUE(request.contains("\r\nAccept: */*\r\n"));
    EXPECT_TRUE(request.contains("\r\nPragma: no-cache\r\n"));
    // The test server listens on another port than 80, so the Host header names it.
    EXPECT_TRUE(request.contains(QByteArray("\r\nHost: " + server.host().toLatin1() + "\r\n")))
        << request.toStdString();
}

TEST_F(HttpGetTest, BodiesLongerThanOneBlockArriveWhole)
{
    QByteArray body;
    for (int i = 0; body.size() < 5 * HTTPGet::kBlockSize + 17; ++i)
        body += QByteArray::number(i) + ',';
    CannedHttpServer server(CannedHttpServer::ok(body));
    EXPECT_TRUE(HTTPGet::downloadFile(server.address(), localPath()).ok);
    EXPECT_EQ(localContent(), body);
}

struct FailureCase
{
    const char *name;
    QByteArray response;
};

class HttpGetFailures : public HttpGetTest, public testing::WithParamInterface<FailureCase>
{
};

TEST_P(HttpGetFailures, CountAsFailed)
{
    CannedHttpServer server(GetParam().response);
    EXPECT_FALSE(HTTPGet::downloadFile(server.address(), localPath()).ok);
    EXPECT_FALSE(QFile::exists(localPath())) << "a failed download leaves its file behind";
}

INSTANTIATE_TEST_SUITE_P(
    , HttpGetFailures,
    testing::Values(FailureCase{"NoContentLength", "HTTP/1.0 200 OK\r\n\r\n[TARNEK]\r\nVER=2.15\r\n"},
                    FailureCase{"TruncatedBody",
                                "HTTP/1.0 200 OK\r\nContent-Length: 500\r\n\r\n[TARNEK]\r\nVER=2.15\r\n"},
                    FailureCase{"LongerBody", "HTTP/1.0 200 OK\r\nContent-Length: 3\r\n\r\n[TARNEK]\r\n"},
                    // An error page is not the manifest, even when its length is right.
                    FailureCase{"NotFound", "HTTP/1.0 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found"},
                    FailureCase{"NotHttp", "hello\r\n\r\n"}, FailureCase{"ClosedWithoutAnswer", ""}),
    TestSupport::rowName);

// Answers no version file can be: too long (announced or not), or too slow.
// Each ends within its bound, having read little, and leaves no file.
struct BoundCase
{
    const char *name;
    QByteArray head;
    CannedHttpServer::Stream stream;
    HTTPGet::Limits limits;
};

class HttpGetBounds : public HttpGetTest, public testing::WithParamInterface<BoundCase>
{
};

const QByteArray kChunk(64 * 1024, 'x');
constexpr qint64 kPlenty = 64 * 1024 * 1024; // far beyond every bound, still finite

TEST_P(HttpGetBounds, EndWithinTheBoundAndLeaveNoFile)
{
    CannedHttpServer server(GetParam().head, GetParam().stream);
    QElapsedTimer clock;
    clock.start();
    const HTTPGet::Result result = HTTPGet::downloadFile(server.address(), localPath(), {}, GetParam().limits);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.cancelled);
    EXPECT_LT(clock.elapsed(), GetParam().limits.totalMs + 3000);
    EXPECT_LT(server.streamed(), 16 * 1024 * 1024);
    EXPECT_FALSE(QFile::exists(localPath()));
}

INSTANTIATE_TEST_SUITE_P(
    , HttpGetBounds,
    testing::Values(
        BoundCase{"OversizedWithItsLength",
                  "HTTP/1.0 200 OK\r\nContent-Length: 1073741824\r\n\r\n",
                  {kChunk, 0, kPlenty},
                  {}},
        BoundCase{"EndlessWithoutLength", "HTTP/1.0 200 OK\r\n\r\n", {kChunk, 0, kPlenty}, {}},
        BoundCase{"OneByteAtATime", "HTTP/1.0 200 OK\r\nContent-Length: 40\r\n\r\n", {"x", 200, 40}, {64 * 1024, 1500}},
        BoundCase{"HeaderOneByteAtATime", "HTTP/1.0 2", {"0", 200, 40}, {64 * 1024, 1500}}),
    TestSupport::rowName);

TEST_F(HttpGetTest, BodyOfExactlyTheBoundIsAcceptedOneMoreIsNot)
{
    const HTTPGet::Limits limits{100, 30000};
    for (const qsizetype size : {100, 101}) {
        CannedHttpServer server(CannedHttpServer::ok(QByteArray(size, 'v')));
        EXPECT_EQ(HTTPGet::downloadFile(server.address(), localPath(), {}, limits).ok, size == 100) << size;
        EXPECT_EQ(QFile::exists(localPath()), size == 100) << size;
        QFile::remove(localPath());
    }
}

// The caller ends the wait (the user closed the wizard): the download stops
// soon, as cancelled, and leaves no file.
TEST_F(HttpGetTest, CancelledWaitEndsSoon)
{
    CannedHttpServer server("HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\n", {"x", 200, 100});
    QElapsedTimer clock;
    clock.start();
    const HTTPGet::Result result =
        HTTPGet::downloadFile(server.address(), localPath(), [&] { return clock.elapsed() > 300; });
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.cancelled);
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_FALSE(QFile::exists(localPath()));
}

// The add-on's settings directory is an upper-cased host path; the download
// lands in the directory that exists on disk, whatever its spelling.
TEST_F(HttpGetTest, UpperCasedHostPathReachesTheDirectoryOnDisk)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkpath(u"velmar/tarnek/setting"_s));
    const QByteArray body = manifest("2.15");
    CannedHttpServer server(CannedHttpServer::ok(body));
    const QString hostPath = m_dir.path().toUpper() + u"/VELMAR/TARNEK/SETTING/velmarver.dat"_s;
    const HTTPGet::Result result = HTTPGet::downloadFile(server.address(), hostPath);
    EXPECT_TRUE(result.ok) << result.error.toStdString();
    QFile onDisk(m_dir.filePath(u"velmar/tarnek/setting/velmarver.dat"_s));
    ASSERT_TRUE(onDisk.open(QIODevice::ReadOnly));
    EXPECT_EQ(onDisk.readAll(), body);
}

TEST_F(HttpGetTest, RefusedConnectionFails)
{
    quint16 port = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
        port = probe.serverPort();
    } // closed: nobody listens there now
    const HTTPGet::Result result = HTTPGet::downloadFile(u"http://127.0.0.1:%1/x"_s.arg(port), localPath());
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.isEmpty());
}

TEST_F(HttpGetTest, UnwritableTargetFails)
{
    const QByteArray body = manifest("2.15");
    CannedHttpServer server(CannedHttpServer::ok(body));
    EXPECT_FALSE(HTTPGet::downloadFile(server.address(), m_dir.filePath(u"no/such/dir/f.dat"_s)).ok);
}

} // namespace
