// Report expressions are read again from their text for every record, and
// every user function is evaluated once per record: a long protocol or list
// evaluates them tens of thousands of times.

#include "report/core/expr/ExpressionEvaluator.h"
#include "report/core/model/UserFunctions.h"

#include <QStringList>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

// A record of a document list: a number, an amount and a date.
class Record : public CalcResolver
{
public:
    Record() { setCalcResolver(this); }
    ~Record() override { setCalcResolver(nullptr); }

    TCalcType resolve(int code) override
    {
        switch (code) {
        case CalcRef::Field:
            return TCalcType::fromText(u"PK0042"_s);
        case CalcRef::Field + 1:
            return TCalcType::fromNumber(m_amount);
        case CalcRef::Field + 2: {
            TCalcType date;
            date.number = 43174.5;
            date.text = u"15.3.2018"_s;
            return date;
        }
        default:
            return TCalcType::fromNumber(7);
        }
    }
    int findName(int kind, const QString &name) override
    {
        if (kind != CalcRef::FindField)
            return -1;
        static const QStringList names{u"Doklad"_s, u"Celkem"_s, u"DatVyst"_s};
        return int(names.indexOf(name));
    }

    double m_amount = 1234.5;
};

void BM_EvaluateTypicalExpression(benchmark::State &state)
{
    Record record;
    const QString expression = u"IIF(#Celkem > 1000, ROUND(#Celkem * 1.21), #Celkem) + %3"_s;
    for (auto _ : state)
        benchmark::DoNotOptimize(evaluateExpression(expression));
}
BENCHMARK(BM_EvaluateTypicalExpression);

void BM_EvaluateTextExpression(benchmark::State &state)
{
    Record record;
    const QString expression = u"LEFT(#Doklad, 2) + ' ' + FORMATDT(#DatVyst, 'dd.mm.yyyy') + ' ' + NUMTOSTR(#Celkem)"_s;
    for (auto _ : state)
        benchmark::DoNotOptimize(evaluateExpression(expression));
}
BENCHMARK(BM_EvaluateTextExpression);

// Five user functions (a value, a count, a sum, an average and a maximum)
// over one record.
void BM_ComputeUserFunctionsPerRecord(benchmark::State &state)
{
    Record record;
    TListFunkci functions;
    const int kinds[] = {TRadekFunkce::None, TRadekFunkce::Count, TRadekFunkce::Sum, TRadekFunkce::Average,
                         TRadekFunkce::Maximum};
    for (int kind : kinds) {
        TRadekFunkce &function = functions.add();
        function.aggregateKind = kind;
        function.expression = u"#Celkem"_s;
    }
    functions.requestReset(-1);
    for (auto _ : state) {
        functions.computeAll();
        benchmark::DoNotOptimize(functions.displayText(3));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ComputeUserFunctionsPerRecord);

} // namespace
