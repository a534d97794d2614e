#include "report/core/template/ReportFonts.h"

#include <QFontDatabase>
#include <QGuiApplication>

#include <array>

using namespace Qt::StringLiterals;

namespace ReportFonts {

namespace {
std::optional<QStringList> &fixedFamilies()
{
    static std::optional<QStringList> families;
    return families;
}

bool contains(const QStringList &families, const QString &family)
{
    return families.contains(family, Qt::CaseInsensitive);
}
} // namespace

bool isInstalled(const QString &family)
{
    if (fixedFamilies())
        return contains(*fixedFamilies(), family);
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return false;
    return contains(QFontDatabase::families(), family);
}

QStringList installedFamilies()
{
    if (fixedFamilies())
        return *fixedFamilies();
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return {};
    return QFontDatabase::families();
}

void setInstalledFamilies(std::optional<QStringList> families)
{
    fixedFamilies() = std::move(families);
}

void resolveSuffix(QString &name, int &charset)
{
    struct Suffix
    {
        QStringView text;
        int charset;
    };
    static constexpr std::array<Suffix, 5> suffixes{{
        {u" CE", 238},
        {u" Greek", 161},
        {u" TUR", 162},
        {u" Baltic", 186},
        {u" CYR", 204},
    }};
    // A name that carries several suffixes loses them all, so that a name
    // written back reads the same again.
    bool removed = true;
    while (removed && !isInstalled(name)) {
        removed = false;
        for (const Suffix &suffix : suffixes) {
            const qsizetype at = name.indexOf(suffix.text);
            if (at >= 0) {
                name.remove(at, suffix.text.size());
                charset = suffix.charset;
                removed = true;
                break;
            }
        }
    }
}

} // namespace ReportFonts
