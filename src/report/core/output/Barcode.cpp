#include "report/core/output/Barcode.h"

#include <QTransform>

#include <array>
#include <atomic>
#include <cmath>
#include <cstring>

using namespace Qt::StringLiterals;

namespace BarcodeType {

QString name(int type)
{
    static const char *const names[Count] = {
        "2/5 interleaved", "2/5 industrial", "2/5 matrix",   "Code 39", "Code 39 Full", "Code 128A", "Code 128B",
        "Code 128C",       "Code 93",        "Code 93 Full", "MSI",     "PostNet",      "Codebar",   "EAN 8",
        "EAN 13",          "UPC-A",          "UPC-E0",       "UPC-E1",  "UPC Supp2",    "UPC Supp5"};
    return QString::fromLatin1(names[normalized(type)]);
}

int normalized(int type)
{
    return type >= 0 && type < Count ? type : Ean13;
}

bool digitsOnly(int type)
{
    switch (normalized(type)) {
    case Code39:
    case Code39Full:
    case Code128A:
    case Code128B:
    case Code93:
    case Code93Full:
    case Codabar:
        return false;
    default:
        return true;
    }
}

} // namespace BarcodeType

QString BarcodeSymbol::moduleString() const
{
    QString s(modules, u'0');
    for (const BarcodeBar &bar : bars)
        for (int i = bar.x; i < bar.x + bar.width && i < modules; ++i)
            s[i] = bar.tall ? u'1' : u',';
    return s;
}

