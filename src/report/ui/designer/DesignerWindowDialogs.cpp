// The designer window's dialogs: "Nová předloha...", "Nastavení předlohy...",
// "Nastavení prostředí...", the element properties and the user functions.
// Each dialog works on the editor's copy (or a scratch copy of it) so that
// OK is one undo step and Storno leaves the copy and the undo list alone.
#include "report/ui/designer/DesignerWindow.h"

#include "common/UiSeam.h"
#include "common/widgets/DialogParts.h"
#include "report/core/Report.h"
#include "report/core/ReportCaptions.h"
#include "report/core/model/PageSetup.h"
#include "report/core/model/ReportSections.h"
#include "report/ui/designer/DesignerPaper.h"
#include "report/ui/designer/DesignerSettingsDialog.h"
#include "report/ui/designer/ElementDialog.h"
#include "report/ui/designer/NewReportDialog.h"
#include "report/ui/designer/ReportSettingsDialog.h"
#include "report/ui/designer/UserFunctionDialog.h"

#include <QAction>
#include <QLayout>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// The menu an action of the window sits in (the toolbars hold it too).
QMenu *menuOf(const QAction *action)
{
    for (QObject *holder : action->associatedObjects()) {
        if (auto *menu = qobject_cast<QMenu *>(holder))
            return menu;
    }
    return nullptr;
}

// The wizard replaces the sections, their heights and the groups along with
// the elements; of the step names the designer knows, this one names what
// the whole template's settings change under.
const QString NewTemplateStep = u"nastavení oddílů a skupin"_s;

} // namespace

void TFormSestE::buildDialogActions()
{
    connect(makeAction(u"ActionNova"_s, u"Nová předloha..."_s), &QAction::triggered, this, [this] { newTemplate(); });
    connect(makeAction(u"ActionNastaveni"_s, u"Nastavení předlohy..."_s), &QAction::triggered, this,
            [this] { reportSettings(); });
    connect(makeAction(u"ActionProstredi"_s, u"Nastavení prostředí..."_s), &QAction::triggered, this,
            [this] { environmentSettings(); });
    connect(makeAction(u"ActionVlastnosti"_s, u"Vlastnosti prvku..."_s), &QAction::triggered, this,
            [this] { elementProperties(m_editor->focused()); });
    connect(makeAction(u"ActionPridatFunkci"_s, u"Přidat funkci..."_s), &QAction::triggered, this,
            [this] { addFunction(); });
    connect(makeAction(u"ActionOpravitFunkci"_s, u"Opravit funkci..."_s), &QAction::triggered, this,
            [this] { editFunction(); });
    connect(makeAction(u"ActionSmazatFunkci"_s, u"Smazat funkci"_s), &QAction::triggered, this,
            [this] { deleteFunction(); });
    m_canvas->elementActivated = [this](TRastelReportElement *element) { elementProperties(element); };

    // "Předloha": the new template first, the two settings before "Konec oprav".
    if (QMenu *file = menuOf(m_actions.at(u"ActionKonec"_s))) {
        QAction *first = file->actions().value(0);
        file->insertAction(first, m_actions.at(u"ActionNova"_s));
        file->insertSeparator(first);
        QAction *konec = m_actions.at(u"ActionKonec"_s);
        file->insertAction(konec, m_actions.at(u"ActionNastaveni"_s));
        file->insertAction(konec, m_actions.at(u"ActionProstredi"_s));
        file->insertSeparator(konec);
    }
    if (QMenu *edit = menuOf(m_actions.at(u"ActionZrusit"_s))) {
        edit->addSeparator();
        edit->addAction(m_actions.at(u"ActionVlastnosti"_s));
    }
    if (auto *bar = qobject_cast<QMenuBar *>(layout()->menuBar())) {
        QMenu *functions = bar->addMenu(u"&Funkce"_s);
        functions->setObjectName(u"MenuFunkce"_s);
        for (const QString &name : {u"ActionPridatFunkci"_s, u"ActionOpravitFunkci"_s, u"ActionSmazatFunkci"_s})
            functions->addAction(m_actions.at(name));
    }
}

void TFormSestE::updateDialogActions()
{
    // Properties belong to one element; a function to edit or delete needs one.
    m_actions.at(u"ActionVlastnosti"_s)->setEnabled(m_editor->selection().size() == 1);
    const bool functions = m_editor->model().functions().count() > 0;
    m_actions.at(u"ActionOpravitFunkci"_s)->setEnabled(functions);
    m_actions.at(u"ActionSmazatFunkci"_s)->setEnabled(functions);
}

