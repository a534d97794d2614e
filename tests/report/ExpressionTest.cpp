// The expression evaluator read as a table: expression → value kind, number,
// text and null flag, or error code and 0-based position. The report behind
// it has the fields
//   #1 Doklad "A", #2 Castka 12.5, #3 Prazdne (empty number),
//   #4 Datum 15.3.2018 14:30:45, #5 Nazev "  Abc  ", #6 PrazdnyText (empty text),
// the parameters "Parametr A" and "12.5", the system variables print date,
// print time, row 7 and page 2, and the user functions Soucet = 100 and
// Popis = "abc". Formats are Czech (decimal comma).

#include "FakeReport.h"

#include "common/LocaleFormats.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr double kDatum = 43174.6046875; // 15.3.2018 14:30:45

void fillReport(FakeReport &report)
{
    report.addField(u"Doklad"_s, FakeReport::text(u"A"_s));
    report.addField(u"Castka"_s, FakeReport::number(12.5));
    report.addField(u"Prazdne"_s, FakeReport::null());
    report.addField(u"Datum"_s, FakeReport::date(kDatum, u"15.3.2018 14:30:45"_s));
    report.addField(u"Nazev"_s, FakeReport::text(u"  Abc  "_s));
    report.addField(u"PrazdnyText"_s, FakeReport::null(TCalcType::Text));
    report.parameters = QStringList{u"Parametr A"_s, u"12.5"_s};
    report.systemVariables = {FakeReport::date(43174.0, u"15.3.2018"_s), FakeReport::date(0.5, u"12:00:00"_s),
                              FakeReport::number(7), FakeReport::number(2)};
    TRadekFunkce &sum = report.functions.add();
    sum.name = u"Soucet"_s;
    sum.result = TCalcType::fromNumber(100);
    TRadekFunkce &text = report.functions.add();
    text.name = u"Popis"_s;
    text.result = TCalcType::fromText(u"abc"_s);
}

struct ExprCase
{
    const char *name;
    QString expression;
    int error = 0;
    int position = 0; // of the error
    quint8 kind = 0;
    double number = 0.0;
    QString text;
    bool null = false;
};

ExprCase value(const char *name, const QString &expression, quint8 kind, double number, const QString &text,
               bool null = false)
{
    return ExprCase{name, expression, 0, 0, kind, number, text, null};
}

ExprCase number(const char *name, const QString &expression, double number, const QString &text)
{
    return value(name, expression, TCalcType::Number, number, text);
}

ExprCase text(const char *name, const QString &expression, const QString &text, double number = 0.0)
{
    return value(name, expression, TCalcType::Text, number, text);
}

// Logical results are of kind 0: 1 for true, 0 for false.
ExprCase logical(const char *name, const QString &expression, bool result)
{
    return value(name, expression, TCalcType::Other, result ? 1 : 0, result ? u"1"_s : u"0"_s);
}

ExprCase fails(const char *name, const QString &expression, int error, int position)
{
    return ExprCase{name, expression, error, position, TCalcType::Other, 0.0, QString(), false};
}

// A parameterised test over the report above.
template<typename Row> class OverTheReport : public testing::TestWithParam<Row>
{
protected:
    void SetUp() override { fillReport(m_report); }
    FakeReport m_report;
};

class Evaluate : public OverTheReport<ExprCase>
{
};

TEST_P(Evaluate, Expression)
{
    const ExprCase &c = GetParam();
    const CalcResult result = evaluateExpression(c.expression);
    EXPECT_EQ(result.error, c.error) << c.expression.toStdString();
    if (c.error != 0) {
        EXPECT_EQ(result.position, c.position);
        // A failed evaluation discards what it computed.
        EXPECT_EQ(result.value.kind, TCalcType::Other);
        EXPECT_EQ(result.value.number, 0.0);
        EXPECT_TRUE(result.value.text.isEmpty());
        EXPECT_FALSE(result.value.null);
        return;
    }
    EXPECT_EQ(result.value.kind, c.kind);
    EXPECT_NEAR(result.value.number, c.number, 1e-12 * std::max(1.0, std::fabs(c.number)));
    EXPECT_EQ(result.value.text, c.text);
    EXPECT_EQ(result.value.null, c.null);
}

