#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringView>

#include <array>

// An 8-bit code page: bytes below 0x80 are ASCII, the upper half comes from a
// table of our own (Qt 6 has no such codecs). Host text files are Windows-1250.
class CodePage
{
public:
    using UpperHalf = std::array<char16_t, 128>;

    static const CodePage &windows1250();

    QString name() const { return m_name; }
    QString decode(QByteArrayView bytes) const;
    // Characters the code page lacks become `replacement`.
    QByteArray encode(QStringView text, char replacement = '?') const;
    bool canEncode(QChar c) const;

    CodePage(QString name, const UpperHalf &upper);

private:
    QString m_name;
    UpperHalf m_upper;
    QHash<char16_t, unsigned char> m_reverse;
};
