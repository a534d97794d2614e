#pragma once

#include "hostdb/HostTableDef.h"

#include <QList>
#include <QString>
#include <QStringView>

// The host tables Tarnek reads and writes: their fields (names exactly as the
// host defines them, a few padded with blanks to ten characters), kinds and
// sizes, the indexes Tarnek selects, and where each table lives. The one
// source for creating tables (demo data, test fixtures, the table tool).
namespace HostCatalogue {

const QList<HostTableDef> &tables();
// The table of that name (case ignored), nullptr when the catalogue has none.
const HostTableDef *find(QStringView name);
// The same; throws std::out_of_range for an unknown name.
const HostTableDef &table(QStringView name);

QString locationName(HostLocation location); // "data root", "agenda", "year"

} // namespace HostCatalogue