INSTANTIATE_TEST_SUITE_P(
    Operators, Evaluate,
    testing::Values(
        number("MultiplicationBindsTighter", u"2+3*4"_s, 14, u"14"_s),
        number("ParenthesesFirst", u"(2+3)*4"_s, 20, u"20"_s), number("PowerLeftToRight", u"2^3^2"_s, 64, u"64"_s),
        number("PowerWithFraction", u"2^0.5"_s, 1.414213562373095, u"1,41421356237309"_s),
        fails("UnaryMinusBindsBeforePower", u"-2^2"_s, CalcError::Domain, 4),
        number("UnaryMinusAfterParen", u"(-2)*3"_s, -6, u"-6"_s),
        number("UnaryMinusAfterComma", u"MAX(-1,-2)"_s, -1, u"-1"_s),
        number("SubtractionLeftToRight", u"10-4-3"_s, 3, u"3"_s), number("DivisionLeftToRight", u"8/4/2"_s, 1, u"1"_s),
        number("PointIsTheDecimalPoint", u"1.25*2"_s, 2.5, u"2,5"_s),
        number("ExponentLiteral", u"1.5E2"_s, 150, u"150"_s),
        number("NegativeExponentLiteral", u"2e-1"_s, 0.2, u"0,2"_s),
        number("BlanksBetweenTokens", u"  2 *\t3 "_s, 6, u"6"_s),
        fails("DivisionByZero", u"5/0"_s, CalcError::Domain, 3), fails("PowerOfZero", u"0^2"_s, CalcError::Domain, 3),
        text("TextsJoin", u"'A'+'B'"_s, u"AB"_s),
        value("NumberPlusTextAddsAndJoins", u"1+'2'"_s, TCalcType::Number, 3, u"12"_s),
        number("NumbersKeepTheSumAsText", u"2+3"_s, 5, u"5"_s), number("TextNumbersSubtract", u"'5'-'2'"_s, 3, u"3"_s),
        logical("TextsCompareWithCase", u"'a'='A'"_s, false), logical("TextsDiffer", u"'a'<>'A'"_s, true),
        logical("LessComparesNumbersEvenOfTexts", u"'10'<'9'"_s, false),
        logical("MixedEqualityComparesNumbers", u"1='1'"_s, true), logical("ComparisonsLeftToRight", u"3>2>1"_s, false),
        logical("LessOrEqual", u"2<=2"_s, true), logical("GreaterOrEqual", u"1>=2"_s, false),
        logical("NotOfZero", u"NOT 0"_s, true), logical("NotOfPositive", u"NOT 2"_s, false),
        logical("NotOfNegative", u"NOT (-1)"_s, true), logical("AndBothPositive", u"1 AND 2"_s, true),
        logical("AndOneZero", u"1 AND 0"_s, false), logical("OrOnePositive", u"0 OR 0.5"_s, true),
        logical("OrOfNegative", u"-1 OR 0"_s, false), logical("NotBindsFirst", u"NOT 0 AND 0"_s, false),
        logical("AndBindsTighterThanOr", u"1 OR 1 AND 0"_s, true), logical("ComparisonBindsLast", u"1+1=2"_s, true),
        logical("NotAfterAnOperator", u"1 AND NOT 0"_s, true),
        logical("OperatorWordsInAnyCase", u"1 and not 0"_s, true),
        value("ListLiteralKeepsItsInside", u"[1,2]"_s, TCalcType::List, 0, u"1,2"_s),
        text("EmptyTextLiteral", u"''"_s, QString()), text("TextLiteralHasItsNumber", u"'1.5'"_s, u"1.5"_s, 1.5),
        value("EmptyExpression", QString(), TCalcType::Other, 0, QString()),
        value("BlankExpression", u"   "_s, TCalcType::Other, 0, QString())),
    TestSupport::rowName);

