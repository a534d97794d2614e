#include "report/core/template/PaperFormats.h"

#include "common/IniFile.h"
#include "report/core/template/TemplateFields.h"

#include <array>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {
const QString kSection = u"FormatyPapiru"_s;
const QString kCountKey = u"PocetFormatu"_s;
const QString kFormatKey = u"Format"_s;
constexpr int kMaxNameRead = 48;
// A hand-edited count must not make the list endless: more user formats than
// this are not read.
constexpr int kMaxUserFormats = 1000;

struct BuiltIn
{
    const char16_t *name;
    int width;
    int height;
};

constexpr std::array<BuiltIn, TListFormatu::BuiltInCount> kBuiltIn{{
    {u"Uživat. (210 x 297 mm)", 826, 1169},
    {u"Skládaný (8.5 x 12\")", 850, 1200},
    {u"Skládaný (15 x 12\")", 1500, 1200},
    {u"Letter (8.5 x 11\")", 850, 1100},
    {u"Legal (8.5 x 14\")", 850, 1400},
    {u"Executive (7.25 x 10.5\")", 725, 1050},
    {u"A2 (420 x 594 mm)", 1652, 2338},
    {u"A3 (297 x 420 mm)", 1169, 1652},
    {u"A4 (210 x 297 mm)", 826, 1169},
    {u"A5 (148.5 x 210 mm)", 584, 826},
    {u"A6 (105 x 148.5mm)", 413, 584},
    {u"B5 (182 x 257 mm)", 716, 1011},
    {u"Obálka (162 x 114 mm)", 637, 433},
    {u"Obálka (220 x 110 mm)", 866, 433},
    {u"Obálka (228 x 162 mm)", 896, 637},
    {u"Obálka otoč.(114 x 162 mm)", 433, 637},
    {u"Obálka otoč.(110 x 220 mm)", 433, 866},
    {u"Obálka otoč.(162 x 228 mm)", 637, 896},
}};

bool withinOnePercent(int candidate, int given)
{
    return std::abs(double(candidate) - double(given)) <= std::abs(double(given)) / 100.0;
}
} // namespace

TListFormatu::TListFormatu()
{
    resetToBuiltIn();
}

TFormatPapiru TListFormatu::builtIn(int index)
{
    const BuiltIn &entry = kBuiltIn.at(size_t(index));
    return TFormatPapiru{QString::fromUtf16(entry.name), entry.width, entry.height};
}

QString TListFormatu::userPlaceholderName()
{
    return QString::fromUtf16(kBuiltIn[0].name);
}

void TListFormatu::resetToBuiltIn()
{
    m_formats.clear();
    for (int i = 0; i < BuiltInCount; ++i)
        m_formats.push_back(builtIn(i));
}

void TListFormatu::load(const QString &iniPath)
{
    resetToBuiltIn();
    if (iniPath.isEmpty())
        return;
    const IniFile ini(iniPath);
    const int count = qBound(0, ini.ReadInteger(kSection, kCountKey, 0), kMaxUserFormats);
    for (int i = 1; i <= count; ++i) {
        const QString key = kFormatKey + QString::number(i);
        TFormatPapiru format{userPlaceholderName(), 0, 0};
        if (ini.ValueExists(kSection, key)) {
            TemplateFields fields(ini.ReadString(kSection, key, QString()));
            // Hand-edited files put blanks around the values, as the dialog
            // accepts them.
            const auto size = [&fields] {
                int value = 0;
                return TemplateFields::parseInt(fields.next().trimmed(), &value) ? value : 0;
            };
            format.name = fields.next().trimmed().left(kMaxNameRead);
            format.width = size();
            format.height = size();
        }
        m_formats.push_back(format);
    }
}

bool TListFormatu::save(const QString &iniPath) const
{
    IniFile ini(iniPath);
    bool ok = ini.WriteInteger(kSection, kCountKey, userCount());
    for (int i = BuiltInCount; i < count(); ++i) {
        const TFormatPapiru &format = at(i);
        const QString value = TemplateText::bare(format.name) + u',' + QString::number(format.width) + u',' +
                              QString::number(format.height);
        ok = ini.WriteString(kSection, kFormatKey + QString::number(i - BuiltInCount + 1), value) && ok;
    }
    // Keys of formats removed since the last save would come back once the
    // count grows again.
    for (int n = userCount() + 1; ini.ValueExists(kSection, kFormatKey + QString::number(n)); ++n)
        ok = ini.DeleteKey(kSection, kFormatKey + QString::number(n)) && ok;
    return ok;
}

int TListFormatu::find(int width, int height)
{
    // Index 0 ("Uživat.") stands for a size of the user's own and is never
    // matched: a report of A4 size finds "A4".
    for (int i = 1; i < count(); ++i) {
        if (withinOnePercent(at(i).width, width) && withinOnePercent(at(i).height, height))
            return i;
    }
    return append(TFormatPapiru{newUserFormatName(), width, height});
}

int TListFormatu::append(const TFormatPapiru &format)
{
    m_formats.push_back(format);
    return count() - 1;
}

bool TListFormatu::removeUserFormat(int index)
{
    if (!isUserFormat(index) || index >= count())
        return false;
    m_formats.erase(m_formats.begin() + index);
    return true;
}
