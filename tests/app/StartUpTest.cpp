// Start-up: the run context from the host's command line, the missing
// parameter report, the settings directory, the set-up copy and the version
// check, up to the welcome page.

#include "app/ui/StartUp.h"
#include "AppTestSupport.h"
#include "app/core/CommandLine.h"
#include "app/ui/InformationWindow.h"
#include "app/ui/MainWindow.h"
#include "app/ui/WorkingOverlay.h"
#include "common/FileNames.h"
#include "common/IniFile.h"
#include "common/MemTable.h"
#include "support/TestSupport.h"

#include <QFileInfo>
#include <QLabel>
#include <QStackedWidget>

using namespace Qt::StringLiterals;
using TestSupport::child;

namespace {

QString missingMessage(const QString &hint)
{
    return u"Doplněk byl spuštěn s neúplným parametrem - pravděpodobně ho spouštíte jako samostatný program, nikoliv "
           "jako zásuvný modul Ledra přímo z plochy.\r\rChybějící parametr: "_s +
           hint + u"\r\rChcete zobrazit nápovědu?"_s;
}

struct MissingCase
{
    const char *name;
    QStringList arguments;
    QString hint;
};

void PrintTo(const MissingCase &c, std::ostream *os)
{
    *os << c.name;
}

class MissingParameter : public testing::TestWithParam<MissingCase>
{
};

TEST_P(MissingParameter, ReportsTheFirstMissingOneAndFails)
{
    MemTable mtParametry;
    CommandLine::scanCommandLine(GetParam().arguments, mtParametry);
    RunContext context;
    context.programDir = u"/opt/tarnek/"_s;
    scriptedUi().answer(MessageAnswer::No);
    EXPECT_EQ(resolveRunContext(mtParametry, context), -1);
    ASSERT_EQ(scriptedUi().messages().size(), 1);
    EXPECT_EQ(scriptedUi().messages().at(0).kind, MessageKind::Error);
    EXPECT_EQ(scriptedUi().messages().at(0).buttons, MessageButtons::YesNo);
    EXPECT_EQ(scriptedUi().messages().at(0).text, missingMessage(GetParam().hint));
    EXPECT_TRUE(scriptedUi().openedDocuments().isEmpty());
}

const QString Main = u"?MAIN=/x?MAIN"_s;
const QString Year = u"?AKTROK=/nowhere/agenda.001/rok.2018?AKTROK"_s;
const QString Version = u"?MVERZE=13?MVERZE"_s;
const QString Password = u"?AKTHESLO=p?AKTHESLO"_s;
const QString User = u"?AKTJMENO=u?AKTJMENO"_s;

INSTANTIATE_TEST_SUITE_P(
    InOrder, MissingParameter,
    testing::Values(
        MissingCase{"NoArguments", {}, u"?MAIN=<Main>?MAIN"_s},
        MissingCase{"MainWithoutClosingMarker", {u"?MAIN=x"_s}, u"?MAIN=<Main>?MAIN"_s},
        MissingCase{"EqualsBeforeQuestionMark", {u"a=b"_s, Main}, u"?MAIN=<Main>?MAIN"_s},
        MissingCase{"Year", {Main}, u"?AKTROK=<AktRok>?AKTROK"_s},
        MissingCase{"EmptyMainCountsAsPresent", {u"?MAIN=?MAIN"_s}, u"?AKTROK=<AktRok>?AKTROK"_s},
        MissingCase{"Version", {Main, Year}, u"?MVERZE=<MVERZE>?MVERZE"_s},
        MissingCase{"Password", {Main, Year, Version}, u"?AKTHESLO=<AKTHESLO>?AKTHESLO"_s},
        MissingCase{"User", {Main, Year, Version, Password}, u"?AKTJMENO=<AKTJMENO>?AKTJMENO"_s},
        MissingCase{"Configuration", {Main, Year, Version, Password, User}, u"?AKTCFGNAME=<AKTCFGNAME>?AKTCFGNAME"_s},
        MissingCase{
            "LaterParametersDoNotStandInForEarlierOnes", {User, Password, Version, Year}, u"?MAIN=<Main>?MAIN"_s}),
    TestSupport::rowName);

TEST(MissingParameter, YesOpensTheHelpPageBesideTheProgram)
{
    scriptedUi().answer(MessageAnswer::Yes);
    showMissingParameter(u"/opt/tarnek/"_s, u"?MAIN=<Main>?MAIN"_s);
    EXPECT_EQ(scriptedUi().openedDocuments(), QStringList{u"/opt/tarnek/insledra.html"_s});
}

// The run context from a complete command line on a lower-case host tree.
class RunContextTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tree.isValid());
        m_tree.write(u"data/agenda.001/rok.2018/rok.ini"_s, {u"[Global]"_s, u"Účetní rok=2018"_s, u"Symbol měny=Kč"_s});
        m_tree.write(u"data/agenda.001/Agenda.ini"_s,
                     {u"[Údaje o firmě]"_s, u"Název-obchodní=Kovárna Šťastný s.r.o."_s});
    }

    int resolve(const QStringList &arguments)
    {
        CommandLine::scanCommandLine(arguments, m_parameters);
        m_context.programDir = u"/opt/tarnek/"_s;
        return resolveRunContext(m_parameters, m_context);
    }

    TextHostTree m_tree;
    MemTable m_parameters;
    RunContext m_context;
};

