#include "report/ui/preview/PreviewWindow.h"

#include "common/UiSeam.h"
#include "common/widgets/DialogParts.h"
#include "common/widgets/WindowPlacement.h"
#include "report/core/Report.h"
#include "report/core/ReportCaptions.h"
#include "report/core/ReportWindows.h"
#include "report/core/output/PageImage.h"
#include "report/core/output/Printers.h"
#include "report/ui/preview/LayoutProgressWindow.h"
#include "report/ui/printing/PrintDialogTyp.h"
#include "report/ui/printing/ReportPrinter.h"

#include <QAction>
#include <QActionGroup>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

// The paper of the current page: white, paper width × zoom by paper height ×
// zoom, drawn from the page image on demand.
class PreviewPage final : public QWidget
{
public:
    explicit PreviewPage(TFormSestP &form) : QWidget(nullptr), m_form(form)
    {
        setObjectName(u"panStranka"_s);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setContextMenuPolicy(Qt::DefaultContextMenu);
    }
    QMenu *menu = nullptr;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        m_form.paintPaper(painter);
    }
    void contextMenuEvent(QContextMenuEvent *event) override
    {
        if (menu)
            menu->popup(event->globalPos());
    }

private:
    TFormSestP &m_form;
};

namespace {

// The scroll box: the paper centred while smaller than it, the preview's
// pop-up menu around it.
class PreviewScrollArea final : public QScrollArea
{
public:
    QMenu *menu = nullptr;

protected:
    void contextMenuEvent(QContextMenuEvent *event) override
    {
        if (menu)
            menu->popup(event->globalPos());
    }
};

// "Výběr stránky": one line for the page number.
class PageQuery final : public QDialog
{
public:
    explicit PageQuery(const QString &proposal, QWidget *parent) : QDialog(parent)
    {
        setObjectName(u"dlgVyberStranky"_s);
        setWindowTitle(u"Výběr stránky"_s);
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel(u"Stránka číslo:"_s, this));
        edit = new QLineEdit(proposal, this);
        edit->setObjectName(u"edtStranka"_s);
        edit->selectAll();
        layout->addWidget(edit);
        connect(DialogParts::addOkStorno(this, layout), &QPushButton::clicked, this, &QDialog::accept);
    }
    QLineEdit *edit;
};

const QString kFileTitle = u"Výběr souboru"_s;
const QString kWriteFailed = u"Výstupní soubor se nepodařilo uložit."_s;

} // namespace

PreviewOptions PreviewOptions::of(const TSestava &report)
{
    PreviewOptions options;
    options.userHint = report.property("PreviewUserHint").toString();
    options.printDisabled = report.property("PreviewPrintDisabled").toBool();
    return options;
}

void PreviewOptions::setOn(TSestava &report, const QString &userHint, bool printDisabled)
{
    report.setProperty("PreviewUserHint", userHint);
    report.setProperty("PreviewPrintDisabled", printDisabled);
}