namespace {

// Builds a symbol element by element, left to right.
class Builder
{
public:
    void bar(int width, bool tall = true)
    {
        m_symbol.bars.push_back({m_x, width, tall});
        m_x += width;
    }
    void space(int width) { m_x += width; }
    // Widths as digits, alternating bar and space, starting with a bar.
    void widths(const char *w)
    {
        for (int i = 0; w[i]; ++i) {
            if (i % 2 == 0)
                bar(w[i] - '0');
            else
                space(w[i] - '0');
        }
    }
    // Narrow/wide elements ('n'/'w'), alternating bar and space, starting with a bar.
    void elements(const char *e)
    {
        for (int i = 0; e[i]; ++i) {
            const int width = e[i] == 'w' ? 2 : 1;
            if (i % 2 == 0)
                bar(width);
            else
                space(width);
        }
    }
    // Modules: '1' dark, '0' light.
    void modules(const char *m)
    {
        for (int i = 0; m[i]; ++i) {
            if (m[i] == '1')
                bar(1);
            else
                space(1);
        }
    }
    BarcodeSymbol take(QString text)
    {
        // Adjacent one-module bars of module strings join into one bar.
        std::vector<BarcodeBar> joined;
        for (const BarcodeBar &b : m_symbol.bars) {
            if (!joined.empty() && joined.back().tall == b.tall && b.tall &&
                joined.back().x + joined.back().width == b.x)
                joined.back().width += b.width;
            else
                joined.push_back(b);
        }
        m_symbol.bars = std::move(joined);
        // The symbol ends with its last bar.
        m_symbol.modules = m_symbol.bars.empty() ? 0 : m_symbol.bars.back().x + m_symbol.bars.back().width;
        m_symbol.text = std::move(text);
        return std::move(m_symbol);
    }

private:
    BarcodeSymbol m_symbol;
    int m_x = 0;
};

int digit(QChar c)
{
    return c.unicode() - u'0';
}

// ---- 2 of 5: the five elements of each digit, 'w' wide.
constexpr const char *twoOfFive[10] = {"nnwwn", "wnnnw", "nwnnw", "wwnnn", "nnwnw",
                                       "wnwnn", "nwwnn", "nnnww", "wnnwn", "nwnwn"};

// Modulo 10 with weights 3 and 1 from the right (the last digit weighs 3).
int mod10Weighted(const QString &digits)
{
    int sum = 0;
    for (int i = int(digits.size()) - 1, w = 3; i >= 0; --i, w = 4 - w)
        sum += digit(digits[i]) * w;
    return (10 - sum % 10) % 10;
}

BarcodeSymbol interleaved2of5(QString data, bool check)
{
    // Digits go in pairs: with the check digit the data must be odd.
    if (check) {
        if (data.size() % 2 == 0)
            data.prepend(u'0');
        data += QChar(u'0' + mod10Weighted(data));
    } else if (data.size() % 2 == 1) {
        data.prepend(u'0');
    }
    Builder b;
    b.elements("nnnn");
    for (int i = 0; i + 1 < data.size(); i += 2) {
        const char *bars = twoOfFive[digit(data[i])];
        const char *spaces = twoOfFive[digit(data[i + 1])];
        for (int k = 0; k < 5; ++k) {
            b.bar(bars[k] == 'w' ? 2 : 1);
            b.space(spaces[k] == 'w' ? 2 : 1);
        }
    }
    b.elements("wnn");
    return b.take(data);
}

BarcodeSymbol industrial2of5(QString data, bool check)
{
    if (check)
        data += QChar(u'0' + mod10Weighted(data));
    Builder b;
    // Only the bars carry the code; every bar is followed by a narrow space.
    const auto bars = [&b](const char *e) {
        for (int k = 0; e[k]; ++k) {
            b.bar(e[k] == 'w' ? 2 : 1);
            b.space(1);
        }
    };
    bars("wwn");
    for (const QChar c : data)
        bars(twoOfFive[digit(c)]);
    bars("wnw");
    return b.take(data);
}

BarcodeSymbol matrix2of5(QString data, bool check)
{
    if (check)
        data += QChar(u'0' + mod10Weighted(data));
    Builder b;
    b.elements("wnnnnn");
    for (const QChar c : data) {
        b.elements(twoOfFive[digit(c)]);
        b.space(1);
    }
    b.elements("wnnnn");
    return b.take(data);
}

// ---- Code 39: nine elements, three of them wide.
constexpr char code39Chars[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
constexpr const char *code39Patterns[44] = {"nnnwwnwnn", "wnnwnnnnw", "nnwwnnnnw", "wnwwnnnnn", "nnnwwnnnw",
                                            "wnnwwnnnn", "nnwwwnnnn", "nnnwnnwnw", "wnnwnnwnn", "nnwwnnwnn",
                                            "wnnnnwnnw", "nnwnnwnnw", "wnwnnwnnn", "nnnnwwnnw", "wnnnwwnnn",
                                            "nnwnwwnnn", "nnnnnwwnw", "wnnnnwwnn", "nnwnnwwnn", "nnnnwwwnn",
                                            "wnnnnnnww", "nnwnnnnww", "wnwnnnnwn", "nnnnwnnww", "wnnnwnnwn",
                                            "nnwnwnnwn", "nnnnnnwww", "wnnnnnwwn", "nnwnnnwwn", "nnnnwnwwn",
                                            "wwnnnnnnw", "nwwnnnnnw", "wwwnnnnnn", "nwnnwnnnw", "wwnnwnnnn",
                                            "nwwnwnnnn", "nwnnnnwnw", "wwnnnnwnn", "nwwnnnwnn", "nwnwnwnnn",
                                            "nwnwnnnwn", "nwnnnwnwn", "nnnwnwnwn", "nwnnwnwnn" /* start/stop "*" */};

// The full-ASCII pairs of characters 0-127 (shift character, then letter);
// a single character stands for itself.
const char *fullAsciiPair(int character)
{
    static const std::array<std::array<char, 3>, 128> table = [] {
        std::array<std::array<char, 3>, 128> t{};
        const auto set = [&t](int c, char a, char b) { t[size_t(c)] = {a, b, 0}; };
        set(0, '%', 'U');
        for (int c = 1; c <= 26; ++c)
            set(c, '$', char('A' + c - 1));
        for (int c = 27; c <= 31; ++c)
            set(c, '%', char('A' + c - 27));
        set(32, ' ', 0);
        for (int c = 33; c <= 44; ++c)
            set(c, '/', char('A' + c - 33));
        set(45, '-', 0);
        set(46, '.', 0);
        set(47, '/', 'O');
        for (int c = 48; c <= 57; ++c)
            set(c, char(c), 0);
        set(58, '/', 'Z');
        for (int c = 59; c <= 63; ++c)
            set(c, '%', char('F' + c - 59));
        set(64, '%', 'V');
        for (int c = 65; c <= 90; ++c)
            set(c, char(c), 0);
        for (int c = 91; c <= 95; ++c)
            set(c, '%', char('K' + c - 91));
        set(96, '%', 'W');
        for (int c = 97; c <= 122; ++c)
            set(c, '+', char('A' + c - 97));
        for (int c = 123; c <= 127; ++c)
            set(c, '%', char('P' + c - 123));
        return t;
    }();
    return character >= 0 && character < 128 ? table[size_t(character)].data() : nullptr;
}

// Code 39 values of the data (0-42). Lower-case letters are taken as
// capitals; characters the set does not have are left out (they cannot be
// encoded, and an empty symbol would hide the rest).
std::vector<int> code39Values(const QString &data, bool fullAscii)
{
    std::vector<int> values;
    const auto add = [&values](char c) {
        if (const char *p = std::strchr(code39Chars, c); p && c)
            values.push_back(int(p - code39Chars));
    };
    for (const QChar ch : data) {
        if (fullAscii) {
            if (const char *pair = fullAsciiPair(ch.unicode()))
                for (int k = 0; pair[k]; ++k)
                    add(pair[k]);
        } else if (ch.unicode() < 128) {
            add(char(ch.toUpper().unicode()));
        }
    }
    return values;
}

QString visibleText(const QString &data, bool fullAscii)
{
    QString text;
    for (const QChar ch : data) {
        if (ch.unicode() >= 128)
            continue;
        const QChar c = fullAscii ? ch : ch.toUpper();
        if (fullAscii || std::strchr(code39Chars, char(c.unicode())))
            text += c;
    }
    return text;
}

BarcodeSymbol code39(const QString &data, bool fullAscii, bool check)
{
    std::vector<int> values = code39Values(data, fullAscii);
    QString text = visibleText(data, fullAscii);
    if (check) {
        int sum = 0;
        for (const int v : values)
            sum += v;
        values.push_back(sum % 43);
        text += QChar::fromLatin1(code39Chars[sum % 43]);
    }
    Builder b;
    b.elements(code39Patterns[43]);
    for (const int v : values) {
        b.space(1);
        b.elements(code39Patterns[v]);
    }
    b.space(1);
    b.elements(code39Patterns[43]);
    return b.take(text);
}

// ---- Code 93: nine modules in three bars and three spaces.
constexpr const char *code93Patterns[48] = {
    "131112", "111213", "111312", "111411", "121113", "121212", "121311", "111114", "131211", "141111",
    "211113", "211212", "211311", "221112", "221211", "231111", "112113", "112212", "112311", "122112",
    "132111", "111123", "111222", "111321", "121122", "131121", "212112", "212211", "211122", "211221",
    "221121", "222111", "112122", "112221", "122121", "123111", "121131", "311112", "311211", "321111",
    "112131", "113121", "211131", "121221", "312111", "311121", "122211", "111141" /* start/stop */};

std::vector<int> code93Values(const QString &data, bool fullAscii)
{
    std::vector<int> values;
    const auto add = [&values](char c) {
        if (const char *p = std::strchr(code39Chars, c); p && c)
            values.push_back(int(p - code39Chars));
    };
    for (const QChar ch : data) {
        if (!fullAscii) {
            if (ch.unicode() < 128)
                add(char(ch.toUpper().unicode()));
            continue;
        }
        const char *pair = fullAsciiPair(ch.unicode());
        if (!pair)
            continue;
        if (!pair[1]) {
            add(pair[0]);
            continue;
        }
        // The shift characters ($), (%), (/), (+) are values 43-46.
        values.push_back(pair[0] == '$' ? 43 : pair[0] == '%' ? 44 : pair[0] == '/' ? 45 : 46);
        add(pair[1]);
    }
    return values;
}

int code93Check(const std::vector<int> &values, int maxWeight)
{
    int sum = 0;
    int weight = 1;
    for (auto it = values.rbegin(); it != values.rend(); ++it) {
        sum += *it * weight;
        weight = weight == maxWeight ? 1 : weight + 1;
    }
    return sum % 47;
}

BarcodeSymbol code93(const QString &data, bool fullAscii)
{
    // Both check characters belong to every Code 93 symbol.
    std::vector<int> values = code93Values(data, fullAscii);
    values.push_back(code93Check(values, 20));
    values.push_back(code93Check(values, 15));
    Builder b;
    b.widths(code93Patterns[47]);
    for (const int v : values)
        b.widths(code93Patterns[v]);
    b.widths(code93Patterns[47]);
    b.bar(1); // termination bar
    return b.take(visibleText(data, fullAscii));
}

// ---- Code 128: eleven modules in three bars and three spaces.
constexpr const char *code128Patterns[107] = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212", "221213", "221312",
    "231212", "112232", "122132", "122231", "113222", "123122", "123221", "223211", "221132", "221231", "213212",
    "223112", "312131", "311222", "321122", "321221", "312212", "322112", "322211", "212123", "212321", "232121",
    "111323", "131123", "131321", "112313", "132113", "132311", "211313", "231113", "231311", "112133", "112331",
    "132131", "113123", "113321", "133121", "313121", "211331", "231131", "213113", "213311", "213131", "311123",
    "311321", "331121", "312113", "312311", "332111", "314111", "221411", "431111", "111224", "111422", "121124",
    "121421", "141122", "141221", "112214", "112412", "122114", "122411", "142112", "142211", "241211", "221114",
    "413111", "241112", "134111", "111242", "121142", "121241", "114212", "124112", "124211", "411212", "421112",
    "421211", "212141", "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311",
    "113141", "114131", "311141", "411131", "211412", "211214", "211232", "2331112"};

BarcodeSymbol code128(int type, const QString &data)
{
    std::vector<int> values;
    QString text;
    int start = 0;
    if (type == BarcodeType::Code128C) {
        start = 105;
        // Digits go in pairs: an odd count gets a leading zero.
        text = data.size() % 2 ? u'0' + data : data;
        for (int i = 0; i + 1 < text.size(); i += 2)
            values.push_back(digit(text[i]) * 10 + digit(text[i + 1]));
    } else if (type == BarcodeType::Code128A) {
        start = 103;
        // Set A: control characters and upper case; lower case is taken as
        // capitals, other characters are left out.
        for (const QChar ch : data) {
            const int c = ch.unicode() >= 'a' && ch.unicode() <= 'z' ? ch.unicode() - 32 : ch.unicode();
            if (c < 32)
                values.push_back(c + 64);
            else if (c < 96)
                values.push_back(c - 32);
            else
                continue;
            text += QChar(c);
        }
    } else {
        start = 104;
        for (const QChar ch : data) {
            const int c = ch.unicode();
            if (c < 32 || c > 127)
                continue;
            values.push_back(c - 32);
            text += ch;
        }
    }
    int sum = start;
    for (size_t i = 0; i < values.size(); ++i)
        sum += int(i + 1) * values[i];
    Builder b;
    b.widths(code128Patterns[start]);
    for (const int v : values)
        b.widths(code128Patterns[v]);
    b.widths(code128Patterns[sum % 103]);
    b.widths(code128Patterns[106]);
    return b.take(text);
}

// ---- MSI: four bits a digit, 1 a wide bar and narrow space, 0 the reverse.
BarcodeSymbol msi(QString data, bool check)
{
    if (check) {
        // Modulo 10 (Luhn): every second digit from the right doubled.
        int sum = 0;
        for (int i = int(data.size()) - 1, pos = 0; i >= 0; --i, ++pos) {
            int d = digit(data[i]);
            if (pos % 2 == 0) {
                d *= 2;
                d = d / 10 + d % 10;
            }
            sum += d;
        }
        data += QChar(u'0' + (10 - sum % 10) % 10);
    }
    Builder b;
    b.elements("wn");
    for (const QChar c : data) {
        const int d = digit(c);
        for (int bit = 3; bit >= 0; --bit)
            b.elements((d >> bit) & 1 ? "wn" : "nw");
    }
    b.elements("nwn");
    return b.take(data);
}

// ---- PostNet: five bars a digit, two of them tall; a tall frame bar at each end.
BarcodeSymbol postNet(QString data)
{
    constexpr const char *patterns[10] = {"11000", "00011", "00101", "00110", "01001",
                                          "01010", "01100", "10001", "10010", "10100"};
    int sum = 0;
    for (const QChar c : data)
        sum += digit(c);
    data += QChar(u'0' + (10 - sum % 10) % 10); // the correction digit always belongs to it
    Builder b;
    b.bar(1);
    b.space(1);
    for (const QChar c : data) {
        for (const char *p = patterns[digit(c)]; *p; ++p) {
            b.bar(1, *p == '1');
            b.space(1);
        }
    }
    b.bar(1);
    return b.take(data);
}

// ---- Codabar: seven elements a character, a narrow space between characters.
constexpr char codabarChars[] = "0123456789-$:/.+ABCD";
constexpr const char *codabarPatterns[20] = {
    "nnnnnww", "nnnnwwn", "nnnwnnw", "wwnnnnn", "nnwnnwn", "wnnnnwn", "nwnnnnw", "nwnnwnn", "nwwnnnn", "wnnwnnn",
    "nnnwwnn", "nnwwnnn", "wnnnwnw", "wnwnnnw", "wnwnwnn", "nnwnwnw", "nnwwnwn", "nwnwnnw", "nnnwnww", "nnnwwwn"};

int codabarValue(QChar c)
{
    QChar u = c.toUpper();
    // T, N, * and E are the other names of the start/stop characters A-D.
    if (u == u'T')
        u = u'A';
    else if (u == u'N')
        u = u'B';
    else if (u == u'*')
        u = u'C';
    else if (u == u'E')
        u = u'D';
    const char *p = u.unicode() < 128 && u.unicode() ? std::strchr(codabarChars, char(u.unicode())) : nullptr;
    return p ? int(p - codabarChars) : -1;
}

BarcodeSymbol codabar(const QString &data, bool check)
{
    // A content framed by start/stop letters keeps them; otherwise A and B
    // frame it. Characters the set does not have are left out.
    std::vector<int> values;
    for (const QChar c : data)
        if (const int v = codabarValue(c); v >= 0)
            values.push_back(v);
    const bool framed = values.size() >= 2 && values.front() >= 16 && values.back() >= 16;
    if (!framed) {
        std::vector<int> inner;
        for (const int v : values)
            if (v < 16)
                inner.push_back(v);
        values = std::move(inner);
        values.insert(values.begin(), 16);
        values.push_back(17);
    }
    if (check) {
        int sum = 0;
        for (const int v : values)
            sum += v;
        values.insert(values.end() - 1, (16 - sum % 16) % 16);
    }
    QString text;
    Builder b;
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0)
            b.space(1);
        b.elements(codabarPatterns[values[i]]);
        text += QChar::fromLatin1(codabarChars[values[i]]);
    }
    return b.take(text);
}

