#include "ops/seqcheck/SequenceCheckWindow.h"

#include "app/core/ProgressGuards.h"
#include "common/UiSeam.h"
#include "common/widgets/DialogParts.h"
#include "ops/seqcheck/SequenceCheck.h"
#include "ops/seqcheck/SeriesListWindow.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TfrmKontrPosloupnosti::TfrmKontrPosloupnosti(OperationSession &session, QWidget *parent)
    : QDialog(parent), m_session(session)
{
    setObjectName(u"TfrmKontrPosloupnosti"_s);
    setWindowTitle(u"Kontrola posloupnosti číselných řad"_s);
    resize(560, 520);

    auto *layout = new QVBoxLayout(this);
    // The bold "[detaily]" stands in the gap the heading leaves for it.
    layout->addWidget(DialogParts::richTextLabel(
        u"Tato funkce kontroluje posloupnost číselných řad dokladů - jedná se pouze o informativní výpis, do dat "
        u"agendy nijak nezasahuje. Klepnutím na <b>[detaily]</b> lze nastavit počátek a konec kontroly pro "
        u"konkrétní číselnou řadu."_s,
        this));

    m_modules = new QGroupBox(u"Zaškrtněte moduly, které chcete kontrolovat"_s, this);
    m_modules->setObjectName(u"gbModuly"_s);
    auto *grid = new QGridLayout(m_modules);
    for (int i = 0; i < kSequenceModuleCount; ++i) {
        const SequenceModule &module = sequenceModules()[size_t(i)];
        auto *check = new QCheckBox(QString::fromUtf16(module.caption), m_modules);
        check->setObjectName(QString::fromUtf16(module.checkBox));
        auto *link = new QLabel(u"[detaily]"_s, m_modules);
        link->setObjectName(QString::fromUtf16(module.link));
        link->setCursor(Qt::PointingHandCursor);
        // Blue while it can be clicked; a disabled link greys like any label.
        QPalette blue = link->palette();
        blue.setColor(QPalette::Active, QPalette::WindowText, Qt::blue);
        blue.setColor(QPalette::Inactive, QPalette::WindowText, Qt::blue);
        link->setPalette(blue);
        link->installEventFilter(this);
        // Two columns: modules 1-5 on the left, 6-9 on the right.
        const int row = i % 5;
        const int column = (i / 5) * 2;
        grid->addWidget(check, row, column);
        grid->addWidget(link, row, column + 1);
        m_checks[size_t(i)] = check;
        m_links[size_t(i)] = link;
        connect(check, &QCheckBox::clicked, this, &TfrmKontrPosloupnosti::updateLinks);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    layout->addWidget(m_modules);

    m_lblStatus = new QLabel(this);
    m_lblStatus->setObjectName(u"lblStatus"_s);
    layout->addWidget(m_lblStatus);
    m_pbMain = new QProgressBar(this);
    m_pbMain->setObjectName(u"pbMain"_s);
    m_pbMain->setRange(0, 100);
    m_pbMain->setValue(0);
    m_pbMain->setTextVisible(false);
    layout->addWidget(m_pbMain);

    layout->addWidget(
        DialogParts::richTextLabel(u"Klepnutím na tlačítko [OK] zahájíte kontrolu požadovaných číselných řad. "
                                   u"Výsledkem je textový protokol, který vypíše případná chybějící čísla dokladů."_s,
                                   this));
    layout->addWidget(DialogParts::richTextLabel(
        u"Chybějící čísla obvykle vznikají tehdy, když se systému nepodaří vrátit nepoužité číslo dokladu mezi volná "
        u"čísla (například po havárii počítače nebo výpadku sítě). Chybějící doklad lze v Ledra doplnit ručně: "
        u"založte nový doklad a do jeho čísla zapište chybějící číslo."_s,
        this));
    layout->addWidget(
        DialogParts::richTextLabel(u"<b>Upozornění:</b> aby kontrola zobrazovala přesné výsledky, je nutné správné "
                                   u"nastavení začátku a konce kontrolované číselné řady - viz [detaily]"_s,
                                   this));
    layout->addStretch();

    m_btnPrerusit = DialogParts::button(u"Přerušit"_s, u"btnPrerusit"_s, this);
    m_btnPrerusit->setAutoDefault(false);
    m_btnPrerusit->hide();
    const DialogParts::OkRow buttons = DialogParts::addOkStornoRow(this, layout, u"btnOk");
    buttons.row->insertWidget(0, m_btnPrerusit);
    m_btnOk = buttons.btnOK;
    m_btnStorno = buttons.btnClose;

    connect(m_btnOk, &QPushButton::clicked, this, &TfrmKontrPosloupnosti::runCheck);
    connect(m_btnPrerusit, &QPushButton::clicked, this, [this] { m_session.interruptRequested = true; });
}

TfrmKontrPosloupnosti::~TfrmKontrPosloupnosti() = default;

void TfrmKontrPosloupnosti::showModules()
{
    for (int i = 0; i < kSequenceModuleCount; ++i)
        m_checks[size_t(i)]->setChecked(m_setup.modules[size_t(i)]);
    updateLinks();
}

void TfrmKontrPosloupnosti::takeModules()
{
    for (int i = 0; i < kSequenceModuleCount; ++i)
        m_setup.modules[size_t(i)] = m_checks[size_t(i)]->isChecked();
}

void TfrmKontrPosloupnosti::updateLinks()
{
    for (int i = 0; i < kSequenceModuleCount; ++i)
        m_links[size_t(i)]->setEnabled(m_checks[size_t(i)]->isChecked());
}

void TfrmKontrPosloupnosti::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    updateLinks();
}