TFormSestP::TFormSestP(TSestava &report, const PreviewOptions &options, QWidget *parent)
    : QDialog(parent), m_report(report), m_options(options)
{
    setObjectName(u"TFormSestP"_s);
    setWindowTitle(u"Prohlížení sestavy před tiskem"_s);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    const TSestVystup &output = m_report.output();
    m_state.setPages(output.pageCount(), output.firstPage, output.lastPage);
    m_state.setZoom(options.zoom);
    m_showBackground = m_report.drawsBackground();
    m_printBackground = m_showBackground;

    buildActions();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *toolBar = new QToolBar(this);
    toolBar->setObjectName(u"ToolBar1"_s);
    layout->addWidget(toolBar);

    auto *scrollBox = new PreviewScrollArea;
    m_scrollBox = scrollBox;
    m_scrollBox->setObjectName(u"ScrollBox1"_s);
    m_scrollBox->setAlignment(Qt::AlignCenter);
    m_scrollBox->setBackgroundRole(QPalette::Dark);
    m_page = new PreviewPage(*this);
    m_scrollBox->setWidget(m_page);
    layout->addWidget(m_scrollBox, 1);

    auto *statusBar = new QStatusBar(this);
    statusBar->setObjectName(u"StatusBar1"_s);
    statusBar->setSizeGripEnabled(false);
    m_panCurrent = new QLabel(statusBar);
    m_panCurrent->setObjectName(u"panAktualniStranka"_s);
    m_panCurrent->setToolTip(u"Aktuální stránka"_s);
    m_panCurrent->setMinimumWidth(60);
    m_panCount = new QLabel(statusBar);
    m_panCount->setObjectName(u"panCelkemStran"_s);
    m_panCount->setToolTip(u"Celkem stran"_s);
    m_panCount->setMinimumWidth(60);
    statusBar->addWidget(new QLabel(u"Aktuální stránka:"_s, statusBar));
    statusBar->addWidget(m_panCurrent);
    statusBar->addWidget(new QLabel(u"Celkem stran:"_s, statusBar));
    statusBar->addWidget(m_panCount);
    layout->addWidget(statusBar);

    buildMenus();
    buildToolBar(toolBar);
    scrollBox->menu = m_previewMenu;
    m_page->menu = m_pageMenu;
    updateView();
    m_scrollBox->setFocus();
}

TFormSestP::~TFormSestP() = default;

QAction *TFormSestP::makeAction(const QString &name, const QString &caption, const QString &hint)
{
    auto *action = new QAction(caption, this);
    action->setObjectName(name);
    action->setToolTip(hint);
    action->setStatusTip(hint);
    QWidget::addAction(action); // its shortcuts work anywhere in the window
    m_actions[name] = action;
    return action;
}

