#pragma once

#include "report/core/model/ReportElement.h"

#include <QString>

#include <memory>
#include <vector>

// A section of the report: the five fixed ones and two per group. Its
// elements keep their addresses while others are added or removed; a copy
// copies them.
class TOddilSestavy
{
public:
    enum Id { ReportHeader = 0, PageHeader = 1, Body = 2, ReportFooter = 3, PageFooter = 4, FirstGroup = 5 };
    static constexpr int FixedCount = 5;

    explicit TOddilSestavy(int sectionId) : id(sectionId) {}
    TOddilSestavy(const TOddilSestavy &other);
    TOddilSestavy &operator=(const TOddilSestavy &other);
    TOddilSestavy(TOddilSestavy &&) noexcept = default;
    TOddilSestavy &operator=(TOddilSestavy &&) noexcept = default;
    ~TOddilSestavy() = default;

    int id;
    int height = 0;
    int stored = 0; // 50 for group sections, no further use
    bool visible = true;
    int columns = 1;
    int columnGap = 0;

    int count() const { return int(m_elements.size()); }
    TRastelReportElement &at(int index) const { return *m_elements.at(size_t(index)); }
    // A new element at the end (drawn over the others).
    TRastelReportElement &addElement();
    // `element` at the end.
    TRastelReportElement &addElement(TRastelReportElement element);
    void removeElement(int index) { m_elements.erase(m_elements.begin() + index); }
    void clearElements() { m_elements.clear(); }

    // 5 + 2g header of group g, 6 + 2g its footer.
    static int groupHeaderId(int group) { return FirstGroup + 2 * group; }
    static int groupFooterId(int group) { return FirstGroup + 1 + 2 * group; }
    // "Začátek sestavy", "Hlava stránky", … "Začátek skupiny", "Konec skupiny".
    static QString caption(int sectionId);

private:
    std::vector<std::unique_ptr<TRastelReportElement>> m_elements;
};

// The sections in list order: ids 0-4 at positions 0-4, then the groups'.
// Sections keep their addresses while others are added or removed; a copy
// copies them.
class TListOddilu
{
public:
    TListOddilu();
    TListOddilu(const TListOddilu &other);
    TListOddilu &operator=(const TListOddilu &other);
    TListOddilu(TListOddilu &&) noexcept = default;
    TListOddilu &operator=(TListOddilu &&) noexcept = default;
    ~TListOddilu() = default;

    int count() const { return int(m_sections.size()); }
    TOddilSestavy &at(int index) const { return *m_sections.at(size_t(index)); }
    // The section with that id, nullptr when none.
    TOddilSestavy *find(int sectionId) const;
    // The position of the section in the list, -1 when it is not one of them.
    int indexOf(const TOddilSestavy *section) const;
    TOddilSestavy &add(int sectionId);
    void remove(const TOddilSestavy *section);

private:
    std::vector<std::unique_ptr<TOddilSestavy>> m_sections;
};
