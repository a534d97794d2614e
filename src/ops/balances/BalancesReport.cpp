#include "ops/balances/BalancesReport.h"

#include "app/core/HostIniFiles.h"
#include "app/core/OperationSession.h"
#include "app/core/ProgressGuards.h"
#include "common/MemTable.h"
#include "common/UiSeam.h"
#include "hostdb/HostTable.h"
#include "hostdb/HostTableDef.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// The message queue runs, and the progress bar moves, every tenth record or
// day: often enough for the interrupt button, rarely enough for large books.
constexpr int kPollEvery = 10;

const QString kBalanceFormat = u"# ### ### ##0.00"_s;

void defineAccounts(MemTable &table)
{
    table.addField(u"ID"_s, FieldType::Integer);
    table.addField(u"Zkratka"_s, FieldType::String, 10);
    table.addField(u"Popis"_s, FieldType::String, 50);
    table.addField(u"Mena"_s, FieldType::String, 3);
    table.addField(u"PocStav"_s, FieldType::Float);
}

void defineCurrencies(MemTable &table)
{
    table.addField(u"ID"_s, FieldType::Integer);
    table.addField(u"Kod"_s, FieldType::String, 3);
    table.addField(u"PrintKod"_s, FieldType::String, 3);
}

} // namespace

TStavUctuPokladenReport::TStavUctuPokladenReport(OperationSession &session, const TStavUctuPokladenFilter &filter)
    : m_session(session), m_filter(filter), m_accounts(std::make_unique<MemTable>(u"accounts"_s)),
      m_currencies(std::make_unique<MemTable>(u"currencies"_s)), m_days(std::make_unique<MemTable>(u"days"_s))
{
    defineAccounts(*m_accounts);
    defineCurrencies(*m_currencies);
}

TStavUctuPokladenReport::~TStavUctuPokladenReport()
{
    closeTable();
}

QString TStavUctuPokladenReport::balanceField(int currencyId)
{
    return u"Stav"_s + QString::number(currencyId);
}

int TStavUctuPokladenReport::currencyCount() const
{
    return int(m_printCodes.size());
}

QString TStavUctuPokladenReport::printCode(int currencyId) const
{
    return m_printCodes.value(currencyId);
}

FixedAmount TStavUctuPokladenReport::balance(int dayRow, int currencyId) const
{
    if (dayRow < 0 || currencyId < 0 || currencyId >= m_balanceColumns)
        return FixedAmount();
    const size_t index = size_t(dayRow) * size_t(m_balanceColumns) + size_t(currencyId);
    return index < m_balances.size() ? m_balances[index] : FixedAmount();
}

int TStavUctuPokladenReport::run()
{
    m_interrupted = false;
    int result = loadAccounts();
    if (result == 0)
        result = loadBook(u"POKLKNIH"_s, u"Pokl"_s);
    if (result == 0)
        result = loadBook(u"BANKKNIH"_s, u"Ucet"_s);
    if (result == 0)
        result = accumulateDays();
    closeTable();
    return result;
}

int TStavUctuPokladenReport::openTable(const QString &tableName)
{
    closeTable();
    const QString path = m_session.runContext().yearDir + tableName;
    if (m_table.Open(path) != HostResult::Ok) {
        ui().error(u"Nastala chyba při otevírání databáze "_s + path + u".DAT"_s);
        return -1;
    }
    return 0;
}

void TStavUctuPokladenReport::closeTable()
{
    m_table.Close();
}

bool TStavUctuPokladenReport::stopRequested(int counter)
{
    if (counter % kPollEvery == 0) {
        m_session.progress().setProgress(counter);
        m_session.pollInterrupt();
    }
    if (m_session.interruptRequested)
        m_interrupted = true;
    return m_interrupted;
}

