#include "report/ui/designer/DesignerWindow.h"

#include "common/UiSeam.h"
#include "common/widgets/WindowPlacement.h"
#include "report/core/Report.h"
#include "report/core/ReportCaptions.h"
#include "report/core/ReportWindows.h"
#include "report/core/designer/DesignerRun.h"
#include "report/core/model/ReportResult.h"
#include "report/core/model/ReportSections.h"
#include "report/ui/designer/DesignerIcons.h"
#include "report/ui/designer/DesignerPaper.h"
#include "report/ui/designer/ElementTree.h"
#include "report/ui/designer/PaperRuler.h"
#include "report/ui/preview/PreviewWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QToolBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

struct ToolEntry
{
    DesignerTool tool;
    const char16_t *name;
    QString caption;
    Qt::CursorShape cursor;
    const char16_t *icon; // in the icon theme
};

// The toolbox: one tool per kind of element, each with a cursor of its own
// so that the user sees what the next click on a band inserts.
QList<ToolEntry> toolEntries()
{
    using namespace ElementKind;
    return {
        {DesignerTool::DataField, u"ToolDataField", designerName(Field), Qt::CrossCursor, u"text-field"},
        {DesignerTool::FieldLabel, u"ToolFieldLabel", designerName(FieldLabel), Qt::IBeamCursor, u"tag"},
        {DesignerTool::Parameter, u"ToolParameter", designerName(Parameter), Qt::PointingHandCursor, u"code-variable"},
        {DesignerTool::UserFunction, u"ToolUserFunction", designerName(UserFunction), Qt::WhatsThisCursor,
         u"code-function"},
        {DesignerTool::PrintDate, u"ToolPrintDate", ::SystemVariable::caption(::SystemVariable::PrintDate),
         Qt::UpArrowCursor, u"view-calendar-day"},
        {DesignerTool::PrintTime, u"ToolPrintTime", ::SystemVariable::caption(::SystemVariable::PrintTime),
         Qt::WaitCursor, u"clock"},
        {DesignerTool::RowNumber, u"ToolRowNumber", ::SystemVariable::caption(::SystemVariable::RowNumber),
         Qt::SizeVerCursor, u"format-list-ordered"},
        {DesignerTool::PageNumber, u"ToolPageNumber", ::SystemVariable::caption(::SystemVariable::PageNumber),
         Qt::SizeHorCursor, u"page-simple"},
        {DesignerTool::PageCount, u"ToolPageCount", ::SystemVariable::caption(::SystemVariable::PageCount),
         Qt::SizeBDiagCursor, u"document-multiple"},
        {DesignerTool::RowInGroup, u"ToolRowInGroup", u"Číslo řádku ve skupině"_s, Qt::SizeFDiagCursor,
         u"format-indent-more"},
        {DesignerTool::GroupNumber, u"ToolGroupNumber", u"Číslo skupiny"_s, Qt::SizeAllCursor, u"object-group"},
        {DesignerTool::GraphicText, u"ToolGraphicText", designerName(GraphicText), Qt::IBeamCursor, u"draw-text"},
        {DesignerTool::Line, u"ToolLine", designerName(Line), Qt::SplitHCursor, u"draw-line"},
        {DesignerTool::Rectangle, u"ToolRectangle", designerName(Rectangle), Qt::DragCopyCursor, u"draw-rectangle"},
        {DesignerTool::RoundRectangle, u"ToolRoundRectangle", designerName(RoundRectangle), Qt::DragLinkCursor,
         u"draw-rectangle-rounded"},
        {DesignerTool::Ellipse, u"ToolEllipse", designerName(Ellipse), Qt::OpenHandCursor, u"draw-ellipse"},
        {DesignerTool::Picture, u"ToolPicture", designerName(Picture), Qt::ClosedHandCursor, u"insert-image"},
        {DesignerTool::Barcode, u"ToolBarcode", designerName(Barcode), Qt::SplitVCursor, u"view-barcode"},
        {DesignerTool::PaintBox, u"ToolPaintBox", designerName(PaintBox), Qt::DragMoveCursor, u"draw-brush"},
        {DesignerTool::Detail, u"ToolDetail", designerName(Detail), Qt::BusyCursor, u"insert-table"},
    };
}

} // namespace

