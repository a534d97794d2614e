#pragma once

#include "RenumberFixture.h"
#include "ops/renumber/RenumberWriteBack.h"

#include <QStringList>

#include <vector>

// A renumbering write-back over the fixture's company: the year list of the
// company, a settings directory for the protocol file, and a proposal set
// straight into the list.
class WriteBackTest : public RenumberTest
{
public:
    // One field of every record of a table, in record-number order.
    static QStringList values(const QString &path, const QString &field);

protected:
    WriteBackTest();

    // Loads the series "PD" of the module sorted by date, and gives the rows
    // these numbers in the list's order (an empty text: the row keeps its
    // number and is not proposed), as a proposal does: `Doklad` and `Sufix`
    // from the number, `Nove` true.
    void propose(const std::vector<const char *> &numbers, RenumberModule module = RenumberModule::Cash);
    // "Přečíslovat" confirmed with "Ano": the write-back's result.
    int renumber();
    // The year list as the wizard rebuilds it before an operation.
    void loadYears();

    // The lines of the protocol after its head (the 11 lines before the
    // first document line).
    QStringList protocolBody() const;
    // The protocol file's lines.
    QStringList protocolFile() const;

    RenumberWriteBack m_writeBack{m_session, m_list, m_state};
};