INSTANTIATE_TEST_SUITE_P(
    References, Evaluate,
    testing::Values(text("FieldByNumber", u"#1"_s, u"A"_s), number("FieldByName", u"#Castka"_s, 12.5, u"12,5"_s),
                    number("FieldInArithmetic", u"#Castka*2"_s, 25, u"25"_s),
                    text("Parameter", u"&1"_s, u"Parametr A"_s),
                    number("ParameterReadAsNumber", u"&2*2"_s, 25, u"25"_s),
                    number("UserFunctionByNumber", u"@1"_s, 100, u"100"_s),
                    number("UserFunctionByNameIgnoringCase", u"@soucet+1"_s, 101, u"101"_s),
                    text("TextUserFunction", u"@Popis"_s, u"abc"_s), number("SystemVariable", u"%3"_s, 7, u"7"_s),
                    value("FailingReferenceIsNull", u"#99"_s, TCalcType::Other, 0, QString(), true),
                    value("NullOperandGivesNull", u"#Prazdne+1"_s, TCalcType::Number, 1, u"1"_s, true),
                    logical("IsNullOfEmptyField", u"ISNULL(#Prazdne)"_s, true),
                    logical("IsNullOfField", u"ISNULL(#Castka)"_s, false),
                    value("EmptyDivisorGivesNullNotError", u"10/#Prazdne"_s, TCalcType::Other, 0, QString(), true),
                    value("NullComparison", u"#PrazdnyText=''"_s, TCalcType::Other, 1, u"1"_s, true),
                    fails("FieldZeroNamesNothing", u"#0"_s, CalcError::UnknownName, 0),
                    fails("UnknownFieldName", u"#Neni"_s, CalcError::UnknownName, 0),
                    fails("UnknownFieldNameInside", u"2*#Neni"_s, CalcError::UnknownName, 2),
                    fails("UnknownFunctionName", u"@Neni"_s, CalcError::UnknownName, 0),
                    fails("ParameterByName", u"&Jmeno"_s, CalcError::UnknownName, 0),
                    fails("SystemVariableByName", u"%Datum"_s, CalcError::UnknownName, 0),
                    fails("PrefixAlone", u"1+#"_s, CalcError::UnknownName, 2),
                    fails("ReferenceWhereOperatorExpected", u"1 #1"_s, CalcError::NotAllowed, 2),
                    fails("FourDigitsAreThreeAndANumber", u"#1234"_s, CalcError::NotAllowed, 4)),
    TestSupport::rowName);

INSTANTIATE_TEST_SUITE_P(In, Evaluate,
                         testing::Values(logical("FieldInQuotedTexts", u"#1 IN ['A','B']"_s, true),
                                         logical("QuotedTextsWithCase", u"#1 IN ['a','B']"_s, false),
                                         logical("TextNotInList", u"'C' IN ['A','B']"_s, false),
                                         logical("NumberInNumbers", u"2 IN [1,2,3]"_s, true),
                                         logical("DecimalNumberInList", u"2.5 IN [1, 2.5]"_s, true),
                                         logical("NegativeNumberInList", u"-1.5 IN [-1.5]"_s, true),
                                         logical("FieldReferenceInList", u"'A' IN [#1]"_s, true),
                                         logical("FieldNameInList", u"'A' IN [ #Doklad ]"_s, true),
                                         logical("ParameterInList", u"12.5 IN [&2]"_s, true),
                                         logical("UserFunctionInList", u"100 IN [@Soucet]"_s, true),
                                         logical("BareWordsAreTexts", u"'B' IN [A, B]"_s, true),
                                         logical("QuotedCommaStaysInItsItem", u"'a,b' IN ['a,b','c']"_s, true),
                                         logical("QuotedItemIsNotSplit", u"'b' IN ['a,b','c']"_s, false),
                                         logical("ZeroMatchesOnlyByText", u"0 IN ['x']"_s, false),
                                         logical("ZeroMatchesZero", u"0 IN [0]"_s, true),
                                         logical("UnknownReferenceIsPlainText", u"'#Neni' IN [#Neni]"_s, true),
                                         logical("InBindsLast", u"1+1 IN [2]"_s, true),
                                         logical("InTextOperand", u"'B' IN 'A,B'"_s, true),
                                         logical("ApostropheInsidePlainItem", u"'X' IN [O'Neil,X]"_s, true),
                                         logical("QuotedItemWithBracket", u"'a]' IN ['a]',b]"_s, true),
                                         logical("QuotedItemAfterBlank", u"'b' IN [x, 'b']"_s, true),
                                         fails("ListNotClosed", u"#1 IN ['A'"_s, CalcError::ListNotClosed, 10)),
                         TestSupport::rowName);

