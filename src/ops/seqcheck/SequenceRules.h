#pragma once

#include <QSet>
#include <QString>

// The sequence check's decisions, apart from reading the tables and writing
// the protocol.

// The document numbers of a module's table that count as issued: the keys of
// its valid documents, folded the way the engine's seek folds a key (case and
// trailing blanks ignored). A number held only by deleted documents is
// missing; one held by a deleted and a valid document is present.
class PresentNumbers
{
public:
    void clear() { m_keys.clear(); }
    void reserve(int count) { m_keys.reserve(count); }
    // One document: its key field's value and whether it is marked deleted
    // (a table without a deletion flag has none deleted).
    void add(const QString &key, bool deleted);
    bool contains(const QString &number) const;

private:
    QSet<QString> m_keys;
};

// A series as the check walks it: the prefix with its year placeholders
// expanded, the counter's digits and leading zeros.
struct SeriesFormat
{
    QString prefix;
    int digits = 0;
    bool zeros = false;
};

// What the check finds at one counter of a series.
struct CounterFinding
{
    enum class Kind {
        Present,
        Missing,      // no valid document holds `number`
        BeyondDigits, // refused: the counter is wider than the series' digits, and so is every higher one
    };
    Kind kind = Kind::Present;
    QString number; // the composed number; empty for BeyondDigits

    bool operator==(const CounterFinding &) const = default;
};

CounterFinding checkCounter(const SeriesFormat &series, int counter, const PresentNumbers &present);

// A series' range of counters.
struct SeriesBounds
{
    qint64 start = 0;
    qint64 end = 0;

    bool operator==(const SeriesBounds &) const = default;
};

// Lowers the end past the free numbers offered for re-use that sit at the
// series' end (the host issues those before its counter); a series left with
// nothing to check gets 0 … 0.
SeriesBounds trimSeriesEnd(SeriesBounds bounds, const QSet<qint64> &offered);
