#include "app/ui/MainWindow.h"

#include "app/core/HostVersion.h"
#include "app/core/RightsCheck.h"
#include "app/core/UpdateCheck.h"
#include "app/core/UpdateServer.h"
#include "app/core/YearList.h"
#include "app/ui/InformationWindow.h"
#include "app/ui/WizardArt.h"
#include "app/ui/WorkingOverlay.h"
#include "common/UiSeam.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// The dotted leader from an operation's caption to its safety marker.
class DottedLeader : public QWidget
{
public:
    explicit DottedLeader(QWidget *parent) : QWidget(parent) { setMinimumWidth(20); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::Mid), 1, Qt::DotLine));
        const int y = height() / 2 + 2;
        painter.drawLine(2, y, width() - 3, y);
    }
};

QLabel *wrappedLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

TfrmMain::TfrmMain(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint)
{
    setObjectName(u"TfrmMain"_s);
    setWindowTitle(u"Průvodce doplňku \"Tarnek\""_s);
    setFixedSize(kWidth, kHeight);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    m_session = std::make_unique<OperationSession>(m_runContext, static_cast<OperationProgress &>(*this));
    defineYearTable(m_session->mtYear);
    m_session->setProgramEnd([this] { endProgram(); });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_pgcMain = new QStackedWidget(this);
    m_pgcMain->setObjectName(u"pgcMain"_s);
    m_pgcMain->addWidget(createWelcomePage());
    m_pgcMain->addWidget(createOperationPage());
    layout->addWidget(m_pgcMain, 1);
    layout->addWidget(createButtonPanel());
    fitOperationRows();
    showPage(0);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // Brings the window to the front once, two seconds after it was first shown.
    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(u"Timer1"_s);
    m_timer1->setSingleShot(true);
    m_timer1->setInterval(2000);
    connect(m_timer1, &QTimer::timeout, this, &TfrmMain::bringToFront);

    m_frmWorking = std::make_unique<TfrmWorking>();
    m_frmFreeText = std::make_unique<TfrmFreeText>();
    m_frmFreeText->setRunContext(&m_runContext);
    m_session->setProtocolViewer([this](OperationProtocol &protocol) { return m_frmFreeText->showProtocol(protocol); });
}

TfrmMain::~TfrmMain() = default;

QWidget *TfrmMain::createWelcomePage()
{
    auto *page = new QWidget(this);
    page->setObjectName(u"tsVitejte"_s);
    auto *layout = new QHBoxLayout(page);
    layout->setContentsMargins(0, 0, 12, 0);
    layout->setSpacing(16);

    auto *picture = new QLabel(page);
    picture->setObjectName(u"imgVitejte"_s);
    picture->setAlignment(Qt::AlignTop);
    layout->addWidget(picture);

    auto *texts = new QVBoxLayout;
    texts->setContentsMargins(0, 16, 0, 8);
    texts->setSpacing(10);
    auto *title = new QHBoxLayout;
    auto *name = new QLabel(u"Tarnek"_s, page);
    QFont bold = name->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.6);
    name->setFont(bold);
    title->addWidget(name);
    title->addWidget(new QLabel(u"(zásuvný modul pro Ledra)"_s, page), 0, Qt::AlignBottom);
    title->addStretch();
    texts->addLayout(title);
    texts->addWidget(wrappedLabel(u"Pomocí tohoto externího modulu můžete provádět operace, které nejsou standardní "
                                  "součástí Ledra. Některé funkce jsou určeny pouze pro zkušené uživatele (správce "
                                  "systému, hlavní účetní, apod.)."_s,
                                  page));
    texts->addWidget(wrappedLabel(u"Chcete-li pokračovat, klepněte myší na tlačítko [Další]"_s, page));
    texts->addStretch();
    auto *version = new QHBoxLayout;
    version->addWidget(new QLabel(u"Verze modulu:"_s, page));
    m_lblVerze = new QLabel(page);
    m_lblVerze->setObjectName(u"lblVerze"_s);
    version->addWidget(m_lblVerze);
    version->addStretch();
    texts->addLayout(version);
    auto *link = new QLabel(page);
    link->setObjectName(u"lblStrankaProduktu"_s);
    link->setText(u"<a href=\"%1\">%1</a>"_s.arg(UpdateServer::productPageAddress()));
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(link, &QLabel::linkActivated, this, [](const QString &address) { ui().openDocument(address); });
    texts->addWidget(link);
    layout->addLayout(texts, 1);
    return page;
}