INSTANTIATE_TEST_SUITE_P(Errors, Evaluate,
                         testing::Values(fails("TextNotClosed", u"'abc"_s, CalcError::TextNotClosed, 4),
                                         fails("TextNotClosedLater", u"1+'abc"_s, CalcError::TextNotClosed, 6),
                                         fails("ParenNotClosed", u"(1+2"_s, CalcError::ParenNotClosed, 4),
                                         fails("InnerParenNotClosed", u"((1) "_s, CalcError::ParenNotClosed, 5),
                                         fails("CloseWithoutOpen", u"1+2)"_s, CalcError::NoOpenParen, 3),
                                         fails("CloseAlone", u")"_s, CalcError::NoOpenParen, 0),
                                         fails("CloseAfterOperator", u"(1+)"_s, CalcError::NotAllowed, 3),
                                         fails("EmptyParens", u"()"_s, CalcError::NotAllowed, 1),
                                         fails("LetterAfterNumber", u"12a"_s, CalcError::BadNumber, 2),
                                         fails("ThreeExponentDigits", u"1.5E123"_s, CalcError::BadNumber, 6),
                                         fails("ExponentWithoutDigits", u"1E"_s, CalcError::BadNumber, 2),
                                         fails("PointWithoutDigits", u"1."_s, CalcError::BadNumber, 2),
                                         fails("ReferenceAfterNumber", u"2#1"_s, CalcError::BadNumber, 1),
                                         fails("WordRightAfterNumber", u"2AND 1"_s, CalcError::BadNumber, 1),
                                         fails("UnknownFunction", u"FOO(1)"_s, CalcError::UnknownName, 0),
                                         fails("UnknownWord", u"2 + X"_s, CalcError::UnknownName, 4),
                                         fails("UnknownCharacter", u"2 $ 3"_s, CalcError::NotAllowed, 2),
                                         fails("LeadingPoint", u".5"_s, CalcError::NotAllowed, 0),
                                         fails("MinusAfterOperator", u"2*-3"_s, CalcError::NotAllowed, 2),
                                         fails("TwoOperators", u"2**3"_s, CalcError::NotAllowed, 2),
                                         fails("MissingLastOperand", u"2+"_s, CalcError::NotAllowed, 2),
                                         fails("NotAlone", u"NOT"_s, CalcError::NotAllowed, 3),
                                         fails("NotBetweenOperands", u"1 NOT 2"_s, CalcError::NotAllowed, 2),
                                         fails("MinusAfterNot", u"NOT -1"_s, CalcError::NotAllowed, 4),
                                         fails("TwoOperands", u"'a' 'b'"_s, CalcError::NotAllowed, 4),
                                         fails("FunctionWithoutParen", u"ABS 1"_s, CalcError::NotAllowed, 0),
                                         fails("OneArgumentForTwo", u"MAX(1)"_s, CalcError::ArgumentCount, 5),
                                         fails("TwoArgumentsForThree", u"IIF(1,2)"_s, CalcError::ArgumentCount, 7),
                                         fails("ThreeArgumentsForTwo", u"MAX(1,2,3)"_s, CalcError::Comma, 7),
                                         fails("TwoArgumentsForOne", u"ABS(1,2)"_s, CalcError::Comma, 5),
                                         fails("CommaOutsideParens", u"1,2"_s, CalcError::Comma, 1),
                                         fails("CommaInGroup", u"(1,2)"_s, CalcError::Comma, 2),
                                         fails("CommaBeforeArgument", u"MAX(,1)"_s, CalcError::Comma, 4)),
                         TestSupport::rowName);

