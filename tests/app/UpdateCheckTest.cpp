// The update check against a real HTTP server on 127.0.0.1, reached through
// TARNEK_UPDATE_SERVER.

#include "app/core/UpdateCheck.h"
#include "app/core/HostVersion.h"
#include "app/core/UpdateServer.h"
#include "support/FakeSession.h"
#include "support/TestSupport.h"

#include "CannedHttpServer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

const QString kChangedQuestionStart = u"Od posledního spuštění tohoto doplňku se změnila verze"_s;
const QString kFirstRunQuestionStart = u"Zásuvný modul spouštíte poprvé."_s;
const QString kDownloadFailed = u"Při ověřování existence novější verze došlo k chybě. Zkontrolujte vaše připojení k "
                                "internetu (resp. povolení internetového připojení pro tento doplněk)."_s;
const QString kUpToDate = u"Právě používaná verze doplňku je aktuální."_s;
const QString kNewer = u"Na internetu je dostupná novější verze tohoto zásuvného modulu - důrazně vám doporučujeme "
                       "provést aktualizaci.\r\rNyní bude v okně vašeho internetového prohlížeče otevřena domácí "
                       "stránka doplňku, ze které je možné stáhnout aktuální verzi."_s;

class UpdateCheckTest : public testing::Test
{
protected:
    UpdateCheckTest()
    {
        RunContext &context = m_fake.context;
        context.addOnVersion = u"2.14"_s;
        context.hostVersion = u"13.200"_s;
        context.settingsDir = m_dir.path() + u"/Setting/"_s;
        QDir().mkpath(context.settingsDir);
        m_savedServer = qgetenv("TARNEK_UPDATE_SERVER");
    }
    ~UpdateCheckTest() override { qputenv("TARNEK_UPDATE_SERVER", m_savedServer); }

    void lastRun(const QString &hostVersion)
    {
        RunContext context = m_fake.context;
        context.hostVersion = hostVersion;
        recordHostVersion(context);
    }
    void useServer(const CannedHttpServer &server) { qputenv("TARNEK_UPDATE_SERVER", server.host().toUtf8()); }
    bool programEnded() const { return m_fake.programEnds > 0; }
    QString manifestCopy() const { return m_fake.context.settingsDir + u"velmarver.dat"_s; }

    QTemporaryDir m_dir;
    FakeSession m_fake; // no main window
    QByteArray m_savedServer;
};

TEST_F(UpdateCheckTest, SameHostVersionAsksNothingAndSendsNothing)
{
    CannedHttpServer server(CannedHttpServer::ok("[TARNEK]\r\nVER=2.15\r\n"));
    useServer(server);
    lastRun(u"13.200"_s);
    EXPECT_EQ(checkForUpdate(m_fake.session), 0);
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
    EXPECT_EQ(server.requestCount(), 0);
}

TEST_F(UpdateCheckTest, DeclinedQuestionSendsNothing)
{
    CannedHttpServer server(CannedHttpServer::ok("[TARNEK]\r\nVER=2.15\r\n"));
    useServer(server);
    lastRun(u"13.100"_s);
    scriptedUi().answer(MessageAnswer::No);
    EXPECT_EQ(checkForUpdate(m_fake.session), 0);
    ASSERT_EQ(scriptedUi().messages().size(), 1);
    EXPECT_TRUE(scriptedUi().messages().at(0).text.startsWith(kChangedQuestionStart));
    EXPECT_EQ(scriptedUi().messages().at(0).buttons, MessageButtons::YesNo);
    EXPECT_EQ(server.requestCount(), 0);
}

struct ManifestCase
{
    const char *name;
    QByteArray manifest;
    QString message;
    bool opensProductPage;
};

class UpdateCheckManifests : public UpdateCheckTest, public testing::WithParamInterface<ManifestCase>
{
};

