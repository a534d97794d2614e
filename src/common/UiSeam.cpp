#include "common/UiSeam.h"

#include "common/FileNames.h"

#include <QStringList>

#include <cstdio>
#include <cstdlib>

namespace {
UiSeam *g_seam = nullptr;
}

UiSeam &UiSeam::current()
{
    if (!g_seam) {
        // A program error, not a user's: nothing can be shown without a seam.
        std::fputs("Tarnek: no user-interface seam installed\n", stderr);
        std::abort();
    }
    return *g_seam;
}

UiSeam *UiSeam::installed()
{
    return g_seam;
}

void UiSeam::setCurrent(UiSeam *seam)
{
    g_seam = seam;
}

namespace FileDialogs {

namespace {
QStringList qtFilters(const QString &hostFilter)
{
    QStringList result;
    const QStringList parts = hostFilter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts.at(i).trimmed();
        const QString patterns = QString(parts.at(i + 1)).replace(u';', u' ').trimmed();
        if (!description.contains(u'('))
            description += QStringLiteral(" (") + patterns + u')';
        else if (!description.contains(patterns))
            description =
                description.left(description.indexOf(u'(')).trimmed() + QStringLiteral(" (") + patterns + u')';
        result.append(description);
    }
    return result;
}
} // namespace

QString toQtFilter(const QString &hostFilter)
{
    return qtFilters(hostFilter).join(QStringLiteral(";;"));
}

QString qtFilterAt(const QString &hostFilter, int index)
{
    const QStringList filters = qtFilters(hostFilter);
    if (index < 1 || index > filters.size())
        return filters.value(0);
    return filters.at(index - 1);
}

QString withDefaultExtension(const QString &fileName, const QString &defaultExtension)
{
    if (fileName.isEmpty() || defaultExtension.isEmpty() || !FileNames::extension(fileName).isEmpty())
        return fileName;
    return fileName + u'.' + defaultExtension.toLower();
}

} // namespace FileDialogs
