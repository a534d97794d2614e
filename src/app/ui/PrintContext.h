#pragma once

#include "app/core/RunContext.h"
#include "print/PrintSettings.h"

// Where the print dialog finds its templates and keeps its choices.
inline TiskContext printContext(const RunContext &context)
{
    return TiskContext{context.printFormsDir, context.configIniPath, context.agendaCode};
}