// ---- EAN and UPC.
constexpr const char *eanL[10] = {"0001101", "0011001", "0010011", "0111101", "0100011",
                                  "0110001", "0101111", "0111011", "0110111", "0001011"};
constexpr const char *eanG[10] = {"0100111", "0110011", "0011011", "0100001", "0011101",
                                  "0111001", "0000101", "0010001", "0001001", "0010111"};
constexpr const char *eanR[10] = {"1110010", "1100110", "1101100", "1000010", "1011100",
                                  "1001110", "1010000", "1000100", "1001000", "1110100"};
// The parities of EAN-13's left half by its first digit ('G' even).
constexpr const char *ean13Parity[10] = {"LLLLLL", "LLGLGG", "LLGGLG", "LLGGGL", "LGLLGG",
                                         "LGGLLG", "LGGGLL", "LGLGLG", "LGLGGL", "LGGLGL"};

// Left-padded with zeros to `length` digits; a longer content keeps its
// first `length` digits.
QString fitted(const QString &digits, int length)
{
    return digits.size() >= length ? digits.left(length) : QString(length - digits.size(), u'0') + digits;
}

// The digits of an EAN/UPC-A symbol of `length` digits. With the check flag
// a shorter content is padded to the data digits and the computed check digit
// follows them (twelve digits of an EAN 13 and the flag print those twelve
// and their check digit); a full-length content has its last digit replaced.
// Without the flag the content is padded to the full length and its last
// digit encoded as given, right or wrong.
QString eanDigits(const QString &data, int length, bool check)
{
    if (!check)
        return fitted(data, length);
    const QString digits = fitted(data, length - 1);
    return digits + QChar(u'0' + BarcodeEncoder::eanCheckDigit(digits));
}