QWidget *TfrmMain::createOperationPage()
{
    auto *page = new QWidget(this);
    page->setObjectName(u"tsFinal"_s);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(12, 10, 12, 4);
    layout->setSpacing(6);
    auto *heading = new QLabel(u"Vyberte operaci, kterou chcete provést..."_s, page);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    layout->addWidget(heading);

    auto *scroll = new QScrollArea(page);
    scroll->setObjectName(u"sbOperace"_s);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::StyledPanel);
    auto *rows = new QWidget(scroll);
    rows->setBackgroundRole(QPalette::Base);
    // Every operation with its description fits the page without scrolling:
    // rows close together, descriptions a point smaller than the captions.
    auto *rowsLayout = new QVBoxLayout(rows);
    rowsLayout->setContentsMargins(6, 4, 6, 4);
    rowsLayout->setSpacing(0);
    for (const OperationRow &row : kOperationRows) {
        auto *line = new QHBoxLayout;
        auto *icon = new QLabel(rows);
        icon->setPixmap(WizardArt::operationIcon(row.operation, 18));
        auto *radio = new QRadioButton(QString::fromUtf16(row.caption), rows);
        radio->setObjectName(QString::fromUtf16(row.radioName));
        radio->setEnabled(false); // until the operation registers its entry
        connect(radio, &QRadioButton::toggled, this, [this] { updateOkButton(); });
        connect(radio, &QRadioButton::clicked, this, [this] { m_userSelected = true; });
        m_operationButtons[row.operation] = radio;
        auto *marker = new QLabel(rows);
        marker->setPixmap(WizardArt::safetyMarker(row.safe));
        line->addWidget(icon);
        line->addWidget(radio);
        line->addWidget(new DottedLeader(rows), 1);
        line->addWidget(marker);
        rowsLayout->addLayout(line);
        auto *description = wrappedLabel(QString::fromUtf16(row.description), rows);
        description->setObjectName(QString::fromUtf16(row.radioName) + u"Popis"_s);
        description->setContentsMargins(26, 0, 0, 3);
        QFont smaller = description->font();
        smaller.setPointSizeF(smaller.pointSizeF() - 1);
        description->setFont(smaller);
        QPalette grey = description->palette();
        grey.setColor(QPalette::WindowText, QColor(90, 90, 90));
        description->setPalette(grey);
        rowsLayout->addWidget(description);
    }
    rowsLayout->addStretch();
    scroll->setWidget(rows);
    layout->addWidget(scroll, 1);

    const auto legendRow = [&](bool safe, const QString &imageName, const QString &labelName, const QString &text) {
        auto *line = new QHBoxLayout;
        auto *image = new QLabel(page);
        image->setObjectName(imageName);
        image->setPixmap(WizardArt::safetyMarker(safe, 12));
        auto *label = new QLabel(text, page);
        label->setObjectName(labelName);
        label->setWordWrap(true);
        line->addWidget(image, 0, Qt::AlignTop);
        line->addWidget(label, 1);
        layout->addLayout(line);
        m_legend << image << label;
    };
    legendRow(true, u"imgBezpUpozorneniGreen"_s, u"lblBezpUpozorneniGreen"_s,
              u"- takto označené funkce nikdy nemění data v Ledra, jejich použití je naprosto bezpečné"_s);
    legendRow(false, u"imgBezpUpozorneniRed"_s, u"lblBezpUpozorneniRed"_s,
              u"- tyto operace by měl naopak provádět pouze zkušený uživatel, před použitím je navíc nutná záloha "
              "dat"_s);

    m_lblPBStatus = new QLabel(page);
    m_lblPBStatus->setObjectName(u"lblPBStatus"_s);
    m_lblPBStatus->hide();
    layout->addWidget(m_lblPBStatus);
    m_pbMain = new QProgressBar(page);
    m_pbMain->setObjectName(u"pbMain"_s);
    m_pbMain->setRange(0, 100);
    m_pbMain->setTextVisible(false);
    m_pbMain->hide();
    layout->addWidget(m_pbMain);
    return page;
}

