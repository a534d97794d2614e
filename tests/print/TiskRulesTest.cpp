// The print dialog's rules without its window: the remembered printer and
// template per print function and company, the template check, the choice of
// another file, the editable copy of a program template and saving under a
// new name from the designer.

#include "PrintFixture.h"

#include "common/IniFile.h"
#include "common/MemTable.h"
#include "common/TextFile.h"
#include "print/PrintTemplates.h"
#include "report/core/Report.h"
#include "report/core/data/MemTableDataSet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

class TiskRules : public PrintFixture
{
};

// ---------------------------------------------------------------- settings

TEST_F(TiskRules, FirstUseProposesTheFirstPrinterAndTheStandardTemplates)
{
    for (int function : {int(tfProtokol), int(tfSeznamDokladu)}) {
        const TiskSettings settings(m_context, function);
        EXPECT_EQ(settings.defaultPrinter(), 0);
        EXPECT_EQ(settings.templateName(), TiskFunctions::standardTemplate(function));
    }
    EXPECT_EQ(TiskFunctions::standardTemplate(tfProtokol), u"_PROTOKOL"_s);
    EXPECT_EQ(TiskFunctions::standardTemplate(tfSeznamDokladu), u"_SZOPRAVDOKL"_s);
    // Reading writes nothing.
    EXPECT_FALSE(QFileInfo::exists(m_context.configIniPath));
}

TEST_F(TiskRules, ChoicesAreKeptPerFunctionAndCompany)
{
    const TiskSettings protocol(m_context, tfProtokol);
    ASSERT_TRUE(protocol.rememberPrinter(1));
    ASSERT_TRUE(protocol.rememberTemplate(u"PROTOKOL1"_s));
    EXPECT_EQ(settingsLines(), (QStringList{u"[PRINT001]"_s, u"DefaultPrinter1=1"_s, u"FRMName1=\"PROTOKOL1\""_s}));

    // The list of documents and another company keep their own.
    EXPECT_EQ(TiskSettings(m_context, tfSeznamDokladu).defaultPrinter(), 0);
    EXPECT_EQ(TiskSettings(m_context, tfSeznamDokladu).templateName(), u"_SZOPRAVDOKL"_s);
    TiskContext other = m_context;
    other.agendaCode = u"002"_s;
    EXPECT_EQ(TiskSettings(other, tfProtokol).templateName(), u"_PROTOKOL"_s);
    EXPECT_EQ(protocol.defaultPrinter(), 1);
    ASSERT_TRUE(protocol.rememberPrinter(-1)); // no printer
    EXPECT_EQ(protocol.defaultPrinter(), -1);
}

struct StoredNameCase
{
    const char *name;
    QString stored; // the value as the settings file holds it
    QString read;
};

class StoredTemplateName : public PrintFixture, public testing::WithParamInterface<StoredNameCase>
{
};

TEST_P(StoredTemplateName, IsReadWithoutItsQuotes)
{
    writeFile(m_context.configIniPath, {u"[PRINT001]"_s, u"FRMName1="_s + GetParam().stored});
    EXPECT_EQ(TiskSettings(m_context, tfProtokol).templateName(), GetParam().read);
}

INSTANTIATE_TEST_SUITE_P(TiskRules, StoredTemplateName,
                         testing::Values(StoredNameCase{"Quoted", u"\"MUJ\""_s, u"MUJ"_s},
                                         StoredNameCase{"BlanksInside", u"\"můj protokol 2\""_s, u"můj protokol 2"_s},
                                         StoredNameCase{"BlanksAround", u"\" okraj \""_s, u" okraj "_s},
                                         StoredNameCase{"WithoutQuotes", u"STARY"_s, u"STARY"_s},
                                         // Empty quotes or nothing: the standard template.
                                         StoredNameCase{"EmptyQuotes", u"\"\""_s, u"_PROTOKOL"_s},
                                         StoredNameCase{"Empty", QString(), u"_PROTOKOL"_s},
                                         // One quote alone is not enclosed: kept as it is.
                                         StoredNameCase{"OneQuote", u"\""_s, u"\""_s}),
                         TestSupport::rowName);

