#include "report/core/model/PageSetup.h"

void PageSetup::setOrientationCode(int code)
{
    if (code < 0)
        code = 0;
    orientation = (code & 1) ? Landscape : Portrait;
    allowOrientationChange = (code & 2) != 0;
}

PageSetup &pageSetup()
{
    static PageSetup setup;
    return setup;
}
