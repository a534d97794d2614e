// LoadTemplate, SaveTemplate and SaveTemplateAs against real files, with the
// scripted UI answering the questions and the file dialog.

#include "ReportFixture.h"

#include "report/core/Report.h"
#include "support/FileSizeLimit.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace {

const QStringList kTemplate{u"I,0,\"Protokol\""_s, u"T,1,0,0,0,100,20,Arial,10,0,0,0,0,238,\"text\",0,0,0"_s};

class TemplateFile : public ReportFixture
{
protected:
    void SetUp() override
    {
        ReportFixture::SetUp();
        QDir(m_temp.path()).mkpath(u"forms/sub"_s);
        m_forms = tempPath(u"forms/"_s);
    }

    QStringList messageTexts() const { return scriptedUi().messageTexts(); }

    QString m_forms;
};

// ---------------------------------------------------------------- names and paths

struct NameCase
{
    const char *name;
    QString given;
    QString stored;
};

class ReportNameExtension : public ReportFixture, public testing::WithParamInterface<NameCase>
{
};

TEST_P(ReportNameExtension, AlwaysEndsInPts)
{
    TSestava report;
    report.setReportName(GetParam().given);
    EXPECT_EQ(report.reportName(), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(Names, ReportNameExtension,
                         testing::Values(NameCase{"NoExtension", u"_PROTOKOL"_s, u"_PROTOKOL.pts"_s},
                                         NameCase{"UpperCase", u"SEZNAM.PTS"_s, u"SEZNAM.pts"_s},
                                         NameCase{"OtherExtension", u"a.b.txt"_s, u"a.b.pts"_s},
                                         NameCase{"DotInDirectory", u"dir.x/abc"_s, u"dir.x/abc.pts"_s},
                                         NameCase{"Empty", QString(), QString()}),
                         TestSupport::rowName);

TEST_F(TemplateFile, ReportDirGetsItsDelimiterAndDirIgnoreChoosesTheProgramDirectory)
{
    TSestava report;
    EXPECT_TRUE(report.reportDirIgnore());
    report.setReportDir(m_forms + u"sub"_s);
    EXPECT_EQ(report.reportDir(), m_forms + u"sub/"_s);
    report.setReportName(u"x"_s);
    EXPECT_EQ(report.templatePath(), TSestavaTyp::programDir() + u"x.pts"_s);
    report.setReportDirIgnore(false);
    EXPECT_EQ(report.templatePath(), m_forms + u"sub/x.pts"_s);
    EXPECT_EQ(report.reportAlias(), QString());
}

// ---------------------------------------------------------------- LoadTemplate

TEST_F(TemplateFile, DirIgnoreReadsBesideTheProgramEvenWithReportDirSet)
{
    writeFile(tempPath(u"sestava.pts"_s), {u"I,0,\"u programu\""_s});
    writeFile(m_forms + u"sestava.pts"_s, {u"I,0,\"v adresáři\""_s});
    TSestava report;
    report.setReportDir(m_forms);
    report.setReportName(u"sestava"_s);
    EXPECT_EQ(report.LoadTemplate(false), seOK);
    EXPECT_EQ(report.popis(), u"u programu"_s);
    report.setReportDirIgnore(false);
    EXPECT_EQ(report.LoadTemplate(false), seOK);
    EXPECT_EQ(report.popis(), u"v adresáři"_s);
}

TEST_F(TemplateFile, FileSpeltInAnotherCaseIsFound)
{
    writeFile(m_forms + u"_PROTOKOL.PTS"_s, kTemplate);
    TSestava report;
    report.setReportDirIgnore(false);
    report.setReportDir(m_forms);
    report.setReportName(u"_PROTOKOL"_s);
    EXPECT_EQ(report.LoadTemplate(false), seOK);
    EXPECT_EQ(report.predloha(), kTemplate);
    EXPECT_EQ(report.sections().find(2)->count(), 1);
}

TEST_F(TemplateFile, MissingFileWithoutCreateIsAnError)
{
    TSestava report;
    report.setPredloha(kTemplate);
    report.setReportName(u"chybi"_s);
    EXPECT_EQ(report.LoadTemplate(false), seTemplateLoad);
    const QString path = tempPath(u"chybi.pts"_s);
    EXPECT_EQ(messageTexts(), QStringList{u"Nebyl nalezen soubor s předlohou tiskové sestavy \""_s + path + u'"'});
    EXPECT_EQ(scriptedUi().messages().at(0).kind, MessageKind::Error);
    EXPECT_EQ(scriptedUi().messages().at(0).caption, u"Chyba"_s);
    EXPECT_TRUE(report.predloha().isEmpty());
    EXPECT_EQ(report.sections().find(2)->count(), 0);
}

TEST_F(TemplateFile, MissingFileCreatedOnYes)
{
    TSestava report;
    report.setReportName(u"novy"_s);
    scriptedUi().answer(MessageAnswer::Yes);
    EXPECT_EQ(report.LoadTemplate(true), seOK);
    const QString path = tempPath(u"novy.pts"_s);
    ASSERT_EQ(scriptedUi().messages().size(), 1);
    EXPECT_EQ(scriptedUi().messages().at(0).text,
              u"Nebyl nalezen soubor s předlohou tiskové sestavy \""_s + path + u"\". Založit nový?"_s);
    EXPECT_EQ(scriptedUi().messages().at(0).kind, MessageKind::Confirmation);
    EXPECT_EQ(scriptedUi().messages().at(0).buttons, MessageButtons::YesNo);
    EXPECT_EQ(scriptedUi().messages().at(0).caption, u"Potvrzení"_s);
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(QFile(path).size(), 0);
    EXPECT_TRUE(report.predloha().isEmpty());
}

TEST_F(TemplateFile, MissingFileNotCreatedOnNo)
{
    TSestava report;
    report.setReportName(u"novy"_s);
    scriptedUi().answer(MessageAnswer::No);
    EXPECT_EQ(report.LoadTemplate(true), seTemplateLoad);
    EXPECT_EQ(scriptedUi().messages().size(), 1);
    EXPECT_FALSE(QFile::exists(tempPath(u"novy.pts"_s)));
}

TEST_F(TemplateFile, FileThatCannotBeCreatedIsReported)
{
    TSestava report;
    report.setReportDirIgnore(false);
    report.setReportDir(tempPath(u"neni"_s));
    report.setReportName(u"novy"_s);
    scriptedUi().answer(MessageAnswer::Yes);
    EXPECT_EQ(report.LoadTemplate(true), seTemplateLoad);
    const QString path = tempPath(u"neni/novy.pts"_s);
    ASSERT_EQ(scriptedUi().messages().size(), 2);
    EXPECT_EQ(scriptedUi().messages().at(1).text, u"Soubor s předlohou se nepodařilo vytvořit. \""_s + path + u'"');
    EXPECT_EQ(scriptedUi().messages().at(1).kind, MessageKind::Error);
}

TEST_F(TemplateFile, LoadHandlerReplacesTheFile)
{
    TSestava report;
    report.setReportName(u"chybi"_s);
    bool answer = true;
    report.OnNactiPredlohu = [&answer](TSestavaTyp *sender) {
        sender->setPredloha({u"I,0,\"z události\""_s});
        return answer;
    };
    EXPECT_EQ(report.LoadTemplate(false), seOK);
    EXPECT_EQ(report.popis(), u"z události"_s);
    answer = false;
    EXPECT_EQ(report.LoadTemplate(false), seTemplateLoad);
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
}

TEST_F(TemplateFile, StoredTemplateIsParsedAgainWithoutAFile)
{
    TSestava report;
    report.setIsStored(true);
    report.setReportName(u"chybi"_s);
    report.setPredloha(kTemplate);
    report.sections().find(2)->clearElements();
    EXPECT_EQ(report.LoadTemplate(false), seOK);
    EXPECT_EQ(report.sections().find(2)->count(), 1);
    EXPECT_EQ(report.SaveTemplate(), seOK);
    EXPECT_FALSE(QFile::exists(tempPath(u"chybi.pts"_s)));
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
}

// ---------------------------------------------------------------- SaveTemplate

TEST_F(TemplateFile, SaveKeepsThePreviousFileAsBak)
{
    writeFile(tempPath(u"sestava.pts"_s), {u"I,0,\"předchozí\""_s});
    writeFile(tempPath(u"sestava.BAK"_s), {u"I,0,\"nejstarší\""_s});
    TSestava report;
    report.setReportName(u"sestava"_s);
    report.setPredloha(kTemplate);
    EXPECT_EQ(report.SaveTemplate(), seOK);
    EXPECT_EQ(readFile(tempPath(u"sestava.pts"_s)), kTemplate);
    EXPECT_EQ(readFile(tempPath(u"sestava.BAK"_s)), QStringList{u"I,0,\"předchozí\""_s});
    // Windows-1250 with CR LF
    QFile file(tempPath(u"sestava.pts"_s));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("I,0,\"Protokol\"\r\nT,1"));
    EXPECT_TRUE(bytes.endsWith("\r\n"));
}

TEST_F(TemplateFile, SaveOnAFullDiskFailsAndWritesNothingHalf)
{
    TSestava report;
    report.setReportName(u"nova"_s);
    report.setPredloha(kTemplate);
    int result = seOK;
    {
        const FileSizeLimit limit(8);
        ASSERT_TRUE(limit.isActive());
        result = report.SaveTemplate();
    }
    EXPECT_EQ(result, seTemplateSave);
    EXPECT_EQ(messageTexts(), QStringList{u"Soubor s předlohou se nepodařilo uložit."_s});
    EXPECT_FALSE(QFile::exists(tempPath(u"nova.pts"_s)));
}

TEST_F(TemplateFile, FailedSaveLeavesThePreviousTemplateInPlace)
{
    const QStringList previous{u"I,0,\"předchozí\""_s};
    writeFile(tempPath(u"sestava.pts"_s), previous);
    TSestava report;
    report.setReportName(u"sestava"_s);
    report.setPredloha(kTemplate);
    int result = seOK;
    {
        const FileSizeLimit limit(8);
        ASSERT_TRUE(limit.isActive());
        result = report.SaveTemplate();
    }
    EXPECT_EQ(result, seTemplateSave);
    EXPECT_EQ(messageTexts(), QStringList{u"Soubor s předlohou se nepodařilo uložit."_s});
    // The report still finds its template.
    EXPECT_EQ(readFile(tempPath(u"sestava.pts"_s)), previous);
}

TEST_F(TemplateFile, SaveOfANewFileMakesNoBak)
{
    TSestava report;
    report.setReportName(u"nova"_s);
    report.setPredloha(kTemplate);
    EXPECT_EQ(report.SaveTemplate(), seOK);
    EXPECT_EQ(readFile(tempPath(u"nova.pts"_s)), kTemplate);
    EXPECT_FALSE(QFile::exists(tempPath(u"nova.BAK"_s)));
}

TEST_F(TemplateFile, SaveFailureShowsItsMessageUnlessOnErrorTakesIt)
{
    TSestava report;
    report.setReportDirIgnore(false);
    report.setReportDir(tempPath(u"neni"_s));
    report.setReportName(u"x"_s);
    EXPECT_EQ(report.SaveTemplate(), seTemplateSave);
    EXPECT_EQ(messageTexts(), QStringList{u"Soubor s předlohou se nepodařilo uložit."_s});
    EXPECT_EQ(scriptedUi().messages().at(0).kind, MessageKind::Error);

    scriptedUi().reset();
    QList<int> errors;
    report.OnError = [&errors](TSestavaTyp *, TSestError error) {
        errors << error;
        return true;
    };
    EXPECT_EQ(report.SaveTemplate(), seTemplateSave);
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
    EXPECT_EQ(errors, QList<int>{seTemplateSave});
}

TEST_F(TemplateFile, SaveHandlerReplacesSaving)
{
    TSestava report;
    report.setReportName(u"x"_s);
    bool answer = false;
    report.OnUlozPredlohu = [&answer](TSestavaTyp *) { return answer; };
    EXPECT_EQ(report.SaveTemplate(), seTemplateSave);
    answer = true;
    EXPECT_EQ(report.SaveTemplate(), seOK);
    EXPECT_FALSE(QFile::exists(tempPath(u"x.pts"_s)));
}

// ---------------------------------------------------------------- SaveTemplateAs

TEST_F(TemplateFile, SaveAsAsksWithTheTemplatePath)
{
    TSestava report;
    report.setReportDirIgnore(false);
    report.setReportDir(m_forms);
    report.setReportName(u"stara"_s);
    scriptedUi().chooseFile(QString());
    EXPECT_EQ(report.SaveTemplateAs(), seCancelled);
    ASSERT_EQ(scriptedUi().fileRequests().size(), 1);
    const FileDialogRequest &request = scriptedUi().fileRequests().at(0);
    EXPECT_EQ(request.title, u"Výběr souboru"_s);
    EXPECT_EQ(request.filter, u"Předlohy tiskových sestav (*.pts)|*.PTS"_s);
    EXPECT_EQ(request.initialDir, tempPath(u"forms"_s));
    EXPECT_EQ(request.fileName, m_forms + u"stara.pts"_s);
    EXPECT_EQ(report.reportName(), u"stara.pts"_s);
}

TEST_F(TemplateFile, SaveAsInsideReportDirKeepsTheRelativeName)
{
    TSestava report;
    report.setReportDirIgnore(false);
    report.setReportDir(m_forms);
    report.setReportName(u"stara"_s);
    report.setPredloha(kTemplate);
    scriptedUi().chooseFile(m_forms + u"sub/NOVA.PTS"_s);
    EXPECT_EQ(report.SaveTemplateAs(), seOK);
    EXPECT_EQ(report.reportName(), u"sub/nova.pts"_s);
    EXPECT_EQ(report.reportDir(), m_forms);
    EXPECT_FALSE(report.reportDirIgnore());
    EXPECT_EQ(readFile(m_forms + u"sub/nova.pts"_s), kTemplate);
}

TEST_F(TemplateFile, SaveAsOutsideReportDirTakesTheFullPath)
{
    TSestava report;
    report.setReportDir(m_forms + u"sub"_s);
    report.setReportName(u"stara"_s);
    report.setPredloha(kTemplate);
    const QString chosen = tempPath(u"Jinde.pts"_s);
    scriptedUi().chooseFile(chosen);
    EXPECT_EQ(report.SaveTemplateAs(), seOK);
    EXPECT_EQ(report.reportName(), tempPath(u"jinde.pts"_s));
    EXPECT_EQ(report.reportDir(), QString());
    EXPECT_FALSE(report.reportDirIgnore());
    EXPECT_EQ(report.templatePath(), tempPath(u"jinde.pts"_s));
    EXPECT_EQ(readFile(tempPath(u"jinde.pts"_s)), kTemplate);
}

TEST_F(TemplateFile, SaveAsWithoutReportDirTakesTheChosenDirectory)
{
    TSestava report;
    report.setReportName(u"stara"_s);
    report.setPredloha(kTemplate);
    scriptedUi().chooseFile(m_forms + u"sub/Kopie"_s);
    EXPECT_EQ(report.SaveTemplateAs(), seOK);
    EXPECT_EQ(report.reportDir(), m_forms + u"sub/"_s);
    EXPECT_EQ(report.reportName(), u"kopie.pts"_s);
    // Written where the user chose it, not beside the program.
    EXPECT_EQ(readFile(m_forms + u"sub/kopie.pts"_s), kTemplate);
    EXPECT_FALSE(QFile::exists(tempPath(u"kopie.pts"_s)));
}

TEST_F(TemplateFile, SaveAsFailureIsCode5)
{
    TSestava report;
    report.setReportName(u"stara"_s);
    scriptedUi().chooseFile(tempPath(u"neni/x.pts"_s));
    EXPECT_EQ(report.SaveTemplateAs(), seTemplateSave);
    EXPECT_EQ(messageTexts(), QStringList{u"Soubor s předlohou se nepodařilo uložit."_s});
}

TEST_F(TemplateFile, SaveAsHandlerGivesTheNewName)
{
    TSestava report;
    report.setReportName(u"stara"_s);
    QString offered;
    report.OnUlozPredlohuJako = [&offered](TSestavaTyp *, QString &soubor) {
        offered = soubor;
        soubor = u"jina.txt"_s;
        return true;
    };
    EXPECT_EQ(report.SaveTemplateAs(), seOK);
    EXPECT_EQ(offered, tempPath(u"stara.pts"_s));
    EXPECT_EQ(report.reportName(), u"jina.pts"_s);
    report.OnUlozPredlohuJako = [](TSestavaTyp *, QString &) { return false; };
    EXPECT_EQ(report.SaveTemplateAs(), seTemplateSave);
    EXPECT_EQ(report.reportName(), u"jina.pts"_s);
}

// ---------------------------------------------------------------- details

TEST_F(TemplateFile, DetailHasNoFileAndSavesThroughItsMaster)
{
    TSestava master;
    master.setReportName(u"hlavni"_s);
    master.setPredloha(kTemplate);
    TSestDetail detail;
    EXPECT_EQ(detail.LoadTemplate(true), seDataOrNothing);
    EXPECT_EQ(detail.SaveTemplate(), seTemplateSave);
    EXPECT_EQ(messageTexts(), QStringList{u"Soubor s předlohou se nepodařilo uložit."_s});
    detail.setMasterSestava(&master);
    EXPECT_EQ(detail.SaveTemplate(), seOK);
    EXPECT_EQ(readFile(tempPath(u"hlavni.pts"_s)), kTemplate);
}

} // namespace
