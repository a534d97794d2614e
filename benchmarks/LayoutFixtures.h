#pragma once

class MemTable;
class TSestava;

// The layout benchmark's reports, for the benchmarks that work on laid-out pages.
namespace LayoutFixtures {

// The protocol: 60,000 memo lines of variable height (about 1,000 pages),
// page header and footer with the page count.
void protocolModel(TSestava &report, MemTable &table);
// The model through its template text, as a run reads it (kept in Predloha).
void storeTemplate(TSestava &report);

} // namespace LayoutFixtures
