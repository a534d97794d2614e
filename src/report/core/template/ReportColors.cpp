#include "report/core/template/ReportColors.h"

#include <array>

using namespace Qt::StringLiterals;

namespace ReportColors {

namespace {
struct Entry
{
    QRgb rgb;
    const char16_t *name;
};

const std::array<Entry, Count> &table()
{
    static const std::array<Entry, Count> entries{{
        {qRgb(0x00, 0x00, 0x00), u"černá"},
        {qRgb(0x80, 0x00, 0x00), u"kaštanová"},
        {qRgb(0x00, 0x80, 0x00), u"zelená"},
        {qRgb(0x80, 0x80, 0x00), u"olivová"},
        {qRgb(0x00, 0x00, 0x80), u"ultramarínová"},
        {qRgb(0x80, 0x00, 0x80), u"purpurová"},
        {qRgb(0x00, 0x80, 0x80), u"šedozelená"},
        {qRgb(0x80, 0x80, 0x80), u"šedá"},
        {qRgb(0xC0, 0xC0, 0xC0), u"stříbrná"},
        {qRgb(0xFF, 0x00, 0x00), u"červená"},
        {qRgb(0x00, 0xFF, 0x00), u"žlutozelená"},
        {qRgb(0xFF, 0xFF, 0x00), u"žlutá"},
        {qRgb(0x00, 0x00, 0xFF), u"modrá"},
        {qRgb(0xFF, 0x00, 0xFF), u"růžová"},
        {qRgb(0x00, 0xFF, 0xFF), u"akvamarínová"},
        {qRgb(0xFF, 0xFF, 0xFF), u"bílá"},
    }};
    return entries;
}
} // namespace

QColor fromIndex(int index)
{
    // Templates written by hand may carry any number; the designer offers only
    // the sixteen, so anything else is drawn black.
    if (index < 0 || index >= Count)
        return QColor(Qt::black);
    return QColor(table()[size_t(index)].rgb);
}

int toIndex(const QColor &colour)
{
    const QRgb rgb = colour.rgb();
    for (int i = Count - 1; i >= 0; --i) {
        if (table()[size_t(i)].rgb == rgb)
            return i;
    }
    return 0;
}

QString name(int index)
{
    if (index < 0 || index >= Count)
        return QString();
    return QString::fromUtf16(table()[size_t(index)].name);
}

} // namespace ReportColors