// The links: underlined under the mouse, a click opens the module's series.
bool TfrmKontrPosloupnosti::eventFilter(QObject *watched, QEvent *event)
{
    for (int i = 0; i < kSequenceModuleCount; ++i) {
        QLabel *link = m_links[size_t(i)];
        if (watched != link)
            continue;
        if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
            QFont font = link->font();
            font.setUnderline(event->type() == QEvent::Enter);
            link->setFont(font);
        } else if (event->type() == QEvent::MouseButtonRelease && link->isEnabled() &&
                   static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            openDetails(i + 1);
            return true;
        }
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmKontrPosloupnosti::openDetails(int module)
{
    MemTable &series = m_setup.mtCisRady();
    series.setFilter(seriesRowFilter(series, module));
    series.first();
    TfrmKontrPoslSeznam list(series, this);
    ui().execModal(list);
}

void TfrmKontrPosloupnosti::runCheck()
{
    takeModules();
    if (std::none_of(m_setup.modules.begin(), m_setup.modules.end(), [](bool on) { return on; })) {
        ui().information(u"Musíte zaškrtnout alespoň jeden modul."_s);
        return;
    }
    setRunning(true);
    m_session.runGuarded([&] { return runSequenceCheck(m_session, m_setup.mtCisRady(), m_setup.modules, *this); });
    hideProgress();
    setRunning(false);
}

void TfrmKontrPosloupnosti::setRunning(bool running)
{
    m_running = running;
    m_btnOk->setEnabled(!running);
    m_btnStorno->setEnabled(!running);
    m_modules->setEnabled(!running);
    m_btnPrerusit->setVisible(running);
}

// Closing the window while the check runs would pull its tables from under
// it: the close box waits like "Storno" does.
void TfrmKontrPosloupnosti::reject()
{
    if (!m_running)
        QDialog::reject();
}

void TfrmKontrPosloupnosti::showWorking(bool visible, const QString &text)
{
    m_session.progress().showWorking(visible, text);
}

void TfrmKontrPosloupnosti::startProgress(int maximum)
{
    m_pbMain->setRange(0, qMax(maximum, 0));
}

void TfrmKontrPosloupnosti::setProgress(int position, const QString &status)
{
    m_pbMain->setValue(position);
    if (!status.isNull())
        m_lblStatus->setText(status);
}

void TfrmKontrPosloupnosti::hideProgress()
{
    m_pbMain->setValue(0);
    m_lblStatus->clear();
}

int openSequenceCheck(OperationSession &session)
{
    const RunContext &context = session.runContext();
    WorkingOverlay working(session.progress(), u"Načtení seznamu\rčekejte prosím..."_s);
    auto window = std::make_unique<TfrmKontrPosloupnosti>(session);
    SequenceCheckSetup &setup = window->setup();
    setup.readSettings(context);
    window->showModules();
    if (setup.load(session) != 0)
        return -1;
    working.hide();
    ui().execModal(*window);

    window->takeModules();
    if (!setup.writeSettings(context))
        ui().warning(u"Nastavení kontroly nelze uložit do souboru "_s + context.configIniPath + u"."_s);
    return 0;
}
