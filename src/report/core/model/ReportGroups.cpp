#include "report/core/model/ReportGroups.h"

TPolSkup &TListSkupin::add()
{
    m_groups.push_back(std::make_unique<TPolSkup>());
    m_groups.back()->number = count() - 1;
    return *m_groups.back();
}