void TFormSestP::buildActions()
{
    const bool designer = m_options.fromDesigner;
    connect(
        makeAction(u"ActionKonec"_s, u"Zavřít náhled"_s, designer ? u"Ukončit opravu předlohy"_s : u"Zavřít náhled"_s),
        &QAction::triggered, this, &TFormSestP::konec);
    QAction *edit = makeAction(u"ActionEdit"_s, u"Oprava předlohy..."_s, u"Oprava předlohy"_s);
    edit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    edit->setEnabled(designer);
    connect(edit, &QAction::triggered, this, &TFormSestP::edit);
    QAction *print = makeAction(u"ActionPrint"_s, u"Tisk náhledu..."_s, u"Tisk náhledu"_s);
    print->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_P), QKeySequence(Qt::CTRL | Qt::Key_T)});
    print->setEnabled(!m_options.printDisabled);
    connect(print, &QAction::triggered, this, &TFormSestP::print);
    QAction *user = makeAction(u"ActionUser"_s, m_options.userHint, m_options.userHint);
    user->setVisible(!m_options.userHint.isEmpty());
    connect(user, &QAction::triggered, this, &TFormSestP::user);

    QAction *first = makeAction(u"ActionPgFi"_s, u"První stránka"_s, u"První stránka"_s);
    first->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp));
    connect(first, &QAction::triggered, this, [this] {
        m_state.goFirst();
        updateView();
    });
    QAction *previous = makeAction(u"ActionPgUp"_s, u"Předchozí stránka"_s, u"Předchozí stránka"_s);
    previous->setShortcut(QKeySequence(Qt::Key_PageUp));
    connect(previous, &QAction::triggered, this, [this] {
        m_state.goPrevious();
        updateView();
    });
    QAction *next = makeAction(u"ActionPgDn"_s, u"Následující stránka"_s, u"Následující stránka"_s);
    next->setShortcut(QKeySequence(Qt::Key_PageDown));
    connect(next, &QAction::triggered, this, [this] {
        m_state.goNext();
        updateView();
    });
    QAction *last = makeAction(u"ActionPgLa"_s, u"Poslední stránka"_s, u"Poslední stránka"_s);
    last->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown));
    connect(last, &QAction::triggered, this, [this] {
        m_state.goLast();
        updateView();
    });
    connect(makeAction(u"ActionPage"_s, u"Zobrazit stránku ..."_s, u"Zobrazit stránku"_s), &QAction::triggered, this,
            &TFormSestP::askPage);

    m_zoomGroup = new QActionGroup(this);
    m_zoomGroup->setExclusive(true);
    for (const int zoom : PreviewState::Zooms) {
        QAction *action = makeAction(u"ActionZ%1"_s.arg(zoom), u"%1 %"_s.arg(zoom), u"Zvětšení %1 %"_s.arg(zoom));
        action->setCheckable(true);
        action->setData(zoom);
        m_zoomGroup->addAction(action);
        connect(action, &QAction::triggered, this, [this, zoom] { setZoom(zoom); });
    }

    // "Uložit do souboru".
    connect(
        makeAction(u"ActionUlozTxt"_s, u"Textový soubor..."_s, u"Textový soubor"_s), &QAction::triggered, this, [this] {
            save(u"Textový soubor (*.txt)|*.TXT|Všechny soubory (*.*)|*.*"_s, u"txt"_s, [this](const QString &file) {
                LayoutProgressWindow progress(this);
                return m_report.WriteTextFile(file, &progress);
            });
        });
    connect(makeAction(u"ActionUlozRtf"_s, u"Soubor ve formátu RTF..."_s, u"Soubor ve formátu RTF"_s),
            &QAction::triggered, this, [this] {
                save(u"Soubor RTF (*.rtf)|*.RTF|Všechny soubory (*.*)|*.*"_s, u"rtf"_s,
                     [this](const QString &file) { return m_report.WriteRtfFile(file); });
            });
    // The metafile kind follows the chosen file's extension (the filter
    // chosen in the dialog adds it): ".wmf" a plain Windows metafile, else EMF.
    const QString metafiles = u"Enhanced meta file (*.emf)|*.EMF|Windows meta file (*.wmf)|*.WMF"_s;
    const auto plainWindows = [](const QString &file) { return file.endsWith(u".wmf"_s, Qt::CaseInsensitive); };
    connect(makeAction(u"ActionUlozEmf"_s, u"Aktuální stránku jako EMF/WMF..."_s, u"Aktuální stránku jako EMF/WMF"_s),
            &QAction::triggered, this, [this, metafiles, plainWindows] {
                save(metafiles, u"emf"_s, [this, plainWindows](const QString &file) {
                    return m_report.WritePageMetafileFile(file, m_state.currentPage(), plainWindows(file));
                });
            });
    connect(makeAction(u"ActionUlozEmfVse"_s, u"Všechny stránky jako EMF/WMF..."_s, u"Všechny stránky jako EMF/WMF"_s),
            &QAction::triggered, this, [this, metafiles, plainWindows] {
                save(metafiles, u"emf"_s, [this, plainWindows](const QString &file) {
                    return m_report.WriteAllMetafileFiles(file, plainWindows(file));
                });
            });
    connect(makeAction(u"ActionUlozHtml"_s, u"Aktuální stránku jako HTML..."_s, u"Aktuální stránku jako HTML"_s),
            &QAction::triggered, this, [this] {
                save(u"Soubor HTML (*.html)|*.HTML|Všechny soubory (*.*)|*.*"_s, u"html"_s,
                     [this](const QString &file) { return m_report.WritePageHtmlFile(file, m_state.currentPage()); });
            });
    connect(makeAction(u"ActionUlozHtmlVse"_s, u"Všechny stránky jako HTML..."_s, u"Všechny stránky jako HTML"_s),
            &QAction::triggered, this, [this] {
                save(u"Soubor HTML (*.html)|*.HTML|Všechny soubory (*.*)|*.*"_s, u"html"_s,
                     [this](const QString &file) { return m_report.WriteAllHtmlFile(file); });
            });
    connect(makeAction(u"ActionUlozPdf"_s, u"Soubor PDF..."_s, u"Soubor PDF"_s), &QAction::triggered, this, [this] {
        save(u"Soubor PDF (*.pdf)|*.PDF|Všechny soubory (*.*)|*.*"_s, u"pdf"_s,
             [this](const QString &file) { return m_report.WritePdfFile(file); });
    });
}

