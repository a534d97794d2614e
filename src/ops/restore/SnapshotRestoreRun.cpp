#include "ops/restore/SnapshotRestoreRun.h"

#include "app/core/OperationSession.h"
#include "app/core/RightsCheck.h"
#include "app/core/RunContext.h"
#include "common/FileNames.h"
#include "common/LocaleFormats.h"
#include "common/TextFile.h"
#include "common/UiSeam.h"
#include "hostdb/SnapshotStore.h"
#include "ops/restore/SnapshotListing.h"

#include <QDir>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QString dateTime(const QDateTime &when)
{
    const LocaleFormats &formats = LocaleFormats::current();
    return formats.formatDate(when.date()) + u' ' + formats.formatTime(when.time());
}

QString describe(const SnapshotManifest &manifest)
{
    return u"zálohu ze dne %1 pořízenou před operací „%2“ (rok %3, uživatel %4)"_s.arg(
        dateTime(manifest.created), SnapshotListing::operationCaption(manifest.operation), manifest.year,
        manifest.user);
}

} // namespace

SnapshotRestoreRun::SnapshotRestoreRun(OperationSession &session, const QString &folder)
    : m_session(session), m_folder(folder)
{}

QString SnapshotRestoreRun::protocolFileName(const QString &settingsDir)
{
    return settingsDir + u"~obnova.txt"_s;
}

int SnapshotRestoreRun::run(const Confirm &confirm, const SnapshotRestore::Progress &progress)
{
    const RunContext &context = m_session.runContext();
    QString why;
    const auto manifest = SnapshotStore::readManifest(m_folder, &why);
    if (!manifest) {
        ui().error(u"Zálohu nelze obnovit: "_s + why);
        return -1;
    }
    for (const int code : SnapshotListing::rightsCodes(*manifest)) {
        if (testRights(context, code) != 0)
            return -1;
    }
    SnapshotRestore restore(m_folder, QDir::cleanPath(FileNames::resolve(context.dataRoot)));
    restore.setUser(context.userName);
    const QList<RestoreProblem> problems = restore.check();
    if (refusedOutright(problems))
        return -1;
    if (!confirm(question(*manifest, problems)))
        return -1;
    restore.setProgress(progress);
    // Only what the user was shown may be lost: a change or a refusal that
    // came up since the question stops the restore.
    QStringList accepted;
    for (const RestoreProblem &problem : problems)
        accepted.append(problem.text);
    if (!restore.restore(accepted)) {
        QString text = u"Tabulky nebyly obnoveny.\r\r"_s + restore.error();
        if (!restore.recovered().isEmpty())
            text += u"\r\r"_s + restore.recovered();
        ui().error(text);
        return -1;
    }
    writeProtocol(*manifest, restore);
    m_session.showProtocol();
    return 0;
}

// Problems no answer can overcome: the message says what to do.
bool SnapshotRestoreRun::refusedOutright(const QList<RestoreProblem> &problems)
{
    QStringList inUse;
    QStringList others;
    for (const RestoreProblem &problem : problems) {
        if (problem.kind == RestoreProblem::Kind::InUse)
            inUse.append(QDir::toNativeSeparators(problem.table));
        else if (!problem.canBeForced())
            others.append(problem.text);
    }
    if (!inUse.isEmpty()) {
        ui().warning(u"Tabulky nelze obnovit, protože s nimi právě pracuje jiný uživatel (tabulka je otevřená nebo "
                     u"je v ní zamčený záznam):\r"_s +
                     inUse.join(u'\r') +
                     u"\r\rUkončete prosím Ledra a Tarnek na ostatních stanicích a obnovu spusťte znovu."_s);
        return true;
    }
    if (!others.isEmpty()) {
        ui().error(u"Zálohu nelze obnovit:\r"_s + others.join(u'\r'));
        return true;
    }
    return false;
}

QString SnapshotRestoreRun::question(const SnapshotManifest &manifest, const QList<RestoreProblem> &losses) const
{
    QString text =
        u"Obnovit tabulky ze zálohy? Tabulky se vrátí do stavu, který zachycuje %1."_s.arg(describe(manifest));
    if (!losses.isEmpty()) {
        QStringList lines;
        for (const RestoreProblem &problem : losses)
            lines.append(u"- "_s + problem.text);
        text += u"\r\rPOZOR, obnova by ztratila tyto změny:\r"_s + lines.join(u'\r');
    }
    text += u"\r\rSoučasný stav tabulek se před obnovou uloží do nové zálohy (operace „obnovení“), takže i obnovu "
            u"lze v tomto okně vrátit."_s;
    text += losses.isEmpty() ? u"\r\rChcete tabulky obnovit?"_s
                             : u"\r\rChcete přesto tabulky obnovit a tyto změny ztratit?"_s;
    return text;
}

void SnapshotRestoreRun::writeProtocol(const SnapshotManifest &manifest, const SnapshotRestore &restore)
{
    const RunContext &context = m_session.runContext();
    OperationProtocol &protocol = m_session.protocol();
    protocol.clear();
    protocol.addHead(context);
    protocol.addLine(u"Obnova tabulek ze zálohy"_s);
    protocol.addLine(u"Záloha: "_s + QDir::toNativeSeparators(m_folder));
    protocol.addLine(u"Pořízena: "_s + dateTime(manifest.created) + u" před operací „"_s +
                     SnapshotListing::operationCaption(manifest.operation) + u"“, rok "_s + manifest.year +
                     u", uživatel "_s + manifest.user);
    if (!restore.recovered().isEmpty())
        protocol.addLine(restore.recovered());
    protocol.addLine(QString());
    protocol.addLine(u"Obnovené tabulky (počet záznamů před obnovou >> po obnově):"_s);
    for (const RestoredTable &table : restore.restored()) {
        const QString before = table.recordsBefore ? QString::number(*table.recordsBefore) : u"tabulka chyběla"_s;
        protocol.addLine(
            u"%1: %2 >> %3"_s.arg(QDir::toNativeSeparators(table.relativePath), before).arg(table.recordsAfter));
    }
    protocol.addLine(QString());
    protocol.addLine(u"Záloha tabulek před obnovou: "_s + QDir::toNativeSeparators(restore.undoFolder()));
    // A protocol that cannot be saved is still shown.
    TextFile::writeLines(protocolFileName(context.settingsDir), protocol.lines());
}
