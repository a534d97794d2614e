#include "report/core/model/ReportSections.h"

using namespace Qt::StringLiterals;

// ---------------------------------------------------------------- TOddilSestavy

TOddilSestavy::TOddilSestavy(const TOddilSestavy &other)
    : id(other.id), height(other.height), stored(other.stored), visible(other.visible), columns(other.columns),
      columnGap(other.columnGap)
{
    m_elements.reserve(other.m_elements.size());
    for (const auto &element : other.m_elements)
        m_elements.push_back(std::make_unique<TRastelReportElement>(*element));
}

TOddilSestavy &TOddilSestavy::operator=(const TOddilSestavy &other)
{
    if (this != &other)
        *this = TOddilSestavy(other);
    return *this;
}

TRastelReportElement &TOddilSestavy::addElement()
{
    m_elements.push_back(std::make_unique<TRastelReportElement>());
    return *m_elements.back();
}

TRastelReportElement &TOddilSestavy::addElement(TRastelReportElement element)
{
    m_elements.push_back(std::make_unique<TRastelReportElement>(std::move(element)));
    return *m_elements.back();
}

QString TOddilSestavy::caption(int sectionId)
{
    switch (sectionId) {
    case ReportHeader:
        return u"Začátek sestavy"_s;
    case PageHeader:
        return u"Hlava stránky"_s;
    case Body:
        return u"Tělo sestavy"_s;
    case ReportFooter:
        return u"Konec sestavy"_s;
    case PageFooter:
        return u"Pata stránky"_s;
    default:
        return sectionId >= FirstGroup && (sectionId - FirstGroup) % 2 == 0 ? u"Začátek skupiny"_s : u"Konec skupiny"_s;
    }
}

// ---------------------------------------------------------------- TListOddilu

TListOddilu::TListOddilu()
{
    for (int id = 0; id < TOddilSestavy::FixedCount; ++id)
        add(id);
}

TListOddilu::TListOddilu(const TListOddilu &other)
{
    m_sections.reserve(other.m_sections.size());
    for (const auto &section : other.m_sections)
        m_sections.push_back(std::make_unique<TOddilSestavy>(*section));
}

TListOddilu &TListOddilu::operator=(const TListOddilu &other)
{
    if (this != &other)
        *this = TListOddilu(other);
    return *this;
}

TOddilSestavy *TListOddilu::find(int sectionId) const
{
    for (const auto &section : m_sections) {
        if (section->id == sectionId)
            return section.get();
    }
    return nullptr;
}

int TListOddilu::indexOf(const TOddilSestavy *section) const
{
    for (size_t i = 0; i < m_sections.size(); ++i) {
        if (m_sections[i].get() == section)
            return int(i);
    }
    return -1;
}

TOddilSestavy &TListOddilu::add(int sectionId)
{
    m_sections.push_back(std::make_unique<TOddilSestavy>(sectionId));
    return *m_sections.back();
}

void TListOddilu::remove(const TOddilSestavy *section)
{
    const int index = indexOf(section);
    if (index >= 0)
        m_sections.erase(m_sections.begin() + index);
}