TEST_F(TiskRules, ANameWithBlanksRoundTripsThroughTheSettings)
{
    const TiskSettings settings(m_context, tfProtokol);
    ASSERT_TRUE(settings.rememberTemplate(u"  Protokol pro účetní "_s));
    EXPECT_EQ(IniFile(m_context.configIniPath).ReadString(u"PRINT001"_s, u"FRMName1"_s, QString()),
              u"\"  Protokol pro účetní \""_s);
    EXPECT_EQ(settings.templateName(), u"  Protokol pro účetní "_s);
}

// ---------------------------------------------------------------- template check

struct CheckCase
{
    const char *name;
    QString field;        // what the template field holds
    QString existingFile; // a file in the template directory, if any
    QString warning;      // empty: the check passes (%1 the template directory)
    QString reportName;   // after a passing check
};

class TemplateCheck : public PrintFixture, public testing::WithParamInterface<CheckCase>
{
};

TEST_P(TemplateCheck, NeedsANameAndItsFile)
{
    if (!GetParam().existingFile.isEmpty())
        addTemplateFile(GetParam().existingFile);
    TSestava report;
    report.setReportDir(formsDir());
    report.setReportName(u"puvodni.pts"_s);
    report.setParametry({u"stary parametr"_s});
    const TiskTemplates templates(m_context);
    const bool passes = GetParam().warning.isEmpty();
    EXPECT_EQ(templates.check(GetParam().field, report), passes ? 0 : -1);
    if (passes) {
        EXPECT_TRUE(scriptedUi().messages().isEmpty());
        EXPECT_EQ(report.reportName(), GetParam().reportName);
        EXPECT_TRUE(report.parametry().isEmpty());
    } else {
        EXPECT_TRUE(
            scriptedUi().shown({{MessageKind::Warning, QString(GetParam().warning).replace(u"%1"_s, formsDir())}}));
        EXPECT_EQ(report.reportName(), u"puvodni.pts"_s);
        EXPECT_EQ(report.parametry(), QStringList{u"stary parametr"_s});
    }
}

INSTANTIATE_TEST_SUITE_P(
    TiskRules, TemplateCheck,
    testing::Values(CheckCase{"Empty", QString(), QString(), u"Nejprve vyberte formulář."_s, QString()},
                    CheckCase{"OnlyBlanks", u"   "_s, QString(), u"Nejprve vyberte formulář."_s, QString()},
                    CheckCase{"NoFile", u"_PROTOKOL"_s, QString(),
                              u"Nebyl nalezen formulářový soubor %1_PROTOKOL.PTS"_s, QString()},
                    CheckCase{"Found", u"_PROTOKOL"_s, u"_PROTOKOL.PTS"_s, QString(), u"_PROTOKOL.pts"_s},
                    // The host's names are spelt variously: found without regard to case.
                    CheckCase{"FoundInOtherCase", u"Muj"_s, u"MUJ.pts"_s, QString(), u"Muj.pts"_s},
                    CheckCase{"Trimmed", u" MUJ  "_s, u"MUJ.PTS"_s, QString(), u"MUJ.pts"_s},
                    CheckCase{"BlanksInside", u"muj protokol"_s, u"muj protokol.PTS"_s, QString(),
                              u"muj protokol.pts"_s}),
    TestSupport::rowName);

// ---------------------------------------------------------------- "Výběr"

TEST_F(TiskRules, ChoosingAFileElsewhereKeepsOnlyItsName)
{
    ASSERT_TRUE(QDir(m_temp.path()).mkpath(u"jinde"_s));
    writeFile(tempPath(u"jinde/muj protokol.v2.pts"_s), {u"I,0,\"Jinde\""_s});
    scriptedUi().chooseFile(tempPath(u"jinde/muj protokol.v2.pts"_s));
    const TiskTemplates templates(m_context);
    EXPECT_EQ(templates.choose(), u"MUJ PROTOKOL.V2"_s);
    ASSERT_EQ(scriptedUi().fileRequests().size(), 1);
    const FileDialogRequest &request = scriptedUi().fileRequests().at(0);
    EXPECT_EQ(request.title, u"Vyberte formulář"_s);
    EXPECT_EQ(request.filter, u"Formuláře (*.pts)|*.pts|Všechny soubory (*.*)|*.*"_s);
    EXPECT_EQ(request.defaultExtension, u"PTS"_s);
    EXPECT_EQ(request.initialDir, formsDir());

    // The check then looks for it in the template directory.
    TSestava report;
    EXPECT_EQ(templates.check(u"MUJ PROTOKOL.V2"_s, report), -1);
    EXPECT_TRUE(scriptedUi().shown(
        {{MessageKind::Warning, u"Nebyl nalezen formulářový soubor "_s + formsDir() + u"MUJ PROTOKOL.V2.PTS"_s}}));

    scriptedUi().chooseFile(QString()); // cancelled
    EXPECT_EQ(templates.choose(), QString());
}

