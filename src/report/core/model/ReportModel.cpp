#include "report/core/model/ReportModel.h"

ReportModel::ReportModel(const ReportModel &other)
    : m_sections(other.m_sections), m_functions(other.m_functions), m_settings(other.m_settings),
      m_description(other.m_description), m_page(other.m_page)
{
    // The groups point at the copy's sections, at the same positions.
    for (int g = 0; g < other.m_groups.count(); ++g) {
        const TPolSkup &source = other.m_groups.at(g);
        TPolSkup &group = m_groups.add();
        group = source;
        const int header = other.m_sections.indexOf(source.header);
        const int footer = other.m_sections.indexOf(source.footer);
        group.header = header >= 0 ? &m_sections.at(header) : nullptr;
        group.footer = footer >= 0 ? &m_sections.at(footer) : nullptr;
    }
}

ReportModel &ReportModel::operator=(const ReportModel &other)
{
    if (this != &other)
        *this = ReportModel(other);
    return *this;
}

TPolSkup &ReportModel::addGroup(int fieldIndex, const QString &fieldName)
{
    TPolSkup &group = m_groups.add();
    group.fieldIndex = fieldIndex;
    group.fieldName = fieldName;
    group.header = &m_sections.add(TOddilSestavy::groupHeaderId(group.number));
    group.footer = &m_sections.add(TOddilSestavy::groupFooterId(group.number));
    for (TOddilSestavy *section : {group.header, group.footer}) {
        section->stored = 50;
        section->columns = m_settings.printColumns;
        section->columnGap = m_settings.columnGap;
    }
    return group;
}

void ReportModel::clear()
{
    for (int i = 0; i < m_sections.count(); ++i)
        m_sections.at(i).clearElements();
    while (m_groups.count() > 0) {
        const TPolSkup &group = m_groups.at(m_groups.count() - 1);
        m_sections.remove(group.header);
        m_sections.remove(group.footer);
        m_groups.removeLast();
    }
}
