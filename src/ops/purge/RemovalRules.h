#pragma once

#include <QSet>
#include <QString>

#include <functional>
#include <optional>

// The removal's decisions, apart from walking and writing the tables: the run
// reads a record, asks these what becomes of it and writes accordingly.

// Why the removal leaves something of a deleted document in place, with the
// line number (`Cislo`) it concerns; the run words the protocol's line.
struct RemovalRefusal
{
    enum class Kind {
        // The document holds the table's highest line number: it stays, or
        // the host would hand that number out again to its next document.
        LastRecord,
        // A valid document holds the same line number: the deleted one goes
        // alone, and the number's items, distribution records and journal
        // lines stay with the valid one.
        Duplicate,
    };
    Kind kind;
    int number;

    bool operator==(const RemovalRefusal &) const = default;
};

// The first look at a document of a module's table, before it is locked.
struct DocumentVerdict
{
    bool take = false;                     // lock it and remove it
    std::optional<RemovalRefusal> refusal; // LastRecord: it stays

    bool operator==(const DocumentVerdict &) const = default;
};

// A document not marked deleted is passed over; a deleted one holding
// `lastNumber`, the line number of the table's last record in line-number
// order, is refused; any other deleted one is taken.
DocumentVerdict judgeDocument(int number, bool deleted, int lastNumber);

// How a deleted document the run has taken goes.
struct DocumentRemoval
{
    bool dependants = false;               // its number's journal lines, items and distribution records go along
    bool newNumber = false;                // the first of its number: listed once among the removed numbers
    std::optional<RemovalRefusal> refusal; // Duplicate: the dependants stay

    bool operator==(const DocumentRemoval &) const = default;
};

// `removed`: the line numbers already removed in the module; documents
// sharing a number go together, and the first of them takes the number's
// dependants. `heldByValid` tells whether a valid document holds a number;
// it is asked for a number's first document only (it costs a seek).
DocumentRemoval documentRemoval(int number, const QSet<int> &removed, const std::function<bool(int)> &heldByValid);

// The two passes over the journal that remove lines of no document.
enum class JournalPass {
    FreeLines,  // the lines the host shows as free (left by re-posting a document)
    StockLines, // the lines of deleted stock documents
};

// A journal line as the passes judge it. The free pass reads only `free`.
struct JournalLine
{
    bool free = false;    // `Free`
    bool deleted = false; // `Del`
    QString source;       // `Zdroj`, as stored
};

// Whether the pass removes the line. A free line of a deleted stock document
// goes in the free pass when that pass runs too (`freeLinesChosen`), so it is
// removed, and listed, once.
bool journalLineGoes(JournalPass pass, const JournalLine &line, bool freeLinesChosen);