int TStavUctuPokladenReport::loadAccounts()
{
    // The opening day is listed even when no account is included ("jen
    // vybrané" with an empty list): the overview always starts there.
    m_openingDay = fiscalYear(m_session.runContext().yearDir).from;
    dayIdOf(m_openingDay);

    if (openTable(u"SZUCPOKL"_s) != 0)
        return -1;
    const QString path = m_table.fileName();
    m_accounts->beginUpdate();
    int result = 0;
    if (m_table.RecordCount() > 0) {
        m_table.GoTop();
        do {
            const QString code = m_table.Value(u"Zkrat"_s).toString();
            if (!m_filter.includes(code))
                continue;
            const QString mena = m_table.Value(u"Mena"_s).toString();
            const double opening = m_table.Value(u"PocStav"_s).toDouble();
            const std::optional<FixedAmount> amount = FixedAmount::fromDouble(opening);
            if (!amount) {
                ui().error(u"Částka mimo rozsah v databázi "_s + path + u", záznam "_s +
                           QString::number(m_table.RecNo()) + u'.');
                result = -1;
                break;
            }
            m_accounts->append();
            m_accounts->setValue(u"ID"_s, m_accounts->recordCount());
            m_accounts->setValue(u"Zkratka"_s, code);
            m_accounts->setValue(u"Popis"_s, m_table.Value(u"Popis"_s));
            m_accounts->setValue(u"Mena"_s, mena);
            m_accounts->setValue(u"PocStav"_s, amount->toDouble());
            addMovement(MovementType::Receipt, *amount, mena, m_openingDay);
        } while (m_table.Skip() != HostResult::PastEnd && !m_table.Eof());
    }
    m_accounts->endUpdate();
    m_accounts->first();
    closeTable();
    return result;
}

int TStavUctuPokladenReport::loadBook(const QString &tableName, const QString &accountField)
{
    if (openTable(tableName) != 0)
        return -1;
    const QString path = m_table.fileName();
    const int count = m_table.RecordCount();
    const ProgressBarScope bar(m_session.progress(), count);
    if (count == 0)
        return 0;
    m_table.GoTop();
    int counter = 0;
    do {
        if (stopRequested(++counter))
            return -1;
        if (m_table.Value(u"Del"_s).toBool())
            continue;
        // A number of blanks is no number: the host's keys ignore trailing
        // blanks, so "   " is as empty as "".
        if (HostNames::withoutTrailingBlanks(m_table.Value(u"Doklad"_s).toString()).isEmpty())
            continue;
        const QDateTime paid = m_table.Value(u"DatPlat"_s).toDateTime();
        if (!paid.isValid())
            continue;
        if (m_filter.useSelected && !m_filter.includes(m_table.Value(accountField).toString()))
            continue;
        const bool expense = m_table.Value(u"Vydej"_s).toBool();
        const QString mena = m_table.Value(u"Mena"_s).toString();
        const bool foreign = !HostNames::withoutTrailingBlanks(mena).isEmpty();
        const double stored = m_table.Value(foreign ? u"ValutyKUhr"_s : u"Celkem"_s).toDouble();
        const std::optional<FixedAmount> amount = FixedAmount::fromDouble(stored);
        if (!amount) {
            ui().error(u"Částka mimo rozsah v databázi "_s + path + u", záznam "_s + QString::number(m_table.RecNo()) +
                       u'.');
            return -1;
        }
        // A payment's day is its date: a time of day stored with it does not
        // make a day of its own.
        addMovement(expense ? MovementType::Expense : MovementType::Receipt, *amount, mena, paid.date());
    } while (m_table.Skip() != HostResult::PastEnd && !m_table.Eof());
    closeTable();
    return 0;
}

void TStavUctuPokladenReport::addMovement(MovementType type, FixedAmount amount, const QString &mena, const QDate &day)
{
    const int currencyId = currencyIdOf(mena);
    m_movements.push_back(Movement{dayIdOf(day), type, amount, mena, currencyId});
}

int TStavUctuPokladenReport::currencyIdOf(const QString &mena)
{
    // Found as the host's keys compare (case and trailing blanks ignored);
    // the column is named after the form met first, and every movement found
    // for it is summed in it, whatever its case.
    const QString key = HostNames::keyText(mena);
    const auto found = m_currencyIds.constFind(key);
    if (found != m_currencyIds.constEnd())
        return *found;
    const int id = int(m_printCodes.size());
    const QString code = HostNames::withoutTrailingBlanks(mena).toString();
    const QString printed = code.isEmpty() ? m_session.runContext().currencySymbol : code;
    m_currencyIds.insert(key, id);
    m_printCodes.append(printed);
    m_currencies->append();
    m_currencies->setValue(u"ID"_s, id);
    m_currencies->setValue(u"Kod"_s, code);
    m_currencies->setValue(u"PrintKod"_s, printed);
    return id;
}

