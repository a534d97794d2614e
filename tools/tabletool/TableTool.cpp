#include "tabletool/TableTool.h"

#include "common/FileNames.h"
#include "hostdb/AccessRights.h"
#include "hostdb/HostCatalogue.h"
#include "hostdb/HostTable.h"
#include "hostdb/HostValues.h"
#include "hostdb/SnapshotRestore.h"
#include "hostdb/SnapshotStore.h"
#include "hostdb/SqliteTableBackend.h"
#include "hostdb/SqliteTableFile.h"
#include "tabletool/Csv.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <optional>

using namespace Qt::StringLiterals;

namespace TableTool {

namespace {

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

const QString kUsageText = u"usage:\n"
                           "  tarnek-table catalogue\n"
                           "  tarnek-table create DIR TABLE...\n"
                           "  tarnek-table fields FILE\n"
                           "  tarnek-table indexes FILE\n"
                           "  tarnek-table dump FILE [--index EXPR] [--recno] [--delimiter C]\n"
                           "  tarnek-table import FILE CSV [--delimiter C] [--encoding utf-8|windows-1250]\n"
                           "  tarnek-table lock FILE RECNO\n"
                           "  tarnek-table snapshots DIR\n"
                           "  tarnek-table restore SNAPSHOT [--force]\n"_s;

struct Options
{
    QStringList positional;
    QString index;
    bool recNo = false;
    bool force = false;
    QChar delimiter = u',';
    Csv::Encoding encoding = Csv::Encoding::Utf8;
    QString error;
};

Options parseOptions(const QStringList &arguments)
{
    Options options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == u"--recno"_s) {
            options.recNo = true;
        } else if (argument == u"--force"_s) {
            options.force = true;
        } else if (argument == u"--index"_s || argument == u"--delimiter"_s || argument == u"--encoding"_s) {
            if (i + 1 >= arguments.size()) {
                options.error = argument + u" needs a value"_s;
                return options;
            }
            const QString &value = arguments.at(++i);
            if (argument == u"--index"_s) {
                options.index = value;
            } else if (argument == u"--encoding"_s) {
                const auto encoding = Csv::encodingFromName(value);
                if (!encoding) {
                    options.error = u"unknown encoding "_s + value + u" (utf-8 or windows-1250)"_s;
                    return options;
                }
                options.encoding = *encoding;
            } else {
                const QString delimiter = value == u"\\t"_s ? u"\t"_s : value;
                if (delimiter.size() != 1 || delimiter == u"\""_s) {
                    options.error = u"the delimiter must be one character other than a quote"_s;
                    return options;
                }
                options.delimiter = delimiter.at(0);
            }
        } else if (argument.startsWith(u"--"_s)) {
            options.error = u"unknown option "_s + argument;
            return options;
        } else {
            options.positional.append(argument);
        }
    }
    return options;
}

bool openTable(TBFTable &table, const QString &path, QTextStream &err)
{
    if (table.Open(path) != HostResult::Ok) {
        err << "cannot open " << table.fileName() << ": " << table.errorText() << Qt::endl;
        return false;
    }
    return true;
}

int listCatalogue(QTextStream &out)
{
    for (const HostTableDef &table : HostCatalogue::tables())
        out << table.name << '\t' << HostCatalogue::locationName(table.location) << '\t' << table.description << '\n';
    return kOk;
}

int create(const QStringList &positional, QTextStream &out, QTextStream &err)
{
    if (positional.size() < 2) {
        err << kUsageText;
        return kUsage;
    }
    const QString dir = FileNames::withTrailingDelimiter(FileNames::resolve(positional.at(0)));
    int result = kOk;
    for (const QString &name : positional.mid(1)) {
        const HostTableDef *definition = HostCatalogue::find(name);
        if (!definition) {
            err << "the catalogue has no table " << name << Qt::endl;
            result = kFailed;
            continue;
        }
        const QString path = dir + definition->name + u".DAT"_s;
        QString error;
        if (FileNames::exists(path) || !SqliteTableFile::create(path, *definition, &error)) {
            err << "cannot create " << path << ": " << (error.isEmpty() ? u"it exists"_s : error) << Qt::endl;
            result = kFailed;
            continue;
        }
        out << path << '\n';
    }
    return result;
}

