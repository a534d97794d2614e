#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

#include <optional>

// The font of a text element as the template describes it.
struct FontDef
{
    enum Style { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };

    QString name = QStringLiteral("Arial");
    int size = 10; // points
    QColor colour = QColor(Qt::black);
    int style = 0;   // Style bits
    int charset = 1; // Windows character-set number (1 = default)

    friend bool operator==(const FontDef &, const FontDef &) = default;
};

// The fonts installed on the system, as far as templates are concerned.
//
// Templates name the host's fonts ("Arial CE", "Times New Roman CE", "Courier
// New CE"). A name with a script suffix that is not itself installed loses the
// suffix and takes the suffix's character set; the bare name ("Arial") is kept
// and left to the font matcher, which maps Arial, Times New Roman and Courier
// New onto the metric-compatible Liberation fonts.
namespace ReportFonts {

// Whether a family of that name is installed (without regard to case). Uses
// the platform's font list while a GUI application runs, none otherwise.
bool isInstalled(const QString &family);
// The installed families in the platform's order (the fixed list of the
// tests when set; none without a GUI application).
QStringList installedFamilies();
// Tests fix the list; nullopt returns to the platform's list.
void setInstalledFamilies(std::optional<QStringList> families);

// Applies the suffix rule to a template's font name and character set: a
// name that is not installed loses its suffix (" CE" …) and takes the
// suffix's character set; with several suffixes, each in turn until the name
// is installed or has none.
void resolveSuffix(QString &name, int &charset);

} // namespace ReportFonts