// The host's wizard is 536 × 361; at that height its operation page cannot
// show the six operations with their descriptions without scrolling. The
// window keeps its width and grows to what the rows need, the welcome
// picture with it.
void TfrmMain::fitOperationRows()
{
    auto *box = findChild<QScrollArea *>(u"sbOperace"_s);
    const int frame = 2 * box->frameWidth();
    const QMargins page = box->parentWidget()->layout()->contentsMargins();
    box->setMinimumHeight(box->widget()->heightForWidth(kWidth - page.left() - page.right() - frame) + frame);
    const int height = std::max(kHeight, heightForWidth(kWidth));
    setFixedSize(kWidth, height);
    findChild<QLabel *>(u"imgVitejte"_s)->setPixmap(WizardArt::leftEdgePicture(120, height - (kHeight - 318)));
}

QWidget *TfrmMain::createButtonPanel()
{
    auto *panel = new QWidget(this);
    panel->setObjectName(u"panTlacitka"_s);
    panel->setAutoFillBackground(true);
    QPalette normal = QApplication::palette();
    panel->setPalette(normal);
    auto *layout = new QHBoxLayout(panel);
    layout->setContentsMargins(8, 8, 8, 8);
    m_btnPrerusit = new QPushButton(u"Přerušit"_s, panel);
    m_btnPrerusit->setObjectName(u"btnPrerusit"_s);
    m_btnPrerusit->hide();
    layout->addWidget(m_btnPrerusit);
    layout->addStretch();
    m_btnZpet = new QPushButton(u"< Zpět"_s, panel);
    m_btnZpet->setObjectName(u"btnZpet"_s);
    m_btnDalsi = new QPushButton(u"Další >"_s, panel);
    m_btnDalsi->setObjectName(u"btnDalsi"_s);
    m_btnDalsi->setDefault(true);
    m_btnZavrit = new QPushButton(u"Zavřít"_s, panel);
    m_btnZavrit->setObjectName(u"btnZavrit"_s);
    layout->addWidget(m_btnZpet);
    layout->addWidget(m_btnDalsi);
    layout->addSpacing(12);
    layout->addWidget(m_btnZavrit);

    connect(m_btnDalsi, &QPushButton::clicked, this, &TfrmMain::nextClicked);
    connect(m_btnZpet, &QPushButton::clicked, this, [this] { showPage(currentPage() - 1); });
    connect(m_btnZavrit, &QPushButton::clicked, this, &TfrmMain::endProgram);
    connect(m_btnPrerusit, &QPushButton::clicked, this, [this] { m_session->interruptRequested = true; });
    return panel;
}

void TfrmMain::showWorking(bool visible, const QString &text)
{
    m_frmWorking->showWorking(visible, text);
}

void TfrmMain::startProgress(int maximum)
{
    m_pbMain->setRange(0, qMax(maximum, 0));
    m_pbMain->setValue(0);
    m_pbMain->show();
    m_lblPBStatus->show();
}

void TfrmMain::setProgress(int position, const QString &status)
{
    m_pbMain->setValue(position);
    if (!status.isNull())
        m_lblPBStatus->setText(status);
}

void TfrmMain::hideProgress()
{
    m_pbMain->hide();
    m_lblPBStatus->hide();
}

void TfrmMain::showVersion(const QString &version)
{
    m_lblVerze->setText(version);
}

void TfrmMain::showPage(int index)
{
    if (index < 0 || index >= m_pgcMain->count())
        return;
    m_btnZavrit->setEnabled(true);
    m_btnDalsi->setEnabled(true);
    m_btnZpet->setEnabled(true);
    m_btnDalsi->setText(u"Další >"_s);
    m_pgcMain->setCurrentIndex(index);
    if (index == 0)
        m_btnZpet->setEnabled(false);
    if (index == 1) {
        m_pbMain->hide();
        m_lblPBStatus->hide();
        m_btnPrerusit->hide();
        m_btnDalsi->setText(u"OK"_s);
        updateOkButton();
    }
}