void leftDigit(Builder &b, QChar c, char parity)
{
    b.modules(parity == 'G' ? eanG[digit(c)] : eanL[digit(c)]);
}

BarcodeSymbol ean13(QString digits)
{
    Builder b;
    b.modules("101");
    const char *parity = ean13Parity[digit(digits[0])];
    for (int i = 1; i <= 6; ++i)
        leftDigit(b, digits[i], parity[i - 1]);
    b.modules("01010");
    for (int i = 7; i <= 12; ++i)
        b.modules(eanR[digit(digits[i])]);
    b.modules("101");
    return b.take(digits);
}

BarcodeSymbol ean8(QString digits)
{
    Builder b;
    b.modules("101");
    for (int i = 0; i < 4; ++i)
        leftDigit(b, digits[i], 'L');
    b.modules("01010");
    for (int i = 4; i < 8; ++i)
        b.modules(eanR[digit(digits[i])]);
    b.modules("101");
    return b.take(digits);
}

// UPC-E's six digits expanded to the UPC-A number (without its check digit).
QString upcEExpanded(int numberSystem, const QString &body)
{
    const QString d = body;
    const QChar ns(u'0' + numberSystem);
    switch (digit(d[5])) {
    case 0:
    case 1:
    case 2:
        return ns + d.mid(0, 2) + d[5] + u"0000"_s + d.mid(2, 3);
    case 3:
        return ns + d.mid(0, 3) + u"00000"_s + d.mid(3, 2);
    case 4:
        return ns + d.mid(0, 4) + u"00000"_s + d[4];
    default:
        return ns + d.mid(0, 5) + u"0000"_s + d[5];
    }
}