INSTANTIATE_TEST_SUITE_P(
    Functions, Evaluate,
    testing::Values(
        number("Abs", u"ABS(-2.5)"_s, 2.5, u"2,5"_s), number("IntTowardsZero", u"INT(-2.7)"_s, -2, u"-2"_s),
        number("IntPositive", u"INT(2.7)"_s, 2, u"2"_s), number("SgnNegative", u"SGN(-3)"_s, -1, u"-1"_s),
        number("SgnZero", u"SGN(0)"_s, 0, u"0"_s), number("SgnPositive", u"SGN(5)"_s, 1, u"1"_s),
        number("Max", u"MAX(1,2)"_s, 2, u"2"_s), number("Min", u"MIN(2,1)"_s, 1, u"1"_s),
        text("IifTrue", u"IIF(1,'a','b')"_s, u"a"_s), text("IifFalse", u"IIF(0,'a','b')"_s, u"b"_s),
        number("IifNegativeIsFalse", u"IIF(-1,1,2)"_s, 2, u"2"_s),
        number("IifMixedChoosesNumber", u"IIF(0,'a',5)"_s, 5, u"5"_s),
        value("IifMixedChoosesText", u"IIF(1,'a',5)"_s, TCalcType::Number, 0, u"a"_s),
        text("LeftRoundsHalfToEven", u"LEFT('abcdef',2.5)"_s, u"ab"_s),
        text("LeftNegative", u"LEFT('abc',-1)"_s, QString()),
        text("LeftHasItsNumber", u"LEFT('12ab',2)"_s, u"12"_s, 12),
        text("RightRoundsHalfToEven", u"RIGHT('abcdef',3.5)"_s, u"cdef"_s),
        text("RightBeyondLength", u"RIGHT('abc',9)"_s, u"abc"_s), text("Substr", u"SUBSTR('abcdef',2,3)"_s, u"bcd"_s),
        text("SubstrFromZero", u"SUBSTR('abcdef',0,2)"_s, u"ab"_s),
        text("SubstrBeyondEnd", u"SUBSTR('abc',5,1)"_s, QString()),
        text("SubstrNegativeCount", u"SUBSTR('abc',2,-1)"_s, QString()),
        text("UpperCzech", u"UPPER('čau')"_s, u"ČAU"_s), text("UpperKeepsNumber", u"UPPER(5)"_s, u"5"_s, 5),
        text("LowerCzech", u"LOWER('ŽLUŤ')"_s, u"žluť"_s), text("Ltrim", u"LTRIM('  a ')"_s, u"a "_s),
        text("Rtrim", u"RTRIM('  a ')"_s, u"  a"_s), text("AlltrimField", u"ALLTRIM(#Nazev)"_s, u"Abc"_s),
        text("AlltrimReadsNumber", u"ALLTRIM(' 12 ')"_s, u"12"_s, 12),
        text("FormatBlankGroups", u"FORMAT(1234.5,'# ##0.00')"_s, u"1 234,50"_s, 1234.5),
        text("FormatThousands", u"FORMAT(1234.5,'#,##0.00')"_s, u"1\u00A0234,50"_s, 1234.5),
        text("FormatEmptyIsGeneral", u"FORMAT(0.5,'')"_s, u"0,5"_s, 0.5), number("Sin", u"SIN(0)"_s, 0, u"0"_s),
        number("Cos", u"COS(0)"_s, 1, u"1"_s), number("Tan", u"TAN(1)"_s, 1.557407724654902, u"1,5574077246549"_s),
        number("Cotg", u"COTG(1)"_s, 0.6420926159343308, u"0,642092615934331"_s),
        fails("CotgPole", u"COTG(0)"_s, CalcError::Domain, 6),
        number("Exp", u"EXP(1)"_s, 2.718281828459045, u"2,71828182845905"_s),
        fails("ExpOverflow", u"EXP(1000)"_s, CalcError::Domain, 8), number("Log", u"LOG(EXP(2))"_s, 2, u"2"_s),
        fails("LogOfZero", u"LOG(0)"_s, CalcError::Domain, 5),
        fails("LogOfNegative", u"LOG(-1)"_s, CalcError::Domain, 6),
        number("AsinOfOne", u"ASIN(1)"_s, 1.5707963267948966, u"1,5707963267949"_s),
        fails("AsinOutside", u"ASIN(1.5)"_s, CalcError::Domain, 8),
        number("AcosOfMinusOne", u"ACOS(-1)"_s, 3.141592653589793, u"3,14159265358979"_s),
        fails("AcosOutside", u"ACOS(2)"_s, CalcError::Domain, 6),
        number("Atan", u"ATAN(1)"_s, 0.7853981633974483, u"0,785398163397448"_s),
        number("Acotg", u"ACOTG(1)"_s, 0.7853981633974483, u"0,785398163397448"_s),
        number("AcotgOfZero", u"ACOTG(0)"_s, 1.5707963267948966, u"1,5707963267949"_s),
        text("Chr", u"CHR(65)"_s, u"A"_s), text("ChrOfTheHostCodePage", u"CHR(138)"_s, u"Š"_s),
        text("ChrOfZero", u"CHR(0)"_s, QString()), text("ChrAbove255", u"CHR(256)"_s, QString()),
        text("ChrRounds", u"CHR(65.5)"_s, u"B"_s), number("Ord", u"ORD('Abc')"_s, 65, u"65"_s),
        number("OrdOfTheHostCodePage", u"ORD('Š')"_s, 138, u"138"_s), number("OrdOfEuro", u"ORD('€')"_s, 128, u"128"_s),
        number("OrdOutsideTheCodePage", u"ORD('Ω')"_s, 937, u"937"_s), number("OrdOfEmpty", u"ORD('')"_s, 0, u"0"_s),
        number("LengthHasNoText", u"LENGTH('abc')"_s, 3, QString()),
        number("PosOfFirstCharacter", u"POS('bc','abc')"_s, 2, u"2"_s),
        number("PosOfEmpty", u"POS('','abc')"_s, 0, u"0"_s), number("PosMissing", u"POS('x','abc')"_s, 0, u"0"_s),
        number("Year", u"YEAR(#Datum)"_s, 2018, u"2018"_s), number("Month", u"MONTH(#Datum)"_s, 3, u"3"_s),
        number("Day", u"DAY(#Datum)"_s, 15, u"15"_s), number("Hour", u"HOUR(#Datum)"_s, 14, u"14"_s),
        number("Minute", u"MINUTE(#Datum)"_s, 30, u"30"_s), number("Secunde", u"SECUNDE(#Datum)"_s, 45, u"45"_s),
        number("HourOfAFraction", u"HOUR(0.75)"_s, 18, u"18"_s), number("YearOfDayZero", u"YEAR(0)"_s, 1899, u"1899"_s),
        number("DayBeforeTheEpoch", u"DAY(-1.25)"_s, 29, u"29"_s),
        number("TimeBeforeTheEpochCountsForward", u"HOUR(-1.25)"_s, 6, u"6"_s),
        fails("YearOutOfRange", u"YEAR(1E99)"_s, CalcError::Domain, 9),
        text("FormatDt", u"FORMATDT(#Datum,'dd.mm.yyyy hh:nn:ss')"_s, u"15.03.2018 14:30:45"_s, kDatum),
        text("FormatDtMonthName", u"FORMATDT(#Datum,'d. mmmm yyyy')"_s, u"15. březen 2018"_s, kDatum),
        text("FormatDtMinutesAfterHour", u"FORMATDT(#Datum,'hh:mm')"_s, u"14:30"_s, kDatum),
        text("FormatDtEmptyPicture", u"FORMATDT(#Datum,'')"_s, u"15.3.2018 14:30:45"_s, kDatum),
        text("FormatDtDayName", u"FORMATDT(#Datum,'dddd d.m.yy')"_s, u"čtvrtek 15.3.18"_s, kDatum),
        text("FormatDtTwelveHour", u"FORMATDT(#Datum,'h:nn am/pm')"_s, u"2:30 pm"_s, kDatum),
        text("FormatDtLiteral", u"FORMATDT(#Datum,'\"den\" d')"_s, u"den 15"_s, kDatum),
        fails("FormatDtOutOfRange", u"FORMATDT(1E99,'d')"_s, CalcError::Domain, 17),
        number("StrToNumPoint", u"STRTONUM('1.5')"_s, 1.5, u"1,5"_s),
        number("StrToNumComma", u"STRTONUM('1,5')"_s, 1.5, u"1,5"_s),
        number("StrToNumLeadingBlanks", u"STRTONUM('  -2')"_s, -2, u"-2"_s),
        number("StrToNumTrailingBlanks", u"STRTONUM('7 ')"_s, 0, u"0"_s),
        number("StrToNumExponent", u"STRTONUM('1e3')"_s, 1000, u"1000"_s),
        number("StrToNumSignedExponent", u"STRTONUM('1E-5')"_s, 0, u"0"_s),
        number("StrToNumLetters", u"STRTONUM('abc')"_s, 0, u"0"_s),
        number("StrToNumTwoSeparators", u"STRTONUM('1.234,5')"_s, 0, u"0"_s),
        number("StrToNumPlus", u"STRTONUM('+1')"_s, 0, u"0"_s), text("NumToStr", u"NUMTOSTR(1.5)"_s, u"1,5"_s, 1.5),
        text("NumToStrLarge", u"NUMTOSTR(1E20)"_s, u"1E20"_s, 1e20),
        number("RoundHalfDown", u"ROUND(2.5)"_s, 2, u"2"_s), number("RoundHalfUp", u"ROUND(3.5)"_s, 4, u"4"_s),
        number("RoundNegativeHalf", u"ROUND(-2.5)"_s, -2, u"-2"_s),
        number("RoundAboveHalf", u"ROUND(2.6)"_s, 3, u"3"_s)),
    TestSupport::rowName);

