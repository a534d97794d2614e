#include "report/ui/designer/ElementTree.h"

#include "report/ui/designer/DesignerPaper.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QSet>

using namespace Qt::StringLiterals;

namespace {

constexpr int ElementRole = Qt::UserRole;
constexpr int SectionRole = Qt::UserRole + 1;

} // namespace

ElementTree::ElementTree(DesignerDocument &editor, const DesignerPaper &canvas, QWidget *parent)
    : QTreeWidget(parent), m_editor(editor), m_canvas(canvas)
{
    setObjectName(u"TreePrvky"_s);
    setColumnCount(1);
    header()->hide();
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    // The tree is a view of the paper: the keys that edit stay with the paper.
    setFocusPolicy(Qt::ClickFocus);
    connect(this, &QTreeWidget::itemSelectionChanged, this, [this] { takeSelection(); });
    setVisible(false);
}

QList<ElementTree::Entry> ElementTree::entries() const
{
    QList<Entry> result;
    for (const DesignerBand &band : m_editor.bands()) {
        // As on the paper: a hidden section has no band.
        if (!band.visible)
            continue;
        result.append({band.sectionId, band.caption, nullptr});
        for (const TRastelReportElement *element : m_editor.elements(band.sectionId))
            result.append({band.sectionId, m_canvas.elementText(*element), element});
    }
    return result;
}

void ElementTree::refresh()
{
    setVisible(m_editor.environment().showTree);
    // A hidden tree is built when it is shown again.
    if (isHidden()) {
        m_shown.clear();
        clear();
        return;
    }
    const QList<Entry> now = entries();
    if (now != m_shown)
        rebuild(now);
    // The nodes the user has just chosen are the selection already.
    if (!m_taking)
        showSelection();
}

void ElementTree::rebuild(const QList<Entry> &entries)
{
    // Bands the user folded stay folded, and the tree keeps its place.
    QSet<int> folded;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        if (!topLevelItem(i)->isExpanded())
            folded.insert(topLevelItem(i)->data(0, SectionRole).toInt());
    }
    const int scrolled = verticalScrollBar()->value();
    const bool wasShowing = std::exchange(m_showing, true);
    clear();
    QTreeWidgetItem *band = nullptr;
    QList<QTreeWidgetItem *> bands;
    for (const Entry &entry : entries) {
        auto *item = new QTreeWidgetItem(QStringList{entry.text});
        item->setData(0, SectionRole, entry.sectionId);
        if (!entry.element) {
            band = item;
            bands.append(item);
            continue;
        }
        item->setData(0, ElementRole, QVariant::fromValue(quintptr(entry.element)));
        band->addChild(item);
    }
    addTopLevelItems(bands);
    for (QTreeWidgetItem *item : std::as_const(bands))
        item->setExpanded(!folded.contains(item->data(0, SectionRole).toInt()));
    // The new rows are laid out first, or the scroll range would still be the empty tree's.
    executeDelayedItemsLayout();
    verticalScrollBar()->setValue(scrolled);
    m_showing = wasShowing;
    m_shown = entries;
}

TRastelReportElement *ElementTree::elementOf(const QTreeWidgetItem *item)
{
    // Only nodes of the current copy are in the tree: it is built again
    // whenever the copy changes.
    return item ? reinterpret_cast<TRastelReportElement *>(item->data(0, ElementRole).value<quintptr>()) : nullptr;
}

QTreeWidgetItem *ElementTree::bandItem(int sectionId) const
{
    for (int i = 0; i < topLevelItemCount(); ++i) {
        if (topLevelItem(i)->data(0, SectionRole).toInt() == sectionId)
            return topLevelItem(i);
    }
    return nullptr;
}

QTreeWidgetItem *ElementTree::elementItem(const TRastelReportElement *element) const
{
    QTreeWidgetItem *band = element ? bandItem(m_editor.sectionOf(element)) : nullptr;
    for (int i = 0; band && i < band->childCount(); ++i) {
        if (elementOf(band->child(i)) == element)
            return band->child(i);
    }
    return nullptr;
}

void ElementTree::showSelection()
{
    const bool wasShowing = std::exchange(m_showing, true);
    QTreeWidgetItem *focused = elementItem(m_editor.focused());
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem *band = topLevelItem(i);
        band->setSelected(false);
        for (int j = 0; j < band->childCount(); ++j)
            band->child(j)->setSelected(m_editor.isSelected(elementOf(band->child(j))));
    }
    if (focused) {
        setCurrentItem(focused, 0, QItemSelectionModel::NoUpdate);
        scrollToItem(focused);
    }
    m_showing = wasShowing;
}

void ElementTree::takeSelection()
{
    if (m_showing)
        return;
    // The selected element nodes in the tree's order; the current node, when
    // one of them, is the focused element. A band's node only brings the
    // band into view: it selects none of its elements.
    QTreeWidgetItem *current = currentItem();
    TRastelReportElement *focus = nullptr;
    m_editor.clearSelection();
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem *band = topLevelItem(i);
        for (int j = 0; j < band->childCount(); ++j) {
            QTreeWidgetItem *item = band->child(j);
            if (!item->isSelected())
                continue;
            m_editor.select(elementOf(item), true);
            if (item == current)
                focus = elementOf(item);
        }
    }
    if (focus)
        m_editor.select(focus, true);

    QRect shown;
    if (m_editor.focused()) {
        shown = m_canvas.elementRect(m_editor.focused());
    } else if (current && current->isSelected() && !current->parent()) {
        for (const DesignerPaper::BandGeometry &g : m_canvas.layout()) {
            if (g.band.sectionId == current->data(0, SectionRole).toInt())
                shown = g.caption.united(g.body);
        }
    }
    m_taking = true;
    if (selected)
        selected(shown);
    m_taking = false;
}
