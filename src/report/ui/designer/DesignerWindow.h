#pragma once

#include "report/core/designer/DesignerDocument.h"

#include <QDialog>

#include <map>
#include <memory>

class QAction;
class QActionGroup;
class QMenu;
class QScrollArea;
class QToolBar;
class DesignerPaper;
class PaperRuler;
class ElementTree;

// The template designer: the report's template as bands of paper with their
// elements, edited with the mouse, the keys and the menu. Every rule lives
// in DesignerDocument; the window draws its copy and hands it the user's actions.
class TFormSestE : public QDialog
{
    Q_OBJECT

public:
    TFormSestE(TSestava &report, const DesignerSettings &environment, QWidget *parent = nullptr);
    ~TFormSestE() override;

    // Runs the designer modally (maximised) on the report: seOK when closed
    // after saving or without changes, seCancelled when changes were dropped.
    static int design(TSestava &report);
    // Installs the designer as the report's Design window (ReportWindows).
    static void install();

    DesignerDocument &editor() { return *m_editor; }
    DesignerPaper &canvas() { return *m_canvas; }
    // seOK or seCancelled, as design() returns it.
    int outcome() const { return m_outcome; }

    // "Konec oprav", the close box and Esc: unsaved changes are asked about first.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAction *makeAction(const QString &name, const QString &caption, const QString &hint = QString());
    void buildActions();
    // Puts the window's actions of those names on a menu or toolbar, in
    // that order; an empty name puts a separator.
    void addNamedActions(QWidget &to, std::initializer_list<QString> names);
    void buildMenus();
    // The paper's pop-up menu.
    void buildPopup();
    // The zoom list on the main toolbar ("ImplMeritko" is where it starts).
    void buildZoom(QToolBar *toolBar);
    // The element tree at the left of the paper (it follows "ShowTree").
    void buildTree();
    // The rulers above and left of the paper, following its scroll bars.
    void buildRulers();
    void updateActions();
    void changed();
    // Arrows move the selection by a grid step (with Shift they resize the
    // focused element), Delete deletes it; false for other keys.
    bool handleKey(QKeyEvent *event);

    // 0 on success; a failure has shown its message.
    int save();
    void saveAs();
    void deleteSelection();
    void copy();
    void cut();
    void paste();
    void konec();
    // Whether the window may close: nothing unsaved, or the user's answer.
    bool confirmClose();

    // "Náhled sestavy" and "Tisk sestavy": the edited copy laid out over the
    // report's data, the report left as it was (DesignerRun).
    void buildOutputActions(QMenu *menu, QToolBar *toolBar);
    void nahled();
    void tisk();

    // The dialogs reached from the window (DesignerWindowDialogs.cpp): the
    // new-report wizard, the report settings, the environment, element
    // properties and the user functions.
    void buildDialogActions();
    void updateDialogActions();
    void newTemplate();
    void reportSettings();
    void environmentSettings();
    void elementProperties(TRastelReportElement *element);
    void addFunction();
    void editFunction();
    void deleteFunction();
    // The function the user picks from the list; -1 when cancelled.
    int chooseFunction();

    TSestava &m_report;
    std::unique_ptr<DesignerDocument> m_editor;
    DesignerPaper *m_canvas = nullptr;
    QScrollArea *m_scroll = nullptr;
    ElementTree *m_tree = nullptr;
    QList<PaperRuler *> m_rulers;
    QActionGroup *m_tools = nullptr;
    QToolBar *m_toolBox = nullptr;
    std::map<QString, QAction *> m_actions;
    int m_outcome = 0;
};
