#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <array>

class MemTable;

// Where the fields of a list row come from in a module's table; an empty
// name leaves the row field empty.
struct EditedRowSources
{
    QStringView doklad;
    QStringView cislo;
    QStringView datVyst;
    QStringView datUcPr;
    QStringView datPlat;
    QStringView datPln;
    QStringView ucetPokl;
    QStringView adNazev;
    QStringView celkem;
    QStringView popis;
    QStringView vydej; // also fills `Str30Free` ("Výdej" / "Příjem")
    QStringView vystavil;
};

// One of the twenty modules whose documents the highlight list shows.
struct EditedModule
{
    int number; // 1-20, also the saved setting "Modul"
    QStringView radioName;
    QStringView caption; // the radio button's caption
    QStringView title;   // list caption and progress status
    QStringView table;   // in the year directory
    QStringView keyField;
    QStringView deletionField; // empty: no deletion test
    QStringView totalField;
    QStringView dateField; // "Datum " with its trailing blank for stock documents
    QStringView typeField; // empty: every record belongs to the module
    QStringView typeCode;
    int rightsCode;
    QStringView listCode; // `KodSezn` of the action log
    EditedRowSources sources;
};

namespace EditedModules {

const std::array<EditedModule, 20> &all();
// nullptr outside 1-20.
const EditedModule *find(int number);

// One column of the list for a module: field, title, width in pixels.
struct ListColumn
{
    QString field;
    QString title;
    int width;
};
QList<ListColumn> listColumns(int module);

// The list's row table `mtDoklady`: every field of a list row; the fields a
// module shows are made visible by `layOutColumns`.
void defineDocumentRows(MemTable &rows);
// Shows the module's columns (titles, widths) in their order and hides the
// other fields.
void layOutColumns(MemTable &rows, int module);

} // namespace EditedModules
