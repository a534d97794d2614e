#include "common/TextFile.h"

#include "common/CodePage.h"
#include "common/FileNames.h"

#include <QFile>
#include <QSaveFile>

namespace TextFile {

std::optional<QString> read(const QString &path)
{
    QFile file(FileNames::resolve(path));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return CodePage::windows1250().decode(file.readAll());
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

std::optional<QStringList> readLines(const QString &path)
{
    const auto text = read(path);
    if (!text)
        return std::nullopt;
    return splitLines(*text);
}

bool write(const QString &path, const QString &text)
{
    QSaveFile file(FileNames::resolve(path));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // A short write (a full disk) must not be committed as the whole file;
    // commit() alone does not notice when its final flush falls short.
    const QByteArray bytes = CodePage::windows1250().encode(text);
    if (file.write(bytes) != bytes.size() || !file.flush())
        file.cancelWriting();
    return file.commit();
}

bool writeLines(const QString &path, const QStringList &lines)
{
    QString text;
    for (const QString &line : lines) {
        text += line;
        text += QStringLiteral("\r\n");
    }
    return write(path, text);
}

} // namespace TextFile