TFormSestE::TFormSestE(TSestava &report, const DesignerSettings &environment, QWidget *parent)
    : QDialog(parent), m_report(report), m_editor(std::make_unique<DesignerDocument>(report, environment))
{
    setObjectName(u"FormSestE"_s);
    // The caption names the template the user edits (the file name without
    // its directory), as the print dialog names it.
    const QString name = QFileInfo(report.reportName()).completeBaseName();
    setWindowTitle(name.isEmpty() ? u"Editor sestav"_s : u"Editor sestav - %1"_s.arg(name));
    setWindowFlag(Qt::WindowMaximizeButtonHint);

    m_canvas = new DesignerPaper(*m_editor, this);
    m_canvas->changed = [this] { changed(); };
    m_canvas->installEventFilter(this);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(u"ScrollBoxPapir"_s);
    m_scroll->setWidget(m_canvas);
    m_scroll->setBackgroundRole(QPalette::Dark);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildActions();
    buildMenus();
    buildDialogActions();
    buildPopup();
    // The toolbox stands at the left of the paper, where it has room for
    // every kind of element.
    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(m_toolBox);
    row->addWidget(m_scroll, 1);
    layout->addLayout(row, 1);
    buildTree();
    buildRulers();
    updateActions();
}

TFormSestE::~TFormSestE() = default;

QAction *TFormSestE::makeAction(const QString &name, const QString &caption, const QString &hint)
{
    auto *action = new QAction(caption, this);
    action->setObjectName(name);
    action->setToolTip(hint.isEmpty() ? QString(caption).remove(u"..."_s) : hint);
    action->setStatusTip(action->toolTip());
    addAction(action);
    m_actions[name] = action;
    return action;
}

void TFormSestE::buildActions()
{
    connect(makeAction(u"ActionUlozit"_s, u"Uložit předlohu"_s), &QAction::triggered, this, [this] { save(); });
    m_actions[u"ActionUlozit"_s]->setShortcut(QKeySequence::Save);
    connect(makeAction(u"ActionUlozitJako"_s, u"Uložit předlohu jako..."_s), &QAction::triggered, this,
            [this] { saveAs(); });
    connect(makeAction(u"ActionSmazat"_s, u"Smazat prvek"_s), &QAction::triggered, this, [this] { deleteSelection(); });
    connect(makeAction(u"ActionZrusit"_s, u"Zrušit"_s, u"Zrušit změny"_s), &QAction::triggered, this, [this] {
        if (m_editor->undo())
            changed();
    });
    m_actions[u"ActionZrusit"_s]->setShortcut(QKeySequence::Undo);
    connect(makeAction(u"ActionZnovu"_s, u"Znovu"_s, u"Znovu změny"_s), &QAction::triggered, this, [this] {
        if (m_editor->redo())
            changed();
    });
    m_actions[u"ActionZnovu"_s]->setShortcut(QKeySequence::Redo);
    connect(makeAction(u"ActionVyjmout"_s, u"Vyjmout"_s), &QAction::triggered, this, [this] { cut(); });
    m_actions[u"ActionVyjmout"_s]->setShortcut(QKeySequence::Cut);
    connect(makeAction(u"ActionKopirovat"_s, u"Kopírovat"_s), &QAction::triggered, this, [this] { copy(); });
    m_actions[u"ActionKopirovat"_s]->setShortcut(QKeySequence::Copy);
    connect(makeAction(u"ActionVlozit"_s, u"Vložit"_s), &QAction::triggered, this, [this] { paste(); });
    m_actions[u"ActionVlozit"_s]->setShortcut(QKeySequence::Paste);
    connect(makeAction(u"ActionVyrovnatVse"_s, u"Vyrovnat vše do rastru"_s), &QAction::triggered, this, [this] {
        if (m_editor->alignToGrid(false))
            changed();
    });
    connect(makeAction(u"ActionVyrovnatVybrane"_s, u"Vyrovnat vybrané"_s), &QAction::triggered, this, [this] {
        if (m_editor->alignToGrid(true))
            changed();
    });
    connect(makeAction(u"ActionDopredu"_s, u"Přenést dopředu"_s), &QAction::triggered, this, [this] {
        if (m_editor->bringToFront())
            changed();
    });
    connect(makeAction(u"ActionDozadu"_s, u"Přenést dozadu"_s), &QAction::triggered, this, [this] {
        if (m_editor->sendToBack())
            changed();
    });
    connect(makeAction(u"ActionKonec"_s, u"Konec oprav"_s), &QAction::triggered, this, [this] { konec(); });
    const std::tuple<QString, QString, QStyle::StandardPixmap> pictures[] = {
        {u"ActionKonec"_s, u"application-exit"_s, QStyle::SP_DialogCloseButton},
        {u"ActionUlozit"_s, u"document-save"_s, QStyle::SP_DialogSaveButton},
        {u"ActionZrusit"_s, u"edit-undo"_s, QStyle::SP_ArrowBack},
        {u"ActionZnovu"_s, u"edit-redo"_s, QStyle::SP_ArrowForward},
        {u"ActionSmazat"_s, u"edit-delete"_s, QStyle::SP_TrashIcon},
        {u"ActionVyjmout"_s, u"edit-cut"_s, QStyle::SP_FileIcon},
        {u"ActionKopirovat"_s, u"edit-copy"_s, QStyle::SP_FileIcon},
        {u"ActionVlozit"_s, u"edit-paste"_s, QStyle::SP_FileIcon},
    };
    for (const auto &[name, icon, fallback] : pictures)
        m_actions.at(name)->setIcon(DesignerIcons::icon(icon, fallback));

    m_tools = new QActionGroup(this);
    m_tools->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (const ToolEntry &entry : toolEntries()) {
        QAction *action = makeAction(QString::fromUtf16(entry.name), entry.caption);
        action->setIcon(DesignerIcons::icon(QString::fromUtf16(entry.icon)));
        action->setCheckable(true);
        action->setData(int(entry.tool));
        m_tools->addAction(action);
        const Qt::CursorShape cursor = entry.cursor;
        const DesignerTool tool = entry.tool;
        connect(action, &QAction::toggled, this, [this, tool, cursor](bool on) {
            if (on) {
                m_canvas->setTool(tool);
                m_canvas->setCursor(cursor);
            } else if (m_canvas->tool() == tool) {
                m_canvas->setTool(std::nullopt);
                m_canvas->setCursor(Qt::ArrowCursor);
            }
        });
    }
}