void TFormSestP::buildMenus()
{
    m_saveMenu = new QMenu(u"Uložit do souboru"_s, this);
    m_saveMenu->setObjectName(u"MenuUlozit"_s);
    for (const QString &name : {u"ActionUlozTxt"_s, u"ActionUlozRtf"_s, u"ActionUlozEmf"_s, u"ActionUlozEmfVse"_s,
                                u"ActionUlozHtml"_s, u"ActionUlozHtmlVse"_s, u"ActionUlozPdf"_s})
        m_saveMenu->addAction(m_actions.at(name));

    const auto addPaging = [this](QMenu *menu) {
        for (const QString &name :
             {u"ActionPgFi"_s, u"ActionPgUp"_s, u"ActionPgDn"_s, u"ActionPgLa"_s, u"ActionPage"_s})
            menu->addAction(m_actions.at(name));
    };
    const auto addZooms = [this](QMenu *menu) {
        QMenu *zooms = menu->addMenu(u"Zvětšení"_s);
        for (QAction *zoom : m_zoomGroup->actions())
            zooms->addAction(zoom);
    };

    // Over the paper: paging and zoom.
    m_pageMenu = new QMenu(this);
    m_pageMenu->setObjectName(u"PopupMenuStranka"_s);
    addPaging(m_pageMenu);
    m_pageMenu->addSeparator();
    addZooms(m_pageMenu);

    // Around it: the window's own commands.
    m_previewMenu = new QMenu(this);
    m_previewMenu->setObjectName(u"PopupMenuNahled"_s);
    for (const QString &name : {u"ActionPrint"_s, u"ActionEdit"_s, u"ActionUser"_s})
        m_previewMenu->addAction(m_actions.at(name));
    m_previewMenu->addMenu(m_saveMenu);
    m_previewMenu->addSeparator();
    addPaging(m_previewMenu);
    addZooms(m_previewMenu);
    m_previewMenu->addSeparator();
    m_previewMenu->addAction(m_actions.at(u"ActionKonec"_s));
}

void TFormSestP::buildToolBar(QToolBar *toolBar)
{
    toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (const QString &name : {u"ActionKonec"_s, u"ActionEdit"_s, u"ActionPrint"_s})
        toolBar->addAction(m_actions.at(name));
    auto *saveButton = new QToolButton(toolBar);
    saveButton->setObjectName(u"btnUlozit"_s);
    saveButton->setText(u"Uložit do souboru"_s);
    saveButton->setToolTip(u"Uložit do souboru"_s);
    saveButton->setMenu(m_saveMenu);
    saveButton->setPopupMode(QToolButton::InstantPopup);
    toolBar->addWidget(saveButton);
    toolBar->addAction(m_actions.at(u"ActionUser"_s));
    toolBar->addSeparator();
    for (const QString &name : {u"ActionPgFi"_s, u"ActionPgUp"_s, u"ActionPgDn"_s, u"ActionPgLa"_s, u"ActionPage"_s})
        toolBar->addAction(m_actions.at(name));
    toolBar->addSeparator();
    // The zooms behind one button, the chosen one checked.
    auto *zoomButton = new QToolButton(toolBar);
    zoomButton->setObjectName(u"btnZvetseni"_s);
    zoomButton->setText(u"Zvětšení"_s);
    zoomButton->setToolTip(u"Zvětšení"_s);
    auto *zoomMenu = new QMenu(zoomButton);
    zoomMenu->addActions(m_zoomGroup->actions());
    zoomButton->setMenu(zoomMenu);
    zoomButton->setPopupMode(QToolButton::InstantPopup);
    toolBar->addWidget(zoomButton);
}

