#include "report/ui/printing/TemplateComboBox.h"

#include "common/FileNames.h"
#include "common/TextFile.h"
#include "report/core/Report.h"
#include "report/core/template/TemplateFields.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

TComboBoxPredloha::TComboBoxPredloha(QWidget *parent) : QComboBox(parent)
{
    setEditable(false);
    connect(this, &QComboBox::activated, this, &TComboBoxPredloha::chosen);
}

void TComboBoxPredloha::setReportDir(const QString &dir)
{
    m_reportDir = dir.isEmpty() ? QString() : FileNames::withTrailingDelimiter(dir);
}

void TComboBoxPredloha::setReportMask(const QString &mask)
{
    m_reportMask = FileNames::changeExtension(mask, u".pts"_s);
}

QString TComboBoxPredloha::searchPattern() const
{
    return (m_reportDirIgnore ? TSestavaTyp::programDir() : m_reportDir) + m_reportMask;
}

QString TComboBoxPredloha::templateDescription(const QString &path)
{
    const std::optional<QStringList> lines = TextFile::readLines(path);
    if (!lines)
        return QString();
    for (const QString &line : *lines) {
        TemplateFields fields(line);
        if (line.size() > 1 && fields.next() == u"I"_s && fields.nextInt(-1) == 0)
            return fields.next();
    }
    return QString();
}

void TComboBoxPredloha::search()
{
    clear();
    if (OnNactiSeznam) {
        OnNactiSeznam(this);
        return;
    }
    const QString pattern = searchPattern();
    const qsizetype slash = m_reportMask.lastIndexOf(u'/');
    const QString maskDir = slash < 0 ? QString() : m_reportMask.left(slash + 1);
    const QFileInfo patternInfo(pattern);
    // Name patterns match without regard to case, as on the host.
    QDir dir(FileNames::resolve(patternInfo.path()), patternInfo.fileName(), QDir::Name | QDir::IgnoreCase,
             QDir::Files | QDir::Hidden);
    for (const QString &file : dir.entryList()) {
        QString description = templateDescription(dir.filePath(file));
        if (description.isEmpty())
            description = file;
        addItem(description, (maskDir + file).toLower().left(MaxValue));
    }
}

void TComboBoxPredloha::fill()
{
    const QString shown = currentText();
    search();
    setCurrentIndex(findText(shown));
}

bool TComboBoxPredloha::selectFile(const QString &fileName)
{
    search();
    for (int i = 0; i < count(); ++i) {
        if (value(i).compare(fileName, Qt::CaseInsensitive) == 0) {
            setCurrentIndex(i);
            return true;
        }
    }
    setCurrentIndex(-1);
    return false;
}

QString TComboBoxPredloha::value(int index) const
{
    return itemData(index).toString();
}

void TComboBoxPredloha::chosen(int index)
{
    if (m_report && index >= 0)
        m_report->setReportName(value(index));
}
