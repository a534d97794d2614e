// A real write-back of cash documents in a process of its own, for the test
// that kills it part-way: tarnek_renumber_child DATAROOT SETTINGSDIR. The
// company "001", year "2018" of the data root; every document of the series
// "PD" gets the number its "Cislo" plus the document count gives (no new
// number equals an old one). Boxes are answered (Yes, OK) and go to standard
// error.

#include "app/core/OperationSession.h"
#include "app/core/YearList.h"
#include "common/UiSeam.h"
#include "ops/renumber/RenumberWriteBack.h"
#include "support/AnsweringUi.h"
#include "support/FakeSession.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

namespace {

class NoView final : public RenumberListView
{
public:
    int markCount() const override { return 0; }
    bool isMarked(int) const override { return false; }
    void suspendRepaint(bool) override {}
    void updateListButtons(bool) override {}
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    AnsweringUi seam;
    UiSeam::setCurrent(&seam);
    RunContext context;
    context.dataRoot = QString::fromLocal8Bit(argv[1]);
    context.agendaDir = context.dataRoot + u"AGENDA.001/"_s;
    context.yearDir = context.agendaDir + u"ROK.2018/"_s;
    context.settingsDir = QString::fromLocal8Bit(argv[2]);
    context.agendaCode = u"001"_s;
    context.yearCode = u"2018"_s;
    RecordingProgress progress;
    OperationSession session(context, progress);
    if (loadYearList(context.agendaDir, session.mtYear) != 0)
        return 3;

    MemTable list(u"mtDoklady"_s);
    defineRenumberList(list, RenumberModule::Cash, true);
    if (RenumberListLoader(session, RenumberModule::Cash, u"PD"_s).load(list) != 0)
        return 4;
    RenumberState state;
    state.seriesPrefix = u"PD"_s;
    state.proposalExists = true;
    const int count = list.recordCount();
    for (int row = 0; row < count; ++row) {
        const int counter = list.value(row, list.fieldIndex(u"Cislo"_s)).toInt() + count;
        list.setValue(row, list.fieldIndex(u"Doklad"_s), u"PD%1"_s.arg(counter, 6, 10, QChar(u'0')));
        list.setValue(row, list.fieldIndex(u"Sufix"_s), counter);
        list.setValue(row, list.fieldIndex(u"Nove"_s), true);
    }
    RenumberWriteBack writeBack(session, list, state);
    NoView view;
    const int result = writeBack.renumber(view, u"Prefix PD pokladní doklady"_s);
    UiSeam::setCurrent(nullptr);
    return result == 0 ? 0 : 1;
}
