#include "ops/renumber/RenumberPlan.h"

#include "app/core/DocumentNumbers.h"
#include "hostdb/HostTableDef.h"

namespace {

ComposedNumber composeFor(const RenumberState &series, qint64 counter)
{
    return composeDocumentNumber(series.seriesPrefix, series.digitCount, series.leadingZeros, counter);
}

} // namespace

QStringList candidateNumbers(const RenumberState &series, qint64 start, int count)
{
    QStringList numbers;
    for (qint64 counter = start; counter < start + count; ++counter) {
        const ComposedNumber number = composeFor(series, counter);
        if (!number.ok)
            break;
        numbers.append(number.number);
    }
    return numbers;
}

RenumberPlan planRenumbering(const RenumberState &series, const RenumberPlanInput &input)
{
    RenumberPlan plan;
    qint64 counter = input.start;
    for (const PlanRow &row : input.rows) {
        const ComposedNumber number = composeFor(series, counter);
        if (!number.ok) {
            plan.refusal = RenumberRefusal{RenumberRefusalKind::CannotCompose, row.row, row.number};
            break;
        }
        const auto holder = input.holders.constFind(HostNames::keyText(number.number));
        if (holder != input.holders.constEnd() && input.keptRecNos.contains(*holder)) {
            plan.refusal = RenumberRefusal{RenumberRefusalKind::Duplicate, row.row, number.number};
            break;
        }
        plan.numbers.push_back({row.row, number.number, counter});
        ++counter;
    }
    if (plan.refusal)
        plan.numbers.clear();
    return plan;
}
