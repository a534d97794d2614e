#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class MemTable;
class TBFTable;
struct RunContext;

// The host code lists a pick list offers (types 1 to 5).
struct PickListSource
{
    QString directory;
    QString table;     // without ".DAT"
    QString codeField; // passed to the engine exactly, padding included
    QString nameField;
    QString conditionField; // empty: every row is taken
    QStringList acceptedValues;
    QString suffix; // added to the name after a blank
};

struct PickListType
{
    QString caption;
    QList<PickListSource> sources; // loaded one after the other into one list
};

std::optional<PickListType> pickListType(int type, const RunContext &context);

// The pick list's table `mtSeznam1`: `Zkratka` and `Nazev` ("Název").
void definePickListTable(MemTable &list);

// Loads every source with `table` (closed again and its Tag cleared after
// each). 0, or -1 with `failedPath` (directory + table) when a table did not
// open; the list is then incomplete and must not be offered.
int loadPickList(const PickListType &type, TBFTable &table, MemTable &list, QString *failedPath);