BarcodeSymbol upcE(int numberSystem, const QString &digits, bool check)
{
    // Up to six digits are the body; seven add the number system in front,
    // eight the check digit behind. The number system is the type's.
    QString body;
    QChar checkDigit;
    if (digits.size() <= 6) {
        body = fitted(digits, 6);
    } else {
        body = digits.mid(1, 6);
        if (digits.size() >= 8 && !check)
            checkDigit = digits[7];
    }
    if (checkDigit.isNull())
        checkDigit = QChar(u'0' + BarcodeEncoder::eanCheckDigit(upcEExpanded(numberSystem, body)));
    constexpr const char *parity[10] = {"GGGLLL", "GGLGLL", "GGLLGL", "GGLLLG", "GLGGLL",
                                        "GLLGGL", "GLLLGG", "GLGLGL", "GLGLLG", "GLLGLG"};
    Builder b;
    b.modules("101");
    for (int i = 0; i < 6; ++i) {
        char p = parity[digit(checkDigit)][i];
        if (numberSystem == 1)
            p = p == 'G' ? 'L' : 'G';
        leftDigit(b, body[i], p);
    }
    b.modules("010101");
    return b.take(QChar(u'0' + numberSystem) + body + checkDigit);
}

BarcodeSymbol upcSupplement(const QString &digits)
{
    QString parity;
    if (digits.size() == 2) {
        constexpr const char *p2[4] = {"LL", "LG", "GL", "GG"};
        parity = QString::fromLatin1(p2[(digit(digits[0]) * 10 + digit(digits[1])) % 4]);
    } else {
        constexpr const char *p5[10] = {"GGLLL", "GLGLL", "GLLGL", "GLLLG", "LGGLL",
                                        "LLGGL", "LLLGG", "LGLGL", "LGLLG", "LLGLG"};
        const int sum =
            3 * (digit(digits[0]) + digit(digits[2]) + digit(digits[4])) + 9 * (digit(digits[1]) + digit(digits[3]));
        parity = QString::fromLatin1(p5[sum % 10]);
    }
    Builder b;
    b.modules("1011");
    for (int i = 0; i < digits.size(); ++i) {
        if (i > 0)
            b.modules("01");
        leftDigit(b, digits[i], char(parity[i].unicode()));
    }
    return b.take(digits);
}

} // namespace

