#include "ops/balances/FixedAmount.h"

#include <QtNumeric>

#include <cmath>

std::optional<FixedAmount> FixedAmount::fromDouble(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > kLargestValue)
        return std::nullopt;
    return FixedAmount(std::llround(value * double(kScale)));
}

double FixedAmount::toDouble() const
{
    return double(m_units) / double(kScale);
}

QString FixedAmount::toString() const
{
    const quint64 magnitude = m_units < 0 ? quint64(0) - quint64(m_units) : quint64(m_units);
    const QString fraction = QString::number(magnitude % quint64(kScale)).rightJustified(4, QLatin1Char('0'));
    return (m_units < 0 ? QStringLiteral("-") : QString()) + QString::number(magnitude / quint64(kScale)) +
           QLatin1Char('.') + fraction;
}

bool FixedAmount::add(FixedAmount other)
{
    qint64 sum = 0;
    if (qAddOverflow(m_units, other.m_units, &sum))
        return false;
    m_units = sum;
    return true;
}

bool FixedAmount::subtract(FixedAmount other)
{
    qint64 difference = 0;
    if (qSubOverflow(m_units, other.m_units, &difference))
        return false;
    m_units = difference;
    return true;
}
