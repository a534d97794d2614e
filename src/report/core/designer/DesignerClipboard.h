#pragma once

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <optional>

class TRastelReportElement;

// The designer's clipboard text: the line "RastelEditor", the anchor
// element's left, its top, the index of the focused element among the copied
// ones (-1 for none), then one element record per element with the section
// tag "X". The window puts the text on the system clipboard.
namespace DesignerClipboard {

inline const QString kHeader = QStringLiteral("RastelEditor");
inline const QString kSectionTag = QStringLiteral("X");

struct Content
{
    QPoint anchor;
    int focusIndex = -1;
    QStringList records; // the element records, section tag included
};

// The text of the elements in the given order. The anchor is the element
// nearest the top-left corner (the smallest top, then the smallest left), so
// that a paste at a point puts that element there.
QString write(const QList<const TRastelReportElement *> &elements, int focusIndex);
// The content of a clipboard text; nullopt unless it has at least four lines
// and the first is "RastelEditor". Blank lines after the header are skipped.
std::optional<Content> read(const QString &text);

} // namespace DesignerClipboard
