#include "report/ui/designer/DesignerIcons.h"

#include <QApplication>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

// Once per run: the icon folders of the system's data directories (Qt finds
// them only through a desktop's platform theme) and Breeze as the theme or
// as the theme's fallback.
void useSystemIconThemes()
{
    static const bool done = [] {
        QStringList paths = QIcon::themeSearchPaths();
        const QStringList folders =
            QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, u"icons"_s, QStandardPaths::LocateDirectory);
        for (const QString &folder : folders) {
            if (!paths.contains(folder))
                paths.append(folder);
        }
        QIcon::setThemeSearchPaths(paths);
        if (QIcon::themeName().isEmpty())
            QIcon::setThemeName(u"breeze"_s);
        else if (QIcon::fallbackThemeName().isEmpty() || QIcon::fallbackThemeName() == u"hicolor"_s)
            QIcon::setFallbackThemeName(u"breeze"_s);
        return true;
    }();
    Q_UNUSED(done)
}

} // namespace

QIcon DesignerIcons::icon(const QString &themeName, QStyle::StandardPixmap fallback)
{
    useSystemIconThemes();
    if (QIcon::hasThemeIcon(themeName))
        return QIcon::fromTheme(themeName);
    return QApplication::style()->standardIcon(fallback);
}
