#include "ops/edited/DocumentClassification.h"

#include "common/DayNumber.h"
#include "hostdb/HostTable.h"
#include "hostdb/HostTableDef.h"

using namespace Qt::StringLiterals;

QString actionLogIndex()
{
    return u"Agenda+Rok+KodSezn+DoklZkrat+Cislo"_s;
}

QVariant readLogField(TBFTable &log, const QString &field)
{
    try {
        return log.Value(field);
    } catch (const HostEngineError &) {
        return QVariant();
    }
}

namespace {

bool sameKey(const QVariant &stored, const QString &key)
{
    return HostNames::sameKeyText(stored.toString(), key);
}

LoggedAction readAction(TBFTable &log, ActionLogFields fields)
{
    LoggedAction action;
    action.creation = readLogField(log, u"KodAkce"_s).toString() == u"P"_s;
    action.price = readLogField(log, u"Cena"_s).toDouble();
    if (fields.day) {
        const QVariant date = readLogField(log, u"Datum"_s);
        if (date.isValid())
            action.day = DayNumber::fromDateTime(date.toDateTime()).day();
    }
    if (fields.user)
        action.user = readLogField(log, u"Uzivatel"_s).toString();
    return action;
}

} // namespace

bool logRecordMatches(TBFTable &log, const QString &agendaCode, const QString &yearCode, const QString &listCode,
                      const QString &documentNumber)
{
    return sameKey(readLogField(log, u"Agenda"_s), agendaCode) && sameKey(readLogField(log, u"Rok"_s), yearCode) &&
           sameKey(readLogField(log, u"KodSezn"_s), listCode) &&
           (documentNumber.isNull() || sameKey(readLogField(log, u"DoklZkrat"_s), documentNumber));
}

void ActionLog::load(TBFTable &log, const QString &agendaCode, const QString &yearCode, const QString &listCode,
                     ActionLogFields fields)
{
    m_actions.clear();
    bool found = false;
    try {
        found = log.SeekKeys({agendaCode, yearCode, listCode}) == HostResult::Found;
    } catch (const HostEngineError &) {
        found = false; // the log cannot be searched: every document is classified 0
    }
    if (!found)
        return;
    // Consecutive records of one document share their vector: the number as
    // stored is compared with the last one before it is folded and hashed.
    QString lastNumber;
    std::vector<LoggedAction> *current = nullptr;
    while (logRecordMatches(log, agendaCode, yearCode, listCode)) {
        const QString number = readLogField(log, u"DoklZkrat"_s).toString();
        if (!current || number != lastNumber) {
            current = &m_actions[HostNames::keyText(number)];
            lastNumber = number;
        }
        current->push_back(readAction(log, fields));
        if (log.Skip() == HostResult::PastEnd)
            break;
    }
}

const std::vector<LoggedAction> *ActionLog::actionsOf(const QString &documentNumber) const
{
    const auto it = m_actions.constFind(HostNames::keyText(documentNumber));
    return it == m_actions.constEnd() ? nullptr : &it.value();
}

int classifyActions(const std::vector<LoggedAction> *actions, double total, const ClassifyOptions &options)
{
    int result = 0;
    QString lastUser;
    if (actions) {
        const int changeFromDay = DayNumber::fromDate(options.changeFrom).day();
        for (const LoggedAction &action : *actions) {
            if (!action.creation && result == 0)
                result = 1;
            if (action.price != total)
                result = 2;
            if (options.useChangeFrom && action.day && *action.day < changeFromDay)
                result = 0;
            lastUser = action.user;
        }
    }
    if (options.ignoreOwn && lastUser.compare(options.userName, Qt::CaseInsensitive) == 0)
        result = 0;
    return result;
}

int classifyDocument(const ActionLog &log, const QString &documentNumber, const QDate &changeFrom, bool useChangeFrom,
                     const QString &userName, bool ignoreOwn, double total)
{
    return classifyActions(log.actionsOf(documentNumber), total,
                           ClassifyOptions{changeFrom, useChangeFrom, userName, ignoreOwn});
}
