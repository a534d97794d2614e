#pragma once

#include "report/core/designer/DesignerSettings.h"
#include "report/core/template/PaperFormats.h"

#include <QList>
#include <QString>

class ReportModel;
class TSestavaTyp;

// One field the new-report wizard offers: its index in the report's field
// list, its name, its label and its display width in characters.
struct NewReportField
{
    int index = 0;
    QString name;
    QString label;
    int displayWidth = 10;

    // The label, or the name when the field has none.
    QString caption() const { return label.isEmpty() ? name : label; }
};

// What the user chose in the new-report wizard.
struct NewReportChoice
{
    enum Style { Columns = 0, Rows = 1 };

    QList<NewReportField> fields; // in the chosen order
    Style style = Columns;
    bool labels = true;                             // "Popisy položek"
    bool byName = false;                            // "Pol. podle názvu": elements follow their field by name
    bool labelsAsText = false;                      // "Popisy textem": labels as graphic text instead of field labels
    TFormatPapiru paper = TListFormatu::builtIn(8); // A4
    int orientation = 0;                            // PageSetup::Orientation
};

// Generates a new template into a report's model: the rules of the wizard
// "Návrh nové předlohy", without any widgets.
class NewReportDesign
{
public:
    // The fields of the report's field list, as the wizard offers them.
    static QList<NewReportField> availableFields(const TSestavaTyp &report);

    // Replaces the report's model by the generated template and sets the
    // paper of the process-wide page setup.
    static void generate(TSestavaTyp &report, const NewReportChoice &choice, const DesignerSettings &defaults);

    // "&Ručně": an empty template (every section empty, no groups or functions).
    static void generateEmpty(ReportModel &model);

    // The width in units a field of that many characters takes in the font.
    static int fieldWidth(int characters, int fontSize);
    // The height in units of a line of text in the font.
    static int lineHeight(int fontSize);

    static constexpr int Gap = 8;        // between elements on a row and between rows
    static constexpr int RuleHeight = 4; // the box of a rule under a row
    static constexpr int TitleSize = 24; // points
};
