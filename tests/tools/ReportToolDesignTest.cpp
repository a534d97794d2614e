// "tarnek-report design": the real designer window over a template and CSV
// data, driven through the routine the program's main runs, with the windows
// the program installs; and its refusals of bad input.

#include "reporttool/ReportTool.h"

#include "common/TextFile.h"
#include "report/core/DesignerDocument.h"
#include "report/core/OutputDump.h"
#include "report/core/PageSetup.h"
#include "report/core/ReportWindows.h"
#include "report/core/sestavy.h"
#include "report/ui/FormSestE.h"
#include "report/ui/FormSestP.h"
#include "support/ScriptedUi.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QAction *action(QWidget &window, const QString &name)
{
    QAction *found = window.findChild<QAction *>(name);
    if (!found)
        ADD_FAILURE() << "no action " << name.toStdString();
    return found;
}

class ReportToolDesign : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        pageSetup() = TPageSetup();
        m_saved = TReportWindows::current();
        // As the program's main installs them.
        TFormSestP::install();
        TFormSestE::install();
        writeText(u"data.csv"_s, u"Cislo:integer,Nazev\n7,Sedm\n8,Osm\n"_s);
    }
    void TearDown() override
    {
        TReportWindows::current() = m_saved;
        pageSetup() = TPageSetup();
    }

    QString path(const QString &name) const { return m_dir.filePath(name); }
    void writeText(const QString &name, const QString &text) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
    }
    // A body with field 0 of the data and a page header "Seznam".
    void writeTemplate(const QString &name) const
    {
        TSestava model;
        model.sections().find(TOddilSestavy::PageHeader)->height = 20;
        TRastelReportElement &title = model.sections().find(TOddilSestavy::PageHeader)->addElement(&model);
        title.kind = ElementKind::GraphicText;
        title.text = u"Seznam"_s;
        title.width = 200;
        title.height = 20;
        model.sections().find(TOddilSestavy::Body)->height = 20;
        TRastelReportElement &field = model.sections().find(TOddilSestavy::Body)->addElement(&model);
        field.kind = ElementKind::Field;
        field.width = 100;
        field.height = 20;
        ASSERT_TRUE(TextFile::writeLines(path(name), model.writeTemplate()));
    }
    QStringList readTemplate(const QString &name) const
    {
        return TextFile::readLines(path(name)).value_or(QStringList());
    }
    int run(const QStringList &arguments)
    {
        m_out.clear();
        m_err.clear();
        QTextStream out(&m_out);
        QTextStream err(&m_err);
        const int result = ReportTool::run(arguments, out, err);
        out.flush();
        err.flush();
        return result;
    }
    QStringList design(const QString &templateName)
    {
        return {u"design"_s, path(templateName), u"--data"_s, path(u"data.csv"_s)};
    }

    QTemporaryDir m_dir;
    TReportWindows m_saved;
    QString m_out;
    QString m_err;
};

TEST_F(ReportToolDesign, TheDesignerShowsTheDataSavesTheTemplateAndPreviewsIt)
{
    writeTemplate(u"seznam.pts"_s);
    QStringList fields;
    QString dump;
    scriptedUi().onWindow(u"FormSestE"_s, [&](QDialog &window) {
        auto &designer = static_cast<TFormSestE &>(window);
        fields = designer.editor().model().fieldNames();
        TSestEditor &editor = designer.editor();
        ASSERT_TRUE(editor.setText(editor.elements(TOddilSestavy::PageHeader).value(0), u"Přehled"_s));
        // The preview of the copy over the tool's data, then back.
        scriptedUi().onWindow(u"TFormSestP"_s, [&](QDialog &preview) {
            dump = dumpOutput(designer.editor().report().vystup());
            action(preview, u"ActionEdit"_s)->trigger();
        });
        action(designer, u"ActionNahled"_s)->trigger();
        action(designer, u"ActionUlozit"_s)->trigger();
        action(designer, u"ActionKonec"_s)->trigger();
    });
    EXPECT_EQ(run(design(u"seznam.pts"_s)), 0) << m_err.toStdString();
    EXPECT_EQ(fields, (QStringList{u"Cislo"_s, u"Nazev"_s}));
    for (const QString &shown : {u"\"Přehled\""_s, u"\"7\""_s, u"\"8\""_s})
        EXPECT_TRUE(dump.contains(shown)) << shown.toStdString() << '\n' << dump.toStdString();
    EXPECT_TRUE(readTemplate(u"seznam.pts"_s).join(u'\n').contains(u"\"Přehled\""_s));
    EXPECT_TRUE(m_err.isEmpty()) << m_err.toStdString();
}

