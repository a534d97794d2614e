#include "PurgeFixture.h"

#include "common/Clock.h"
#include "tabletool/TableTool.h"

#include <QDir>
#include <QTextStream>

using namespace Qt::StringLiterals;

void InterruptingProgress::setProgress(int, const QString &status)
{
    if (!status.isNull()) {
        statuses.append(status);
        if (onStatus)
            onStatus(status);
        m_armed = !interruptAfter.isEmpty() && status == interruptAfter;
        return;
    }
    if (m_armed && session) {
        session->interruptRequested = true;
        m_armed = false;
    }
}

RemovalTest::RemovalTest(bool doubleEntry)
    : m_tree(m_dir.path() + u"/DATA"_s), m_year(m_tree.agenda(u"001"_s).name(u"Demo s.r.o."_s).year(u"2018"_s))
{
    m_year.yearName(u"2018"_s).doubleEntry(doubleEntry).postsStockMovements(doubleEntry);
    m_context.agendaDir = m_year.agenda().dir();
    m_context.yearDir = m_year.dir();
    m_context.dataRoot = m_tree.dataRoot();
    m_context.companyName = u"Demo s.r.o."_s;
    m_context.yearName = u"2018"_s;
    m_context.addOnRoot = m_tree.dataRoot() + u"Velmar/Tarnek/"_s;
    m_context.settingsDir = m_context.addOnRoot + u"Setting/"_s;
    m_context.userName = u"Demo"_s;
    QDir().mkpath(m_context.settingsDir);
    Clock::setCurrent(std::make_unique<FixedClock>(QDateTime(QDate(2018, 6, 30), QTime(14, 5, 9))));
    m_progress.session = &m_session;
    m_session.setProtocolViewer([this](OperationProtocol &protocol) {
        ++m_shown;
        m_shownLines = protocol.lines();
        return 0;
    });
}

RemovalTest::~RemovalTest()
{
    Clock::setCurrent(nullptr);
}

int RemovalTest::run(const RemovalOptions &options)
{
    m_testMode = options.testMode;
    RemovalRun removal(m_session, m_progress, options);
    const int result = m_session.runGuarded([&] { return removal.runRemoval(); });
    m_lastNumbers.clear();
    const MemTable &numbers = removal.mtFlagDelCisla();
    for (int row = 0; row < numbers.recordCount(); ++row)
        m_lastNumbers.append(numbers.value(row, 0).toString() + (numbers.value(row, 1).toBool() ? u"!"_s : QString()));
    return result;
}

RemovalOptions RemovalTest::modules(const QStringList &tables, bool testMode)
{
    RemovalOptions options;
    options.testMode = testMode;
    for (size_t i = 0; i < kRemovalModules.size(); ++i)
        options.modules.at(i) = tables.contains(QString::fromUtf16(kRemovalModules.at(i).table));
    return options;
}

QStringList RemovalTest::body()
{
    QStringList lines = m_session.protocol().lines();
    if (!m_testMode && !lines.isEmpty() && lines.last().startsWith(kSnapshotLine))
        lines.removeLast();
    const int header = m_testMode ? 6 : 4;
    return lines.mid(header);
}

QString RemovalTest::dump(const QString &table) const
{
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const int code = TableTool::run({u"dump"_s, yearDir() + table, u"--recno"_s}, outStream, errStream);
    outStream.flush();
    EXPECT_EQ(code, 0) << err.toStdString();
    return out;
}

QStringList RemovalTest::column(const QString &table, const QString &field) const
{
    const std::optional<QStringList> values = fieldValues(yearDir() + table, field);
    if (!values)
        ADD_FAILURE() << "cannot open " << table.toStdString();
    return values.value_or(QStringList());
}
