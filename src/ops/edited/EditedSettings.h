#pragma once

#include <QDate>
#include <QString>

#include <optional>
#include <utility>

class IniFile;

// The choices of the module-choice window, kept in the per-configuration
// settings file under sections named with the company code only, so that
// every year of a company opens with the same choices.
struct EditedSettings
{
    int module = 1;
    bool dateFilter = false; // "dle data vystavení"
    int period = 5;          // index of the period list
    QDate dateFrom;          // "od"
    QDate dateTo;            // "do"
    bool ignoreOwn = false;  // "ignorovat doklady, u kterých je moje oprava jako poslední"
    bool useChangeFrom = false;
    QDate changeFrom;

    // Missing or unreadable values take their defaults (dates: `today`).
    static EditedSettings read(const IniFile &ini, const QString &agendaCode, const QDate &today);
    // The filter bounds and the change-from date are written only while
    // their switch is on. False when the file could not be written.
    bool write(IniFile &ini, const QString &agendaCode) const;
};

namespace EditedPeriods {

// The period list's texts, index 0-7.
QStringList texts();
// The "od" and "do" dates of a period counted from `today` (weeks begin on
// Monday); nullopt for index 0 ("období od-do") and unknown indexes, which
// leave the dates as they are.
std::optional<std::pair<QDate, QDate>> range(int index, const QDate &today);

} // namespace EditedPeriods