void TFormSestE::addNamedActions(QWidget &to, std::initializer_list<QString> names)
{
    for (const QString &name : names) {
        if (!name.isEmpty()) {
            to.addAction(m_actions.at(name));
            continue;
        }
        auto *separator = new QAction(&to);
        separator->setSeparator(true);
        to.addAction(separator);
    }
}

void TFormSestE::buildMenus()
{
    auto *bar = new QMenuBar(this);
    bar->setObjectName(u"MainMenu"_s);
    QMenu *file = bar->addMenu(u"&Předloha"_s);
    addNamedActions(*file, {u"ActionUlozit"_s, u"ActionUlozitJako"_s, QString(), u"ActionKonec"_s});
    QMenu *edit = bar->addMenu(u"Ú&pravy"_s);
    addNamedActions(*edit, {u"ActionZrusit"_s, u"ActionZnovu"_s, QString(), u"ActionVyjmout"_s, u"ActionKopirovat"_s,
                            u"ActionVlozit"_s, u"ActionSmazat"_s, QString(), u"ActionVyrovnatVse"_s,
                            u"ActionVyrovnatVybrane"_s, u"ActionDopredu"_s, u"ActionDozadu"_s});
    QMenu *tools = bar->addMenu(u"P&rvky"_s);
    tools->addActions(m_tools->actions());
    layout()->setMenuBar(bar);

    // Pictures only, the captions as tooltips: a caption that grows ("Zrušit
    // posun prvku") moves no button from under the mouse.
    auto *toolBar = new QToolBar(this);
    toolBar->setObjectName(u"ToolBarHlavni"_s);
    toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    addNamedActions(*toolBar,
                    {u"ActionKonec"_s, u"ActionUlozit"_s, u"ActionZrusit"_s, u"ActionZnovu"_s, u"ActionSmazat"_s});
    layout()->addWidget(toolBar);
    m_toolBox = new QToolBar(this);
    m_toolBox->setObjectName(u"ToolBarPrvky"_s);
    m_toolBox->setOrientation(Qt::Vertical);
    m_toolBox->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolBox->addActions(m_tools->actions());
    buildOutputActions(file, toolBar);
    buildZoom(toolBar);
}