TEST_F(RunContextTest, EveryFieldFromTheCommandLineAndTheIniFiles)
{
    const QString yearDir = m_tree.yearDir().chopped(1); // the host passes it without a delimiter
    ASSERT_EQ(resolve(hostArguments(yearDir, u"13.100 R2"_s, u"Účetní"_s)), 0);
    const QString upperData = m_tree.dataDir().toUpper();
    EXPECT_EQ(m_context.hostMainDir, u"/opt/ledra/"_s);
    EXPECT_EQ(m_context.yearDir, m_tree.yearDir());
    EXPECT_EQ(m_context.yearName, u"2018"_s);
    EXPECT_EQ(m_context.agendaDir, upperData + u"AGENDA.001/"_s);
    EXPECT_EQ(m_context.companyName, u"Kovárna Šťastný s.r.o."_s);
    EXPECT_EQ(m_context.dataRoot, upperData);
    EXPECT_EQ(m_context.hostVersion, u"13.100 R2"_s);
    EXPECT_EQ(m_context.hostPassword, u"tajne"_s);
    EXPECT_EQ(m_context.userName, u"Jana Nováková"_s);
    EXPECT_EQ(m_context.configName, u"Účetní"_s);
    EXPECT_EQ(m_context.agendaCode, u"001"_s);
    EXPECT_EQ(m_context.yearCode, u"2018"_s);
    EXPECT_EQ(m_context.addOnRoot, upperData + u"Velmar/Tarnek/"_s);
    EXPECT_EQ(m_context.settingsDir, upperData + u"Velmar/Tarnek/Setting/"_s);
    EXPECT_EQ(m_context.printFormsDir, upperData + u"Velmar/Tarnek/PrintFrm/"_s);
    EXPECT_TRUE(m_context.configIniPath.isEmpty()); // the version check sets it
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
}

struct SubstituteCase
{
    const char *name;
    QString user;
    QString config;
    QString expectedUser;
    QString expectedConfig;
};

void PrintTo(const SubstituteCase &c, std::ostream *os)
{
    *os << c.name;
}

class Substitutes : public RunContextTest, public testing::WithParamInterface<SubstituteCase>
{
};

TEST_P(Substitutes, UserAndConfigurationName)
{
    const SubstituteCase &c = GetParam();
    ASSERT_EQ(resolve({Main, u"?AKTROK="_s + m_tree.yearDir() + u"?AKTROK"_s, Version, Password,
                       u"?AKTJMENO="_s + c.user + u"?AKTJMENO"_s, u"?AKTCFGNAME="_s + c.config + u"?AKTCFGNAME"_s}),
              0);
    EXPECT_EQ(m_context.userName, c.expectedUser);
    EXPECT_EQ(m_context.configName, c.expectedConfig);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Substitutes,
    testing::Values(SubstituteCase{"EmptyUser", QString(), u"a"_s, u"uživatel bez jména"_s, u"a"_s},
                    SubstituteCase{"BlankUserKept", u" "_s, u"a"_s, u" "_s, u"a"_s},
                    SubstituteCase{"UnsafeConfiguration", u"u"_s, u"My:cfg/1"_s, u"u"_s, u"My_cfg_1"_s},
                    SubstituteCase{"BlankConfiguration", u"u"_s, u"   "_s, u"u"_s, u"Default"_s},
                    SubstituteCase{"EmptyConfiguration", u"u"_s, QString(), u"u"_s, u"Default"_s},
                    SubstituteCase{"ConfigurationKeepsItsBlanks", u"u"_s, u" a b "_s, u"u"_s, u" a b "_s},
                    SubstituteCase{"ConfigurationOfUnsafeCharactersOnly", u"u"_s, u"*?"_s, u"u"_s, u"__"_s}),
    TestSupport::rowName);