void TFormSestP::updateView()
{
    m_actions.at(u"ActionPgFi"_s)->setEnabled(m_state.canGoFirst());
    m_actions.at(u"ActionPgUp"_s)->setEnabled(m_state.canGoPrevious());
    m_actions.at(u"ActionPgDn"_s)->setEnabled(m_state.canGoNext());
    m_actions.at(u"ActionPgLa"_s)->setEnabled(m_state.canGoLast());
    m_actions.at(u"ActionZ%1"_s.arg(m_state.zoom()))->setChecked(true);
    m_panCurrent->setText(QString::number(m_state.currentPage()));
    m_panCount->setText(QString::number(m_state.pageCount()));
    const LayoutPage &page = m_report.output().page;
    m_page->setFixedSize(m_state.paperSize(page.paperWidth(), page.paperHeight()));
    m_page->update();
}

void TFormSestP::showPage(int page)
{
    m_state.showPage(page);
    updateView();
}

void TFormSestP::setZoom(int zoom)
{
    m_state.setZoom(zoom);
    updateView();
}

void TFormSestP::paintPaper(QPainter &painter)
{
    const LayoutPage &page = m_report.output().page;
    painter.fillRect(QRect(QPoint(0, 0), m_state.paperSize(page.paperWidth(), page.paperHeight())), Qt::white);
    if (m_state.currentPage() < 1)
        return;
    // The page image drawn afresh at the zoom, never an enlarged bitmap: the
    // background over the whole paper, the items from the printable area's
    // corner. Drawn at the screen's scale rather than replayed from the
    // 600-dpi recording, so that hairlines stay one screen pixel wide.
    const double zoom = m_state.zoom() / 100.0;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.translate(page.setup.leftMargin * zoom, page.setup.topMargin * zoom);
    OutputPageImage::paintPage(painter, m_report.output(), m_state.currentPage() - 1, {zoom, m_showBackground});
    painter.restore();
}

void TFormSestP::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (m_actions.at(u"ActionEdit"_s)->isEnabled())
            edit();
        else
            konec();
        return;
    }
    // The arrow keys scroll the page.
    const auto scroll = [](QScrollBar *bar, int direction) {
        bar->setValue(bar->value() + direction * bar->singleStep());
    };
    switch (event->key()) {
    case Qt::Key_Up:
        scroll(m_scrollBox->verticalScrollBar(), -1);
        break;
    case Qt::Key_Down:
        scroll(m_scrollBox->verticalScrollBar(), 1);
        break;
    case Qt::Key_Left:
        scroll(m_scrollBox->horizontalScrollBar(), -1);
        break;
    case Qt::Key_Right:
        scroll(m_scrollBox->horizontalScrollBar(), 1);
        break;
    default:
        QDialog::keyPressEvent(event);
    }
}

void TFormSestP::konec()
{
    m_answer = Answer::Closed;
    accept();
}

void TFormSestP::reject()
{
    // Only "Zavřít náhled" says that the user is done; closing the window
    // otherwise from the designer must not end the editing.
    m_answer = m_actions.at(u"ActionEdit"_s)->isEnabled() ? Answer::Edit : Answer::Closed;
    QDialog::reject();
}

void TFormSestP::edit()
{
    if (!m_actions.at(u"ActionEdit"_s)->isEnabled())
        return;
    m_answer = Answer::Edit;
    accept();
}

void TFormSestP::user()
{
    if (m_report.OnPreviewCustomEvent)
        m_report.OnPreviewCustomEvent(&m_report, m_state.currentPage());
}