int fields(const QString &path, QTextStream &out, QTextStream &err)
{
    TBFTable table;
    if (!openTable(table, path, err))
        return kFailed;
    for (const HostField &field : table.definition().fields) {
        out << '"' << field.name << "\"\t" << HostNames::typeName(field.type);
        if (field.type == HostFieldType::Text)
            out << '(' << field.size << ')';
        out << '\n';
    }
    return kOk;
}

int indexes(const QString &path, QTextStream &out, QTextStream &err)
{
    TBFTable table;
    if (!openTable(table, path, err))
        return kFailed;
    for (const QString &expression : table.definition().indexes)
        out << expression << '\n';
    return kOk;
}

int dump(const QString &path, const Options &options, QTextStream &out, QTextStream &err)
{
    TBFTable table;
    if (!openTable(table, path, err))
        return kFailed;
    if (!options.index.isEmpty() && table.SetIndex(options.index) != HostResult::Ok) {
        err << "table " << path << " has no index " << options.index << Qt::endl;
        return kFailed;
    }
    const HostTableDef definition = table.definition();
    QStringList header;
    if (options.recNo)
        header.append(u"RecNo"_s);
    for (const HostField &field : definition.fields)
        header.append(field.name);
    out << Csv::formatRecord(header, options.delimiter);

    table.GoTop();
    while (!table.Eof()) {
        QStringList record;
        if (options.recNo)
            record.append(QString::number(table.RecNo()));
        for (const HostField &field : definition.fields) {
            // Back to the stored form, so the text form round-trips exactly.
            const auto stored = HostValues::toStored(field, table.Value(field.name));
            record.append(HostValues::toText(field.type, stored.value_or(QVariant())));
        }
        out << Csv::formatRecord(record, options.delimiter);
        table.Skip();
    }
    return kOk;
}

// The longest text a memo field of an imported record may bring. The host
// keeps notes there, not documents; a longer field is refused before it is
// read whole (the catalogue gives memos no size, so the bound is ours).
constexpr qsizetype kLongestMemo = qsizetype(4) * 1024 * 1024;

// The longest value the table's fields can take as text: its longest text
// field, a number or a date written out, or a memo.
qsizetype longestValue(const HostTableDef &definition)
{
    qsizetype longest = 64; // numbers, dates, logical values
    for (const HostField &field : definition.fields) {
        if (field.type == HostFieldType::Memo || field.type == HostFieldType::Variant)
            return kLongestMemo;
        longest = std::max<qsizetype>(longest, field.size);
    }
    return longest;
}

// An offending value as a message quotes it: its first 80 characters, NULs
// made visible.
QString excerpt(const QString &value)
{
    constexpr qsizetype kShown = 80;
    QString shown = value.left(kShown);
    shown.replace(QChar(0), u"\\0"_s);
    return value.size() > kShown ? shown + u"…"_s : shown;
}

