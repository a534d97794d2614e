// libFuzzer harness for the report's expression evaluator: any text must give
// a value or one of the evaluator's error codes at a position inside the
// text, never a crash, and the result must be printable in every number format.
//
//   build-fuzz/fuzz/tarnek_fuzz_expression -dict=tests/fuzz/expression.dict <work dir> tests/fuzz/corpus/expression

#include "report/core/expr/ExpressionEvaluator.h"
#include "report/core/expr/FloatFormat.h"

#include "common/LocaleFormats.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace {

// Fields "Text", "Cislo", "Prazdne" and "Datum", one parameter, one user
// function; reference 9 and beyond fail the way a broken report would.
class FuzzReport : public CalcResolver
{
public:
    TCalcType resolve(int code) override
    {
        const int index = code % 2000;
        if (index >= 9)
            throw std::out_of_range("no such item");
        switch (index % 4) {
        case 0:
            return TCalcType::fromText(QStringLiteral("A,b'c"));
        case 1:
            return TCalcType::fromNumber(-12.5);
        case 2: {
            TCalcType empty;
            empty.kind = TCalcType::Number;
            empty.null = true;
            return empty;
        }
        default: {
            TCalcType date;
            date.number = 43174.6046875;
            date.text = QStringLiteral("15.3.2018 14:30:45");
            return date;
        }
        }
    }
    int findName(int kind, const QString &name) override
    {
        static const QString names[] = {QStringLiteral("Text"), QStringLiteral("Cislo"), QStringLiteral("Prazdne"),
                                        QStringLiteral("Datum")};
        for (int i = 0; i < 4; ++i) {
            if (names[i].compare(name, kind == CalcRef::FindFunction ? Qt::CaseInsensitive : Qt::CaseSensitive) == 0)
                return i;
        }
        return -1;
    }
};

bool knownError(int error)
{
    return (error >= 0 && error <= 7) || (error >= 10 && error <= 13);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the locale's decimal separator and a number format.
    LocaleFormats formats = LocaleFormats::czech();
    formats.decimalSeparator = (data[0] & 1) ? u'.' : u',';
    LocaleFormats::setCurrent(formats);
    const int format = (data[0] >> 1) % 6;
    const int precision = (data[0] >> 4) + 1;

    static FuzzReport report;
    setCalcResolver(&report);
    const QString expression = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const CalcResult result = evaluateExpression(expression);
    if (!knownError(result.error) || result.position < 0 || result.position > expression.size())
        __builtin_trap();
    if (result.error != 0 && (result.value.kind != 0 || !result.value.text.isEmpty() || result.value.number != 0.0))
        __builtin_trap();
    const QString shown = FloatFormat::format(result.value.number, format, precision, precision % 5);
    if (shown.isEmpty())
        __builtin_trap();
    setCalcResolver(nullptr);
    return 0;
}