int BarcodeEncoder::eanCheckDigit(const QString &digits)
{
    return mod10Weighted(digits);
}

QString BarcodeEncoder::prepared(int type, const QString &content)
{
    if (!BarcodeType::digitsOnly(type))
        return content;
    QString digits = content.trimmed();
    for (QChar &c : digits)
        if (c < u'0' || c > u'9')
            c = u'0';
    return digits;
}

BarcodeSymbol BarcodeEncoder::encode(int type, const QString &content, bool check)
{
    type = BarcodeType::normalized(type);
    const QString data = prepared(type, content);
    switch (type) {
    case BarcodeType::Interleaved2of5:
        return interleaved2of5(data, check);
    case BarcodeType::Industrial2of5:
        return industrial2of5(data, check);
    case BarcodeType::Matrix2of5:
        return matrix2of5(data, check);
    case BarcodeType::Code39:
    case BarcodeType::Code39Full:
        return code39(data, type == BarcodeType::Code39Full, check);
    case BarcodeType::Code128A:
    case BarcodeType::Code128B:
    case BarcodeType::Code128C:
        return code128(type, data);
    case BarcodeType::Code93:
    case BarcodeType::Code93Full:
        return code93(data, type == BarcodeType::Code93Full);
    case BarcodeType::Msi:
        return msi(data, check);
    case BarcodeType::PostNet:
        return postNet(data);
    case BarcodeType::Codabar:
        return codabar(data, check);
    case BarcodeType::Ean8:
        return ean8(eanDigits(data, 8, check));
    case BarcodeType::UpcA:
        // UPC-A is EAN-13 with a leading zero: its own twelve digits printed.
        return [&] {
            const QString digits = eanDigits(data, 12, check);
            BarcodeSymbol symbol = ean13(u'0' + digits);
            symbol.text = digits;
            return symbol;
        }();
    case BarcodeType::UpcE0:
    case BarcodeType::UpcE1:
        return upcE(type == BarcodeType::UpcE1 ? 1 : 0, data, check);
    case BarcodeType::UpcSupp2:
        return upcSupplement(fitted(data, 2));
    case BarcodeType::UpcSupp5:
        return upcSupplement(fitted(data, 5));
    default:
        return ean13(eanDigits(data, 13, check));
    }
}

