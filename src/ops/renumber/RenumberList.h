#pragma once

#include "common/MemTable.h"

#include <QString>

#include <functional>

class OperationProgress;
class OperationSession;

// Which documents a renumbering works on: cash documents (`POKLKNIH`) or
// internal documents (`INTDOKL`).
enum class RenumberModule { Cash = 1, Internal = 2 };

namespace RenumberModules {
QString tableName(RenumberModule module);     // "POKLKNIH", "INTDOKL"
QString moduleText(RenumberModule module);    // "pokladní doklady", "interní doklady"
QString journalSource(RenumberModule module); // "PK", "ID": journal, EET and address-book kind code
} // namespace RenumberModules

// The state of one list window, valid while the window lives; the proposal,
// the blocking checks and the write-back read and set it.
struct RenumberState
{
    RenumberModule module = RenumberModule::Cash;
    QString seriesPrefix; // the chosen series with its placeholders replaced, upper-cased
    bool leadingZeros = false;
    int digitCount = 0;
    QString sortField; // the field the list is sorted by, without the trailing RecNo
    bool proposalExists = false;
    bool hasLockedDocument = false;
    bool beforeClosingDate = false;
    bool inFiledVatPeriod = false;
    bool hasEetDocument = false;
    int renumberedCount = 0;
};

// The document list `mtDoklady`: one row per listed document (RecNo, Doklad,
// DokladPuv, Cislo, DatVyst, DatUcPr, DatPlat, DatPln, UcetPokl, AdNazev,
// Celkem, Popis, Vydej, Str30Free, Uzamceni, Sufix, SufixPuv, Nove, XDoklad).
// Every field exists for both modules (the fields a module does not fill stay
// empty); the grid columns are the visible fields in field order, with the
// module's captions and widths (internal documents show `DatUcPr` as "Dat.
// vystavení" in a single-entry year).
void defineRenumberList(MemTable &list, RenumberModule module, bool doubleEntry);

// Reads the listed documents of one series into the list: opens the module's
// table of `yearDir` and walks it in its natural order (no index). A record is listed when its
// "Doklad" is not empty, its "Del" is not true and its upper-cased "Doklad"
// begins with `seriesPrefix`. The session's progress shows the bar; every
// tenth listed record lets the message queue run, and the load stops after a
// listed record once the interrupt flag is set.
class RenumberListLoader
{
public:
    RenumberListLoader(OperationSession &session, RenumberModule module, const QString &seriesPrefix);

    // 0 when every record was read; -1 when the table did not open (the
    // error shown) or the user interrupted the load (silently). The table is
    // the load's own and closed again in every case.
    int load(MemTable &list);

private:
    OperationSession &m_session;
    RenumberModule m_module;
    QString m_seriesPrefix;
    bool m_interrupted = false;
};

// What the rules need of the list window: its marks and its grid.
class RenumberListView
{
public:
    virtual ~RenumberListView() = default;
    virtual int markCount() const = 0;
    virtual bool isMarked(int row) const = 0; // a row of the list's current order
    // Suspends the grid's repainting while rows are rewritten, and resumes it.
    virtual void suspendRepaint(bool suspended) = 0;
    // The list window's buttons (busy: all four work buttons disabled).
    virtual void updateListButtons(bool busy) = 0;
};

// The grid's repainting suspended for the guard's lifetime, while rows are
// rewritten; resumed on every way out. Pauses nest: the inner one resumes
// repainting as the host's own code does, the outer one resumes it again.
class RepaintPause
{
public:
    explicit RepaintPause(RenumberListView &view) : m_view(view) { m_view.suspendRepaint(true); }
    ~RepaintPause() { resume(); }
    RepaintPause(const RepaintPause &) = delete;
    RepaintPause &operator=(const RepaintPause &) = delete;

    // Resumes repainting before the guard ends (before a message the user
    // reads over the list); the destructor then does nothing.
    void resume()
    {
        if (m_paused) {
            m_paused = false;
            m_view.suspendRepaint(false);
        }
    }

private:
    RenumberListView &m_view;
    bool m_paused = true;
};

// Writes `XDoklad` = 1, 2, 3 … in the list's current order, under the working
// overlay "Změna třídění"; an empty list is left untouched.
void numberAuxiliaryOrder(MemTable &list, OperationProgress &progress);

// Gives every row its host number back (`Doklad` := `DokladPuv`, `Sufix` :=
// `SufixPuv`, `Nove` := false) and clears the proposal. The order and
// `XDoklad` stay as they are.
void revertProposalRows(MemTable &list, RenumberState &state);

// The list's sort fields without the ";RecNo" that keeps equal values in the
// host's order (case ignored): the field the list is sorted by.
QString sortFieldOf(const MemTable &list);