void TFormSestE::buildZoom(QToolBar *toolBar)
{
    auto *zoom = new QComboBox(toolBar);
    zoom->setObjectName(u"ComboMeritko"_s);
    zoom->setToolTip(u"Měřítko"_s);
    for (int i = 0; i < DesignerSettings::ZoomCount; ++i)
        zoom->addItem(u"%1 %"_s.arg(DesignerSettings::zoomPercent(i)), DesignerSettings::zoomPercent(i));
    zoom->setCurrentIndex(zoom->findData(m_canvas->zoom()));
    // The list changes this window's zoom only; the environment dialog's
    // "ImplMeritko" stays the zoom a designer opens with.
    connect(zoom, &QComboBox::currentIndexChanged, this, [this, zoom](int index) {
        m_canvas->setZoom(zoom->itemData(index).toInt());
        changed();
    });
    toolBar->addSeparator();
    toolBar->addWidget(zoom);
}

void TFormSestE::buildOutputActions(QMenu *menu, QToolBar *toolBar)
{
    QAction *nahled = makeAction(u"ActionNahled"_s, u"Náhled sestavy"_s);
    nahled->setIcon(DesignerIcons::icon(u"document-print-preview"_s, QStyle::SP_FileDialogContentsView));
    connect(nahled, &QAction::triggered, this, [this] { this->nahled(); });
    QAction *tisk = makeAction(u"ActionTisk"_s, u"Tisk sestavy"_s);
    tisk->setIcon(DesignerIcons::icon(u"document-print"_s, QStyle::SP_FileIcon));
    connect(tisk, &QAction::triggered, this, [this] { this->tisk(); });
    // In the menu between saving and "Konec oprav"; on the main toolbar after the rest.
    QAction *konec = m_actions.at(u"ActionKonec"_s);
    QAction *separator = menu->insertSeparator(konec);
    menu->insertActions(separator, {nahled, tisk});
    toolBar->addSeparator();
    toolBar->addActions({nahled, tisk});
}

void TFormSestE::nahled()
{
    // "Oprava předlohy..." and Esc come back here. "Zavřít náhled", whose hint
    // from the designer is "Ukončit opravu předlohy", ends the editing as that
    // hint says: the designer closes too, through the unsaved-changes
    // question, so that an answer of Storno keeps it open and nothing is lost.
    TFormSestP::Answer answer = TFormSestP::Answer::Edit;
    const int result = DesignerRun::run(*m_editor, [&answer](TSestava &report) {
        return report.Preview([&answer](TSestava &prepared) {
            PreviewOptions options = PreviewOptions::of(prepared);
            options.fromDesigner = true;
            answer = TFormSestP::showPreview(prepared, options);
            return int(seOK);
        });
    });
    // A failed layout has shown the report's message; the designer stays as it was.
    if (result == seOK && answer == TFormSestP::Answer::Closed)
        konec();
}

void TFormSestE::tisk()
{
    // The report's own print on the selected printer, with the copy's pages
    // and copies: the generator's print dialog belongs to the preview alone,
    // whose "Tisk náhledu..." offers the choices.
    DesignerRun::run(*m_editor, [](TSestava &report) { return report.PrintOnCurrent(); });
}

void TFormSestE::buildTree()
{
    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(u"SplitterPrvky"_s);
    // The paper's place in the layout goes to the splitter (the old layout item is ours to drop).
    const std::unique_ptr<QLayoutItem> dropped(layout()->replaceWidget(m_scroll, splitter));
    m_tree = new ElementTree(*m_editor, *m_canvas, splitter);
    splitter->addWidget(m_tree);
    splitter->addWidget(m_scroll);
    splitter->setStretchFactor(1, 1);
    m_tree->selected = [this](QRect shown) {
        changed();
        if (!shown.isEmpty())
            m_scroll->ensureVisible(shown.center().x(), shown.center().y(), shown.width() / 2 + 20,
                                    shown.height() / 2 + 20);
    };
    m_tree->refresh();
}

