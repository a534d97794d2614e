#include "app/core/CommandLine.h"

#include "common/FileNames.h"
#include "common/MemTable.h"

using namespace Qt::StringLiterals;

namespace CommandLine {

void defineParameterTable(MemTable &mtParametry)
{
    if (mtParametry.fieldCount() > 0)
        return;
    mtParametry.addField(u"Nazev"_s, FieldType::String, 255);
    mtParametry.addField(u"Hodnota"_s, FieldType::String, 255);
}

void scanCommandLine(const QStringList &arguments, MemTable &mtParametry)
{
    defineParameterTable(mtParametry);
    QString rest;
    for (const QString &argument : arguments)
        rest += argument + u' ';

    mtParametry.clear();
    while (!rest.isEmpty()) {
        const qsizetype question = rest.indexOf(u'?');
        const qsizetype equals = rest.indexOf(u'=');
        if (question < 0 || equals < 0 || equals < question)
            break;
        const QString name = rest.mid(question, equals - question); // with its "?"
        rest = rest.mid(equals + 1);
        // The closing marker is the name itself, found without regard to case.
        const qsizetype marker = rest.indexOf(name, 0, Qt::CaseInsensitive);
        if (marker < 0)
            break;
        mtParametry.append();
        mtParametry.setValue(u"Nazev"_s, name.mid(1).toUpper());
        mtParametry.setValue(u"Hodnota"_s, rest.left(marker));
        rest = rest.mid(marker + name.size());
    }
    mtParametry.first();
}

std::optional<QString> parameterValue(const MemTable &mtParametry, const QString &name)
{
    const int nameField = mtParametry.fieldIndex(u"Nazev"_s);
    const int valueField = mtParametry.fieldIndex(u"Hodnota"_s);
    if (nameField < 0 || valueField < 0)
        return std::nullopt;
    for (int row = 0; row < mtParametry.recordCount(); ++row) {
        if (mtParametry.value(row, nameField).toString().compare(name, Qt::CaseInsensitive) == 0)
            return mtParametry.value(row, valueField).toString();
    }
    return std::nullopt;
}

} // namespace CommandLine

int findLastFromEnd(const QString &text, QChar pattern)
{
    const qsizetype at = text.lastIndexOf(pattern);
    return at < 0 ? 0 : int(text.size() - at);
}

QString deriveAgendaPath(const QString &yearDir, int level)
{
    const QChar delimiter = u'/';
    QString path = yearDir.trimmed().toUpper();
    if (path.endsWith(delimiter))
        path.chop(1);

    const int yearFromEnd = findLastFromEnd(path, delimiter);
    if (yearFromEnd == 0)
        return QString();
    if (!path.right(yearFromEnd - 1).startsWith(u"ROK"_s))
        return QString();
    const QString agendaPath = path.left(path.size() - yearFromEnd);

    // An agenda path without a delimiter (a relative "AGENDA.001/ROK.2018")
    // has no data root above it: the wrong shape, like a missing "AGENDA".
    const int agendaFromEnd = findLastFromEnd(agendaPath, delimiter);
    if (agendaFromEnd == 0)
        return QString();
    if (!agendaPath.right(agendaFromEnd - 1).startsWith(u"AGENDA"_s))
        return QString();
    const QString dataRoot = agendaPath.left(agendaPath.size() - agendaFromEnd + 1);

    return level == 1 ? dataRoot : agendaPath + delimiter;
}

QString sanitizeFileName(const QString &text, QChar replacement)
{
    QString result = text;
    for (QChar &c : result) {
        if (QStringView(u"\"*/:<>?\\|").contains(c))
            c = replacement;
    }
    return result;
}

QString directoryCode(const QString &dir)
{
    const QString withoutDelimiter = dir.endsWith(u'/') ? dir.chopped(1) : dir;
    return FileNames::extension(withoutDelimiter).mid(1);
}
