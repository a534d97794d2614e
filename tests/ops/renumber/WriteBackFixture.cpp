#include "WriteBackFixture.h"

#include "app/core/YearList.h"
#include "common/TextFile.h"
#include "support/ScriptedUi.h"

#include <QDir>

using namespace Qt::StringLiterals;

WriteBackTest::WriteBackTest()
{
    m_context.settingsDir = m_dir.path() + u"/Setting/"_s;
    QDir().mkpath(m_context.settingsDir);
    loadYears();
}

void WriteBackTest::loadYears()
{
    ASSERT_EQ(loadYearList(m_context.agendaDir, m_session.mtYear), 0);
}

void WriteBackTest::propose(const std::vector<const char *> &numbers, RenumberModule module)
{
    ASSERT_EQ(load(u"PD"_s, module), 0);
    ASSERT_EQ(m_list.recordCount(), int(numbers.size()));
    const int doklad = m_list.fieldIndex(u"Doklad"_s);
    const int sufix = m_list.fieldIndex(u"Sufix"_s);
    const int nove = m_list.fieldIndex(u"Nove"_s);
    int row = 0;
    for (const char *number : numbers) {
        const QString text = QString::fromUtf8(number);
        if (!text.isEmpty()) {
            m_list.setValue(row, doklad, text);
            m_list.setValue(row, sufix, text.mid(2).toInt());
            m_list.setValue(row, nove, true);
        }
        ++row;
    }
    m_state.proposalExists = true;
}

int WriteBackTest::renumber()
{
    scriptedUi().answer(MessageAnswer::Yes);
    return m_writeBack.renumber(m_view, u"Prefix PD pokladní doklady"_s);
}

QStringList WriteBackTest::values(const QString &path, const QString &field)
{
    const std::optional<QStringList> values = fieldValues(path, field);
    EXPECT_TRUE(values.has_value()) << path.toStdString();
    return values.value_or(QStringList());
}

QStringList WriteBackTest::protocolBody() const
{
    // Without the snapshot's line, which names a folder of the moment.
    QStringList body = m_session.protocol().lines().mid(11);
    if (!body.isEmpty() && body.last().startsWith(u"Záloha tabulek před změnami: "_s))
        body.removeLast();
    return body;
}

QStringList WriteBackTest::protocolFile() const
{
    return TextFile::readLines(RenumberWriteBack::protocolFileName(m_context.settingsDir)).value_or(QStringList());
}