TEST_P(UpdateCheckManifests, FirstRunComparesThePublishedVersion)
{
    const ManifestCase &c = GetParam();
    CannedHttpServer server(CannedHttpServer::ok(c.manifest));
    useServer(server);
    scriptedUi().answer(MessageAnswer::Yes);
    EXPECT_EQ(checkForUpdate(m_fake.session), 0);
    ASSERT_EQ(scriptedUi().messages().size(), 2);
    EXPECT_TRUE(scriptedUi().messages().at(0).text.startsWith(kFirstRunQuestionStart));
    EXPECT_EQ(scriptedUi().messages().at(1).kind, MessageKind::Information);
    EXPECT_EQ(scriptedUi().messages().at(1).text, c.message);
    EXPECT_EQ(server.requestCount(), 1);
    EXPECT_FALSE(QFile::exists(manifestCopy())); // read and deleted
    if (c.opensProductPage) {
        EXPECT_EQ(scriptedUi().openedDocuments(), QStringList{UpdateServer::productPageAddress()});
        EXPECT_TRUE(programEnded());
    } else {
        EXPECT_TRUE(scriptedUi().openedDocuments().isEmpty());
        EXPECT_FALSE(programEnded());
    }
}

INSTANTIATE_TEST_SUITE_P(, UpdateCheckManifests,
                         testing::Values(ManifestCase{"Newer", "[TARNEK]\r\nVER=2.15\r\n", kNewer, true},
                                         ManifestCase{"LowerCountsAsNewer", "[TARNEK]\r\nVER=2.10\r\n", kNewer, true},
                                         ManifestCase{"Equal", "[TARNEK]\r\nVER=2.14\r\n", kUpToDate, false},
                                         ManifestCase{"EqualIgnoringCase", "[tarnek]\r\nver= 2.14 \r\n", kUpToDate,
                                                      false},
                                         ManifestCase{"NoVersion", "[TARNEK]\r\nOTHER=1\r\n",
                                                      u"Údaje o verzi nejsou k dispozici."_s, false}),
                         TestSupport::rowName);

struct FailureCase
{
    const char *name;
    QByteArray response;
    CannedHttpServer::Stream stream = {};
};

class UpdateCheckFailures : public UpdateCheckTest, public testing::WithParamInterface<FailureCase>
{
};

TEST_P(UpdateCheckFailures, FirstRunOnlyReportsTheFailure)
{
    CannedHttpServer server(GetParam().response, GetParam().stream);
    useServer(server);
    scriptedUi().answer(MessageAnswer::Yes);
    EXPECT_EQ(checkForUpdate(m_fake.session), 0);
    ASSERT_EQ(scriptedUi().messages().size(), 2);
    EXPECT_TRUE(scriptedUi().shown(
        {{MessageKind::Confirmation, scriptedUi().messages().at(0).text}, {MessageKind::Error, kDownloadFailed}}));
    EXPECT_EQ(scriptedUi().messages().at(1).buttons, MessageButtons::Ok);
    EXPECT_FALSE(QFile::exists(manifestCopy())) << "a failed download stays in the settings directory";
}

INSTANTIATE_TEST_SUITE_P(
    , UpdateCheckFailures,
    testing::Values(FailureCase{"NoContentLength", "HTTP/1.0 200 OK\r\n\r\n[TARNEK]\r\nVER=2.15\r\n"},
                    FailureCase{"TruncatedBody",
                                "HTTP/1.0 200 OK\r\nContent-Length: 900\r\n\r\n[TARNEK]\r\nVER=2.15\r\n"},
                    // 64 MiB sent at most: far beyond the bound, and finite.
                    FailureCase{"OversizedWithItsLength",
                                "HTTP/1.0 200 OK\r\nContent-Length: 1073741824\r\n\r\n",
                                {QByteArray(64 * 1024, 'x'), 0, 64 * 1024 * 1024}},
                    FailureCase{"EndlessWithoutLength",
                                "HTTP/1.0 200 OK\r\n\r\n",
                                {QByteArray(64 * 1024, 'x'), 0, 64 * 1024 * 1024}}),
    TestSupport::rowName);

