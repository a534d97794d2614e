// The designer's settings in the report's ini file.

#include "ReportFixture.h"

#include "common/IniFile.h"
#include "report/core/designer/DesignerSettings.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace {

class DesignerSettingsFile : public ReportFixture
{
protected:
    QString ini() const { return tempPath(u"SestDLL.ini"_s); }
};

TEST_F(DesignerSettingsFile, MissingFileGivesTheDefaults)
{
    const DesignerSettings s = DesignerSettings::load(ini());
    EXPECT_EQ(s, DesignerSettings{});
    EXPECT_EQ(s.zoomIndex, 6);
    EXPECT_EQ(DesignerSettings::zoomPercent(s.zoomIndex), 100);
    EXPECT_TRUE(s.showGrid);
    EXPECT_TRUE(s.confirmDeleteMany);
    EXPECT_FALSE(s.confirmDeleteOne);
    EXPECT_EQ(s.undoLimit, 10);
    EXPECT_EQ(s.newFontName, u"Arial"_s);
    EXPECT_FALSE(QFile::exists(ini()));
}

TEST_F(DesignerSettingsFile, EveryKeyWrittenReadsBack)
{
    DesignerSettings s;
    s.zoomIndex = 9;
    s.gridX = 5;
    s.gridY = 7;
    s.showGrid = false;
    s.snapToGrid = false;
    s.confirmDeleteOne = true;
    s.confirmDeleteMany = false;
    s.allowMoveOutside = true;
    s.undoLimit = 3;
    s.undoAfterSave = true;
    s.showTree = true;
    s.followByName = true;
    s.labelsForNames = true;
    s.fontsAlphabetical = true;
    s.newWidth = 150;
    s.newHeight = 30;
    s.newTextAlignment = 2;
    s.newNumberAlignment = 0;
    s.newFontColour = 4;
    s.newFontSize = -13;
    s.newFontName = u"Courier New CE"_s;
    s.newFontStyle = 3;
    s.newFontCharset = 238;
    ASSERT_TRUE(s.save(ini()));
    EXPECT_EQ(DesignerSettings::load(ini()), s);

    // The keys are the host's, in its two sections.
    const IniFile file(ini());
    EXPECT_EQ(file.ReadInteger(u"EditorSestav"_s, u"PocetUndo"_s, 0), 3);
    EXPECT_TRUE(file.ReadBool(u"EditorSestav"_s, u"PosunMimo"_s, false));
    EXPECT_EQ(file.ReadString(u"Oddily"_s, u"ImplNazevFontu"_s, {}), u"Courier New CE"_s);
    EXPECT_EQ(file.ReadInteger(u"Oddily"_s, u"ImplVyskaFontu"_s, 0), -13);
}

TEST_F(DesignerSettingsFile, SavingKeepsTheOtherSectionsOfTheFile)
{
    IniFile file(ini());
    ASSERT_TRUE(file.WriteString(u"FormatyPapiru"_s, u"Pocet"_s, u"1"_s));
    ASSERT_TRUE(DesignerSettings{}.save(ini()));
    EXPECT_EQ(file.ReadString(u"FormatyPapiru"_s, u"Pocet"_s, {}), u"1"_s);
}

TEST_F(DesignerSettingsFile, HandEditedValuesTheDesignerCannotUseAreBounded)
{
    IniFile file(ini());
    file.WriteInteger(u"EditorSestav"_s, u"RastrX"_s, 0);
    file.WriteInteger(u"EditorSestav"_s, u"RastrY"_s, -4);
    file.WriteInteger(u"EditorSestav"_s, u"PocetUndo"_s, -1);
    file.WriteInteger(u"EditorSestav"_s, u"ImplMeritko"_s, 40);
    file.WriteInteger(u"Oddily"_s, u"ImplSirka"_s, 0);
    const DesignerSettings s = DesignerSettings::load(ini());
    EXPECT_EQ(s.gridX, 1);
    EXPECT_EQ(s.gridY, 1);
    EXPECT_EQ(s.undoLimit, 0);
    EXPECT_EQ(s.boundedZoomIndex(), DesignerSettings::ZoomCount - 1);
    EXPECT_EQ(DesignerSettings::zoomPercent(s.boundedZoomIndex()), 300);
    EXPECT_EQ(s.newWidth, 1);
}

} // namespace
