#pragma once

#include <QString>

#include <vector>

// A paper format: a name and a size in hundredths of an inch.
struct TFormatPapiru
{
    static constexpr int MaxName = 31;

    QString name;
    int width = 0;
    int height = 0;

    friend bool operator==(const TFormatPapiru &, const TFormatPapiru &) = default;
};

// The paper formats the designer offers: the 18 built-in formats, then the
// user's formats kept in an ini file (section "FormatyPapiru").
class TListFormatu
{
public:
    static constexpr int BuiltInCount = 18;

    TListFormatu(); // the built-in formats only

    int count() const { return int(m_formats.size()); }
    const TFormatPapiru &at(int index) const { return m_formats.at(size_t(index)); }
    TFormatPapiru &at(int index) { return m_formats.at(size_t(index)); }
    // Only the formats after the built-in ones are the user's.
    static bool isUserFormat(int index) { return index >= BuiltInCount; }
    int userCount() const { return count() - BuiltInCount; }

    // The built-in formats followed by the user formats of the file in key
    // order. A missing or unreadable file gives the built-in formats only.
    void load(const QString &iniPath);
    // Writes the user formats. False when the file cannot be written.
    bool save(const QString &iniPath) const;

    // The first format within 1 % of that size in both directions; when none
    // is, a new user format "uživ. formát" of exactly that size is appended.
    int find(int width, int height);

    int append(const TFormatPapiru &format); // its index
    // Removes a user format; built-in formats stay.
    bool removeUserFormat(int index);

    static TFormatPapiru builtIn(int index);
    // The name of the placeholder format and of a size-less user format.
    static QString userPlaceholderName();
    static QString newUserFormatName() { return QStringLiteral("uživ. formát"); }

private:
    void resetToBuiltIn();

    std::vector<TFormatPapiru> m_formats;
};
