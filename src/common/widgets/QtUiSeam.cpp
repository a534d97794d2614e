#include "common/widgets/QtUiSeam.h"

#include "common/FileNames.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

QMessageBox::Icon iconOf(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Error:
        return QMessageBox::Critical;
    case MessageKind::Warning:
        return QMessageBox::Warning;
    case MessageKind::Information:
        return QMessageBox::Information;
    case MessageKind::Confirmation:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QString QtUiSeam::fileDialog(const FileDialogRequest &request, QFileDialog::AcceptMode mode)
{
    // The host's directories come spelt in capitals: the dialog opens the
    // directory as it is spelt on the disk.
    const QString folder = !request.initialDir.isEmpty() ? FileNames::resolve(request.initialDir)
                                                         : m_lastFolders.value(request.title, QDir::currentPath());
    QFileDialog dialog(QApplication::activeWindow(), request.title, folder, FileDialogs::toQtFilter(request.filter));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    dialog.setDefaultSuffix(request.defaultExtension.toLower());
    dialog.selectNameFilter(FileDialogs::qtFilterAt(request.filter, request.filterIndex));
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    QString chosen = dialog.selectedFiles().constFirst();
    m_lastFolders.insert(request.title, QFileInfo(chosen).absolutePath());
    return chosen;
}

MessageAnswer QtUiSeam::message(MessageKind kind, const QString &text, MessageButtons buttons, const QString &caption)
{
    QMessageBox box(iconOf(kind), caption.isEmpty() ? QApplication::applicationDisplayName() : caption,
                    QString(text).replace(u'\r', u'\n'), QMessageBox::NoButton, QApplication::activeWindow());
    switch (buttons) {
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MessageButtons::YesNoDefaultNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
        break;
    case MessageButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    // The buttons as a Czech desktop names them, also where Qt's own Czech
    // translations are not installed (and those say "Zrušit", not "Storno").
    const std::pair<QMessageBox::StandardButton, QString> texts[] = {{QMessageBox::Ok, u"OK"_s},
                                                                     {QMessageBox::Yes, u"&Ano"_s},
                                                                     {QMessageBox::No, u"&Ne"_s},
                                                                     {QMessageBox::Cancel, u"Storno"_s}};
    for (const auto &[button, label] : texts) {
        if (QAbstractButton *shown = box.button(button))
            shown->setText(label);
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    default:
        return isYesNo(buttons) ? MessageAnswer::No : MessageAnswer::Cancel;
    }
}

QString QtUiSeam::openFileName(const FileDialogRequest &request)
{
    return fileDialog(request, QFileDialog::AcceptOpen);
}

QString QtUiSeam::saveFileName(const FileDialogRequest &request)
{
    return fileDialog(request, QFileDialog::AcceptSave);
}

int QtUiSeam::execModal(QDialog &dialog)
{
    return dialog.exec();
}

void QtUiSeam::openDocument(const QString &pathOrAddress)
{
    const bool isAddress = pathOrAddress.contains(QStringLiteral("://"));
    QDesktopServices::openUrl(isAddress ? QUrl(pathOrAddress)
                                        : QUrl::fromLocalFile(QFileInfo(pathOrAddress).absoluteFilePath()));
}

void QtUiSeam::processEvents()
{
    QApplication::processEvents();
}

void QtUiSeam::setClipboardText(const QString &text)
{
    QApplication::clipboard()->setText(text);
}

QString QtUiSeam::clipboardText()
{
    return QApplication::clipboard()->text();
}

namespace {

// Texts of Qt's own dialogs that its Czech translation leaves in English (the
// type of a folder in the file dialog, the duplex choices and the page range
// of the print dialog, the printer properties' tab of the driver's options).
// Installed before Qt's translation, so that Qt's own words come first.
class QtCzechGaps final : public QTranslator
{
public:
    QString translate(const char *, const char *sourceText, const char *, int) const override
    {
        static const std::pair<const char *, const char16_t *> texts[] = {
            {"Folder", u"Složka"},
            {"File", u"Soubor"},
            {"Drive", u"Jednotka"},
            {"Double Sided Printing", u"Oboustranný tisk"},
            {"Off", u"Vypnuto"},
            {"Long side binding", u"Vazba na delší straně"},
            {"Short side binding", u"Vazba na kratší straně"},
            {"Pages", u"Strany"},
            {"Advanced", u"Rozšířené"},
        };
        for (const auto &[english, czech] : texts) {
            if (qstrcmp(sourceText, english) == 0)
                return QString::fromUtf16(czech);
        }
        return QString();
    }
    bool isEmpty() const override { return false; }
};

} // namespace

bool preferCzechLocale()
{
    // The locale the C library and Qt would take, in their order.
    QString name = qEnvironmentVariable("LC_ALL");
    if (name.isEmpty())
        name = qEnvironmentVariable("LC_MESSAGES");
    if (name.isEmpty())
        name = qEnvironmentVariable("LANG");
    const QString language = name.section(u'.', 0, 0);
    if (!language.isEmpty() && language != u"C"_s && language != u"POSIX"_s)
        return false;
    qputenv("LC_ALL", QByteArrayLiteral("cs_CZ.UTF-8"));
    return true;
}

bool installQtCzechTranslations(QTranslator &translator)
{
    static QtCzechGaps gaps;
    QCoreApplication::installTranslator(&gaps);
    if (!translator.load(u"qtbase_cs"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return QCoreApplication::installTranslator(&translator);
}