int TStavUctuPokladenReport::dayIdOf(const QDate &day)
{
    const auto found = m_dayIds.constFind(day.toJulianDay());
    if (found != m_dayIds.constEnd())
        return *found;
    m_dayDates.push_back(day);
    const int id = int(m_dayDates.size()); // IDs count from 1
    m_dayIds.insert(day.toJulianDay(), id);
    return id;
}

int TStavUctuPokladenReport::accumulateDays()
{
    // Nothing included at all still lists the opening day, in the home
    // currency, with zero.
    if (m_printCodes.isEmpty())
        currencyIdOf(QString());

    m_balanceColumns = std::max(kStavColumns, currencyCount());
    m_days->addField(u"ID"_s, FieldType::Integer);
    m_days->addField(u"Datum"_s, FieldType::DateTime);
    for (int column = 0; column < m_balanceColumns; ++column) {
        FieldDef field;
        field.name = balanceField(column);
        field.type = FieldType::Float;
        field.displayFormat = kBalanceFormat;
        m_days->addField(field);
    }

    // The movements of each day, found by its ID (a counting sort: the
    // movements of day d are m_movements[order[start[d]] … order[start[d+1]-1]]).
    const size_t dayCount = m_dayDates.size();
    std::vector<int> start(dayCount + 2, 0);
    for (const Movement &movement : m_movements)
        ++start[size_t(movement.dayId) + 1];
    for (size_t d = 1; d < start.size(); ++d)
        start[d] += start[d - 1];
    std::vector<int> order(m_movements.size());
    {
        std::vector<int> next(start.begin(), start.end() - 1);
        for (size_t i = 0; i < m_movements.size(); ++i)
            order[size_t(next[size_t(m_movements[i].dayId)]++)] = int(i);
    }

    std::vector<int> byDate(dayCount);
    for (size_t i = 0; i < dayCount; ++i)
        byDate[i] = int(i) + 1;
    std::sort(byDate.begin(), byDate.end(),
              [this](int a, int b) { return m_dayDates[size_t(a) - 1] < m_dayDates[size_t(b) - 1]; });

    const ProgressBarScope bar(m_session.progress(), int(dayCount));
    std::vector<FixedAmount> running(static_cast<size_t>(m_balanceColumns));
    m_balances.clear();
    m_balances.reserve(dayCount * size_t(m_balanceColumns));
    const int idField = m_days->fieldIndex(u"ID"_s);
    const int dateField = m_days->fieldIndex(u"Datum"_s);
    const int firstBalanceField = m_days->fieldIndex(balanceField(0));
    m_days->beginUpdate();
    int counter = 0;
    int result = 0;
    for (const int dayId : byDate) {
        if (stopRequested(++counter)) {
            result = -1;
            break;
        }
        for (int i = start[size_t(dayId)]; i < start[size_t(dayId) + 1]; ++i) {
            const Movement &movement = m_movements[size_t(order[size_t(i)])];
            FixedAmount &balance = running[size_t(movement.currencyId)];
            const bool inRange = movement.type == MovementType::Expense ? balance.subtract(movement.amount)
                                                                        : balance.add(movement.amount);
            if (!inRange) {
                ui().error(u"Součet částek přesahuje rozsah přehledu."_s);
                result = -1;
                break;
            }
        }
        if (result != 0)
            break;
        const int row = m_days->append();
        m_days->setValue(row, idField, dayId);
        m_days->setValue(row, dateField, m_dayDates[size_t(dayId) - 1]);
        for (int column = 0; column < m_balanceColumns; ++column) {
            m_days->setValue(row, firstBalanceField + column, running[size_t(column)].toDouble());
            m_balances.push_back(running[size_t(column)]);
        }
    }
    m_days->endUpdate();
    m_days->first();
    return result;
}