TEST_F(ReportToolDesign, DroppedChangesLeaveTheFileAndExitZero)
{
    writeTemplate(u"seznam.pts"_s);
    const QStringList before = readTemplate(u"seznam.pts"_s);
    scriptedUi().onWindow(u"FormSestE"_s, [&](QDialog &window) {
        TSestEditor &editor = static_cast<TFormSestE &>(window).editor();
        ASSERT_TRUE(editor.setText(editor.elements(TOddilSestavy::PageHeader).value(0), u"Přehled"_s));
        scriptedUi().answer(MessageAnswer::No); // "V předloze sestavy byly provedeny změny. Uložit?"
        action(window, u"ActionKonec"_s)->trigger();
    });
    EXPECT_EQ(run(design(u"seznam.pts"_s)), 0) << m_err.toStdString();
    EXPECT_EQ(readTemplate(u"seznam.pts"_s), before);
}

// A template that is not there: the report offers to create it; refused, the
// tool ends with the report's code 4, accepted, the designer opens on the new
// empty file.
TEST_F(ReportToolDesign, AMissingTemplateIsOfferedAndRefusingEnds)
{
    const QString question =
        u"Nebyl nalezen soubor s předlohou tiskové sestavy \"%1\". Založit nový?"_s.arg(path(u"novy.pts"_s));
    scriptedUi().answer(MessageAnswer::No);
    EXPECT_EQ(run(design(u"novy.pts"_s)), int(seTemplateLoad));
    EXPECT_TRUE(scriptedUi().shown({{MessageKind::Confirmation, question, u"Potvrzení"_s}}));
    EXPECT_FALSE(QFile::exists(path(u"novy.pts"_s)));
    EXPECT_FALSE(scriptedUi().windowsShown().contains(u"FormSestE"_s));

    scriptedUi().reset();
    scriptedUi().answer(MessageAnswer::Yes);
    scriptedUi().onWindow(u"FormSestE"_s, [](QDialog &window) { action(window, u"ActionKonec"_s)->trigger(); });
    EXPECT_EQ(run(design(u"novy.pts"_s)), 0) << m_err.toStdString();
    EXPECT_TRUE(QFile::exists(path(u"novy.pts"_s)));
}

struct BadInputRow
{
    const char *name;
    QStringList arguments; // after "design" (%1: the temporary directory)
    int exitCode;
    QString message; // the first line on the error stream
};

class ReportToolDesignBadInput : public ReportToolDesign, public testing::WithParamInterface<BadInputRow>
{
};

TEST_P(ReportToolDesignBadInput, EndsWithTheMessageBeforeAnyWindow)
{
    writeTemplate(u"seznam.pts"_s);
    writeText(u"spatna.csv"_s, u"Cislo:cislo\n1\n"_s);
    QStringList arguments{u"design"_s};
    for (const QString &argument : GetParam().arguments)
        arguments << QString(argument).replace(u"%1"_s, m_dir.path());
    EXPECT_EQ(run(arguments), GetParam().exitCode);
    EXPECT_EQ(m_err.section(u'\n', 0, 0), QString(GetParam().message).replace(u"%1"_s, m_dir.path()));
    EXPECT_TRUE(scriptedUi().windowsShown().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Tool, ReportToolDesignBadInput,
    testing::Values(BadInputRow{"MissingData",
                                {u"%1/seznam.pts"_s, u"--data"_s, u"%1/chybi.csv"_s},
                                1,
                                u"cannot read %1/chybi.csv"_s},
                    BadInputRow{"BadColumnKind",
                                {u"%1/seznam.pts"_s, u"--data"_s, u"%1/spatna.csv"_s},
                                1,
                                u"%1/spatna.csv: column \"Cislo\": unknown kind \"cislo\" (text, integer, float, "
                                "boolean, datetime, memo)"_s},
                    BadInputRow{"NoData",
                                {u"%1/seznam.pts"_s},
                                2,
                                u"give the report's data with either --data FILE.csv or --table DIR/NAME"_s},
                    BadInputRow{"OutputOption",
                                {u"%1/seznam.pts"_s, u"--data"_s, u"%1/x.csv"_s, u"-o"_s, u"x"_s},
                                2,
                                u"design writes no output: --format, -o and --print belong to render"_s}),
    TestSupport::rowName);

} // namespace
