#include "print/PrintTemplates.h"

#include "common/FileNames.h"
#include "common/IniFile.h"
#include "common/UiSeam.h"
#include "report/core/Report.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

// The dialogs of template files start in the template directory.
FileDialogRequest templateFileRequest(const QString &title, const QString &filter, const QString &dir)
{
    FileDialogRequest request;
    request.title = title;
    request.filter = filter;
    request.defaultExtension = u"PTS"_s;
    request.initialDir = dir;
    return request;
}

} // namespace

TiskTemplates::TiskTemplates(const TiskContext &context) : m_context(context) {}

QString TiskTemplates::templatePath(const QString &name) const
{
    return m_context.printFormsDir + name + u".PTS"_s;
}

int TiskTemplates::check(const QString &name, TSestava &report) const
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty()) {
        ui().warning(u"Nejprve vyberte formulář."_s);
        return -1;
    }
    const QString path = templatePath(trimmed);
    // The template directory lies in the host's tree, whose names are
    // spelt variously: found without regard to case.
    if (!FileNames::isFile(path)) {
        ui().warning(u"Nebyl nalezen formulářový soubor "_s + path);
        return -1;
    }
    report.setReportName(trimmed);
    report.setParametry(QStringList());
    return 0;
}

QString TiskTemplates::choose() const
{
    const QString chosen = ui().openFileName(templateFileRequest(
        u"Vyberte formulář"_s, u"Formuláře (*.pts)|*.pts|Všechny soubory (*.*)|*.*"_s, m_context.printFormsDir));
    if (chosen.isEmpty())
        return QString();
    // Only the name: the template is expected in printFormsDir.
    return QFileInfo(chosen).completeBaseName().toUpper();
}

QString TiskTemplates::copyName(const QString &name) const
{
    const QString stem = name.mid(1);
    for (int n = 1;; ++n) {
        const QString candidate = stem + QString::number(n);
        if (!FileNames::exists(templatePath(candidate)))
            return candidate;
    }
}

QString TiskTemplates::copyTemplate(const QString &name) const
{
    const QString copy = copyName(name);
    const QString source = templatePath(name);
    const QString target = templatePath(copy);
    // The host spells its directories in capitals; the copy goes into the
    // directory as it is spelt on the disk.
    const QString written = FileNames::resolve(target);
    if (!QFile::copy(FileNames::resolve(source), written)) {
        ui().error(u"Při kopírování z "_s + source + u" na "_s + target + u" došlo k chybě."_s);
        return QString();
    }
    // The program's templates may be installed read-only; the copy is the
    // user's to edit and save.
    QFile::setPermissions(written, QFile::permissions(written) | QFileDevice::WriteOwner | QFileDevice::ReadOwner);
    return copy;
}

bool TiskTemplates::writeDesignerSettings() const
{
    IniFile settings(m_context.configIniPath);
    const bool byName = settings.WriteBool(u"EditorSestav"_s, u"SledPodle"_s, true);
    const bool labels = settings.WriteBool(u"EditorSestav"_s, u"PopisyPol"_s, true);
    return byName && labels;
}

int TiskTemplates::edit(const QString &name, TSestava &report,
                        const std::function<void(const QString &)> &nameChanged) const
{
    if (check(name, report) != 0)
        return -1;
    QString current = name.trimmed();
    bool copied = false;
    if (isProgramTemplate(current)) {
        if (!ui().askYesNo(MessageKind::Confirmation,
                           u"Tento formulář je součástí programu a nelze ho editovat přímo.\rChcete vytvořit kopii?"_s))
            return -1;
        const QString copy = copyTemplate(current);
        if (copy.isEmpty())
            return -1;
        current = copy;
        copied = true;
        if (nameChanged)
            nameChanged(current);
        if (check(current, report) != 0)
            return -1;
    }
    // A settings file that cannot be written leaves the designer's own
    // defaults; editing goes on.
    writeDesignerSettings();
    report.Design();
    if (copied)
        ui().information(tipText());
    return 0;
}

bool TiskTemplates::saveAs(TSestavaTyp *sender, QString &soubor) const
{
    auto *report = qobject_cast<TSestava *>(sender);
    if (!report)
        return false;
    const QString chosen = ui().saveFileName(
        templateFileRequest(u"Uložit do souboru"_s, u"Předloha (*.pts)|*.pts"_s, m_context.printFormsDir));
    if (chosen.isEmpty())
        return false;
    const QString fileName = QFileInfo(chosen).fileName();
    if (isProgramTemplate(fileName)) {
        ui().warning(u"Název souboru nesmí začínat znakem _ (podtržítko)."_s);
        return false;
    }
    // The template goes into printFormsDir whatever directory was chosen:
    // that is where the dialog looks for it.
    report->setReportDir(m_context.printFormsDir);
    report->setReportDirIgnore(false);
    report->setReportName(fileName);
    // A template that could not be written is not reported as saved (the
    // report has shown why).
    if (report->SaveTemplate() != seOK)
        return false;
    soubor = report->reportName();
    return true;
}

QString TiskTemplates::helpText()
{
    return u"[Formulář]\rNázev souboru s formulářem, který se použije k tisku. Pokud budete vybraný formulář používat "
           u"nejčastěji, zaškrtněte volbu \"nastavit jako výchozí\"\r\r[Výběr]\rUmožní vybrat jiný formulář z disku "
           u"(upozornění: zobrazí se všechny tiskové formuláře - při výběru dbejte na to, aby byl vybraný formulář "
           u"kompatibilní s tiskovou sestavou)\r\r[Standardní]\rNastaví původní (originální) formulář\r\r[Editovat]\r"
           u"Spustí interní editor pro úpravu formulářů (pouze pro pokročilé)"_s;
}

QString TiskTemplates::tipText()
{
    return u"Tip: pokud chcete upravený formulář používat k tisku jako výchozí, zaškrtněte přepínač \"nastavit jako "
           u"výchozí\"."_s;
}