TEST_F(RunContextTest, WrongShapedYearDirectoryLeavesTheRoot)
{
    ASSERT_EQ(resolve(hostArguments(m_tree.root() + u"data/firma.001/rok.2018"_s)), 0);
    EXPECT_EQ(m_context.agendaDir, u"/"_s);
    EXPECT_EQ(m_context.dataRoot, u"/"_s);
    EXPECT_EQ(m_context.companyName, QString());
    EXPECT_EQ(m_context.yearName, u"---"_s);
    EXPECT_EQ(m_context.agendaCode, QString());
    EXPECT_EQ(m_context.yearCode, u"2018"_s);
    EXPECT_EQ(m_context.settingsDir, u"/Velmar/Tarnek/Setting/"_s);
}

TEST_F(RunContextTest, EmptyYearDirectoryIsPresent)
{
    ASSERT_EQ(resolve({Main, u"?AKTROK=?AKTROK"_s, Version, Password, User, u"?AKTCFGNAME=c?AKTCFGNAME"_s}), 0);
    EXPECT_EQ(m_context.yearDir, u"/"_s);
    EXPECT_EQ(m_context.agendaDir, u"/"_s);
    EXPECT_EQ(m_context.yearCode, QString());
}

// The whole start-up on a lower-case host tree.
class StartUpTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tree.isValid());
        m_tree.write(u"data/agenda.001/rok.2018/rok.ini"_s, {u"[Global]"_s, u"Symbol měny=Kč"_s});
        m_programDir = m_tree.makeProgramDir();
    }

    QString settingsDir() const { return m_tree.dataDir().toUpper() + u"Velmar/Tarnek/Setting/"_s; }

    TextHostTree m_tree;
    QString m_programDir;
    TfrmMain m_main;
};

TEST_F(StartUpTest, ReachesTheWelcomePage)
{
    m_main.session().progress().showWorking(true, u"Spouštění zásuvného modulu\rčekejte prosím..."_s);
    ASSERT_EQ(runStartUp(m_main, hostArguments(m_tree.yearDir()), m_programDir), 0);
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
    EXPECT_TRUE(m_main.isVisible());
    EXPECT_FALSE(m_main.frmWorking().isVisible());
    EXPECT_EQ(child<QStackedWidget>(m_main, u"pgcMain"_s)->currentWidget()->objectName(), u"tsVitejte"_s);
    EXPECT_EQ(child<QLabel>(m_main, u"lblVerze"_s)->text(), u"2.14"_s);

    const RunContext &context = m_main.runContext();
    EXPECT_EQ(context.programDir, m_programDir);
    EXPECT_EQ(context.addOnVersion, u"2.14"_s);
    EXPECT_EQ(context.configIniPath, settingsDir() + u"Účetní.ini"_s);
    EXPECT_EQ(context.currencySymbol, u"Kč"_s);
    // The upper-cased host paths reach the lower-case tree on disk.
    EXPECT_TRUE(FileNames::isDirectory(context.settingsDir));
    EXPECT_TRUE(QFileInfo(m_tree.dataDir() + u"Velmar/Tarnek/Setting"_s).isDir());
    EXPECT_TRUE(QFileInfo(m_tree.dataDir() + u"Velmar/Tarnek/PrintFrm/_PROTOKOL.PTS"_s).isFile());
    EXPECT_EQ(IniFile(m_tree.dataDir() + u"Velmar/Tarnek/setup.ini"_s).ReadString(u"INSTALL"_s, u"SIGN"_s, QString()),
              u"SIGN-1"_s);
    m_main.hide();
}

TEST_F(StartUpTest, ProgramDirectoryGetsItsDelimiter)
{
    ASSERT_EQ(runStartUp(m_main, hostArguments(m_tree.yearDir()), m_programDir.chopped(1)), 0);
    EXPECT_EQ(m_main.runContext().programDir, m_programDir);
    m_main.hide();
}

