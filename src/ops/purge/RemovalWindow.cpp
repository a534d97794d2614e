#include "ops/purge/RemovalWindow.h"

#include "app/core/HostIniFiles.h"
#include "app/core/RightsCheck.h"
#include "app/ui/IrreversibleWarning.h"
#include "common/UiSeam.h"
#include "common/widgets/DialogParts.h"
#include "ops/purge/RemovalRun.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QLabel *wrappedLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

TfrmOdstraneniSmaz::TfrmOdstraneniSmaz(OperationSession &session, bool stockLinesOffered, QWidget *parent)
    : QDialog(parent), m_session(session)
{
    setObjectName(u"TfrmOdstraneniSmaz"_s);
    setWindowTitle(u"Odstranění smazaných záznamů"_s);
    auto *layout = new QVBoxLayout(this);

    m_gbModuly = new QGroupBox(u"Zaškrtněte moduly, ve kterých chcete odstranit smazané záznamy"_s, this);
    m_gbModuly->setObjectName(u"gbModuly"_s);
    auto *modules = new QGridLayout(m_gbModuly);
    for (int i = 0; i < kRemovalModuleCount; ++i) {
        const RemovalModule &module = kRemovalModules.at(size_t(i));
        auto *box = new QCheckBox(QString::fromUtf16(module.caption), m_gbModuly);
        box->setObjectName(QString::fromUtf16(module.checkBox));
        modules->addWidget(box, i % 4, i / 4);
        m_moduleBoxes.at(size_t(i)) = box;
    }
    m_chckZauctSklad = new QCheckBox(u"skladové doklady (zaúčtování)"_s, m_gbModuly);
    m_chckZauctSklad->setObjectName(u"chckZauctSklad"_s);
    m_chckZauctSklad->setVisible(stockLinesOffered);
    modules->addWidget(m_chckZauctSklad, 3, 1);
    layout->addWidget(m_gbModuly);

    layout->addWidget(wrappedLabel(u"Volné řádky vznikají v účetním/peněžním deníku při opětovném zaúčtování "
                                   u"dokladu a Ledra je zobrazuje šedě. Odstraní se bez ohledu na zaškrtnuté moduly."_s,
                                   this));
    m_chckOdstranitVolne = new QCheckBox(u"odstranit všechny volné řádky v účetním/peněžním deníku"_s, this);
    m_chckOdstranitVolne->setObjectName(u"chckOdstranitVolne"_s);
    layout->addWidget(m_chckOdstranitVolne);
    m_chckTest = new QCheckBox(u"testovací režim (neodstraňuje žádné záznamy, pouze vypíše protokol)"_s, this);
    m_chckTest->setObjectName(u"chckTest"_s);
    m_chckTest->setChecked(true);
    layout->addWidget(m_chckTest);

    auto *warningHeading = new QLabel(u"<b>Varování:</b>"_s, this);
    warningHeading->setObjectName(u"lblVarovani"_s);
    layout->addWidget(warningHeading);
    layout->addWidget(
        wrappedLabel(u"Tato funkce ve zvolených modulech odstraní záznamy smazané v Ledra (zobrazené "
                     u"modře přeškrtnuté) včetně všech jejich položek a zaúčtování. Operace je "
                     u"nevratná - nepokračujte dále, pokud nemáte vytvořenou aktuální zálohu dat Ledra!"_s,
                     this));

    m_lblStatus = new QLabel(u"Operaci spustíte tlačítkem [OK]"_s, this);
    m_lblStatus->setObjectName(u"lblStatus"_s);
    layout->addWidget(m_lblStatus);
    m_pbMain = new QProgressBar(this);
    m_pbMain->setObjectName(u"pbMain"_s);
    m_pbMain->setRange(0, 100);
    m_pbMain->setValue(0);
    layout->addWidget(m_pbMain);

    const DialogParts::OkRow buttons = DialogParts::addOkStornoRow(this, layout);
    m_btnOK = buttons.btnOK;
    m_btnStorno = buttons.btnClose;
    // Enter on a focused "Storno" cancels here; it never starts the removal.
    m_btnStorno->setAutoDefault(true);
    m_btnPrerusit = DialogParts::button(u"Přerušit"_s, u"btnPrerusit"_s, this);
    m_btnPrerusit->hide();
    buttons.row->addWidget(m_btnPrerusit);

    connect(m_btnOK, &QPushButton::clicked, this, &TfrmOdstraneniSmaz::okClicked);
    connect(m_btnPrerusit, &QPushButton::clicked, this, &TfrmOdstraneniSmaz::interruptClicked);
}

