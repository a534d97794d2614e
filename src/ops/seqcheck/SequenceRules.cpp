#include "ops/seqcheck/SequenceRules.h"

#include "app/core/DocumentNumbers.h"
#include "hostdb/HostTableDef.h"

void PresentNumbers::add(const QString &key, bool deleted)
{
    if (!deleted)
        m_keys.insert(HostNames::keyText(key));
}

bool PresentNumbers::contains(const QString &number) const
{
    return m_keys.contains(HostNames::keyText(number));
}

CounterFinding checkCounter(const SeriesFormat &series, int counter, const PresentNumbers &present)
{
    const ComposedNumber composed = composeDocumentNumber(series.prefix, series.digits, series.zeros, counter);
    if (composed.number.isEmpty())
        return {CounterFinding::Kind::BeyondDigits, QString()};
    if (present.contains(composed.number))
        return {CounterFinding::Kind::Present, composed.number};
    return {CounterFinding::Kind::Missing, composed.number};
}

SeriesBounds trimSeriesEnd(SeriesBounds bounds, const QSet<qint64> &offered)
{
    while (offered.contains(bounds.end))
        --bounds.end;
    if (bounds.end < 1)
        return {};
    return bounds;
}