void TFormSestE::newTemplate()
{
    if (!ui().askYesNo(MessageKind::Confirmation, u"Zrušit všechny prvky a začít s návrhem nové předlohy?"_s,
                       SestCaption::potvrzeni()))
        return;
    // The wizard works on a scratch copy, so that cancelling it leaves the
    // editor's copy as it was; its result replaces the copy in one step.
    TSestava scratch;
    m_editor->copyModelTo(scratch);
    // The wizard sets the paper of the process-wide page setup. The step
    // must remember the paper as it was before, and the new template's
    // lines carry the new paper, so the page setup is put back until the
    // step takes them.
    const PageSetup page = pageSetup();
    if (TDlgNovaSestava::run(scratch, m_editor->environment(), this) == TDlgNovaSestava::Cancelled) {
        pageSetup() = page;
        return;
    }
    const TPredloha lines = scratch.writeTemplate();
    pageSetup() = page;
    if (m_editor->replaceTemplate(lines, NewTemplateStep))
        changed();
}

void TFormSestE::reportSettings()
{
    // The window edits the editor's copy inside one change: OK that changed
    // anything is the step, Storno leaves the copy as it was and so records
    // no step.
    if (m_editor->edit(u"nastavení oddílů a skupin"_s, [this](TSestava &model) { TSestDlg::edit(model, this); }))
        changed();
}

void TFormSestE::environmentSettings()
{
    // The environment lives in the report's ini file, where the designer
    // read it on opening. A report without an ini file has the dialog change
    // this designer's environment for as long as it is open.
    //
    // The grid, snapping, the undo limit, the element tree and what the
    // paper shows follow at once. "ImplMeritko" is the zoom a designer opens
    // with: the open window keeps the zoom it has.
    const QString iniPath = m_report.iniFilePath();
    DesignerSettings environment = m_editor->environment();
    if (iniPath.isEmpty()) {
        if (!TSestKonfigDlg::edit(environment, this))
            return;
    } else {
        if (TSestKonfigDlg::editIni(iniPath, this) != 0)
            return;
        environment = DesignerSettings::load(iniPath);
    }
    m_editor->setEnvironment(environment);
    changed();
}

void TFormSestE::elementProperties(TRastelReportElement *element)
{
    if (!element)
        return;
    m_editor->select(element);
    updateActions();
    // The dialog edits a copy; only a changed element becomes a step.
    TRastelReportElement settings = *element;
    if (TDlgKonfPrvku::edit(m_editor->model(), settings, m_editor->environment().fontsAlphabetical, this))
        m_editor->replaceElement(element, settings);
    changed();
}

int TFormSestE::chooseFunction()
{
    // A function need not be shown by any element (a sum another function
    // reads), so the user picks it from the list of all of them. The function
    // of a selected function element is preselected, and the list shows
    // which one a deletion would take before the question is asked.
    const TListFunkci &functions = m_editor->model().functions();
    if (functions.count() == 0)
        return -1;
    QDialog dialog(this);
    dialog.setObjectName(u"TDlgVyberFunkce"_s);
    dialog.setWindowTitle(u"Výběr funkce"_s);
    auto *layout = new QVBoxLayout(&dialog);
    auto *list = new QListWidget(&dialog);
    list->setObjectName(u"lbFunkce"_s);
    for (int i = 0; i < functions.count(); ++i)
        list->addItem(functions.caption(i));
    const TRastelReportElement *focused = m_editor->focused();
    const bool shown = focused && focused->kind == ElementKind::UserFunction && focused->reference >= 0 &&
                       focused->reference < functions.count();
    list->setCurrentRow(shown ? focused->reference : 0);
    layout->addWidget(list);
    QPushButton *ok = DialogParts::addOkStorno(&dialog, layout);
    connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
    if (ui().execModal(dialog) != QDialog::Accepted)
        return -1;
    return list->currentRow();
}

void TFormSestE::addFunction()
{
    // The dialog works on a scratch copy that holds the new function under
    // its default name, so that the name is checked against the others.
    TSestava scratch;
    m_editor->copyModelTo(scratch);
    TRadekFunkce function = scratch.functions().add();
    if (!TFunkceDlg::edit(scratch, function, scratch.functions().count() - 1, this))
        return;
    if (m_editor->addFunction(function) >= 0)
        changed();
}

void TFormSestE::editFunction()
{
    const int index = chooseFunction();
    if (index < 0)
        return;
    TSestava scratch;
    m_editor->copyModelTo(scratch);
    TRadekFunkce function = scratch.functions().at(index);
    if (TFunkceDlg::edit(scratch, function, index, this) && m_editor->editFunction(index, function))
        changed();
}

void TFormSestE::deleteFunction()
{
    const int index = chooseFunction();
    if (index < 0 || !TFunkceDlg::confirmDelete())
        return;
    if (m_editor->deleteFunction(index))
        changed();
}
