#pragma once

#include "ops/renumber/RenumberList.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// One row a proposal renumbers, in the list's current order.
struct PlanRow
{
    int row = -1;   // the row in the list's current order
    QString number; // its number now (`Doklad`)
};

// What the renumbering plan is made of, read beforehand from the list and the
// host's document table.
struct RenumberPlanInput
{
    qint64 start = 0;
    std::vector<PlanRow> rows; // the processed rows, in the list's order
    // The RecNo of every document that keeps its number (the unmarked rows;
    // empty when every row is processed).
    QSet<int> keptRecNos;
    // For each number the plan may give (its key text, HostNames::keyText):
    // the RecNo of the first not deleted document of the host's table that
    // bears it, in index order. Numbers nobody bears are absent.
    QHash<QString, int> holders;
};

// Why a proposal is refused, at the first row concerned.
enum class RenumberRefusalKind {
    CannotCompose, // the series cannot compose the row's new number
    Duplicate,     // the new number is a document's that keeps its number
};

struct RenumberRefusal
{
    RenumberRefusalKind kind = RenumberRefusalKind::CannotCompose;
    int row = -1; // the list row
    // CannotCompose: the row's number now; Duplicate: the new number.
    QString number;

    bool operator==(const RenumberRefusal &) const = default;
};

struct PlannedNumber
{
    int row = -1;
    QString number;    // the new `Doklad`
    qint64 suffix = 0; // the new `Sufix`: the counter that composed it

    bool operator==(const PlannedNumber &) const = default;
};

// The numbers of a proposal, or its refusal.
struct RenumberPlan
{
    std::vector<PlannedNumber> numbers; // one per processed row; empty when refused
    std::optional<RenumberRefusal> refusal;
};

// The numbers the plan may give to `count` rows from `start` on, up to the
// first the series cannot compose: the numbers whose holders are looked up.
QStringList candidateNumbers(const RenumberState &series, qint64 start, int count);

// The renumbering plan: each processed row in order gets the next number of
// the series (`seriesPrefix`, `digitCount`, `leadingZeros`) from the start
// number on. The first row whose number cannot be composed, or whose number
// a document keeping its number bears (the first not deleted bearer decides),
// refuses the whole plan.
RenumberPlan planRenumbering(const RenumberState &series, const RenumberPlanInput &input);