int import(const QString &path, const QString &csvPath, const Options &options, QTextStream &out, QTextStream &err)
{
    QFile file(FileNames::resolve(csvPath));
    if (!file.open(QIODevice::ReadOnly)) {
        err << "cannot read " << csvPath << Qt::endl;
        return kFailed;
    }
    // The file is read a record at a time: memory stays flat whatever its
    // size.
    Csv::Reader reader(file, options.encoding, options.delimiter);
    reader.setFieldLimit(kLongestMemo);
    const auto csvError = [&] {
        err << csvPath << ", line " << reader.errorLine() << ": " << reader.error() << Qt::endl;
        return kFailed;
    };
    QStringList header;
    if (!reader.next(header)) {
        if (!reader.error().isEmpty())
            return csvError();
        err << csvPath << ": no header row" << Qt::endl;
        return kFailed;
    }

    SqliteTableBackend table;
    const QString fileName = TBFTable::fileNameFor(path);
    if (table.Open(fileName) != HostResult::Ok) {
        err << "cannot open " << fileName << ": " << table.ErrorText() << Qt::endl;
        return kFailed;
    }
    const HostTableDef definition = table.definition();
    // Values a little too long still reach the field's own check, which
    // names the field's size; only what could not be any field's is refused
    // while it is read.
    reader.setFieldLimit(std::max(longestValue(definition), qsizetype(64) * 1024));

    // Columns: a field each; "RecNo" (written by dump --recno) is skipped.
    QList<int> columns;
    for (const QString &name : std::as_const(header)) {
        const int field = definition.fieldIndex(name);
        if (field < 0 && HostNames::fieldKey(name) == u"RECNO"_s) {
            columns.append(-1);
            continue;
        }
        if (field < 0) {
            err << "table " << definition.name << " has no field \"" << excerpt(name) << '"' << Qt::endl;
            return kFailed;
        }
        columns.append(field);
    }

    // One transaction: every row is written, or none (a bad row, a failed
    // write or another writer holding the table roll everything back).
    const auto nothingImported = [&](const QString &message) {
        table.rollbackTransaction();
        err << message << "; nothing was imported" << Qt::endl;
        return kFailed;
    };
    if (table.beginTransaction() != HostResult::Ok) {
        err << "cannot write " << fileName << ": " << table.ErrorText() << "; nothing was imported" << Qt::endl;
        return kFailed;
    }
    qint64 count = 0;
    QStringList record;
    while (reader.next(record)) {
        const QString where = u"%1, line %2"_s.arg(csvPath).arg(reader.recordLine());
        if (record.size() != columns.size())
            return nothingImported(
                u"%1: %2 fields, the header has %3"_s.arg(where).arg(record.size()).arg(columns.size()));
        table.AddNew();
        for (qsizetype c = 0; c < record.size(); ++c) {
            if (columns.at(c) < 0)
                continue;
            const HostField &field = definition.fields.at(columns.at(c));
            QString why;
            const auto value = HostValues::fromText(field, record.at(c), &why);
            if (!value) {
                return nothingImported(
                    u"%1, field \"%2\": \"%3\" %4"_s.arg(where, field.name, excerpt(record.at(c)), why));
            }
            table.SetValue(field.name, *value);
        }
        if (table.Post() != HostResult::Ok)
            return nothingImported(u"%1: cannot store the record in %2: %3"_s.arg(where, fileName, table.ErrorText()));
        ++count;
    }
    if (!reader.error().isEmpty())
        return nothingImported(u"%1, line %2: %3"_s.arg(csvPath).arg(reader.errorLine()).arg(reader.error()));
    if (table.commitTransaction() != HostResult::Ok)
        return nothingImported(u"cannot write %1: %2"_s.arg(fileName, table.ErrorText()));
    out << count << " records imported into " << fileName << '\n';
    return kOk;
}

int lock(const QString &path, const QString &recNoText, QTextStream &out, QTextStream &err)
{
    bool ok = false;
    const int recNo = recNoText.toInt(&ok);
    if (!ok || recNo <= 0) {
        err << "the record number must be a whole number above 0, not " << recNoText << '\n' << kUsageText;
        return kUsage;
    }
    TBFTable table;
    if (!openTable(table, path, err))
        return kFailed;
    if (table.GoTo(recNo) != HostResult::Ok) {
        err << "no record " << recNo << " in " << table.fileName() << Qt::endl;
        return kFailed;
    }
    if (table.Lock() != HostResult::Ok) {
        err << "cannot lock record " << recNo << ": " << table.errorText() << Qt::endl;
        return kFailed;
    }
    out << "LOCKED " << recNo << Qt::endl;
    // Held until standard input closes (or the process ends).
    char buffer[256];
    while (std::fread(buffer, 1, sizeof buffer, stdin) > 0) {
    }
    table.Close();
    out << "RELEASED " << recNo << Qt::endl;
    return kOk;
}

// The snapshots folder of a data root (where the add-on keeps them), or DIR
// itself when it is that folder.
QString snapshotsFolder(const QString &dir)
{
    const QString inRoot = FileNames::resolve(FileNames::withTrailingDelimiter(dir) + u"Velmar/Tarnek/Zalohy"_s);
    return FileNames::isDirectory(inRoot) ? inRoot : FileNames::resolve(dir);
}

