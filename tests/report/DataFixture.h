#pragma once

#include "ReportFixture.h"

#include "common/MemTable.h"
#include "report/core/Report.h"
#include "report/core/data/MemTableDataSet.h"
#include "report/core/data/RecordLoop.h"

#include <QDateTime>

#include <functional>
#include <optional>

// A report over a document list in an in-memory table, with the fields
//   Doklad (text of 10, "Číslo dokladu"), Castka (float, "Částka"),
//   Pocet (integer), Zaplaceno (Boolean), Datum (date-time), Text (memo),
//   Skupina (text)
// attached through a data source. The report keeps its template in
// Predloha (no file).
class DataFixture : public ReportFixture
{
public:
    enum Field { Doklad, Castka, Pocet, Zaplaceno, Datum, Text, Skupina };

    // Template lines: the version, then the given lines.
    static QStringList templateOf(const QStringList &lines);
    // An element record of a text kind in a section ("Z", "T", "K", "S0", …).
    static QString element(const QString &section, int kind, const QString &reference, const QString &text = QString());
    // A user-function record: F,n,name,"",result type,"initial",reset,"expression",aggregate,15,digits,2.
    static QString function(int number, const QString &name, int aggregate, const QString &expression,
                            int resetPoint = 0, int digits = 2);

protected:
    void SetUp() override;
    void TearDown() override;

    // A record with the given number and amount (nullopt: empty); the other
    // fields stay empty.
    void addRecord(const QString &doklad, std::optional<double> castka, const QString &skupina = QString());
    // Records D001, D002, … with the amounts 1, 2, ….
    void addRecords(int count);

    // The layout's calls for one run, without placing anything: the record
    // loop, the user functions' start and the values of each record.
    // `body` is called once per record laid out.
    static int walk(TSestavaD &report, const std::function<void()> &body);
    // A run of the report whose layout walks the records; each body's
    // display text of its first body element is noted in m_bodies.
    int run();

    // An element of the report's model in a section, at `box` (units).
    TRastelReportElement &add(int sectionId, int kind, int reference, QRect box, const QString &text = QString());
    void setHeight(int sectionId, int height);

    // The display text of element n of a section.
    QString shown(int sectionId, int index = 0) const;

    MemTable m_table{QStringLiteral("mtDoklady")};
    MemTableDataSet m_dataSet{&m_table};
    ReportDataSource m_source{&m_dataSet};
    TSestava m_report;
    QStringList m_bodies;
};