TEST_F(StartUpTest, NoParametersReportMainMissing)
{
    scriptedUi().answer(MessageAnswer::Yes);
    EXPECT_EQ(runStartUp(m_main, {}, m_programDir), -1);
    EXPECT_EQ(scriptedUi().messageTexts(), QStringList{missingMessage(u"?MAIN=<Main>?MAIN"_s)});
    EXPECT_EQ(scriptedUi().openedDocuments(), QStringList{m_programDir + u"insledra.html"_s});
    EXPECT_FALSE(m_main.isVisible());
    // The version is shown before the parameters are looked at.
    EXPECT_EQ(child<QLabel>(m_main, u"lblVerze"_s)->text(), u"2.14"_s);
}

TEST_F(StartUpTest, SettingsDirectoryThatCannotBeCreated)
{
    m_tree.write(u"data/Velmar"_s, {u"a file where the add-on's directory belongs"_s});
    EXPECT_EQ(runStartUp(m_main, hostArguments(m_tree.yearDir()), m_programDir), -1);
    EXPECT_EQ(scriptedUi().messageTexts(), QStringList{u"Nelze vytvořit adresář "_s + settingsDir()});
    EXPECT_EQ(scriptedUi().messages().at(0).kind, MessageKind::Error);
    EXPECT_FALSE(m_main.isVisible());
}

TEST_F(StartUpTest, SetupCopyFailureIsShownAndEndsStartUp)
{
    // A directory where the template file has to go.
    m_tree.makeDir(u"data/Velmar/Tarnek/PrintFrm/_PROTOKOL.PTS"_s);
    EXPECT_EQ(runStartUp(m_main, hostArguments(m_tree.yearDir()), m_programDir), -1);
    const QString target = m_tree.dataDir().toUpper() + u"Velmar/Tarnek/PrintFrm/_PROTOKOL.PTS"_s;
    EXPECT_EQ(scriptedUi().messageTexts(),
              QStringList{u"Při kopírování souboru "_s + m_programDir + u"SetupDat/PrintFrm/_PROTOKOL.PTS do "_s +
                          target + u" došlo k chybě."_s});
    EXPECT_EQ(scriptedUi().messages().at(0).kind, MessageKind::Error);
    EXPECT_FALSE(m_main.isVisible());
}

TEST_F(StartUpTest, UnsupportedHostEndsStartUp)
{
    EXPECT_EQ(runStartUp(m_main, hostArguments(m_tree.yearDir(), u"12,50"_s), m_programDir), -1);
    ASSERT_EQ(scriptedUi().messages().size(), 1);
    EXPECT_TRUE(scriptedUi().messages().at(0).text.startsWith(u"Litujeme"_s));
    EXPECT_FALSE(m_main.isVisible());
}

TEST_F(StartUpTest, ClosingTheWelcomePageRecordsTheHostVersion)
{
    ASSERT_EQ(runStartUp(m_main, hostArguments(m_tree.yearDir(), u"13.100 R2"_s), m_programDir), 0);
    m_main.close();
    EXPECT_EQ(IniFile(m_tree.dataDir() + u"Velmar/Tarnek/Setting/main.ini"_s)
                  .ReadString(u"VERSION"_s, u"LASTLEDRAVER"_s, QString()),
              u"13.100 R2"_s);
}

TEST(StartUpWindows, MainWindowCreatesTheOverlayAndTheInformationWindow)
{
    TfrmMain main;
    EXPECT_EQ(main.windowTitle(), u"Průvodce doplňku \"Tarnek\""_s);
    // The host's width; at least its height, more when the operation rows need it.
    EXPECT_EQ(main.width(), 536);
    EXPECT_GE(main.height(), 361);
    EXPECT_EQ(main.frmWorking().objectName(), u"TfrmWorking"_s);
    EXPECT_EQ(main.frmFreeText().objectName(), u"TfrmFreeText"_s);
    main.session().progress().showWorking(true, u"Spouštění zásuvného modulu\rčekejte prosím..."_s);
    EXPECT_TRUE(main.frmWorking().isVisible());
    EXPECT_EQ(child<QLabel>(main.frmWorking(), u"lblInfo"_s)->text(),
              u"Spouštění zásuvného modulu\nčekejte prosím..."_s);
    EXPECT_EQ(main.frmWorking().size(), QSize(346, 46));
    main.session().progress().showWorking(false);
    EXPECT_FALSE(main.frmWorking().isVisible());
}

} // namespace
