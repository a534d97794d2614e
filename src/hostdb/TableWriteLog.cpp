#include "hostdb/TableWriteLog.h"

#include <QFileInfo>
#include <QSet>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace TableWriteLog {

namespace {

struct Recording
{
    bool active = false;
    QHash<QString, QString> byCanonical;  // canonical path → the name start() was given
    QHash<QString, QString> seenNames;    // a file name as opened → the key, or empty: not recorded
    QHash<QString, QSet<qint64>> written; // key → record numbers
};

Recording &recording()
{
    static Recording state;
    return state;
}

QString canonical(const QString &path)
{
    const QString resolved = QFileInfo(path).canonicalFilePath();
    return resolved.isEmpty() ? QFileInfo(path).absoluteFilePath() : resolved;
}

} // namespace

void start(const QStringList &tables)
{
    Recording &state = recording();
    state = Recording();
    state.active = true;
    for (const QString &table : tables)
        state.byCanonical.insert(canonical(table), table);
}

QHash<QString, QList<qint64>> stop()
{
    Recording &state = recording();
    QHash<QString, QList<qint64>> result;
    for (auto it = state.written.cbegin(); it != state.written.cend(); ++it) {
        QList<qint64> recNos(it.value().cbegin(), it.value().cend());
        std::sort(recNos.begin(), recNos.end());
        result.insert(it.key(), recNos);
    }
    state = Recording();
    return result;
}

bool isRecording()
{
    return recording().active;
}

void note(const QString &fileName, qint64 recNo)
{
    Recording &state = recording();
    if (!state.active)
        return;
    auto seen = state.seenNames.find(fileName);
    if (seen == state.seenNames.end())
        seen = state.seenNames.insert(fileName, state.byCanonical.value(canonical(fileName)));
    if (!seen.value().isEmpty())
        state.written[seen.value()].insert(recNo);
}

QString rangesText(const QList<qint64> &sortedRecNos)
{
    QStringList parts;
    for (qsizetype i = 0; i < sortedRecNos.size();) {
        qsizetype last = i;
        while (last + 1 < sortedRecNos.size() && sortedRecNos.at(last + 1) == sortedRecNos.at(last) + 1)
            ++last;
        parts.append(last == i ? QString::number(sortedRecNos.at(i))
                               : u"%1-%2"_s.arg(sortedRecNos.at(i)).arg(sortedRecNos.at(last)));
        i = last + 1;
    }
    return parts.join(u',');
}

QList<qint64> parseRanges(const QString &text, bool *ok)
{
    QList<qint64> recNos;
    *ok = true;
    if (text.isEmpty())
        return recNos;
    // A range longer than any table is not one of ours.
    constexpr qint64 kLongestRange = 100'000'000;
    for (const QString &part : text.split(u',')) {
        const QStringList ends = part.split(u'-');
        bool firstOk = false;
        bool lastOk = ends.size() == 1;
        const qint64 first = ends.first().toLongLong(&firstOk);
        const qint64 last = ends.size() == 2 ? ends.at(1).toLongLong(&lastOk) : first;
        if (!firstOk || !lastOk || ends.size() > 2 || first < 1 || last < first || last - first > kLongestRange ||
            (!recNos.isEmpty() && first <= recNos.last())) {
            *ok = false;
            return {};
        }
        for (qint64 recNo = first; recNo <= last; ++recNo)
            recNos.append(recNo);
    }
    return recNos;
}

} // namespace TableWriteLog