TEST_F(UpdateCheckTest, FailureAfterAnUpdateOffersTheProductPage)
{
    CannedHttpServer server("HTTP/1.0 200 OK\r\n\r\n[TARNEK]\r\nVER=2.15\r\n");
    useServer(server);
    lastRun(u"13.100"_s);
    scriptedUi().answer(MessageAnswer::Yes); // check now
    scriptedUi().answer(MessageAnswer::No);  // do not open the page
    EXPECT_EQ(checkForUpdate(m_fake.session), 0);
    ASSERT_EQ(scriptedUi().messages().size(), 2);
    const ScriptedUi::Message &failure = scriptedUi().messages().at(1);
    EXPECT_EQ(failure.kind, MessageKind::Error);
    EXPECT_EQ(failure.buttons, MessageButtons::YesNo);
    EXPECT_EQ(failure.text, kDownloadFailed +
                                u"\r\rNyní používáte verzi: 2.14- zkontrolovat existenci novější verze "
                                "můžete také manuálně na adrese: "_s +
                                UpdateServer::productPageAddress() +
                                u"\r\rChcete nyní uvedenou adresu otevřít v okně vašeho internetového prohlížeče?"_s);
    EXPECT_TRUE(scriptedUi().openedDocuments().isEmpty());
    EXPECT_FALSE(programEnded());
}

TEST_F(UpdateCheckTest, RefusedConnectionAndYesOpensThePageAndEnds)
{
    quint16 port = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
        port = probe.serverPort();
    }
    qputenv("TARNEK_UPDATE_SERVER", "127.0.0.1:" + QByteArray::number(port));
    lastRun(u"13.100"_s);
    scriptedUi().answer(MessageAnswer::Yes);
    scriptedUi().answer(MessageAnswer::Yes);
    EXPECT_EQ(checkForUpdate(m_fake.session), -1);
    EXPECT_EQ(scriptedUi().openedDocuments(), QStringList{UpdateServer::productPageAddress()});
    EXPECT_TRUE(programEnded());
}

// The run context spells the settings directory upper-cased, as derived from
// the host's data root; the manifest still reaches the directory on disk.
TEST_F(UpdateCheckTest, ManifestGoesThroughTheUpperCasedSettingsDirectory)
{
    CannedHttpServer server(CannedHttpServer::ok("[TARNEK]\r\nVER=2.14\r\n"));
    useServer(server);
    const QString onDisk = m_fake.context.settingsDir;
    m_fake.context.settingsDir = onDisk.toUpper();
    scriptedUi().answer(MessageAnswer::Yes);
    EXPECT_EQ(checkForUpdate(m_fake.session), 0);
    ASSERT_EQ(scriptedUi().messages().size(), 2);
    EXPECT_EQ(scriptedUi().messages().at(1).text, kUpToDate);
    EXPECT_FALSE(QFile::exists(onDisk + u"velmarver.dat"_s));
    // The session's progress sink showed the working overlay for the download only.
    EXPECT_EQ(m_fake.progress.workingTexts, QStringList{u"Ověření novější verze doplňku\rčekejte prosím..."_s});
    EXPECT_FALSE(m_fake.progress.working);
}

// A server that trickles its answer: "Zavřít" (the interrupt flag) ends the
// wait at once, without a message; "Další >" pressed meanwhile starts no
// second check.
TEST_F(UpdateCheckTest, ClosingEndsASlowWaitAndNoSecondCheckStarts)
{
    CannedHttpServer server("HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\n", {"x", 200, 100});
    useServer(server);
    scriptedUi().answer(MessageAnswer::Yes);
    int second = 0;
    QTimer::singleShot(200, [&] { second = checkForUpdate(m_fake.session); });
    QTimer::singleShot(500, [&] { m_fake.session.interruptRequested = true; });
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(checkForUpdate(m_fake.session), -1);
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_EQ(second, -1);
    EXPECT_EQ(server.requestCount(), 1);
    ASSERT_EQ(scriptedUi().messages().size(), 1); // the question only
    EXPECT_FALSE(QFile::exists(manifestCopy()));
    EXPECT_FALSE(programEnded());
    EXPECT_FALSE(m_fake.progress.working);
}

TEST(UpdateServer, ManifestAddressHonoursTheOverride)
{
    const QByteArray saved = qgetenv("TARNEK_UPDATE_SERVER");
    qunsetenv("TARNEK_UPDATE_SERVER");
    EXPECT_EQ(UpdateServer::manifestAddress(), u"http://www.velmar.example/download/velmarver.dat"_s);
    qputenv("TARNEK_UPDATE_SERVER", "127.0.0.1:8080");
    EXPECT_EQ(UpdateServer::manifestAddress(), u"http://127.0.0.1:8080/download/velmarver.dat"_s);
    qputenv("TARNEK_UPDATE_SERVER", saved);
}

} // namespace
