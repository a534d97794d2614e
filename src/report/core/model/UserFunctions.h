#pragma once

#include "report/core/expr/ExpressionEvaluator.h"

#include <QString>

#include <memory>
#include <vector>

// One user function of a report (one F record of its template): a computed
// variable or an aggregate, with its running totals.
class TRadekFunkce
{
public:
    enum ResultType { ResultNumber = 0, ResultText = 1 };
    enum Aggregate { None = 0, Count = 1, Sum = 2, Average = 3, Minimum = 4, Maximum = 5, StdDev = 6, RelStdDev = 7 };
    enum Format { General = 0, Exponent = 1, Fixed = 2, NumberFormat = 3, Currency = 4 };
    // Reset points: the start of the report, of each page, of each group g.
    static constexpr int ResetPerReport = 0;
    static constexpr int ResetPerPage = 1;
    static constexpr int resetPerGroup(int group) { return 2 + group; }

    QString name; // "Funkce" and the position from 1 when created by the list
    QString description;
    QString expression;
    int resultType = ResultNumber;
    QString initialValue = QStringLiteral("0");
    int resetPoint = 0; // 0 report, 1 page, 2 + g group g
    int aggregateKind = None;
    int precision = 15;
    int digits = 2;
    int format = Fixed; // values above 4 become 2

    TCalcType result;
    double count = 0.0;
    double sum = 0.0;
    double sumOfSquares = 0.0;
    bool resetPending = false;
    bool skipNulls = false;

    // One record: the pending reset, the expression, the aggregate.
    void compute();
    // Empty for a null result with skip-nulls; numbers formatted with the
    // function's format, precision and digits; texts as they are.
    QString displayText() const;
};

// The ordered user functions of a report; the position is the index used by
// "@" references and by elements that show a function.
class TListFunkci
{
public:
    TListFunkci() = default;
    TListFunkci(const TListFunkci &other);
    TListFunkci &operator=(const TListFunkci &other);
    TListFunkci(TListFunkci &&) noexcept = default;
    TListFunkci &operator=(TListFunkci &&) noexcept = default;
    ~TListFunkci() = default;

    int count() const { return int(m_items.size()); }
    TRadekFunkce &at(int index) { return *m_items.at(size_t(index)); }
    const TRadekFunkce &at(int index) const { return *m_items.at(size_t(index)); }
    // A new function named "Funkce" and its position from 1.
    TRadekFunkce &add()
    {
        m_items.push_back(std::make_unique<TRadekFunkce>());
        m_items.back()->name = QStringLiteral("Funkce") + QString::number(m_items.size());
        return *m_items.back();
    }
    void removeAt(int index) { m_items.erase(m_items.begin() + index); }
    void clear() { m_items.clear(); }

    void requestReset(int resetPoint); // -1 = all
    void setSkipNulls(bool skip);
    void computeAll();                         // in list order
    int findByName(const QString &name) const; // without regard to case, -1
    QString displayText(int index) const;
    // The designer's caption: "Funkce name - description", or "Funkce n  ???" for an index outside the list.
    QString caption(int index) const;

private:
    std::vector<std::unique_ptr<TRadekFunkce>> m_items;
};