int listSnapshots(const QString &dir, QTextStream &out, QTextStream &err)
{
    const QString folder = snapshotsFolder(dir);
    if (!FileNames::isDirectory(folder)) {
        err << "no snapshots folder in " << dir << Qt::endl;
        return kFailed;
    }
    for (const SnapshotStore::Snapshot &snapshot : SnapshotStore::list(folder)) {
        const SnapshotManifest &m = snapshot.manifest;
        const auto finish = SnapshotStore::readFinish(snapshot.folder);
        QStringList tables;
        for (const SnapshotTable &table : m.tables)
            tables.append(table.relativePath + u':' + QString::number(table.summary.records));
        out << snapshot.folder << '\t' << m.created.toString(Qt::ISODate) << '\t' << m.operation << '\t' << m.company
            << '\t' << m.year << '\t' << m.user << '\t'
            << (finish ? u"run ended "_s + finish->finished.toString(Qt::ISODate) : u"run did not end"_s) << '\t'
            << tables.join(u' ') << '\n';
    }
    return kOk;
}

// The data root a snapshot folder belongs to: the one it lies in
// (DATAROOT/Velmar/Tarnek/Zalohy/FOLDER). Empty when it lies elsewhere.
QString dataRootOf(const QString &folder)
{
    QDir dir(folder);
    for (const QString &name : {u"Zalohy"_s, u"Tarnek"_s, u"Velmar"_s}) {
        if (!dir.cdUp() || dir.dirName().compare(name, Qt::CaseInsensitive) != 0)
            return QString();
    }
    return dir.cdUp() ? dir.absolutePath() : QString();
}

int restore(const QString &snapshot, const Options &options, QTextStream &out, QTextStream &err)
{
    const QString folder = QDir(FileNames::resolve(snapshot)).absolutePath();
    const QString dataRoot = dataRootOf(folder);
    if (dataRoot.isEmpty()) {
        err << "restore refused: " << folder << " does not lie in DATAROOT/Velmar/Tarnek/Zalohy" << Qt::endl;
        return kFailed;
    }
    SnapshotRestore restore(folder, dataRoot);
    restore.setUser(TLedraAccessRights::workstationUserName());
    const bool ok = restore.restore(options.force);
    if (!restore.recovered().isEmpty())
        out << restore.recovered() << '\n';
    if (!ok) {
        err << "restore refused: " << restore.error() << Qt::endl;
        const auto &problems = restore.problems();
        if (!options.force && !problems.isEmpty() &&
            std::all_of(problems.begin(), problems.end(), [](const RestoreProblem &p) { return p.canBeForced(); }))
            err << "--force restores it all the same, losing what is named above" << Qt::endl;
        return kFailed;
    }
    for (const RestoredTable &table : restore.restored()) {
        out << "restored " << dataRoot << '/' << table.relativePath << " ("
            << (table.recordsBefore ? QString::number(*table.recordsBefore) : u"none"_s) << " -> " << table.recordsAfter
            << " records)\n";
    }
    if (!restore.undoFolder().isEmpty())
        out << "the tables as they were before: " << restore.undoFolder() << '\n';
    out << "restored snapshot " << folder << (options.force ? " (forced)" : "") << Qt::endl;
    return kOk;
}

} // namespace

int run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    const Options options = parseOptions(arguments);
    if (!options.error.isEmpty()) {
        err << options.error << '\n' << kUsageText;
        return kUsage;
    }
    const QStringList &p = options.positional;
    if (p.isEmpty()) {
        err << kUsageText;
        return kUsage;
    }
    const QString command = p.first();
    const QStringList rest = p.mid(1);
    try {
        if (command == u"catalogue"_s && rest.isEmpty())
            return listCatalogue(out);
        if (command == u"create"_s)
            return create(rest, out, err);
        if (command == u"fields"_s && rest.size() == 1)
            return fields(rest.at(0), out, err);
        if (command == u"indexes"_s && rest.size() == 1)
            return indexes(rest.at(0), out, err);
        if (command == u"dump"_s && rest.size() == 1)
            return dump(rest.at(0), options, out, err);
        if (command == u"import"_s && rest.size() == 2)
            return import(rest.at(0), rest.at(1), options, out, err);
        if (command == u"lock"_s && rest.size() == 2)
            return lock(rest.at(0), rest.at(1), out, err);
        if (command == u"snapshots"_s && rest.size() == 1)
            return listSnapshots(rest.at(0), out, err);
        if (command == u"restore"_s && rest.size() == 1)
            return restore(rest.at(0), options, out, err);
    } catch (const HostEngineError &error) {
        err << error.text() << Qt::endl;
        return kFailed;
    }
    err << kUsageText;
    return kUsage;
}

} // namespace TableTool
