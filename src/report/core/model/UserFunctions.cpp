#include "report/core/model/UserFunctions.h"

#include "report/core/expr/FloatFormat.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

void TRadekFunkce::compute()
{
    if (resetPending) {
        bool ok = false;
        const double initial = strToNum(initialValue, &ok);
        result.clear();
        if (ok) {
            result.kind = TCalcType::Number;
            result.number = initial;
            result.text = initialValue;
        }
        count = 0.0;
        sum = 0.0;
        sumOfSquares = 0.0;
        resetPending = false;
    }

    CalcResult evaluated = evaluateExpression(expression);
    const TCalcType v = evaluated.error == CalcError::None ? evaluated.value : TCalcType();
    const bool counts = !(skipNulls && v.null);

    switch (aggregateKind) {
    case None:
        if (counts)
            count += 1.0;
        result = v;
        break;
    case Count:
        if (counts)
            count += 1.0;
        result = TCalcType::fromNumber(count);
        break;
    case Sum:
    case Average:
        if (counts) {
            count += 1.0;
            sum += v.number;
        }
        result = TCalcType::fromNumber(aggregateKind == Sum || count == 0.0 ? sum : sum / count);
        break;
    case Minimum:
    case Maximum:
        if (counts) {
            count += 1.0;
            const bool better = aggregateKind == Minimum ? result.number > v.number : result.number < v.number;
            if (count == 1.0 || better)
                result = v;
        }
        break;
    case StdDev:
    case RelStdDev:
        if (counts) {
            count += 1.0;
            sum += v.number;
            sumOfSquares += v.number * v.number;
        }
        result.clear();
        if (count > 1.0) {
            // Rounding may leave a tiny negative variance for equal values.
            const double variance = std::max(0.0, (sumOfSquares - sum * sum / count) / (count - 1.0));
            const double deviation = std::sqrt(variance);
            if (aggregateKind == StdDev)
                result = TCalcType::fromNumber(deviation);
            else if (sum != 0.0)
                result = TCalcType::fromNumber(deviation * count / sum);
        }
        break;
    default:
        result = v;
        break;
    }
}

QString TRadekFunkce::displayText() const
{
    if (skipNulls && result.null)
        return QString();
    if (resultType == ResultText)
        return result.text;
    return FloatFormat::format(result.number, format, precision, digits);
}

void TListFunkci::requestReset(int resetPoint)
{
    for (const auto &function : m_items) {
        if (resetPoint == -1 || function->resetPoint == resetPoint)
            function->resetPending = true;
    }
}

TListFunkci::TListFunkci(const TListFunkci &other)
{
    m_items.reserve(other.m_items.size());
    for (const auto &function : other.m_items)
        m_items.push_back(std::make_unique<TRadekFunkce>(*function));
}

TListFunkci &TListFunkci::operator=(const TListFunkci &other)
{
    if (this != &other)
        *this = TListFunkci(other);
    return *this;
}

void TListFunkci::setSkipNulls(bool skip)
{
    for (const auto &function : m_items)
        function->skipNulls = skip;
}

void TListFunkci::computeAll()
{
    for (const auto &function : m_items)
        function->compute();
}

int TListFunkci::findByName(const QString &name) const
{
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i]->name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

QString TListFunkci::displayText(int index) const
{
    if (index < 0 || index >= count())
        return QString();
    return at(index).displayText();
}

QString TListFunkci::caption(int index) const
{
    if (index < 0 || index >= count())
        return u"Funkce "_s + QString::number(index + 1) + u"  ???"_s;
    const TRadekFunkce &function = at(index);
    return u"Funkce "_s + function.name + u" - "_s + function.description;
}
