#include "common/widgets/QtUiSeam.h"

#include "common/FileNames.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialog>
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

QString fileDialog(const FileDialogRequest &request, QFileDialog::AcceptMode mode)
{
    // The host's directories come spelt in capitals: the dialog opens the
    // directory as it is spelt on the disk.
    QFileDialog dialog(QApplication::activeWindow(), request.title, FileNames::resolve(request.initialDir),
                       FileDialogs::toQtFilter(request.filter));
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
    return dialog.selectedFiles().constFirst();
}

} // namespace

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
        return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Cancel;
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

bool installQtCzechTranslations(QTranslator &translator)
{
    if (!translator.load(u"qtbase_cs"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return QCoreApplication::installTranslator(&translator);
}
