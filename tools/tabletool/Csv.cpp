#include "tabletool/Csv.h"

#include "common/CodePage.h"

#include <QBuffer>
#include <QStringDecoder>

using namespace Qt::StringLiterals;

namespace Csv {

std::optional<Encoding> encodingFromName(const QString &name)
{
    const QString key = name.trimmed().toLower();
    if (key == u"utf-8" || key == u"utf8")
        return Encoding::Utf8;
    if (key == u"windows-1250" || key == u"cp1250" || key == u"windows1250")
        return Encoding::Windows1250;
    return std::nullopt;
}

namespace {

// How many bytes at the end of `bytes` begin a UTF-8 sequence that the end
// cuts short (0 when the last sequence is whole).
qsizetype cutSequence(const QByteArray &bytes)
{
    for (qsizetype back = 1; back <= 3 && back <= bytes.size(); ++back) {
        const auto c = uchar(bytes.at(bytes.size() - back));
        if ((c & 0xC0) == 0x80)
            continue; // a continuation byte: its lead lies further back
        const qsizetype length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        return length > back ? back : 0;
    }
    return 0;
}

} // namespace

Reader::Reader(QIODevice &device, Encoding encoding, QChar delimiter)
    : m_device(device), m_encoding(encoding), m_delimiter(delimiter)
{}

void Reader::fail(const QString &message, int line)
{
    m_error = message;
    m_errorLine = line;
}

bool Reader::decodeChunk(const QByteArray &bytes, QString &text)
{
    if (m_encoding == Encoding::Windows1250) {
        text = CodePage::windows1250().decode(bytes);
        if (text.contains(QChar::ReplacementCharacter)) {
            fail(u"a byte that is no Windows-1250 character"_s, m_line);
            return false;
        }
        return true;
    }
    // A chunk never ends inside a UTF-8 sequence (next() carries a cut one
    // over): each chunk decodes on its own.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    text = decoder.decode(bytes);
    if (decoder.hasError()) {
        fail(u"bytes that are not UTF-8 (a Windows-1250 file needs --encoding windows-1250)"_s, m_line);
        return false;
    }
    return true;
}

bool Reader::endField()
{
    if (fieldTooLong())
        return false;
    m_record.append(m_field);
    m_field.clear();
    m_wasQuoted = false;
    return true;
}

// Checked where a field ends and after every chunk, so that a field is never
// held much beyond the limit.
bool Reader::fieldTooLong()
{
    if (m_fieldLimit <= 0 || m_field.size() <= m_fieldLimit)
        return false;
    fail(u"a field longer than %1 characters"_s.arg(m_fieldLimit), m_wasQuoted ? m_fieldLine : m_line);
    return true;
}

bool Reader::next(QStringList &record)
{
    while (m_ready.isEmpty()) {
        if (!m_error.isEmpty() || m_atEnd)
            return false;
        // A line is read in bounded chunks, so that one endless line (a
        // field of hundreds of megabytes) is refused by the field limit
        // instead of being held whole.
        constexpr qint64 kChunk = qint64(64) * 1024;
        QByteArray bytes = m_carry + m_device.readLine(kChunk + 1);
        m_carry.clear();
        if (m_encoding == Encoding::Utf8 && !bytes.endsWith('\n') && !m_device.atEnd()) {
            const qsizetype cut = cutSequence(bytes);
            m_carry = bytes.right(cut);
            bytes.chop(cut);
        }
        if (bytes.isEmpty() && m_carry.isEmpty()) {
            m_atEnd = true;
            if (m_quoted) {
                fail(u"unterminated quoted field"_s, m_fieldLine);
                return false;
            }
            if (m_recordStarted || !m_field.isEmpty()) {
                if (!endField())
                    return false;
                m_ready.append({m_record, m_startLine});
                m_record.clear();
            }
            continue;
        }
        const bool firstChunk = m_line == 0;
        if (m_lineEnded)
            ++m_line;
        m_lineEnded = bytes.endsWith('\n');
        QString text;
        if (!decodeChunk(bytes, text))
            return false;
        qsizetype i = 0;
        if (firstChunk && text.startsWith(QChar(0xFEFF)))
            i = 1; // a byte-order mark some editors write
        const qsizetype size = text.size();
        for (; i < size; ++i) {
            const QChar c = text.at(i);
            if (m_quoted) {
                if (c == u'"') {
                    if (i + 1 < size && text.at(i + 1) == u'"') {
                        m_field.append(u'"');
                        ++i;
                    } else {
                        m_quoted = false;
                    }
                } else {
                    m_field.append(c);
                }
                continue;
            }
            if (!m_recordStarted && m_field.isEmpty() && m_record.isEmpty())
                m_startLine = m_line;
            if (c == u'"') {
                if (!m_field.isEmpty() || m_wasQuoted) {
                    fail(u"quote inside an unquoted field"_s, m_line);
                    return false;
                }
                m_quoted = true;
                m_wasQuoted = true;
                m_recordStarted = true;
                m_fieldLine = m_line;
            } else if (c == m_delimiter) {
                if (!endField())
                    return false;
                m_recordStarted = true;
            } else if (c == u'\r' || c == u'\n') {
                if (c == u'\r' && i + 1 < size && text.at(i + 1) == u'\n')
                    ++i;
                if (m_recordStarted || !m_field.isEmpty()) {
                    if (!endField())
                        return false;
                    m_ready.append({m_record, m_startLine});
                }
                m_record.clear();
                m_recordStarted = false;
            } else {
                if (m_wasQuoted) {
                    fail(u"text after a closing quote"_s, m_line);
                    return false;
                }
                m_field.append(c);
                m_recordStarted = true;
            }
        }
        if (fieldTooLong())
            return false;
    }
    auto [ready, line] = m_ready.takeFirst();
    record = std::move(ready);
    m_recordLine = line;
    return true;
}

Result parse(const QString &text, QChar delimiter)
{
    QByteArray bytes = text.toUtf8();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    Reader reader(buffer, Encoding::Utf8, delimiter);
    Result result;
    QStringList record;
    while (reader.next(record))
        result.records.append(record);
    result.error = reader.error();
    result.errorLine = reader.errorLine();
    return result;
}

QString formatRecord(const QStringList &fields, QChar delimiter)
{
    QStringList out;
    out.reserve(fields.size());
    for (const QString &field : fields) {
        const bool needsQuotes = field.contains(delimiter) || field.contains(u'"') || field.contains(u'\n') ||
                                 field.contains(u'\r') || field.startsWith(u' ') || field.endsWith(u' ');
        if (needsQuotes) {
            QString escaped = field;
            escaped.replace(u"\""_s, u"\"\""_s);
            out.append(u'"' + escaped + u'"');
        } else {
            out.append(field);
        }
    }
    return out.join(delimiter) + u"\r\n"_s;
}

} // namespace Csv