// Every function gives a null result for a null argument (ISNULL excepted),
// also where the empty field's 0 lies outside its domain.
class NullArguments : public OverTheReport<CalcFunction>
{
};

TEST_P(NullArguments, GiveANullResult)
{
    const CalcFunction &function = GetParam();
    QStringList arguments;
    for (int i = 0; i < function.arguments; ++i)
        arguments.append(u"#Prazdne"_s);
    const CalcResult result =
        evaluateExpression(QString::fromUtf16(function.name) + u'(' + arguments.join(u',') + u')');
    EXPECT_EQ(result.error, 0);
    if (function.code == 30) {
        EXPECT_FALSE(result.value.null);
        EXPECT_EQ(result.value.number, 1.0);
    } else {
        EXPECT_TRUE(result.value.null);
    }
}

INSTANTIATE_TEST_SUITE_P(AllFunctions, NullArguments, testing::ValuesIn(calcFunctions().begin(), calcFunctions().end()),
                         TestSupport::rowName);

class OneNullArgument : public NullArguments
{
};

TEST_P(OneNullArgument, IsEnough)
{
    const CalcFunction &function = GetParam();
    QStringList arguments;
    for (int i = 0; i < function.arguments; ++i)
        arguments.append(i == function.arguments - 1 ? u"#Prazdne"_s : u"'1'"_s);
    const CalcResult result =
        evaluateExpression(QString::fromUtf16(function.name) + u'(' + arguments.join(u',') + u')');
    EXPECT_EQ(result.error, 0);
    EXPECT_TRUE(result.value.null);
}

