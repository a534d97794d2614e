#include "report/core/designer/DesignerSettings.h"

#include "common/IniFile.h"

#include <QtGlobal>

#include <array>

namespace {

const QString kEditor = QStringLiteral("EditorSestav");
const QString kSections = QStringLiteral("Oddily");

constexpr std::array<int, DesignerSettings::ZoomCount> kZoomPercents{32, 40, 50, 64, 75, 83, 100, 120, 150, 200, 300};

} // namespace

int DesignerSettings::zoomPercent(int index)
{
    return kZoomPercents.at(size_t(qBound(0, index, ZoomCount - 1)));
}

int DesignerSettings::boundedZoomIndex() const
{
    return qBound(0, zoomIndex, ZoomCount - 1);
}

DesignerSettings DesignerSettings::load(const QString &iniPath)
{
    DesignerSettings s;
    if (iniPath.isEmpty())
        return s;
    const IniFile ini(iniPath);
    s.zoomIndex = ini.ReadInteger(kEditor, QStringLiteral("ImplMeritko"), s.zoomIndex);
    s.gridX = ini.ReadInteger(kEditor, QStringLiteral("RastrX"), s.gridX);
    s.gridY = ini.ReadInteger(kEditor, QStringLiteral("RastrY"), s.gridY);
    s.showGrid = ini.ReadBool(kEditor, QStringLiteral("RastrZobrazovat"), s.showGrid);
    s.snapToGrid = ini.ReadBool(kEditor, QStringLiteral("RastrZarovnavat"), s.snapToGrid);
    s.confirmDeleteOne = ini.ReadBool(kEditor, QStringLiteral("MazaniJedne"), s.confirmDeleteOne);
    s.confirmDeleteMany = ini.ReadBool(kEditor, QStringLiteral("MazaniVice"), s.confirmDeleteMany);
    s.allowMoveOutside = ini.ReadBool(kEditor, QStringLiteral("PosunMimo"), s.allowMoveOutside);
    s.undoLimit = ini.ReadInteger(kEditor, QStringLiteral("PocetUndo"), s.undoLimit);
    s.undoAfterSave = ini.ReadBool(kEditor, QStringLiteral("UndoSave"), s.undoAfterSave);
    s.showTree = ini.ReadBool(kEditor, QStringLiteral("ShowTree"), s.showTree);
    s.followByName = ini.ReadBool(kEditor, QStringLiteral("SledPodle"), s.followByName);
    s.labelsForNames = ini.ReadBool(kEditor, QStringLiteral("PopisyPol"), s.labelsForNames);
    s.fontsAlphabetical = ini.ReadBool(kEditor, QStringLiteral("PismaAbec"), s.fontsAlphabetical);

    s.newWidth = ini.ReadInteger(kSections, QStringLiteral("ImplSirka"), s.newWidth);
    s.newHeight = ini.ReadInteger(kSections, QStringLiteral("ImplVyska"), s.newHeight);
    s.newTextAlignment = ini.ReadInteger(kSections, QStringLiteral("ImplZarovnani"), s.newTextAlignment);
    s.newNumberAlignment = ini.ReadInteger(kSections, QStringLiteral("ImplZarovnaniCi"), s.newNumberAlignment);
    s.newFontColour = ini.ReadInteger(kSections, QStringLiteral("ImplBarvaFontu"), s.newFontColour);
    s.newFontSize = ini.ReadInteger(kSections, QStringLiteral("ImplVyskaFontu"), s.newFontSize);
    s.newFontName = ini.ReadString(kSections, QStringLiteral("ImplNazevFontu"), s.newFontName);
    s.newFontStyle = ini.ReadInteger(kSections, QStringLiteral("ImplStylFontu"), s.newFontStyle);
    s.newFontCharset = ini.ReadInteger(kSections, QStringLiteral("ImplSkriptFontu"), s.newFontCharset);

    // A hand-edited file may hold values the designer cannot work with: a
    // grid of zero would divide by zero when snapping, a negative undo limit
    // would keep nothing sensible.
    s.gridX = qMax(1, s.gridX);
    s.gridY = qMax(1, s.gridY);
    s.undoLimit = qMax(0, s.undoLimit);
    s.newWidth = qMax(1, s.newWidth);
    s.newHeight = qMax(1, s.newHeight);
    return s;
}

bool DesignerSettings::save(const QString &iniPath) const
{
    IniFile ini(iniPath);
    bool ok = ini.WriteInteger(kEditor, QStringLiteral("ImplMeritko"), zoomIndex);
    ok = ini.WriteInteger(kEditor, QStringLiteral("RastrX"), gridX) && ok;
    ok = ini.WriteInteger(kEditor, QStringLiteral("RastrY"), gridY) && ok;
    ok = ini.WriteBool(kEditor, QStringLiteral("RastrZobrazovat"), showGrid) && ok;
    ok = ini.WriteBool(kEditor, QStringLiteral("RastrZarovnavat"), snapToGrid) && ok;
    ok = ini.WriteBool(kEditor, QStringLiteral("MazaniJedne"), confirmDeleteOne) && ok;
    ok = ini.WriteBool(kEditor, QStringLiteral("MazaniVice"), confirmDeleteMany) && ok;
    ok = ini.WriteBool(kEditor, QStringLiteral("PosunMimo"), allowMoveOutside) && ok;
    ok = ini.WriteInteger(kEditor, QStringLiteral("PocetUndo"), undoLimit) && ok;
    ok = ini.WriteBool(kEditor, QStringLiteral("UndoSave"), undoAfterSave) && ok;
    ok = ini.WriteBool(kEditor, QStringLiteral("ShowTree"), showTree) && ok;
    ok = ini.WriteBool(kEditor, QStringLiteral("SledPodle"), followByName) && ok;
    ok = ini.WriteBool(kEditor, QStringLiteral("PopisyPol"), labelsForNames) && ok;
    ok = ini.WriteBool(kEditor, QStringLiteral("PismaAbec"), fontsAlphabetical) && ok;

    ok = ini.WriteInteger(kSections, QStringLiteral("ImplSirka"), newWidth) && ok;
    ok = ini.WriteInteger(kSections, QStringLiteral("ImplVyska"), newHeight) && ok;
    ok = ini.WriteInteger(kSections, QStringLiteral("ImplZarovnani"), newTextAlignment) && ok;
    ok = ini.WriteInteger(kSections, QStringLiteral("ImplZarovnaniCi"), newNumberAlignment) && ok;
    ok = ini.WriteInteger(kSections, QStringLiteral("ImplBarvaFontu"), newFontColour) && ok;
    ok = ini.WriteInteger(kSections, QStringLiteral("ImplVyskaFontu"), newFontSize) && ok;
    ok = ini.WriteString(kSections, QStringLiteral("ImplNazevFontu"), newFontName) && ok;
    ok = ini.WriteInteger(kSections, QStringLiteral("ImplStylFontu"), newFontStyle) && ok;
    ok = ini.WriteInteger(kSections, QStringLiteral("ImplSkriptFontu"), newFontCharset) && ok;
    return ok;
}