void TFormSestP::askPage()
{
    PageQuery query(m_state.pageProposal(), this);
    if (ui().execModal(query) != QDialog::Accepted)
        return;
    showPage(m_state.pageOfAnswer(query.edit->text()));
}

void TFormSestP::save(const QString &filter, const QString &defaultExtension,
                      const std::function<int(const QString &)> &write)
{
    FileDialogRequest request;
    request.title = kFileTitle;
    request.filter = filter;
    request.defaultExtension = defaultExtension;
    request.overwritePrompt = true; // a file is never replaced without asking
    const QString file = ui().saveFileName(request);
    if (file.isEmpty())
        return;
    const int result = write(file);
    if (result != seOK && result != seCancelled)
        ui().error(kWriteFailed, SestCaption::chyba());
    // The exports of all pages leave the window where it was.
    updateView();
}

void TFormSestP::print()
{
    CurrentPrinter &printer = CurrentPrinter::current();
    if (printer.count() == 0) {
        ui().warning(TSestava::noPrinterMessage(), SestCaption::varovani());
        return;
    }
    printer.selectPrinter(-1);
    if (!m_printDialog) {
        // Created once and kept: the preview shows no template list and no preview button.
        m_printDialog = std::make_unique<TPrintDialogTyp>();
        m_printDialog->groupVisible[TPrintDialogTyp::GroupTemplate] = false;
        m_printDialog->buttonEnabled[TPrintDialogTyp::ButtonPreview] = false;
    }
    TPrintDialogTyp &dialog = *m_printDialog;
    dialog.printerIndex = printer.selectedIndex();
    dialog.firstPage = m_state.firstPage();
    dialog.lastPage = std::min(m_state.lastPage(), m_state.pageCount());
    dialog.copies = m_report.printCopies();
    const TSestVystup &output = m_report.output();
    dialog.checkVisible[TPrintDialogTyp::CheckBackground] =
        !output.background.isNull() || !output.backgroundFile.isEmpty();
    dialog.checked[TPrintDialogTyp::CheckBackground] = m_printBackground;
    if (dialog.execute(this) != TPrintDialogTyp::Answer::Print)
        return;
    printer.selectPrinter(dialog.printerIndex);
    m_printBackground = dialog.checked[TPrintDialogTyp::CheckBackground];
    PrintRun run;
    run.printerIndex = dialog.printerIndex;
    run.firstPage = dialog.firstPage;
    run.lastPage = dialog.lastPage;
    if (dialog.checked[TPrintDialogTyp::CheckCurrentPage])
        run.firstPage = run.lastPage = m_state.currentPage();
    run.copies = dialog.copies;
    run.printBackground = m_printBackground;
    run.jobTitle = u"Tisková sestava"_s;
    if (dialog.checked[TPrintDialogTyp::CheckToFile]) {
        // The printer's "FILE:" port: the file is asked for, as the port does.
        FileDialogRequest request;
        request.title = u"Tisk do souboru"_s;
        request.filter = u"Všechny soubory (*.*)|*.*"_s;
        request.overwritePrompt = true;
        run.outputFile = ui().saveFileName(request);
        if (run.outputFile.isEmpty())
            return;
    }
    if (m_report.BeforePrintPreview)
        m_report.BeforePrintPreview(&m_report);
    // Graphic pages, or the character text when the printer is a text-only one.
    ReportPrinter::printOutput(m_report, run);
    if (m_report.AfterPrintPreview)
        m_report.AfterPrintPreview(&m_report);
}

TFormSestP::Answer TFormSestP::showPreview(TSestava &report, const PreviewOptions &options)
{
    TFormSestP form(report, options);
    WindowPlacement::maximise(form);
    ui().execModal(form);
    return form.answer();
}

void TFormSestP::install()
{
    ReportWindows::current().preview = [](TSestava &report) {
        showPreview(report, PreviewOptions::of(report));
        return int(seOK);
    };
}
