#include "ops/purge/RemovalRules.h"

#include "hostdb/HostTableDef.h"

using namespace Qt::StringLiterals;

DocumentVerdict judgeDocument(int number, bool deleted, int lastNumber)
{
    if (!deleted)
        return {};
    if (number == lastNumber)
        return {false, RemovalRefusal{RemovalRefusal::Kind::LastRecord, number}};
    return {true, std::nullopt};
}

DocumentRemoval documentRemoval(int number, const QSet<int> &removed, const std::function<bool(int)> &heldByValid)
{
    if (removed.contains(number))
        return {};
    if (heldByValid(number))
        return {false, true, RemovalRefusal{RemovalRefusal::Kind::Duplicate, number}};
    return {true, true, std::nullopt};
}

bool journalLineGoes(JournalPass pass, const JournalLine &line, bool freeLinesChosen)
{
    if (pass == JournalPass::FreeLines)
        return line.free;
    // The source compares as a seek compares it: without regard to case and
    // trailing blanks.
    return line.deleted && HostNames::sameKeyText(line.source, u"SK"_s) && !(freeLinesChosen && line.free);
}