TfrmOdstraneniSmaz::~TfrmOdstraneniSmaz() = default;

void TfrmOdstraneniSmaz::reject()
{
    // Esc and the close box wait for the run to end, like "Storno".
    if (!m_running)
        QDialog::reject();
}

RemovalOptions TfrmOdstraneniSmaz::chosenOptions() const
{
    RemovalOptions options;
    for (size_t i = 0; i < m_moduleBoxes.size(); ++i)
        options.modules.at(i) = m_moduleBoxes.at(i)->isChecked();
    options.stockLines = !m_chckZauctSklad->isHidden() && m_chckZauctSklad->isChecked();
    options.freeLines = m_chckOdstranitVolne->isChecked();
    options.testMode = m_chckTest->isChecked();
    return options;
}

void TfrmOdstraneniSmaz::okClicked()
{
    const RemovalOptions options = chosenOptions();
    if (!options.anyChosen()) {
        ui().information(u"Musíte zaškrtnout alespoň jeden modul."_s);
        return;
    }
    if (!options.testMode &&
        !ui().askBeforeIrreversible(
            u"Opravdu chcete odstranit záznamy v Ledra podle zadání?\r\rVAROVÁNÍ: tato operace je nevratná!"_s))
        return;

    setRunning(true);
    {
        RemovalRun run(m_session, *this, options);
        m_session.runGuarded([&] { return run.runRemoval(); });
    }
    setRunning(false);
}

void TfrmOdstraneniSmaz::interruptClicked()
{
    if (ui().askYesNo(MessageKind::Confirmation, u"Opravdu chcete přerušit právě probíhající operaci?"_s))
        m_session.interruptRequested = true;
}

void TfrmOdstraneniSmaz::setRunning(bool running)
{
    m_running = running;
    m_btnOK->setEnabled(!running);
    m_btnStorno->setEnabled(!running);
    m_gbModuly->setEnabled(!running);
    m_chckOdstranitVolne->setEnabled(!running);
    m_chckTest->setEnabled(!running);
    m_btnPrerusit->setVisible(running);
}

void TfrmOdstraneniSmaz::showWorking(bool, const QString &)
{
    // The window's own status label says what the run is doing.
}

void TfrmOdstraneniSmaz::startProgress(int maximum)
{
    m_pbMain->setRange(0, std::max(maximum, 1));
    m_pbMain->setValue(0);
}

void TfrmOdstraneniSmaz::setProgress(int position, const QString &status)
{
    m_pbMain->setValue(std::min(position, m_pbMain->maximum()));
    if (!status.isNull())
        m_lblStatus->setText(status);
}

void TfrmOdstraneniSmaz::hideProgress()
{
    m_pbMain->setValue(0);
}

int openRemoval(OperationSession &session)
{
    const RunContext &context = session.runContext();
    if (isBranchExchange(context.agendaDir)) {
        ui().warning(u"Aktuální agenda je centrála nebo pobočka. Tuto funkci nelze použít při pobočkovém "
                     u"zpracování dat."_s);
        return -1;
    }
    if (!confirmIrreversible())
        return -1;
    if (testRights(context, 2) != 0)
        return -1;
    TfrmOdstraneniSmaz window(session, isDoubleEntry(context.yearDir) && postsStockMovements(context.yearDir));
    ui().execModal(window);
    return 0;
}