namespace BarcodeDrawing {

int moduleWidth(double scale, int barWidthCode, int &previous)
{
    const long width = std::lround(scale * barWidthCode / 6.0);
    if (width >= 1 && width <= 49)
        previous = int(width);
    return previous;
}

int nextModuleWidth(double scale, int barWidthCode)
{
    // Shared by every drawing of the process, as the previous barcode's width
    // is; drawing happens on the GUI thread, the atomic keeps it well defined.
    static std::atomic<int> previous{1};
    int value = previous.load();
    const int width = moduleWidth(scale, barWidthCode, value);
    previous.store(value);
    return width;
}

BarcodePicture layout(const BarcodeSymbol &symbol, const QRectF &box, int angle, int modulePixels, double scale,
                      bool withText)
{
    BarcodePicture d;
    d.angle = angle;
    const double module = modulePixels / scale;
    // Rotated counter-clockwise around the element's top-left corner, as
    // texts are.
    QTransform t;
    t.translate(box.left(), box.top());
    t.rotate(-angle);
    const double height = box.height();
    for (const BarcodeBar &bar : symbol.bars) {
        const double top = bar.tall ? 0 : height * 3 / 5;
        d.bars.push_back(t.map(QPolygonF(QRectF(bar.x * module, top, bar.width * module, height - top))));
    }
    d.background = t.map(QPolygonF(QRectF(0, 0, symbol.modules * module, height)));
    if (withText) {
        d.text = symbol.text;
        d.textOrigin = box.topLeft();
        // Size 3 x module width in points of a font set up for 100 pixels
        // per inch: 3 x module x 100/72 device pixels.
        d.textPixelSize = 3.0 * modulePixels * 100.0 / 72.0 / scale;
    }
    return d;
}

} // namespace BarcodeDrawing
