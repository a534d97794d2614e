#include "app/Main.h"

#include "app/FreeText.h"
#include "app/HostVersion.h"
#include "app/UpdateServer.h"
#include "app/Working.h"
#include "app/YearList.h"
#include "common/UiSeam.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// The picture along the welcome page's left edge.
QPixmap welcomePicture(QSize size)
{
    QPixmap pixmap(size);
    QPainter painter(&pixmap);
    QLinearGradient gradient(0, 0, 0, size.height());
    gradient.setColorAt(0.0, QColor(0, 70, 140));
    gradient.setColorAt(1.0, QColor(120, 180, 230));
    painter.fillRect(pixmap.rect(), gradient);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(28);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.translate(size.width() / 2 + 10, size.height() - 16);
    painter.rotate(-90);
    painter.drawText(0, 0, u"Tarnek"_s);
    return pixmap;
}

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
    setFixedSize(536, 361);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    defineYearTable(mtYear);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_pgcMain = new QStackedWidget(this);
    m_pgcMain->setObjectName(u"pgcMain"_s);
    m_pgcMain->addWidget(createWelcomePage());
    auto *tsFinal = new QWidget(m_pgcMain);
    tsFinal->setObjectName(u"tsFinal"_s);
    m_pgcMain->addWidget(tsFinal);
    layout->addWidget(m_pgcMain, 1);
    layout->addWidget(createButtonPanel());

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    m_frmWorking = std::make_unique<TfrmWorking>();
    m_frmFreeText = std::make_unique<TfrmFreeText>();
}

TfrmMain::~TfrmMain()
{
    closeHostTables();
}

QWidget *TfrmMain::createWelcomePage()
{
    auto *page = new QWidget(this);
    page->setObjectName(u"tsVitejte"_s);
    auto *layout = new QHBoxLayout(page);
    layout->setContentsMargins(0, 0, 12, 0);
    layout->setSpacing(16);

    auto *picture = new QLabel(page);
    picture->setObjectName(u"imgVitejte"_s);
    picture->setPixmap(welcomePicture(QSize(120, 318)));
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
                                  "součástí Ledra. Některé funkce jsou určeny pouze pro zkuše- né uživatele (správce "
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

    connect(m_btnZpet, &QPushButton::clicked, this, [this] { showPage(currentPage() - 1); });
    connect(m_btnZavrit, &QPushButton::clicked, this, &TfrmMain::endProgram);
    connect(m_btnPrerusit, &QPushButton::clicked, this, [this] { interruptRequested = true; });
    return panel;
}

void TfrmMain::showWorking(bool visible, const QString &text)
{
    m_frmWorking->showWorking(visible, text);
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
        m_btnPrerusit->hide();
        m_btnDalsi->setText(u"OK"_s);
    }
    // Leaving the welcome page runs the access-rights and update checks that
    // lead to the operation page; until the wizard has them, "Další >" stays
    // disabled.
    m_btnDalsi->setEnabled(false);
}

int TfrmMain::currentPage() const
{
    return m_pgcMain->currentIndex();
}

void TfrmMain::closeHostTables()
{
    for (TBFTable *table : {&BFTable1, &BFTable2, &BFTable3, &bfEETDokl}) {
        if (table->Tag != 0) {
            table->Close();
            table->Tag = 0;
        }
    }
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
    QCoreApplication::quit();
}
