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
    testing::Values(TextCase{"Text", kText, u"Příjem"_s, QVariant(u"Příjem"_s), u"Příjem"_s},
                    TextCase{"TextCutToSize", kText, u"PP0000001"_s, QVariant(u"PP0000"_s), u"PP0000"_s},
                    TextCase{"TextTrailingBlanksKept", kText, u"A  "_s, QVariant(u"A  "_s), u"A  "_s},
                    TextCase{"Integer", kInteger, u"-42"_s, QVariant::fromValue<qint64>(-42), u"-42"_s},
                    TextCase{"EmptyInteger", kInteger, QString(), QVariant::fromValue<qint64>(0), u"0"_s},
                    TextCase{"Float", kFloat, u"1234.5"_s, QVariant(1234.5), u"1234.5"_s},
                    TextCase{"FloatShortestForm", kFloat, u"0.1"_s, QVariant(0.1), u"0.1"_s},
                    TextCase{"BooleanOne", kBoolean, u"1"_s, QVariant::fromValue<qint64>(1), u"1"_s},
                    TextCase{"BooleanAno", kBoolean, u"ano"_s, QVariant::fromValue<qint64>(1), u"1"_s},
                    TextCase{"BooleanFalse", kBoolean, u"False"_s, QVariant::fromValue<qint64>(0), u"0"_s},
                    TextCase{"Date", kDate, u"2018-01-05"_s, QVariant(43105.0), u"2018-01-05"_s},
                    TextCase{"DateTime", kDate, u"2018-01-05T12:00:00"_s, QVariant(43105.5), u"2018-01-05T12:00:00"_s},
                    TextCase{"DateTimeWithBlank", kDate, u"2018-01-05 06:00:00"_s, QVariant(43105.25),
                             u"2018-01-05T06:00:00"_s},
                    TextCase{"EmptyDate", kDate, QString(), QVariant(0.0), QString()}),
    TestSupport::rowName);

TEST(HostValues, TextThatIsNoValueIsRefused)
{
    EXPECT_FALSE(HostValues::fromText(kInteger, u"12a"_s).has_value());
    EXPECT_FALSE(HostValues::fromText(kFloat, u"1,5"_s).has_value()) << "the text form uses a dot";
    EXPECT_FALSE(HostValues::fromText(kBoolean, u"snad"_s).has_value());
    EXPECT_FALSE(HostValues::fromText(kDate, u"5.1.2018"_s).has_value());
}

TEST(HostValues, KeysFoldCaseAndDropTrailingBlanks)
{
    EXPECT_EQ(HostValues::keyPart(HostFieldType::Text, QVariant(u"žluťoučký kůň  "_s)), QVariant(u"ŽLUŤOUČKÝ KŮŇ"_s));
    EXPECT_EQ(HostValues::keyPart(HostFieldType::Integer, QVariant::fromValue<qint64>(7)),
              QVariant::fromValue<qint64>(7));
}

} // namespace
