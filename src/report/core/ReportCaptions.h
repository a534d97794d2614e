#pragma once

#include <QString>

// Captions of the report generator's message boxes.
namespace SestCaption {
inline QString chyba()
{
    return QStringLiteral("Chyba");
}
inline QString informace()
{
    return QStringLiteral("Informace");
}
inline QString potvrzeni()
{
    return QStringLiteral("Potvrzení");
}
inline QString varovani()
{
    return QStringLiteral("Varování");
}
} // namespace SestCaption