// ---------------------------------------------------------------- "Editovat"

struct CopyNameCase
{
    const char *name;
    QString templ;
    QStringList existing; // files in the template directory
    QString copy;
};

class CopyName : public PrintFixture, public testing::WithParamInterface<CopyNameCase>
{
};

TEST_P(CopyName, TakesTheFirstFreeNumber)
{
    for (const QString &file : GetParam().existing)
        addTemplateFile(file);
    EXPECT_EQ(TiskTemplates(m_context).copyName(GetParam().templ), GetParam().copy);
}

INSTANTIATE_TEST_SUITE_P(
    TiskRules, CopyName,
    testing::Values(CopyNameCase{"NoCopyYet", u"_PROTOKOL"_s, {u"_PROTOKOL.PTS"_s}, u"PROTOKOL1"_s},
                    CopyNameCase{"OneCopy", u"_PROTOKOL"_s, {u"_PROTOKOL.PTS"_s, u"PROTOKOL1.PTS"_s}, u"PROTOKOL2"_s},
                    // A gap is filled.
                    CopyNameCase{"Gap", u"_PROTOKOL"_s, {u"PROTOKOL1.PTS"_s, u"PROTOKOL3.PTS"_s}, u"PROTOKOL2"_s},
                    // A copy spelt in small letters is a copy all the same.
                    CopyNameCase{"OtherCase", u"_SZOPRAVDOKL"_s, {u"szopravdokl1.pts"_s}, u"SZOPRAVDOKL2"_s},
                    // Another extension is another file.
                    CopyNameCase{"OtherExtension", u"_PROTOKOL"_s, {u"PROTOKOL1.BAK"_s}, u"PROTOKOL1"_s}),
    TestSupport::rowName);

class EditTemplate : public PrintFixture
{
protected:
    void SetUp() override
    {
        PrintFixture::SetUp();
        installShipped(u"_PROTOKOL"_s);
        fillProtocol(m_protocol, {u"Agenda: Kovárna Šťastný s.r.o."_s});
        m_report.setDataSource(&m_source);
        m_report.setReportDirIgnore(false);
        m_report.setReportDir(formsDir());
        ReportWindows::current().design = [this](TSestava &report) {
            m_designed.append(report.reportName());
            return int(seOK);
        };
    }

    // "Editovat" on `name`; the names the dialog's field was given.
    int edit(const QString &name)
    {
        return TiskTemplates(m_context).edit(name, m_report, [this](const QString &copy) { m_field.append(copy); });
    }

    MemTable m_protocol{u"mtProtokol"_s};
    MemTableDataSet m_dataSet{&m_protocol};
    ReportDataSource m_source{&m_dataSet};
    TSestava m_report;
    QStringList m_designed;
    QStringList m_field;
};

