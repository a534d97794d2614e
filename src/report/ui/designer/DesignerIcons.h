#pragma once

#include <QIcon>
#include <QString>
#include <QStyle>

// The pictures of the designer's toolbars. They come from the desktop's icon
// theme; where the desktop names none (a bare X server, the offscreen
// platform) Breeze, which Debian ships as breeze-icon-theme, stands in, and
// it also fills the icons the desktop's theme lacks. Where no theme has the
// icon, the style's own picture `fallback` is shown.
namespace DesignerIcons {

QIcon icon(const QString &themeName, QStyle::StandardPixmap fallback = QStyle::SP_FileIcon);

} // namespace DesignerIcons