void TfrmMain::setOperationEntry(Operation operation, OperationEntry entry)
{
    m_operationEntries[operation] = std::move(entry);
    m_operationButtons.at(operation)->setEnabled(true);
    // Until the user picks a row, the topmost row that can run is selected,
    // whatever order the operations register in.
    if (!m_userSelected) {
        for (const OperationRow &row : kOperationRows) {
            if (m_operationEntries.count(row.operation)) {
                m_operationButtons.at(row.operation)->setChecked(true);
                break;
            }
        }
    }
    updateOkButton();
}

void TfrmMain::selectOperation(Operation operation)
{
    m_userSelected = true;
    m_operationButtons.at(operation)->setChecked(true);
}

// "OK" can only start an operation whose entry exists.
void TfrmMain::updateOkButton()
{
    if (currentPage() != 1 || m_btnPrerusit->isVisible())
        return;
    bool runnable = false;
    for (const auto &[operation, button] : m_operationButtons) {
        if (button->isChecked())
            runnable = m_operationEntries.count(operation) > 0;
    }
    m_btnDalsi->setEnabled(runnable);
}

void TfrmMain::setLegendVisible(bool visible)
{
    for (QWidget *widget : std::as_const(m_legend))
        widget->setVisible(visible);
}

void TfrmMain::nextClicked()
{
    m_timer1->stop();
    if (currentPage() == 0) {
        if (verifyUserRights(*m_session) != 0)
            return;
        if (checkForUpdate(*m_session) != 0)
            return;
    }
    if (currentPage() < m_pgcMain->count() - 1) {
        showPage(currentPage() + 1);
        return;
    }

    m_btnDalsi->setEnabled(false);
    m_btnZpet->setEnabled(false);
    m_btnZavrit->setEnabled(false);
    m_btnPrerusit->show();
    setLegendVisible(false);
    m_session->interruptRequested = false;

    runOperation();

    m_btnDalsi->setEnabled(true);
    m_btnZpet->setEnabled(true);
    m_btnZavrit->setEnabled(true);
    m_btnPrerusit->hide();
    m_pbMain->hide();
    m_lblPBStatus->hide();
    setLegendVisible(true);
}

int TfrmMain::runOperation()
{
    if (loadYearList(m_runContext.agendaDir, m_session->mtYear) != 0)
        return -1;
    for (const OperationRow &row : kOperationRows) {
        if (!m_operationButtons.at(row.operation)->isChecked())
            continue;
        const auto entry = m_operationEntries.find(row.operation);
        if (entry == m_operationEntries.end())
            return -1;
        return m_session->runGuarded([&] { return entry->second(*m_session); }) == 0 ? 0 : -1;
    }
    return -1;
}

void TfrmMain::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        m_timer1->start();
    }
}

// The host's desktop may cover the add-on's window when it starts; raising it
// once after two seconds brings it forward without moving, resizing or
// activating it.
void TfrmMain::bringToFront()
{
    ui().processEvents();
    raise();
    ui().processEvents();
}

int TfrmMain::currentPage() const
{
    return m_pgcMain->currentIndex();
}

void TfrmMain::endProgram()
{
    close();
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    // The close box ends the program like "Zavřít". Only a run whose start-up
    // finished has a settings directory to record the host version in.
    if (!m_ended && !m_runContext.settingsDir.isEmpty()) {
        m_ended = true;
        recordHostVersion(m_runContext);
    }
    event->accept();
    m_frmWorking->hide();
    // Outside a run, a wait that keeps the message loop running (the update
    // check's download) ends on the interrupt flag; the program then ends
    // when the wait has returned. A run keeps its own "Přerušit".
    if (!m_btnPrerusit->isVisible())
        m_session->interruptRequested = true;
    QCoreApplication::quit();
}
