#pragma once

#include <QDate>
#include <QHash>
#include <QString>

#include <optional>
#include <vector>

class TBFTable;

// The action log's index: company, year, list code, document number and the
// record's own number, which orders one document's actions.
QString actionLogIndex();

// One record of the host's action log as the classification reads it. Each
// field is read on its own; one that cannot be read counts as empty text.
struct LoggedAction
{
    bool creation = false;  // `KodAkce` is "P"
    double price = 0.0;     // `Cena`, 0 when unreadable
    std::optional<int> day; // `Datum` as a day number (0 = no date); none when unreadable
    QString user;           // `Uzivatel`
};

// The fields of the action log a classification may do without: the day
// counts only with the change-from switch, the user only with ignore-own.
// A load that skips them leaves `LoggedAction::day` unset and `user` empty.
struct ActionLogFields
{
    bool day = true;
    bool user = true;
};

// The action log's records of one module of one company and year, read in one
// walk of the log's index "Agenda+Rok+KodSezn+DoklZkrat+Cislo" and grouped by
// document number in index order. Built once per load, so classifying a
// document costs a hash lookup instead of a search in the log.
//
// The walk compares the company, year, list code and document number the way
// the engine's seek does (without regard to case, trailing blanks ignored): a
// document whose number the host stored in another case than the log is found
// by the seek and so must count as the same document here, too.
class ActionLog
{
public:
    // `log` open and indexed on "Agenda+Rok+KodSezn+DoklZkrat+Cislo". A seek
    // that raises the engine's exception counts as not found (nothing is
    // read); other engine exceptions propagate.
    // `fields` says which optional fields to read: the whole log's walk is the
    // load's largest cost, and each field read adds to every record.
    void load(TBFTable &log, const QString &agendaCode, const QString &yearCode, const QString &listCode,
              ActionLogFields fields = ActionLogFields());

    // The actions of a document in log order; nullptr when it has none.
    const std::vector<LoggedAction> *actionsOf(const QString &documentNumber) const;
    int documentCount() const { return int(m_actions.size()); }
    void clear() { m_actions.clear(); }

private:
    QHash<QString, std::vector<LoggedAction>> m_actions; // key: the number as the seek compares it
};

// What the user chose for the classification.
struct ClassifyOptions
{
    QDate changeFrom;
    bool useChangeFrom = false;
    QString userName;
    bool ignoreOwn = false;
};

// The classification of one document from its actions, in log order:
// 0 not edited, 1 edited, 2 edited with a changed total. For every action:
// not a creation while still 0 gives 1; a logged price other than `total`
// (compared exactly) gives 2; with the change-from switch an action dated
// before the change-from date resets to 0 (an unreadable date leaves the
// result); its user becomes the last user. At the end, with ignore-own, a
// last user equal to `userName` (without regard to case) gives 0.
int classifyActions(const std::vector<LoggedAction> *actions, double total, const ClassifyOptions &options);

// The classification of the document `documentNumber` (the key field's value
// as text) of the module `log` was loaded for.
int classifyDocument(const ActionLog &log, const QString &documentNumber, const QDate &changeFrom, bool useChangeFrom,
                     const QString &userName, bool ignoreOwn, double total);

// Reads one field of the current record; an unreadable field (the engine
// raises its exception) reads as an invalid QVariant.
QVariant readLogField(TBFTable &log, const QString &field);
// Whether the current record still belongs to the given keys, compared as the
// engine's seek compares them; `documentNumber` null skips that part.
bool logRecordMatches(TBFTable &log, const QString &agendaCode, const QString &yearCode, const QString &listCode,
                      const QString &documentNumber = QString());
