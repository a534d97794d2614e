#include "report/core/designer/ReportSetup.h"

#include "report/core/model/UserFunctions.h"

#include <vector>

namespace {

ReportSetup::Section sectionOf(const TOddilSestavy *section)
{
    ReportSetup::Section values;
    if (section) {
        values.visible = section->visible;
        values.height = section->height;
    }
    return values;
}

void setSection(TOddilSestavy *section, const ReportSetup::Section &values)
{
    if (!section)
        return;
    section->visible = values.visible;
    section->height = values.height;
}

// The new number of every old group (-1: removed).
std::vector<int> groupMapping(const ReportSetup &setup, int oldCount)
{
    std::vector<int> mapping(size_t(oldCount), -1);
    for (size_t i = 0; i < setup.groups.size(); ++i) {
        const int source = setup.groups[i].source;
        if (source >= 0 && source < oldCount)
            mapping[size_t(source)] = int(i);
    }
    return mapping;
}

// A group system variable of an old group moved to its new number; a removed
// group's variable falls back to the plain row number (the element stays
// printable instead of pointing past the groups).
int movedSystemVariable(int reference, const std::vector<int> &mapping)
{
    if (reference < SystemVariable::FirstGroup)
        return reference;
    const int group = (reference - SystemVariable::FirstGroup) / 2;
    const bool isCount = (reference - SystemVariable::FirstGroup) % 2 == 1;
    if (group >= int(mapping.size()))
        return reference;
    const int target = mapping[size_t(group)];
    if (target < 0)
        return SystemVariable::RowNumber;
    return isCount ? SystemVariable::groupCount(target) : SystemVariable::rowInGroup(target);
}

} // namespace

ReportSetup ReportSetup::fromReport(const TSestavaTyp &report)
{
    ReportSetup setup;
    setup.printCopies = report.printCopies();
    setup.startPage = report.startPage();
    setup.endPage = report.endPage();
    setup.maxRecords = report.maxRecords();
    setup.popis = report.popis();
    setup.page = pageSetup();
    const ReportModel &model = report.model();
    setup.settings = model.settings();
    for (int id = 0; id < TOddilSestavy::FixedCount; ++id)
        setup.sections[size_t(id)] = sectionOf(model.sections().find(id));
    for (int i = 0; i < model.groups().count(); ++i) {
        const TPolSkup &group = model.groups().at(i);
        Group values;
        values.source = i;
        values.fieldIndex = group.fieldIndex;
        values.fieldName = group.fieldName;
        values.newPage = group.newPage;
        values.header = sectionOf(group.header);
        values.footer = sectionOf(group.footer);
        setup.groups.push_back(values);
    }
    return setup;
}

ReportSetup::Group &ReportSetup::addGroup(int fieldIndex)
{
    Group group;
    group.fieldIndex = fieldIndex;
    group.header.height = 20;
    group.footer.height = 20;
    groups.push_back(group);
    return groups.back();
}

bool ReportSetup::removeGroup(int index)
{
    if (index < 0 || index >= int(groups.size()))
        return false;
    groups.erase(groups.begin() + index);
    return true;
}

int ReportSetup::elementCount(const ReportModel &model, int index) const
{
    if (index < 0 || index >= int(groups.size()))
        return 0;
    const int source = groups[size_t(index)].source;
    if (source < 0 || source >= model.groups().count())
        return 0;
    const TPolSkup &group = model.groups().at(source);
    return (group.header ? group.header->count() : 0) + (group.footer ? group.footer->count() : 0);
}

void ReportSetup::applyTo(TSestavaTyp &report) const
{
    report.setPrintCopies(printCopies);
    report.setStartPage(startPage);
    report.setEndPage(endPage);
    report.setMaxRecords(maxRecords);
    report.setPopis(popis);
    pageSetup() = page;
    ReportModel &model = report.model();
    model.settings() = settings;
    for (int id = 0; id < TOddilSestavy::FixedCount; ++id) {
        TOddilSestavy *section = model.sections().find(id);
        setSection(section, sections[size_t(id)]);
        if (section) {
            section->columns = settings.printColumns;
            section->columnGap = settings.columnGap;
        }
    }
    applyGroupsTo(model);
}

void ReportSetup::applyGroupsTo(ReportModel &model) const
{
    // Groups: the kept ones move to their new numbers, the removed ones go
    // with their sections and elements, the new ones are appended.
    TListSkupin &oldGroups = model.groups();
    const int oldCount = oldGroups.count();
    const std::vector<int> mapping = groupMapping(*this, oldCount);
    for (int i = 0; i < model.sections().count(); ++i) {
        TOddilSestavy &section = model.sections().at(i);
        for (int e = 0; e < section.count(); ++e) {
            TRastelReportElement &element = section.at(e);
            if (element.kind == ElementKind::SystemVariable)
                element.reference = movedSystemVariable(element.reference, mapping);
        }
    }
    for (int f = 0; f < model.functions().count(); ++f) {
        TRadekFunkce &function = model.functions().at(f);
        const int group = function.resetPoint - TRadekFunkce::resetPerGroup(0);
        if (group >= 0 && group < oldCount) {
            const int target = mapping[size_t(group)];
            // A function reset by a removed group is reset once per report.
            function.resetPoint = target < 0 ? int(TRadekFunkce::ResetPerReport) : TRadekFunkce::resetPerGroup(target);
        }
    }

    // Take the old groups' sections out, then rebuild the group list.
    struct Kept
    {
        TOddilSestavy *header;
        TOddilSestavy *footer;
    };
    std::vector<Kept> old;
    old.reserve(size_t(oldCount));
    for (int i = 0; i < oldCount; ++i)
        old.push_back({oldGroups.at(i).header, oldGroups.at(i).footer});
    for (int i = 0; i < oldCount; ++i) {
        if (mapping[size_t(i)] < 0) {
            model.sections().remove(old[size_t(i)].header);
            model.sections().remove(old[size_t(i)].footer);
        }
    }
    oldGroups.clear();
    for (size_t i = 0; i < groups.size(); ++i) {
        const Group &values = groups[i];
        TPolSkup *group = nullptr;
        if (values.source >= 0 && values.source < oldCount) {
            group = &oldGroups.add();
            group->header = old[size_t(values.source)].header;
            group->footer = old[size_t(values.source)].footer;
            group->header->id = TOddilSestavy::groupHeaderId(group->number);
            group->footer->id = TOddilSestavy::groupFooterId(group->number);
        } else {
            group = &model.addGroup(values.fieldIndex, values.fieldName);
        }
        group->fieldIndex = values.fieldIndex;
        group->fieldName = values.fieldName;
        group->newPage = values.newPage;
        setSection(group->header, values.header);
        setSection(group->footer, values.footer);
        for (TOddilSestavy *section : {group->header, group->footer}) {
            section->columns = settings.printColumns;
            section->columnGap = settings.columnGap;
        }
    }
}
