#pragma once

#include "report/core/designer/DesignerDocument.h"

#include <QList>
#include <QRect>
#include <QTreeWidget>

#include <functional>

class DesignerPaper;

// The tree of the template's elements beside the paper ("Zobrazit strom
// prvků předlohy"): a node per band with its caption, under it a node per
// element with the text the paper shows for it. Selecting element nodes
// selects the elements; the paper's selection is shown by the nodes.
class ElementTree : public QTreeWidget
{
    Q_OBJECT

public:
    ElementTree(DesignerDocument &editor, const DesignerPaper &canvas, QWidget *parent = nullptr);

    // Shown while the environment asks for it ("ShowTree"); then built again
    // when the bands or their elements changed, and its selection follows
    // the editor's. The window calls it after every change.
    void refresh();

    // The node of a band / of an element of the editor's copy; null for none.
    QTreeWidgetItem *bandItem(int sectionId) const;
    QTreeWidgetItem *elementItem(const TRastelReportElement *element) const;

    // After the user selected nodes: the editor's selection already follows
    // them; the argument is the part of the paper (pixels) to bring into view.
    std::function<void(QRect shown)> selected;

private:
    // What the tree shows: a band (element null) or an element under the last band.
    struct Entry
    {
        int sectionId = 0;
        QString text;
        const TRastelReportElement *element = nullptr;
        bool operator==(const Entry &) const = default;
    };
    QList<Entry> entries() const;
    void rebuild(const QList<Entry> &entries);
    void showSelection();
    void takeSelection();
    static TRastelReportElement *elementOf(const QTreeWidgetItem *item);

    DesignerDocument &m_editor;
    const DesignerPaper &m_canvas;
    QList<Entry> m_shown;
    bool m_showing = false; // the editor's selection is being put on the nodes
    bool m_taking = false;  // the nodes' selection is being handed to the editor
};
