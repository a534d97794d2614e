#pragma once

#include <QString>

#include <memory>
#include <vector>

class TOddilSestavy;

// One group of the report.
struct TPolSkup
{
    int number = 0;                  // position from 0; group 0 is the outermost
    int fieldIndex = 0;              // the data field that defines the group
    QString fieldName;               // the name the template gave; empty when it gave a number
    bool newPage = false;            // "Novou skupinu na novou stránku"
    TOddilSestavy *header = nullptr; // sections of the model that holds the group
    TOddilSestavy *footer = nullptr;
    QString lastValue;
    bool changed = false;
    int rowInGroup = 1;
    int groupCount = 1;
};

// The groups, named "Skupina " and their number from 1. Groups keep their
// addresses while others are added or removed. Not copied alone: a group's
// sections belong to the model (ReportModel copies both).
class TListSkupin
{
public:
    TListSkupin() = default;
    TListSkupin(const TListSkupin &) = delete;
    TListSkupin &operator=(const TListSkupin &) = delete;
    TListSkupin(TListSkupin &&) noexcept = default;
    TListSkupin &operator=(TListSkupin &&) noexcept = default;
    ~TListSkupin() = default;

    int count() const { return int(m_groups.size()); }
    TPolSkup &at(int index) const { return *m_groups.at(size_t(index)); }
    QString name(int index) const { return QStringLiteral("Skupina ") + QString::number(index + 1); }
    // A new group numbered after the others.
    TPolSkup &add();
    void removeLast() { m_groups.pop_back(); }
    void clear() { m_groups.clear(); }

private:
    std::vector<std::unique_ptr<TPolSkup>> m_groups;
};