void TFormSestE::buildRulers()
{
    // After buildTree: the paper's scroll area sits in the splitter beside the
    // tree, and a panel with the rulers round it takes its place there.
    auto *paper = new QWidget(this);
    paper->setObjectName(u"PanelPapir"_s);
    if (auto *splitter = qobject_cast<QSplitter *>(m_scroll->parentWidget())) {
        const int index = splitter->indexOf(m_scroll);
        splitter->replaceWidget(index, paper);
        splitter->setStretchFactor(index, m_scroll->sizePolicy().horizontalStretch());
    } else {
        std::unique_ptr<QLayoutItem>(layout()->replaceWidget(m_scroll, paper));
    }
    auto *grid = new QGridLayout(paper);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    auto *corner = new QWidget(paper);
    corner->setObjectName(u"RulerRoh"_s);
    corner->setFixedSize(PaperRuler::Thickness, PaperRuler::Thickness);
    grid->addWidget(corner, 0, 0);
    for (const Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical}) {
        auto *ruler = new PaperRuler(orientation, *m_canvas, *m_editor, paper);
        const bool horizontal = orientation == Qt::Horizontal;
        grid->addWidget(ruler, horizontal ? 0 : 1, horizontal ? 1 : 0);
        QScrollBar *bar = horizontal ? m_scroll->horizontalScrollBar() : m_scroll->verticalScrollBar();
        connect(bar, &QScrollBar::valueChanged, ruler, &PaperRuler::refresh);
        m_rulers.append(ruler);
    }
    grid->addWidget(m_scroll, 1, 1);
}

void TFormSestE::buildPopup()
{
    // The paper's pop-up menu: the editing actions of the window, so that
    // they are enabled and named as in the menu bar.
    auto *popup = new QMenu(this);
    popup->setObjectName(u"PopupPapir"_s);
    addNamedActions(*popup, {u"ActionVyjmout"_s, u"ActionKopirovat"_s, u"ActionVlozit"_s, u"ActionSmazat"_s, QString(),
                             u"ActionVlastnosti"_s, u"ActionDopredu"_s, u"ActionDozadu"_s, u"ActionVyrovnatVybrane"_s});
    m_canvas->popup = popup;
}

void TFormSestE::updateActions()
{
    const bool selected = !m_editor->selection().isEmpty();
    QAction *undo = m_actions.at(u"ActionZrusit"_s);
    undo->setEnabled(m_editor->canUndo());
    undo->setText(m_editor->canUndo() ? u"Zrušit "_s + m_editor->undoName() : u"Zrušit"_s);
    // The tooltip names the step as the caption does; the status tip keeps the hint.
    undo->setToolTip(m_editor->canUndo() ? undo->text() : undo->statusTip());
    QAction *redo = m_actions.at(u"ActionZnovu"_s);
    redo->setEnabled(m_editor->canRedo());
    redo->setText(m_editor->canRedo() ? u"Znovu "_s + m_editor->redoName() : u"Znovu"_s);
    redo->setToolTip(m_editor->canRedo() ? redo->text() : redo->statusTip());
    for (const QString &name : {u"ActionSmazat"_s, u"ActionVyjmout"_s, u"ActionKopirovat"_s, u"ActionVyrovnatVybrane"_s,
                                u"ActionDopredu"_s, u"ActionDozadu"_s})
        m_actions.at(name)->setEnabled(selected);
    if (QAction *checked = m_tools->checkedAction(); checked && !m_canvas->tool())
        checked->setChecked(false);
    updateDialogActions();
}

void TFormSestE::changed()
{
    m_canvas->refresh();
    if (m_tree)
        m_tree->refresh();
    for (PaperRuler *ruler : m_rulers)
        ruler->refresh();
    updateActions();
}

int TFormSestE::save()
{
    const int result = m_editor->save();
    if (result == seOK) {
        changed();
        return 0;
    }
    // The report's own writer shows "Soubor s předlohou se nepodařilo
    // uložit."; an application's save handler only answers yes or no, so
    // its failure is told here.
    if (m_report.OnUlozPredlohu)
        ui().error(u"Předlohu se nepodařilo uložit."_s, SestCaption::chyba());
    return -1;
}

