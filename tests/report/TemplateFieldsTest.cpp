// The field splitter of template lines and the writer's spelling of fields.

#include "report/core/template/TemplateFields.h"
#include "support/TestSupport.h"

using namespace Qt::StringLiterals;

namespace {

struct SplitCase
{
    const char *name;
    QString line;
    QStringList fields; // every field the reader gives until it is at the end
};

class TemplateFieldsSplit : public testing::TestWithParam<SplitCase>
{
};

QStringList readAll(const QString &line)
{
    TemplateFields fields(line);
    QStringList result;
    while (!fields.atEnd())
        result << fields.next();
    return result;
}

TEST_P(TemplateFieldsSplit, GivesTheFields)
{
    EXPECT_EQ(readAll(GetParam().line), GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, TemplateFieldsSplit,
    testing::Values(
        SplitCase{"Plain", u"T,1,0,10"_s, {u"T"_s, u"1"_s, u"0"_s, u"10"_s}},
        SplitCase{"EmptyFieldsKept", u"T,,3,"_s, {u"T"_s, QString(), u"3"_s, QString()}},
        SplitCase{"QuotedWithComma", u"I,0,\"Faktury, vydané\",x"_s, {u"I"_s, u"0"_s, u"Faktury, vydané"_s, u"x"_s}},
        SplitCase{"DoubledQuote", u"\"a \"\"b\"\" c\",1"_s, {u"a \"b\" c"_s, u"1"_s}},
        SplitCase{"OnlyAQuote", u"\"\"\"\""_s, {u"\""_s}}, SplitCase{"EmptyQuoted", u"\"\",5"_s, {QString(), u"5"_s}},
        SplitCase{"TextAfterClosingQuoteAppended", u"\"ab\"cd,e"_s, {u"abcd"_s, u"e"_s}},
        SplitCase{"UnclosedQuoteRunsToTheEnd", u"\"ab,cd"_s, {u"ab,cd"_s}},
        SplitCase{"QuoteInsideUnquotedFieldIsText", u"a\"b,c"_s, {u"a\"b"_s, u"c"_s}},
        SplitCase{"LastFieldToTheEnd", u"x,y z"_s, {u"x"_s, u"y z"_s}},
        SplitCase{"BlanksKept", u" a , b"_s, {u" a "_s, u" b"_s}}),
    TestSupport::rowName);

struct IntCase
{
    const char *name;
    QString text;
    bool ok;
    int value;
};

class TemplateFieldsInt : public testing::TestWithParam<IntCase>
{
};

TEST_P(TemplateFieldsInt, ParsesDecimalIntegers)
{
    int value = -777;
    EXPECT_EQ(TemplateFields::parseInt(GetParam().text, &value), GetParam().ok);
    EXPECT_EQ(value, GetParam().ok ? GetParam().value : -777);
}

INSTANTIATE_TEST_SUITE_P(Numbers, TemplateFieldsInt,
                         testing::Values(IntCase{"Zero", u"0"_s, true, 0}, IntCase{"Positive", u"123"_s, true, 123},
                                         IntCase{"Negative", u"-45"_s, true, -45}, IntCase{"Plus", u"+7"_s, true, 7},
                                         IntCase{"LeadingBlanks", u"  12"_s, true, 12},
                                         IntCase{"TrailingBlank", u"12 "_s, false, 0},
                                         IntCase{"Empty", QString(), false, 0}, IntCase{"SignOnly", u"-"_s, false, 0},
                                         IntCase{"Letters", u"12a"_s, false, 0}, IntCase{"Decimal", u"1.5"_s, false, 0},
                                         IntCase{"Hex", u"$1F"_s, false, 0},
                                         IntCase{"MaxInt", u"2147483647"_s, true, 2147483647},
                                         IntCase{"MinInt", u"-2147483648"_s, true, -2147483647 - 1},
                                         IntCase{"Overflow", u"2147483648"_s, false, 0},
                                         IntCase{"HugeOverflow", u"99999999999999999999999"_s, false, 0}),
                         TestSupport::rowName);

TEST(TemplateFields, MissingOrMalformedNumbersGiveTheDefault)
{
    TemplateFields fields(u"I,6,1,x,,3"_s);
    fields.skip(2);
    EXPECT_EQ(fields.nextInt(0), 1);
    EXPECT_EQ(fields.nextInt(8), 8); // "x"
    EXPECT_EQ(fields.nextInt(8), 8); // empty
    EXPECT_EQ(fields.nextInt(1), 3);
    EXPECT_TRUE(fields.atEnd());
    EXPECT_EQ(fields.nextInt(1), 1); // missing
    EXPECT_EQ(fields.next(), QString());
}

TEST(TemplateFields, PeekDoesNotAdvance)
{
    TemplateFields fields(u"a,b"_s);
    EXPECT_EQ(fields.peek(), u"a"_s);
    EXPECT_EQ(fields.next(), u"a"_s);
    EXPECT_EQ(fields.next(), u"b"_s);
}

TEST(TemplateText, QuotedDoublesInnerQuotesAndReadsBack)
{
    const QString text = u"Řekl \"ano\", pak \"\"ne\"\"."_s;
    const QString written = TemplateText::quoted(text);
    EXPECT_EQ(written, u"\"Řekl \"\"ano\"\", pak \"\"\"\"ne\"\"\"\".\""_s);
    TemplateFields fields(written + u",5"_s);
    EXPECT_EQ(fields.next(), text);
    EXPECT_EQ(fields.nextInt(), 5);
}

TEST(TemplateText, BareQuotesOnlyWhatWouldNotReadBack)
{
    EXPECT_EQ(TemplateText::bare(u"Arial"_s), u"Arial"_s);
    EXPECT_EQ(TemplateText::bare(u"a\"b"_s), u"a\"b"_s);
    EXPECT_EQ(TemplateText::bare(u"a,b"_s), u"\"a,b\""_s);
    EXPECT_EQ(TemplateText::bare(u"\"x"_s), u"\"\"\"x\""_s);
}

} // namespace
