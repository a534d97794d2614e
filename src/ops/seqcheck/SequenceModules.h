#pragma once

#include "common/MemTable.h"

#include <QString>
#include <QStringList>

#include <array>

// The nine kinds of documents the sequence check knows, always handled in
// this order: the set-up window's check box and "[detaily]" link, the key
// of the saved settings, the usage flags of `CISRADY` that select a module's
// number series, and the document table searched with its key, deletion
// flag and protocol title.
struct SequenceModule
{
    const char16_t *checkBox;      // `chckPokl`
    const char16_t *caption;       // "pokladní doklady"
    const char16_t *link;          // `lblDetPokl`
    const char16_t *settingsKey;   // "Pokl"
    QStringList flags;             // the series belongs when any flag is true
    const char16_t *table;         // `POKLKNIH`
    const char16_t *keyField;      // the key and the index searched
    const char16_t *deletionFlag;  // empty when the table has none
    const char16_t *protocolTitle; // "Pokladní doklady"
};

constexpr int kSequenceModuleCount = 9;

// Module 1 … 9; the array is indexed 0 … 8.
const std::array<SequenceModule, kSequenceModuleCount> &sequenceModules();

// The usage flags of a series, in the order `CISRADY` holds them.
const QStringList &seriesUsageFlags();

// The series filter of module 1 … 9 as the host writes it
// ("(PP = True) OR (VP = True)"); any other number gives an empty filter.
QString seriesFilterFor(int module);

// The same filter as a row filter of the series table (a table with the
// usage flag fields); a null filter for any other number.
MemTable::RowFilter seriesRowFilter(const MemTable &series, int module);