std::vector<CalcFunction> withSeveralArguments()
{
    std::vector<CalcFunction> functions;
    for (const CalcFunction &function : calcFunctions()) {
        if (function.arguments > 1)
            functions.push_back(function);
    }
    return functions;
}

INSTANTIATE_TEST_SUITE_P(FunctionsWithSeveralArguments, OneNullArgument, testing::ValuesIn(withSeveralArguments()),
                         TestSupport::rowName);

TEST(FunctionTable, HasFortyFunctionsInCodeOrder)
{
    ASSERT_EQ(calcFunctions().size(), 40u);
    for (size_t i = 0; i < calcFunctions().size(); ++i)
        EXPECT_EQ(calcFunctions()[i].code, int(i) + 1);
    EXPECT_EQ(findCalcFunction(u"SUBSTR")->arguments, 3);
    EXPECT_EQ(findCalcFunction(u"ROUND")->code, 40);
    EXPECT_EQ(findCalcFunction(u"round"), nullptr); // the tokenizer upper-cases first
}

// The limits of the one-pass evaluator: 40 entries on each stack, 255 characters.
class Limits : public testing::Test
{
protected:
    FakeReport m_report;
};

TEST_F(Limits, FortyNestedParenthesesFit)
{
    const CalcResult result = evaluateExpression(QString(40, u'(') + u'1' + QString(40, u')'));
    EXPECT_EQ(result.error, 0);
    EXPECT_EQ(result.value.number, 1.0);
}

TEST_F(Limits, TheFortyFirstParenthesisIsTooComplex)
{
    const CalcResult result = evaluateExpression(QString(41, u'(') + u'1' + QString(41, u')'));
    EXPECT_EQ(result.error, CalcError::TooComplex);
    EXPECT_EQ(result.position, 40);
}

TEST_F(Limits, TheOperandStackHoldsForty)
{
    // Each IIF keeps two operands waiting: nineteen of them and MAX's two
    // arguments fill the stack; the third argument of a twentieth IIF is the
    // 41st operand.
    const QString waiting = QString(u"IIF(1,2,"_s).repeated(19);
    const CalcResult fits = evaluateExpression(waiting + u"MAX(1,2)"_s + QString(19, u')'));
    EXPECT_EQ(fits.error, 0);
    EXPECT_EQ(fits.value.number, 2.0);
    const CalcResult full = evaluateExpression(waiting + u"IIF(1,2,3)"_s + QString(20, u')'));
    EXPECT_EQ(full.error, CalcError::TooComplex);
    EXPECT_EQ(full.position, 19 * 8 + 8);
}

TEST_F(Limits, TheOperatorStackHoldsForty)
{
    const CalcResult result = evaluateExpression(QString(u"NOT "_s).repeated(41) + u'1');
    EXPECT_EQ(result.error, CalcError::TooComplex);
    EXPECT_EQ(result.position, 160);
    EXPECT_EQ(evaluateExpression(QString(u"NOT "_s).repeated(40) + u'1').value.number, 1.0);
}

