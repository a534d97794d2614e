#pragma once

#include "report/core/Report.h"
#include "report/core/model/PageSetup.h"

#include <QString>

#include <array>
#include <vector>

// The working values of the report settings window ("Nastavení parametrů
// sestavy"): everything of the template header the window edits, taken from
// a report, changed freely, and applied back in one step on OK.
struct ReportSetup
{
    struct Section
    {
        bool visible = true;
        int height = 0;
        friend bool operator==(const Section &, const Section &) = default;
    };

    struct Group
    {
        int source = -1;    // the report's group it was taken from; -1: a new group
        int fieldIndex = 0; // the data field that defines the group
        QString fieldName;  // followed by name when not empty ("Skupinová položka podle názvu")
        bool newPage = false;
        Section header;
        Section footer;
        friend bool operator==(const Group &, const Group &) = default;
    };

    // ---- "Sestava"
    int printCopies = 1;
    int startPage = 1;
    int endPage = 9999;
    int maxRecords = 0;
    QString popis;
    // ---- "Papír" (process-wide), "Rastr", pagination and columns
    PageSetup page;
    ReportOptions settings;
    // ---- "Oddíly": the five fixed sections by id
    std::array<Section, 5> sections{};
    // ---- "Skupiny", from the outermost
    std::vector<Group> groups;

    static ReportSetup fromReport(const TSestavaTyp &report);
    // Writes the values into the report, its model and the process-wide page setup.
    // Groups no longer listed are removed with their sections and elements;
    // the later groups move up (their sections, the group system variables
    // of the elements and the functions reset per group follow them).
    void applyTo(TSestavaTyp &report) const;
    // The "Skupiny" part of applyTo alone: the model's groups become the
    // listed ones, with the same rules. The designer removes a group with it.
    void applyGroupsTo(ReportModel &model) const;

    // A new group (header and footer visible, 20 units high).
    Group &addGroup(int fieldIndex);
    // Removes group `index` from the list; false when there is none.
    bool removeGroup(int index);
    // How many elements the model holds in the sections of the group
    // (0 for a new group).
    int elementCount(const ReportModel &model, int index) const;

    friend bool operator==(const ReportSetup &, const ReportSetup &) = default;
};