void TFormSestE::saveAs()
{
    // The editor applies its copy and counts it as saved only when the
    // report's "save as" succeeds; the handler is its own for this one call.
    auto previous = m_editor->saveHandler;
    m_editor->saveHandler = [](TSestava &report) { return report.SaveTemplateAs(); };
    const int result = m_editor->save();
    m_editor->saveHandler = previous;
    if (result == seOK) {
        const QString name = QFileInfo(m_report.reportName()).completeBaseName();
        setWindowTitle(u"Editor sestav - %1"_s.arg(name));
    }
    changed();
}

void TFormSestE::deleteSelection()
{
    if (m_editor->selection().isEmpty())
        return;
    const QString question = m_editor->deleteQuestion();
    if (!question.isEmpty() && !ui().askYesNo(MessageKind::Confirmation, question, SestCaption::potvrzeni()))
        return;
    if (m_editor->deleteSelection())
        changed();
}

void TFormSestE::copy()
{
    const QString text = m_editor->copySelection();
    if (!text.isEmpty())
        ui().setClipboardText(text);
}

void TFormSestE::cut()
{
    const QString text = m_editor->cutSelection();
    if (text.isEmpty())
        return;
    ui().setClipboardText(text);
    changed();
}

void TFormSestE::paste()
{
    const auto [section, point] = m_canvas->pastePoint();
    if (m_editor->paste(ui().clipboardText(), section, point))
        changed();
}

void TFormSestE::konec()
{
    reject();
}

bool TFormSestE::confirmClose()
{
    if (!m_editor->isModified())
        return true;
    switch (ui().message(MessageKind::Confirmation, u"V předloze sestavy byly provedeny změny. Uložit?"_s,
                         MessageButtons::YesNoCancel, SestCaption::potvrzeni())) {
    case MessageAnswer::Yes:
        return save() == 0;
    case MessageAnswer::No:
        m_outcome = seCancelled;
        return true;
    default:
        return false;
    }
}

void TFormSestE::reject()
{
    if (!confirmClose())
        return;
    if (m_outcome != seCancelled)
        m_outcome = seOK;
    QDialog::reject();
}

bool TFormSestE::eventFilter(QObject *watched, QEvent *event)
{
    // The keys reach the paper before the scroll area would scroll with them.
    if (watched == m_canvas && event->type() == QEvent::KeyPress)
        return handleKey(static_cast<QKeyEvent *>(event));
    return QDialog::eventFilter(watched, event);
}

void TFormSestE::keyPressEvent(QKeyEvent *event)
{
    if (!handleKey(event))
        QDialog::keyPressEvent(event);
}

bool TFormSestE::handleKey(QKeyEvent *event)
{
    const QSize step = m_editor->gridStep();
    QPoint offset;
    switch (event->key()) {
    case Qt::Key_Left:
        offset = QPoint(-step.width(), 0);
        break;
    case Qt::Key_Right:
        offset = QPoint(step.width(), 0);
        break;
    case Qt::Key_Up:
        offset = QPoint(0, -step.height());
        break;
    case Qt::Key_Down:
        offset = QPoint(0, step.height());
        break;
    case Qt::Key_Delete:
        deleteSelection();
        return true;
    default:
        return false;
    }
    // Shift with an arrow resizes the focused element by a grid step, as
    // dragging its handle does; a plain arrow moves the selection.
    if (event->modifiers() & Qt::ShiftModifier) {
        TRastelReportElement *focused = m_editor->focused();
        if (focused &&
            m_editor->resizeElement(focused, QSize(focused->width, focused->height) + QSize(offset.x(), offset.y())))
            changed();
        return true;
    }
    if (!m_editor->selection().isEmpty() && m_editor->moveSelection(offset))
        changed();
    return true;
}

int TFormSestE::design(TSestava &report)
{
    TFormSestE form(report, DesignerSettings::load(report.iniFilePath()));
    WindowPlacement::maximise(form);
    ui().execModal(form);
    return form.outcome();
}

void TFormSestE::install()
{
    ReportWindows::current().design = [](TSestava &report) { return design(report); };
}
