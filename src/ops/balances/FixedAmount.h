#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// An amount kept exactly as a whole number of ten-thousandths (four decimal
// places, the precision of the balances), so that sums of many amounts such as
// 0.10 stay exact to the last digit. The host stores amounts as binary
// floating point; each stored value is rounded once to four decimals when it
// is read, and everything after that is integer arithmetic.
class FixedAmount
{
public:
    static constexpr qint64 kScale = 10000;
    // The largest stored amount taken (in units, not ten-thousandths): far
    // above any real balance and small enough that a double still carries
    // every fourth decimal, so the rounding on reading is exact.
    static constexpr double kLargestValue = 1.0e11;

    constexpr FixedAmount() = default;
    static constexpr FixedAmount fromUnits(qint64 tenThousandths) { return FixedAmount(tenThousandths); }
    // The stored floating-point value rounded half away from zero to four
    // decimals; nullopt when it is not a finite number within the range.
    static std::optional<FixedAmount> fromDouble(double value);

    constexpr qint64 units() const { return m_units; }
    // The nearest double (what a grid formats).
    double toDouble() const;
    // The exact value with four decimals and "." ("-1234.5000").
    QString toString() const;

    // Adds or subtracts in place; false (and the value unchanged) when the
    // result would leave the 64-bit range.
    bool add(FixedAmount other);
    bool subtract(FixedAmount other);

    friend constexpr bool operator==(FixedAmount a, FixedAmount b) { return a.m_units == b.m_units; }

private:
    constexpr explicit FixedAmount(qint64 units) : m_units(units) {}
    qint64 m_units = 0;
};
