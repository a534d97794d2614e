// The template list: descriptions of the template files of a directory.

#include "ReportFixture.h"

#include "report/core/Report.h"
#include "report/ui/printing/TemplateComboBox.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace {

class TemplateList : public ReportFixture
{
protected:
    void SetUp() override
    {
        ReportFixture::SetUp();
        QDir(m_temp.path()).mkpath(u"forms/sub"_s);
        writeFile(tempPath(u"forms/_PROTOKOL.PTS"_s), {u"I,1,6,40,27"_s, u"I,0,\"Protokol, standardní\""_s});
        writeFile(tempPath(u"forms/seznam.pts"_s), {u"T,1,0,0,0,1,1"_s});
        writeFile(tempPath(u"forms/jiny.txt"_s), {u"I,0,\"není předloha\""_s});
        writeFile(tempPath(u"forms/sub/vnoreny.pts"_s), {u"I,0,\"Vnořený\""_s});
        writeFile(tempPath(u"beside.pts"_s), {u"I,0,\"U programu\""_s});
        QDir(m_temp.path()).mkpath(u"forms/adresar.pts"_s);
    }

    QStringList texts(const QComboBox &combo) const
    {
        QStringList result;
        for (int i = 0; i < combo.count(); ++i)
            result << combo.itemText(i);
        return result;
    }
};

TEST_F(TemplateList, ShowsTheDescriptionOrTheFileName)
{
    TComboBoxPredloha combo;
    EXPECT_TRUE(combo.reportDirIgnore());
    combo.setReportDirIgnore(false);
    combo.setReportDir(tempPath(u"forms"_s));
    combo.setReportMask(u"*.*"_s);
    EXPECT_EQ(combo.reportMask(), u"*.pts"_s);
    EXPECT_EQ(combo.searchPattern(), tempPath(u"forms/*.pts"_s));
    combo.fill();
    EXPECT_EQ(texts(combo), (QStringList{u"Protokol, standardní"_s, u"seznam.pts"_s}));
    EXPECT_EQ(combo.value(0), u"_protokol.pts"_s);
    EXPECT_EQ(combo.value(1), u"seznam.pts"_s);
}

TEST_F(TemplateList, DirIgnoreSearchesBesideTheProgram)
{
    TComboBoxPredloha combo;
    combo.setReportDir(tempPath(u"forms"_s));
    combo.fill();
    EXPECT_EQ(texts(combo), QStringList{u"U programu"_s});
}

TEST_F(TemplateList, MaskDirectoryGoesIntoTheValue)
{
    TComboBoxPredloha combo;
    combo.setReportDirIgnore(false);
    combo.setReportDir(tempPath(u"forms"_s));
    combo.setReportMask(u"SUB/*"_s);
    combo.fill();
    EXPECT_EQ(texts(combo), QStringList{u"Vnořený"_s});
    EXPECT_EQ(combo.value(0), u"sub/vnoreny.pts"_s);
}

TEST_F(TemplateList, ChoosingAnItemSetsTheReportName)
{
    TSestava report;
    TComboBoxPredloha combo;
    combo.setReport(&report);
    combo.setReportDirIgnore(false);
    combo.setReportDir(tempPath(u"forms"_s));
    combo.fill();
    combo.activated(1);
    EXPECT_EQ(report.reportName(), u"seznam.pts"_s);
}

TEST_F(TemplateList, SelectFileAndFillKeepTheSelection)
{
    TComboBoxPredloha combo;
    combo.setReportDirIgnore(false);
    combo.setReportDir(tempPath(u"forms"_s));
    EXPECT_TRUE(combo.selectFile(u"_PROTOKOL.PTS"_s));
    EXPECT_EQ(combo.currentText(), u"Protokol, standardní"_s);
    writeFile(tempPath(u"forms/a.pts"_s), {u"I,0,\"Áčko\""_s});
    combo.fill();
    EXPECT_EQ(combo.count(), 3);
    EXPECT_EQ(combo.currentText(), u"Protokol, standardní"_s);
    EXPECT_FALSE(combo.selectFile(u"nic.pts"_s));
    EXPECT_EQ(combo.currentIndex(), -1);
}

TEST_F(TemplateList, HandlerReplacesTheSearch)
{
    TComboBoxPredloha combo;
    combo.OnNactiSeznam = [](TComboBoxPredloha *sender) { sender->addItem(u"Z aplikace"_s, u"app.pts"_s); };
    combo.fill();
    EXPECT_EQ(texts(combo), QStringList{u"Z aplikace"_s});
    EXPECT_EQ(combo.value(0), u"app.pts"_s);
}

TEST_F(TemplateList, LongValuesAreCut)
{
    const QString name = QString(140, u'a') + u".pts"_s;
    writeFile(tempPath(u"forms/"_s) + name, {});
    TComboBoxPredloha combo;
    combo.setReportDirIgnore(false);
    combo.setReportDir(tempPath(u"forms"_s));
    combo.fill();
    bool found = false;
    for (int i = 0; i < combo.count(); ++i)
        found = found || combo.value(i) == QString(128, u'a');
    EXPECT_TRUE(found);
}

} // namespace
