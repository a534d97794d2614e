// A write-back killed (SIGKILL) part-way: every table still opens and reads
// to its last record, no record is lost, every document bears either its old
// or its new number, and only the document being written when the run died
// may have journal lines that do not yet bear its new number.

#include "WriteBackFixture.h"

#include <QDir>
#include <QProcess>

#include <map>

using namespace Qt::StringLiterals;

namespace {

constexpr int kDocuments = 1500;

QString number(int counter)
{
    return u"PD%1"_s.arg(counter, 6, 10, QChar(u'0'));
}

class WriteBackCrashTest : public WriteBackTest
{
protected:
    WriteBackCrashTest()
    {
        auto documents = m_year.table(u"POKLKNIH"_s);
        auto journal = m_year.table(u"UCDENIK"_s);
        auto payments = m_year.table(u"UHRADY"_s);
        auto invoices = m_year.table(u"PFAKTURY"_s);
        int line = 0;
        for (int cislo = 1; cislo <= kDocuments; ++cislo) {
            documents.row({{"Doklad", number(cislo)}, {"Cislo", cislo}, {"DatVyst", QDate(2018, 1, 1)}});
            for (int i = 0; i < 2; ++i)
                journal.row({{"Cislo", ++line}, {"Zdroj", "PK"}, {"ZRadek", cislo}, {"Doklad", number(cislo)}});
            payments.row({{"TypeUDokl", "P"}, {"CisloUDokl", cislo}, {"TypeHDokl", "FP"}, {"CisloHDokl", cislo}});
            invoices.row({{"Doklad", u"FP%1"_s.arg(cislo)}, {"Cislo", cislo}, {"UDoklad", number(cislo)}});
        }
        m_agenda.table(u"MJINVPOH"_s);
        m_agenda.table(u"ADAKCE"_s);
        m_tree.table(u"GLAKCE"_s);
    }

    int documentsWritten()
    {
        TBFTable table;
        if (table.Open(m_context.yearDir + u"POKLKNIH"_s) != HostResult::Ok)
            return 0;
        int written = 0;
        for (table.GoTop(); !table.Eof(); table.Skip())
            written += table.Value(u"Doklad"_s).toString() == number(table.Value(u"Cislo"_s).toInt() + kDocuments);
        return written;
    }
};

TEST_F(WriteBackCrashTest, KilledPartWayLeavesEveryRecordWhole)
{
    QProcess child;
    child.start(QString::fromUtf8(TARNEK_RENUMBER_CHILD), {m_tree.dataRoot(), m_context.settingsDir});
    ASSERT_TRUE(child.waitForStarted(10000));
    // Killed once a fifth of the documents bear their new numbers.
    bool killed = false;
    for (int wait = 0; wait < 1200 && child.state() == QProcess::Running; ++wait) {
        if (documentsWritten() >= kDocuments / 5) {
            child.kill();
            killed = true;
            break;
        }
        child.waitForFinished(100);
    }
    ASSERT_TRUE(killed) << "the run ended before it could be killed: " << child.readAllStandardError().constData();
    ASSERT_TRUE(child.waitForFinished(10000));
    ASSERT_EQ(child.exitStatus(), QProcess::CrashExit);

    for (const QString &dir : {m_context.yearDir, m_context.agendaDir, m_tree.dataRoot()}) {
        for (const QString &file : QDir(dir).entryList({u"*.DAT"_s}, QDir::Files)) {
            TBFTable table;
            EXPECT_EQ(table.Open(dir + file), HostResult::Ok) << file.toStdString();
            int records = 0;
            for (table.GoTop(); !table.Eof(); table.Skip())
                ++records;
            EXPECT_EQ(records, table.RecordCount()) << file.toStdString();
        }
    }

    std::map<int, QString> documents; // Cislo → number
    for (int recNo = 1; const QString &text : values(m_context.yearDir + u"POKLKNIH"_s, u"Doklad"_s))
        documents[recNo++] = text;
    ASSERT_EQ(int(documents.size()), kDocuments);
    std::map<int, QStringList> journal; // ZRadek → numbers of its lines
    const QStringList lineDocuments = values(m_context.yearDir + u"UCDENIK"_s, u"Doklad"_s);
    const QStringList lineSources = values(m_context.yearDir + u"UCDENIK"_s, u"ZRadek"_s);
    ASSERT_EQ(lineDocuments.size(), 2 * kDocuments);
    for (int i = 0; i < lineDocuments.size(); ++i)
        journal[lineSources.at(i).toInt()].append(lineDocuments.at(i));

    int written = 0;
    int behind = 0; // documents whose journal lines do not all bear the document's number
    for (const auto &[cislo, text] : documents) {
        const bool isNew = text == number(cislo + kDocuments);
        EXPECT_TRUE(isNew || text == number(cislo)) << cislo << ": " << text.toStdString();
        written += isNew;
        for (const QString &lineNumber : journal[cislo]) {
            EXPECT_TRUE(lineNumber == number(cislo) || lineNumber == number(cislo + kDocuments));
            if (lineNumber != text) {
                EXPECT_TRUE(isNew) << "a journal line ahead of its document " << cislo;
                ++behind;
                break;
            }
        }
    }
    EXPECT_GE(written, kDocuments / 5);
    EXPECT_LT(written, kDocuments) << "the run was killed before it finished";
    EXPECT_LE(behind, 1) << "only the document being written may lack its journal lines";
    // The paid invoices come after every document: none was touched.
    const QStringList links = values(m_context.yearDir + u"PFAKTURY"_s, u"UDoklad"_s);
    ASSERT_EQ(links.size(), kDocuments);
    for (int i = 0; i < kDocuments; ++i)
        EXPECT_EQ(links.at(i), number(i + 1));
}

} // namespace
