#pragma once

#include "hostdb/HostTable.h"
#include "ops/balances/BalancesFilter.h"
#include "ops/balances/FixedAmount.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class MemTable;
class OperationSession;

// The balances by day of the company's bank accounts and cash desks: opening
// balances on the fiscal year's first day, then every paid entry of the cash
// book and the bank book on its payment day, summed per currency and
// accumulated in date order. A plain class over the host tables it opens,
// the session's progress sink and its interrupt flag; the result window only shows
// `days()`.
//
// Tables:
// - `accounts`: `ID`, `Zkratka`, `Popis`, `Mena`, `PocStav` (the included
//   accounts and cash desks);
// - `currencies`: `ID` (0, 1, … in order of first appearance, opening
//   balances first), `Kod` (as first met; empty for the home currency),
//   `PrintKod` (`Kod`, or the year's currency symbol for the home currency);
// - `days`: `ID`, `Datum`, and the balance columns "Stav" + currency `ID`, one
//   row per day in date order, each the balance at the end of that day.
//
// Amounts are summed exactly (FixedAmount, four decimals); the `Stav`
// columns carry the nearest double for the grid, `balance()` the exact value.
class TStavUctuPokladenReport
{
public:
    // Balance columns the days always have; with more currencies than that
    // the table gets one column for each (a twenty-first currency has its
    // own column rather than being dropped or summed into another).
    static constexpr int kStavColumns = 20;

    enum class MovementType { Receipt = 0, Expense = 1 };
    struct Movement
    {
        int dayId; // `ID` of its day
        MovementType type;
        FixedAmount amount;
        QString mena;   // as stored
        int currencyId; // `ID` of its currency
    };

    TStavUctuPokladenReport(OperationSession &session, const TStavUctuPokladenFilter &filter);
    ~TStavUctuPokladenReport();
    TStavUctuPokladenReport(const TStavUctuPokladenReport &) = delete;
    TStavUctuPokladenReport &operator=(const TStavUctuPokladenReport &) = delete;

    // Loads and accumulates. 0 when `days` holds the result; -1 when a table
    // did not open or an amount is out of range (after the error message),
    // or when the user interrupted (silently; isInterrupted()).
    int run();
    bool isInterrupted() const { return m_interrupted; }

    MemTable &accounts() { return *m_accounts; }
    MemTable &currencies() { return *m_currencies; }
    MemTable &days() { return *m_days; }
    const MemTable &days() const { return *m_days; }
    const std::vector<Movement> &movements() const { return m_movements; }

    int currencyCount() const;
    QString printCode(int currencyId) const;
    // The exact balance at the end of the day in row `dayRow` of `days`.
    FixedAmount balance(int dayRow, int currencyId) const;
    // "Stav" + the currency's `ID`.
    static QString balanceField(int currencyId);

private:
    int loadAccounts();
    int loadBook(const QString &tableName, const QString &accountField);
    int accumulateDays();
    int openTable(const QString &tableName);
    void closeTable();
    bool stopRequested(int counter);
    void addMovement(MovementType type, FixedAmount amount, const QString &mena, const QDate &day);
    int currencyIdOf(const QString &mena);
    int dayIdOf(const QDate &day);

    OperationSession &m_session;
    TBFTable m_table; // the report's own: open for one stage, closed with the report at the latest
    TStavUctuPokladenFilter m_filter;
    std::unique_ptr<MemTable> m_accounts;
    std::unique_ptr<MemTable> m_currencies;
    std::unique_ptr<MemTable> m_days;
    std::vector<Movement> m_movements;
    QHash<QString, int> m_currencyIds; // key form of `Kod` → `ID`
    QStringList m_printCodes;          // by `ID`
    QHash<qint64, int> m_dayIds;       // Julian day → `ID`
    std::vector<QDate> m_dayDates;     // by `ID`
    int m_balanceColumns = kStavColumns;
    std::vector<FixedAmount> m_balances; // days rows × balance columns, exact
    QDate m_openingDay;
    bool m_interrupted = false;
};