TEST_F(EditTemplate, AProgramTemplateIsEditedAsTheNextFreeCopy)
{
    addTemplateFile(u"PROTOKOL1.PTS"_s);
    const QStringList shipped = readFile(formsDir() + u"_PROTOKOL.PTS"_s);
    // Installed read-only, as a program's files may be.
    ASSERT_TRUE(
        QFile::setPermissions(formsDir() + u"_PROTOKOL.PTS"_s, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    scriptedUi().answer(MessageAnswer::Yes);
    EXPECT_EQ(edit(u"_PROTOKOL"_s), 0);

    EXPECT_EQ(readFile(formsDir() + u"PROTOKOL2.PTS"_s), shipped);
    EXPECT_EQ(m_field, QStringList{u"PROTOKOL2"_s});
    EXPECT_EQ(m_designed, QStringList{u"PROTOKOL2.pts"_s});
    EXPECT_TRUE(scriptedUi().shown(
        {{MessageKind::Confirmation,
          u"Tento formulář je součástí programu a nelze ho editovat přímo.\rChcete vytvořit kopii?"_s},
         {MessageKind::Information, u"Tip: pokud chcete upravený formulář používat k tisku jako výchozí, "
                                    u"zaškrtněte přepínač \"nastavit jako výchozí\"."_s}}));
    // The designer follows fields by name and shows their labels.
    EXPECT_EQ(settingsLines(), (QStringList{u"[EditorSestav]"_s, u"SledPodle=1"_s, u"PopisyPol=1"_s}));
    // The copy is the user's to save, also when the program's file is read-only.
    EXPECT_TRUE(QFile::permissions(formsDir() + u"PROTOKOL2.PTS"_s) & QFileDevice::WriteOwner);
}

TEST_F(EditTemplate, TheCopyIsMadeWhereverTheHostSpellsTheDirectory)
{
    // The host hands its data directory over in capitals; the tree on the
    // disk is spelt as it was created.
    const QString onDisk = formsDir();
    m_context.printFormsDir = onDisk.toUpper();
    m_report.setReportDir(m_context.printFormsDir);
    ASSERT_NE(m_context.printFormsDir, onDisk);
    scriptedUi().answer(MessageAnswer::Yes);
    EXPECT_EQ(edit(u"_PROTOKOL"_s), 0);
    EXPECT_EQ(readFile(onDisk + u"PROTOKOL1.PTS"_s), readFile(onDisk + u"_PROTOKOL.PTS"_s));
    EXPECT_EQ(m_designed, QStringList{u"PROTOKOL1.pts"_s});
    EXPECT_EQ(scriptedUi().messages().size(), 2) << "only the question and the tip";
}

TEST_F(EditTemplate, NoCopyWithoutConsent)
{
    scriptedUi().answer(MessageAnswer::No);
    EXPECT_EQ(edit(u"_PROTOKOL"_s), -1);
    EXPECT_FALSE(QFileInfo::exists(formsDir() + u"PROTOKOL1.PTS"_s));
    EXPECT_TRUE(m_designed.isEmpty());
    EXPECT_TRUE(m_field.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(m_context.configIniPath));
}

TEST_F(EditTemplate, AUsersTemplateIsEditedItselfWithoutTheTip)
{
    addTemplateFile(u"MUJ.PTS"_s);
    EXPECT_EQ(edit(u"MUJ"_s), 0);
    EXPECT_EQ(m_designed, QStringList{u"MUJ.pts"_s});
    EXPECT_TRUE(m_field.isEmpty());
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(formsDir() + u"UJ1.PTS"_s));
}

TEST_F(EditTemplate, AMissingTemplateStopsBeforeAnything)
{
    EXPECT_EQ(edit(u"_SZOPRAVDOKL"_s), -1);
    EXPECT_TRUE(scriptedUi().shown(
        {{MessageKind::Warning, u"Nebyl nalezen formulářový soubor "_s + formsDir() + u"_SZOPRAVDOKL.PTS"_s}}));
    EXPECT_TRUE(m_designed.isEmpty());
}

TEST_F(EditTemplate, ACopyThatFailsIsReportedWithBothPaths)
{
    // The copy's name is free, but its file cannot be written: a dangling
    // link stands there, into a directory that does not exist.
    ASSERT_TRUE(QFile::link(tempPath(u"chybi/PROTOKOL1.PTS"_s), formsDir() + u"PROTOKOL1.PTS"_s));
    scriptedUi().answer(MessageAnswer::Yes);
    EXPECT_EQ(edit(u"_PROTOKOL"_s), -1);
    EXPECT_TRUE(scriptedUi().shown(
        {{MessageKind::Confirmation,
          u"Tento formulář je součástí programu a nelze ho editovat přímo.\rChcete vytvořit kopii?"_s},
         {MessageKind::Error, u"Při kopírování z "_s + formsDir() + u"_PROTOKOL.PTS na "_s + formsDir() +
                                  u"PROTOKOL1.PTS došlo k chybě."_s}}));
    EXPECT_TRUE(m_designed.isEmpty());
    EXPECT_TRUE(m_field.isEmpty());
}

// ---------------------------------------------------------------- saving from the designer

struct SaveAsCase
{
    const char *name;
    QString chosen; // the file the save dialog returns (%1 the temporary directory); empty: cancelled
    bool saved;
    QString warning;
    QString file; // the file written in the template directory
};

class SaveAs : public PrintFixture, public testing::WithParamInterface<SaveAsCase>
{
};

TEST_P(SaveAs, WritesIntoTheTemplateDirectoryButNeverAProgramName)
{
    TSestava report;
    report.setReportDirIgnore(false);
    report.setReportDir(formsDir());
    report.setReportName(u"PROTOKOL1"_s);
    report.setPredloha({u"I,0,\"Upravený\""_s});
    const TiskTemplates templates(m_context);
    report.OnUlozPredlohuJako = [&templates](TSestavaTyp *sender, QString &soubor) {
        return templates.saveAs(sender, soubor);
    };
    scriptedUi().chooseFile(GetParam().chosen.isEmpty() ? QString() : GetParam().chosen.arg(m_temp.path()));

    EXPECT_EQ(report.SaveTemplateAs(), GetParam().saved ? seOK : seTemplateSave);
    ASSERT_EQ(scriptedUi().fileRequests().size(), 1);
    const FileDialogRequest &request = scriptedUi().fileRequests().at(0);
    EXPECT_EQ(request.title, u"Uložit do souboru"_s);
    EXPECT_EQ(request.filter, u"Předloha (*.pts)|*.pts"_s);
    EXPECT_EQ(request.defaultExtension, u"PTS"_s);
    EXPECT_EQ(request.initialDir, formsDir());
    EXPECT_EQ(request.fileName, QString());
    if (GetParam().warning.isEmpty())
        EXPECT_TRUE(scriptedUi().messages().isEmpty());
    else
        EXPECT_TRUE(scriptedUi().shown({{MessageKind::Warning, GetParam().warning}}));
    if (GetParam().saved) {
        EXPECT_EQ(report.reportName(), GetParam().file.toLower());
        EXPECT_EQ(readFile(formsDir() + GetParam().file), report.predloha());
    } else {
        EXPECT_EQ(report.reportName(), u"PROTOKOL1.pts"_s);
        EXPECT_EQ(QDir(formsDir()).entryList(QDir::Files), QStringList());
    }
}

INSTANTIATE_TEST_SUITE_P(TiskRules, SaveAs,
                         testing::Values(SaveAsCase{"Cancelled", QString(), false, QString(), QString()},
                                         SaveAsCase{"ProgramName", u"%1/Velmar/Tarnek/PrintFrm/_X.pts"_s, false,
                                                    u"Název souboru nesmí začínat znakem _ (podtržítko)."_s, QString()},
                                         SaveAsCase{"ProgramNameElsewhere", u"%1/_PROTOKOL.PTS"_s, false,
                                                    u"Název souboru nesmí začínat znakem _ (podtržítko)."_s, QString()},
                                         SaveAsCase{"NewName", u"%1/Velmar/Tarnek/PrintFrm/muj.pts"_s, true, QString(),
                                                    u"muj.pts"_s},
                                         // Chosen elsewhere: written where the dialog looks for templates.
                                         SaveAsCase{"Elsewhere", u"%1/jinam.pts"_s, true, QString(), u"jinam.pts"_s}),
                         TestSupport::rowName);

TEST_F(TiskRules, HelpTextNamesEveryButton)
{
    const QString help = TiskTemplates::helpText();
    EXPECT_TRUE(help.startsWith(u"[Formulář]\rNázev souboru s formulářem"_s));
    for (const QString &part : {u"\r\r[Výběr]\r"_s, u"\r\r[Standardní]\rNastaví původní (originální) formulář"_s,
                                u"\r\r[Editovat]\rSpustí interní editor pro úpravu formulářů (pouze pro pokročilé)"_s})
        EXPECT_TRUE(help.contains(part)) << part.toStdString();
}

} // namespace
