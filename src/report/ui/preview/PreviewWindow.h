#pragma once

#include "report/ui/preview/PreviewState.h"

#include <QDialog>

#include <functional>
#include <map>
#include <memory>

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QScrollArea;
class QToolBar;
class PreviewPage;
class TPrintDialogTyp;
class TSestava;

// What the application (or the designer) asks of a preview.
struct PreviewOptions
{
    QString userHint;           // the custom action's hint and caption; empty hides the action
    bool printDisabled = false; // "Tisk náhledu..." disabled
    bool fromDesigner = false;  // "Oprava předlohy..." enabled, Esc returns to the designer
    int zoom = 100;

    // The options an application keeps on the report as dynamic properties
    // ("PreviewUserHint", "PreviewPrintDisabled"), so that the report's own
    // Preview carries them to the window.
    static PreviewOptions of(const TSestava &report);
    static void setOn(TSestava &report, const QString &userHint, bool printDisabled);
};

// "Prohlížení sestavy před tiskem": the laid-out pages of a report, page by
// page at a chosen zoom, printed through the generator's print dialog, saved
// to files, or handed back to the designer. It draws the output that the
// report's last run left; it never lays out again.
class TFormSestP : public QDialog
{
    Q_OBJECT

public:
    enum class Answer { Closed, Edit };

    TFormSestP(TSestava &report, const PreviewOptions &options, QWidget *parent = nullptr);
    ~TFormSestP() override;

    // Shows the window modally (maximised) over the report's output: how it
    // was left. The report must be prepared.
    static Answer showPreview(TSestava &report, const PreviewOptions &options);
    // Installs the window as the report's preview (ReportWindows).
    static void install();

    const PreviewState &state() const { return m_state; }
    Answer answer() const { return m_answer; }
    // Draws the current page as the window shows it (white paper, background,
    // page image) at the current zoom; only the page shown is ever drawn.
    void paintPaper(QPainter &painter);
    bool showsBackground() const { return m_showBackground; }

    // The close box: from the designer back to it, as Esc; otherwise closed.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QAction *makeAction(const QString &name, const QString &caption, const QString &hint);
    void buildActions();
    void buildMenus();
    void buildToolBar(QToolBar *toolBar);
    void updateView();
    void showPage(int page);
    void setZoom(int zoom);

    void konec();
    void edit();
    void print();
    void user();
    void askPage();
    // A save entry: the file dialog, then `write` with the chosen name; a
    // failure shows the message.
    void save(const QString &filter, const QString &defaultExtension, const std::function<int(const QString &)> &write);

    TSestava &m_report;
    PreviewOptions m_options;
    PreviewState m_state;
    Answer m_answer = Answer::Closed;
    bool m_showBackground = false;
    bool m_printBackground = false; // "Tisknout pozadí" as last chosen in this window
    std::unique_ptr<TPrintDialogTyp> m_printDialog;

    std::map<QString, QAction *> m_actions;
    QActionGroup *m_zoomGroup = nullptr;
    QMenu *m_saveMenu = nullptr;
    QMenu *m_pageMenu = nullptr;
    QMenu *m_previewMenu = nullptr;
    QScrollArea *m_scrollBox = nullptr;
    PreviewPage *m_page = nullptr;
    QLabel *m_panCurrent = nullptr;
    QLabel *m_panCount = nullptr;
};
