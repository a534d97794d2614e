// The text form of stored values (table tool, fixtures).

#include "hostdb/HostValues.h"

#include "common/DayNumber.h"
#include "support/TestSupport.h"

#include <QDate>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct TextCase
{
    const char *name;
    HostField field;
    QString text;
    QVariant stored;
    QString written; // how the stored value is written back
};

class TextFormTest : public testing::TestWithParam<TextCase>
{
};

TEST_P(TextFormTest, ParsesAndWritesBack)
{
    const TextCase &c = GetParam();
    const auto stored = HostValues::fromText(c.field, c.text);
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(*stored, c.stored);
    EXPECT_EQ(HostValues::toText(c.field.type, *stored), c.written);
}

const HostField kText{u"T"_s, HostFieldType::Text, 6};
const HostField kInteger{u"I"_s, HostFieldType::Integer, 0};
const HostField kFloat{u"F"_s, HostFieldType::Float, 0};
const HostField kBoolean{u"B"_s, HostFieldType::Boolean, 0};
const HostField kDate{u"D"_s, HostFieldType::DateTime, 0};

INSTANTIATE_TEST_SUITE_P(
    Values, TextFormTest,
    testing::Values(
        TextCase{"Text", kText, u"Příjem"_s, QVariant(u"Příjem"_s), u"Příjem"_s},
        TextCase{"TextFillingTheField", kText, u"PP0000"_s, QVariant(u"PP0000"_s), u"PP0000"_s},
        TextCase{"TextTrailingBlanksKept", kText, u"A  "_s, QVariant(u"A  "_s), u"A  "_s},
        TextCase{"Integer", kInteger, u"-42"_s, QVariant::fromValue<qint64>(-42), u"-42"_s},
        TextCase{"EmptyInteger", kInteger, QString(), QVariant::fromValue<qint64>(0), u"0"_s},
        TextCase{"Float", kFloat, u"1234.5"_s, QVariant(1234.5), u"1234.5"_s},
        TextCase{"FloatShortestForm", kFloat, u"0.1"_s, QVariant(0.1), u"0.1"_s},
        TextCase{"WholeFloatWithoutExponent", kFloat, u"200"_s, QVariant(200.0), u"200"_s},
        TextCase{"LargeFloatWithoutExponent", kFloat, u"1.5e7"_s, QVariant(15000000.0), u"15000000"_s},
        TextCase{"SmallFloatWithoutExponent", kFloat, u"0.00001"_s, QVariant(0.00001), u"0.00001"_s},
        TextCase{"LargestInteger", kInteger, u"2147483647"_s, QVariant::fromValue<qint64>(2147483647), u"2147483647"_s},
        TextCase{"BooleanOne", kBoolean, u"1"_s, QVariant::fromValue<qint64>(1), u"1"_s},
        TextCase{"BooleanAno", kBoolean, u"ano"_s, QVariant::fromValue<qint64>(1), u"1"_s},
        TextCase{"BooleanFalse", kBoolean, u"False"_s, QVariant::fromValue<qint64>(0), u"0"_s},
        TextCase{"Date", kDate, u"2018-01-05"_s, QVariant(43105.0), u"2018-01-05"_s},
        TextCase{"DateTime", kDate, u"2018-01-05T12:00:00"_s, QVariant(43105.5), u"2018-01-05T12:00:00"_s},
        TextCase{"DateTimeWithBlank", kDate, u"2018-01-05 06:00:00"_s, QVariant(43105.25), u"2018-01-05T06:00:00"_s},
        TextCase{"EmptyDate", kDate, QString(), QVariant(0.0), QString()}),
    TestSupport::rowName);

struct RefusedCase
{
    const char *name;
    HostField field;
    QString text;
    QString why;
};

class RefusedTextTest : public testing::TestWithParam<RefusedCase>
{
};

TEST_P(RefusedTextTest, SaysWhy)
{
    QString why;
    EXPECT_FALSE(HostValues::fromText(GetParam().field, GetParam().text, &why).has_value());
    EXPECT_EQ(why, GetParam().why);
}

INSTANTIATE_TEST_SUITE_P(Texts, RefusedTextTest,
                         testing::Values(RefusedCase{"NoInteger", kInteger, u"12a"_s, u"is no integer"_s},
                                         RefusedCase{"IntegerBeyond32Bits", kInteger, u"4294967297"_s,
                                                     u"is beyond the range of an integer field"_s},
                                         RefusedCase{"DecimalComma", kFloat, u"1,5"_s, u"is no float"_s},
                                         RefusedCase{"Infinity", kFloat, u"inf"_s, u"is no finite number"_s},
                                         RefusedCase{"NotANumber", kFloat, u"nan"_s, u"is no finite number"_s},
                                         RefusedCase{"NoBoolean", kBoolean, u"snad"_s, u"is no boolean"_s},
                                         RefusedCase{"LocalDateForm", kDate, u"5.1.2018"_s, u"is no datetime"_s},
                                         RefusedCase{"UtcDate", kDate, u"2018-01-05T12:00:00Z"_s,
                                                     u"carries a time-zone offset (host dates are local)"_s},
                                         RefusedCase{"OffsetDate", kDate, u"2018-01-05T12:00:00+01:00"_s,
                                                     u"carries a time-zone offset (host dates are local)"_s},
                                         RefusedCase{"TextLongerThanTheField", kText, u"PP0000001"_s,
                                                     u"is longer than the field's 6 characters"_s},
                                         RefusedCase{"NulInText", kText, u"a\u0000b"_s, u"contains a NUL character"_s}),
                         TestSupport::rowName);

TEST(HostValues, KeysFoldCaseAndDropTrailingBlanks)
{
    EXPECT_EQ(HostValues::keyPart(HostFieldType::Text, QVariant(u"žluťoučký kůň  "_s)), QVariant(u"ŽLUŤOUČKÝ KŮŇ"_s));
    EXPECT_EQ(HostValues::keyPart(HostFieldType::Integer, QVariant::fromValue<qint64>(7)),
              QVariant::fromValue<qint64>(7));
}

} // namespace
