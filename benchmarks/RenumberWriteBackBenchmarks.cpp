// The renumbering write-back over a large cash book: 10,000 documents of one
// series, each with three journal lines, a payment of a received invoice and
// two action-log records, plus stock documents, asset movements and
// address-book actions that name some of them. The proposal reverses the
// numbers (every document exchanges its number with another), so every
// document, journal line, paid invoice and log record is rewritten, each
// post its own transaction.

#include "BenchmarkApplication.h"
#include "BenchmarkSeams.h"
#include "BulkInsert.h"
#include "app/core/OperationSession.h"
#include "app/core/YearList.h"
#include "common/MemTable.h"
#include "common/UiSeam.h"
#include "fixture/HostTreeBuilder.h"
#include "ops/renumber/RenumberWriteBack.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int kDocuments = 10000;

QString number(int n)
{
    return u"PD%1"_s.arg(n, 6, 10, QChar(u'0'));
}

class NoView final : public RenumberListView
{
public:
    int markCount() const override { return 0; }
    bool isMarked(int) const override { return false; }
    void suspendRepaint(bool) override {}
    void updateListButtons(bool) override {}
};

// The company, built once; each run works on a fresh copy of its tree.
class CashCompany
{
public:
    static CashCompany &instance()
    {
        static CashCompany company;
        return company;
    }

    // A fresh copy of the data root; its path with a trailing "/".
    QString copy()
    {
        const QString target = m_dir.path() + u"/COPY/"_s;
        QDir(target).removeRecursively();
        QDirIterator files(m_root, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString file = files.next();
            const QString copied = target + file.mid(m_root.size());
            QDir().mkpath(QFileInfo(copied).path());
            QFile::copy(file, copied);
        }
        return target;
    }

private:
    CashCompany()
    {
        HostTreeBuilder tree(m_dir.path() + u"/DATA"_s);
        AgendaBuilder &agenda = tree.agenda(u"001"_s);
        agenda.name(u"Demo s.r.o."_s);
        YearBuilder &year = agenda.year(u"2018"_s);
        year.yearName(u"2018"_s).doubleEntry(true);
        for (const QString &name : {u"POKLKNIH"_s, u"UCDENIK"_s, u"UHRADY"_s, u"PFAKTURY"_s, u"SKSEZDOK"_s})
            year.table(name);
        for (const QString &name : {u"MJINVPOH"_s, u"ADAKCE"_s})
            agenda.table(name);
        tree.table(u"GLAKCE"_s);
        m_root = tree.dataRoot();
        const QString yearDir = year.dir();
        const QString agendaDir = agenda.dir();
        bulkInsert(yearDir + u"POKLKNIH.DAT"_s, {u"Doklad"_s, u"Cislo"_s, u"DCislo"_s, u"DatVyst"_s}, kDocuments,
                   [](int i) {
                       return QVariantList{number(i + 1), i + 1, i + 1, QDate(2018, 1, 1).addDays(i / 30)};
                   });
        bulkInsert(yearDir + u"UCDENIK.DAT"_s, {u"Cislo"_s, u"Zdroj"_s, u"ZRadek"_s, u"Doklad"_s}, 3 * kDocuments,
                   [](int i) {
                       return QVariantList{i + 1, u"PK"_s, i / 3 + 1, number(i / 3 + 1)};
                   });
        bulkInsert(yearDir + u"UHRADY.DAT"_s,
                   {u"Poradi"_s, u"TypeUDokl"_s, u"CisloUDokl"_s, u"TypeHDokl"_s, u"CisloHDokl"_s}, kDocuments,
                   [](int i) {
                       return QVariantList{1, u"P"_s, i + 1, u"FP"_s, i + 1};
                   });
        bulkInsert(yearDir + u"PFAKTURY.DAT"_s, {u"Doklad"_s, u"Cislo"_s, u"UDoklad"_s}, kDocuments, [](int i) {
            return QVariantList{u"FP%1"_s.arg(i + 1), i + 1, number(i + 1)};
        });
        bulkInsert(yearDir + u"SKSEZDOK.DAT"_s, {u"CisloDokla"_s, u"CPoklDok"_s}, kDocuments / 10, [](int i) {
            return QVariantList{u"SK%1"_s.arg(i + 1), number(10 * i + 1)};
        });
        bulkInsert(agendaDir + u"MJINVPOH.DAT"_s, {u"Doklad"_s}, kDocuments / 10,
                   [](int i) { return QVariantList{number(10 * i + 2)}; });
        bulkInsert(
            agendaDir + u"ADAKCE.DAT"_s, {u"TypDokl"_s, u"Rok"_s, u"Doklad"_s, u"Popis"_s}, kDocuments / 5, [](int i) {
                return QVariantList{u"PK"_s, u"2018"_s, number(5 * i + 3), QString(u"Platba "_s + number(5 * i + 3))};
            });
        bulkInsert(m_root + u"GLAKCE.DAT"_s, {u"Agenda"_s, u"Rok"_s, u"KodSezn"_s, u"DoklZkrat"_s, u"Cislo"_s},
                   2 * kDocuments, [](int i) {
                       return QVariantList{u"001"_s, u"2018"_s, u"UP"_s, number(i / 2 + 1), i + 1};
                   });
    }

    QTemporaryDir m_dir;
    QString m_root;
};

void BM_RenumberWriteBack(benchmark::State &state)
{
    ensureBenchmarkApplication();
    CashCompany &company = CashCompany::instance();
    BenchmarkUi seam(false, MessageAnswer::Yes); // "Přečíslovat" confirmed
    UiSeam::setCurrent(&seam);
    QTemporaryDir settings;
    int written = 0;
    for (auto _ : state) {
        state.PauseTiming();
        RunContext context;
        context.dataRoot = company.copy();
        context.agendaDir = context.dataRoot + u"AGENDA.001/"_s;
        context.yearDir = context.agendaDir + u"ROK.2018/"_s;
        context.settingsDir = settings.path() + u'/';
        context.agendaCode = u"001"_s;
        context.yearCode = u"2018"_s;
        NoProgress progress;
        OperationSession session(context, progress);
        loadYearList(context.agendaDir, session.mtYear);
        MemTable list(u"mtDoklady"_s);
        defineRenumberList(list, RenumberModule::Cash, true);
        RenumberListLoader(session, RenumberModule::Cash, u"PD"_s).load(list);
        RenumberState renumber;
        renumber.seriesPrefix = u"PD"_s;
        renumber.proposalExists = true;
        for (int row = 0; row < list.recordCount(); ++row) {
            const int counter = kDocuments + 1 - list.value(row, list.fieldIndex(u"Cislo"_s)).toInt();
            list.setValue(row, list.fieldIndex(u"Doklad"_s), number(counter));
            list.setValue(row, list.fieldIndex(u"Sufix"_s), counter);
            list.setValue(row, list.fieldIndex(u"Nove"_s), true);
        }
        RenumberWriteBack writeBack(session, list, renumber);
        NoView view;
        seam.messages = 0;
        state.ResumeTiming();
        benchmark::DoNotOptimize(writeBack.renumber(view, u"Prefix PD pokladní doklady"_s));
        state.PauseTiming();
        written = renumber.renumberedCount;
        // The confirmation and the closing information, no error box.
        if (seam.messages != 2 || written != kDocuments)
            state.SkipWithError("the write-back did not renumber every document");
        state.ResumeTiming();
    }
    state.counters["documents"] = written;
    UiSeam::setCurrent(nullptr);
}

} // namespace

BENCHMARK(BM_RenumberWriteBack)->Unit(benchmark::kMillisecond)->Iterations(3);
