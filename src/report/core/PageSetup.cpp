#include "report/core/PageSetup.h"

void TPageSetup::setOrientationCode(int code)
{
    if (code < 0)
        code = 0;
    orientation = (code & 1) ? Landscape : Portrait;
    allowOrientationChange = (code & 2) != 0;
}

TPageSetup &pageSetup()
{
    static TPageSetup setup;
    return setup;
}