TEST_F(Limits, LongFlatExpressionsNeedNoDeepStacks)
{
    const QString expression = u'1' + QString(u"+1"_s).repeated(127); // 255 characters
    ASSERT_EQ(expression.size(), MaxExpressionLength);
    const CalcResult result = evaluateExpression(expression);
    EXPECT_EQ(result.error, 0);
    EXPECT_EQ(result.value.number, 128.0);
    EXPECT_EQ(result.position, 255);
}

TEST_F(Limits, LongerExpressionsAreRefusedBeyondTheLimit)
{
    const CalcResult result = evaluateExpression(u'1' + QString(u"+1"_s).repeated(127) + u' ');
    EXPECT_EQ(result.error, CalcError::TooComplex);
    EXPECT_EQ(result.position, 255);
}

// References without a report, and a report that fails.
TEST(Resolver, WithoutAReportReferencesAreNull)
{
    ASSERT_EQ(calcResolver(), nullptr);
    const CalcResult byNumber = evaluateExpression(u"#1+1"_s);
    EXPECT_EQ(byNumber.error, 0);
    EXPECT_TRUE(byNumber.value.null);
    EXPECT_EQ(byNumber.value.number, 1.0);
    EXPECT_EQ(evaluateExpression(u"#Castka"_s).error, CalcError::UnknownName);
}

class ThrowingReport : public CalcResolver
{
public:
    TCalcType resolve(int) override { throw std::runtime_error("engine"); }
    int findName(int, const QString &) override { throw std::runtime_error("engine"); }
};

TEST(Resolver, AFailingReportGivesNullValuesAndUnknownNames)
{
    ThrowingReport report;
    setCalcResolver(&report);
    const CalcResult value = evaluateExpression(u"#1"_s);
    EXPECT_EQ(value.error, 0);
    EXPECT_TRUE(value.value.null);
    EXPECT_EQ(value.value.kind, TCalcType::Other);
    EXPECT_EQ(evaluateExpression(u"#Castka"_s).error, CalcError::UnknownName);
    setCalcResolver(nullptr);
}

TEST(Resolver, ReferencesAreReadOnlyWhereTheyStand)
{
    FakeReport report;
    fillReport(report);
    EXPECT_EQ(evaluateExpression(u"IIF(1,#1,#2)+#Castka"_s).error, 0);
    EXPECT_EQ(report.resolveCount, 3);
}

// The decimal point of literals does not follow the locale; texts of numbers do.
TEST(Locale, DecimalPointLocale)
{
    LocaleFormats formats = LocaleFormats::czech();
    formats.decimalSeparator = u'.';
    LocaleFormats::setCurrent(formats);
    FakeReport report;
    const CalcResult sum = evaluateExpression(u"1.5+1"_s);
    EXPECT_EQ(sum.value.text, u"2.5"_s);
    EXPECT_EQ(evaluateExpression(u"STRTONUM('1,5')"_s).value.number, 1.5);
    EXPECT_EQ(evaluateExpression(u"STRTONUM('1.5')"_s).value.number, 1.5);
    EXPECT_EQ(evaluateExpression(u"STRTONUM('1,234.5')"_s).value.number, 0.0);
    EXPECT_EQ(evaluateExpression(u"FORMAT(1234.5,'#,##0.00')"_s).value.text, u"1,234.50"_s);
}

TEST(Locale, StrToNumReportsSuccess)
{
    bool ok = true;
    EXPECT_EQ(strToNum(u"x"_s, &ok), 0.0);
    EXPECT_FALSE(ok);
    EXPECT_EQ(strToNum(u"0"_s, &ok), 0.0);
    EXPECT_TRUE(ok);
    EXPECT_EQ(strToNum(QString(), &ok), 0.0);
    EXPECT_FALSE(ok);
    EXPECT_EQ(strToNum(u"-"_s, &ok), 0.0);
    EXPECT_FALSE(ok);
}

TEST(ErrorTexts, EveryCodeHasADescription)
{
    for (int code : {1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13})
        EXPECT_FALSE(calcErrorText(code).isEmpty()) << code;
    EXPECT_EQ(calcErrorText(1), u"Neznámý název"_s);
    EXPECT_TRUE(calcErrorText(0).isEmpty());
}

} // namespace
