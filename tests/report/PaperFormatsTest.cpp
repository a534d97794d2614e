// Paper formats: the built-in list, the user formats file, matching a size,
// and the format dialog.

#include "ReportFixture.h"

#include "common/IniFile.h"
#include "report/core/template/PaperFormats.h"
#include "report/ui/designer/PaperFormatDialog.h"
#include "support/TestSupport.h"

#include <QLineEdit>

using namespace Qt::StringLiterals;
using TestSupport::child;
using TestSupport::click;

namespace {

class PaperFormats : public ReportFixture
{
protected:
    QString ini() const { return tempPath(u"formaty.ini"_s); }
};

TEST_F(PaperFormats, BuiltInFormatsInTheirOrder)
{
    TListFormatu formats;
    ASSERT_EQ(formats.count(), 18);
    EXPECT_EQ(formats.at(0), (TFormatPapiru{u"Uživat. (210 x 297 mm)"_s, 826, 1169}));
    EXPECT_EQ(formats.at(2), (TFormatPapiru{u"Skládaný (15 x 12\")"_s, 1500, 1200}));
    EXPECT_EQ(formats.at(8), (TFormatPapiru{u"A4 (210 x 297 mm)"_s, 826, 1169}));
    EXPECT_EQ(formats.at(10), (TFormatPapiru{u"A6 (105 x 148.5mm)"_s, 413, 584}));
    EXPECT_EQ(formats.at(15), (TFormatPapiru{u"Obálka otoč.(114 x 162 mm)"_s, 433, 637}));
    EXPECT_EQ(formats.at(17), (TFormatPapiru{u"Obálka otoč.(162 x 228 mm)"_s, 637, 896}));
    EXPECT_FALSE(TListFormatu::isUserFormat(17));
    EXPECT_TRUE(TListFormatu::isUserFormat(18));
}

struct FindCase
{
    const char *name;
    int width;
    int height;
    int index; // -1: a new user format
};

class PaperFormatFind : public PaperFormats, public testing::WithParamInterface<FindCase>
{
};

TEST_P(PaperFormatFind, MatchesWithinOnePercent)
{
    TListFormatu formats;
    const int index = formats.find(GetParam().width, GetParam().height);
    if (GetParam().index >= 0) {
        EXPECT_EQ(index, GetParam().index);
        EXPECT_EQ(formats.count(), 18);
    } else {
        EXPECT_EQ(index, 18);
        EXPECT_EQ(formats.at(18), (TFormatPapiru{u"uživ. formát"_s, GetParam().width, GetParam().height}));
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, PaperFormatFind,
                         testing::Values(FindCase{"A4Exact", 826, 1169, 8},
                                         FindCase{"A4WithinOnePercent", 827, 1170, 8},
                                         FindCase{"A4EdgeOfOnePercent", 834, 1180, 8}, FindCase{"Letter", 850, 1100, 3},
                                         FindCase{"Fanfold", 850, 1200, 1}, FindCase{"EnvelopeTurned", 433, 866, 16},
                                         FindCase{"TooWideForAny", 900, 1169, -1},
                                         FindCase{"JustOutsideOnePercent", 815, 1169, -1}),
                         TestSupport::rowName);

TEST_F(PaperFormats, UserFormatsFoundAfterTheBuiltInOnes)
{
    TListFormatu formats;
    formats.append({u"Štítek"_s, 400, 200});
    EXPECT_EQ(formats.find(401, 201), 18);
    EXPECT_EQ(formats.count(), 19);
}

TEST_F(PaperFormats, LoadReadsTheUserFormatsInKeyOrder)
{
    writeFile(ini(), {u"[FormatyPapiru]"_s, u"PocetFormatu=3"_s, u"Format2=\"Dlouhý, úzký\",300,2000"_s,
                      u"Format1=Štítek,400,200"_s, u"Format3=Vadný,x,"_s});
    TListFormatu formats;
    formats.load(ini());
    ASSERT_EQ(formats.count(), 21);
    EXPECT_EQ(formats.at(18), (TFormatPapiru{u"Štítek"_s, 400, 200}));
    EXPECT_EQ(formats.at(19), (TFormatPapiru{u"Dlouhý, úzký"_s, 300, 2000}));
    EXPECT_EQ(formats.at(20), (TFormatPapiru{u"Vadný"_s, 0, 0}));
}

TEST_F(PaperFormats, LoadAcceptsBlanksAroundHandEditedValues)
{
    writeFile(ini(), {u"[FormatyPapiru]"_s, u"PocetFormatu=1"_s, u"Format1= Obálka C6 , 637 , 449"_s});
    TListFormatu formats;
    formats.load(ini());
    ASSERT_EQ(formats.count(), 19);
    EXPECT_EQ(formats.at(18), (TFormatPapiru{u"Obálka C6"_s, 637, 449}));
}

TEST_F(PaperFormats, MissingKeyGivesASizeLessFormat)
{
    writeFile(ini(), {u"[FormatyPapiru]"_s, u"PocetFormatu=2"_s, u"Format1=Štítek,400,200"_s});
    TListFormatu formats;
    formats.load(ini());
    ASSERT_EQ(formats.count(), 20);
    EXPECT_EQ(formats.at(19), (TFormatPapiru{u"Uživat. (210 x 297 mm)"_s, 0, 0}));
}

TEST_F(PaperFormats, MissingFileOrHugeCountGivesABoundedList)
{
    TListFormatu formats;
    formats.append({u"x"_s, 1, 1});
    formats.load(tempPath(u"neni.ini"_s));
    EXPECT_EQ(formats.count(), 18);
    writeFile(ini(), {u"[FormatyPapiru]"_s, u"PocetFormatu=2000000000"_s});
    formats.load(ini());
    EXPECT_EQ(formats.count(), 18 + 1000);
    writeFile(ini(), {u"[FormatyPapiru]"_s, u"PocetFormatu=-3"_s});
    formats.load(ini());
    EXPECT_EQ(formats.count(), 18);
}

TEST_F(PaperFormats, LongNameCutTo48OnReading)
{
    writeFile(ini(), {u"[FormatyPapiru]"_s, u"PocetFormatu=1"_s, u"Format1="_s + QString(60, u'N') + u",1,2"_s});
    TListFormatu formats;
    formats.load(ini());
    EXPECT_EQ(formats.at(18).name, QString(48, u'N'));
    EXPECT_EQ(formats.at(18).height, 2);
}

TEST_F(PaperFormats, SavingAndLoadingAgainKeepsTheFile)
{
    writeFile(ini(), {u"[Jine]"_s, u"a=1"_s, u"[FormatyPapiru]"_s, u"PocetFormatu=2"_s, u"Format1=Štítek,400,200"_s,
                      u"Format2=\"Dlouhý, úzký\",300,2000"_s});
    TListFormatu formats;
    formats.load(ini());
    ASSERT_TRUE(formats.save(ini()));
    const QStringList once = readFile(ini());
    for (int i = 0; i < 3; ++i) {
        TListFormatu again;
        again.load(ini());
        EXPECT_EQ(again.count(), 20);
        ASSERT_TRUE(again.save(ini()));
    }
    EXPECT_EQ(readFile(ini()), once);
    EXPECT_EQ(once, (QStringList{u"[Jine]"_s, u"a=1"_s, u"[FormatyPapiru]"_s, u"PocetFormatu=2"_s,
                                 u"Format1=Štítek,400,200"_s, u"Format2=\"Dlouhý, úzký\",300,2000"_s}));
}

TEST_F(PaperFormats, RemovedFormatDoesNotComeBack)
{
    writeFile(ini(), {u"[FormatyPapiru]"_s, u"PocetFormatu=2"_s, u"Format1=A,1,1"_s, u"Format2=B,2,2"_s});
    TListFormatu formats;
    formats.load(ini());
    EXPECT_FALSE(formats.removeUserFormat(3));
    EXPECT_TRUE(formats.removeUserFormat(18));
    ASSERT_TRUE(formats.save(ini()));
    EXPECT_EQ(readFile(ini()), (QStringList{u"[FormatyPapiru]"_s, u"PocetFormatu=1"_s, u"Format1=B,2,2"_s}));
    formats.append({u"C"_s, 3, 3});
    ASSERT_TRUE(formats.save(ini()));
    TListFormatu again;
    again.load(ini());
    EXPECT_EQ(again.at(19), (TFormatPapiru{u"C"_s, 3, 3}));
}

// ---------------------------------------------------------------- the dialog

TEST_F(PaperFormats, DialogEditsAUserFormat)
{
    TListFormatu formats;
    const int index = formats.append({u"uživ. formát"_s, 826, 1169});
    scriptedUi().onWindow(u"TDlgFormatPapiru"_s, [](QDialog &w) {
        EXPECT_EQ(w.windowTitle(), u"Formát papíru"_s);
        EXPECT_TRUE(child<QLineEdit>(w, u"edtNazev"_s)->isEnabled());
        child<QLineEdit>(w, u"edtNazev"_s)->setText(u"Velmi dlouhý název formátu papíru pro štítky"_s);
        child<QLineEdit>(w, u"edtSirka"_s)->setText(u"400"_s);
        child<QLineEdit>(w, u"edtVyska"_s)->setText(u"abc"_s);
        click(w, u"btnKonec"_s);
    });
    EXPECT_TRUE(TDlgFormatPapiru::edit(formats, index, true));
    EXPECT_EQ(formats.at(index).name, u"Velmi dlouhý název formátu papí"_s); // 31 characters
    EXPECT_EQ(formats.at(index).width, 400);
    EXPECT_EQ(formats.at(index).height, 1169); // not a number: kept
}

TEST_F(PaperFormats, DialogShowsABuiltInFormatReadOnlyAndZpetCancels)
{
    TListFormatu formats;
    scriptedUi().onWindow(u"TDlgFormatPapiru"_s, [](QDialog &w) {
        EXPECT_EQ(child<QLineEdit>(w, u"edtNazev"_s)->text(), u"A4 (210 x 297 mm)"_s);
        EXPECT_EQ(child<QLineEdit>(w, u"edtSirka"_s)->text(), u"826"_s);
        EXPECT_FALSE(child<QLineEdit>(w, u"edtSirka"_s)->isEnabled());
        click(w, u"btnKonec"_s);
    });
    EXPECT_TRUE(TDlgFormatPapiru::edit(formats, 8, false));
    EXPECT_EQ(formats.at(8), TListFormatu::builtIn(8));

    const int index = formats.append({u"x"_s, 1, 2});
    scriptedUi().onWindow(u"TDlgFormatPapiru"_s, [](QDialog &w) {
        child<QLineEdit>(w, u"edtSirka"_s)->setText(u"999"_s);
        click(w, u"btnZpet"_s);
    });
    EXPECT_FALSE(TDlgFormatPapiru::edit(formats, index, true));
    EXPECT_EQ(formats.at(index).width, 1);
}

} // namespace
