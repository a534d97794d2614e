#include "app/ui/WizardArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace WizardArt {

namespace {
const QColor kNavy(0x1f, 0x3a, 0x5f);
const QColor kTeal(0x2a, 0x7f, 0x8f);
const QColor kPaper(0xfb, 0xfb, 0xf7);

QPixmap canvas(int width, int height)
{
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void drawDocument(QPainter &p, const QRectF &r, const QColor &lines)
{
    QPainterPath page;
    const qreal fold = r.width() * 0.28;
    page.moveTo(r.topLeft());
    page.lineTo(r.right() - fold, r.top());
    page.lineTo(r.right(), r.top() + fold);
    page.lineTo(r.bottomRight());
    page.lineTo(r.bottomLeft());
    page.closeSubpath();
    p.setPen(QPen(kNavy, 1.2));
    p.setBrush(kPaper);
    p.drawPath(page);
    p.setPen(QPen(lines, 1.4));
    for (int i = 1; i <= 4; ++i) {
        const qreal y = r.top() + fold + i * (r.height() - fold) / 5.5;
        p.drawLine(QPointF(r.left() + r.width() * 0.18, y), QPointF(r.right() - r.width() * 0.18, y));
    }
}
} // namespace

QPixmap leftEdgePicture(int width, int height)
{
    QPixmap pixmap = canvas(width, height);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0, kNavy);
    sky.setColorAt(1, kTeal);
    p.fillRect(pixmap.rect(), sky);
    // A stack of ledger sheets: the data the add-on works on.
    for (int i = 0; i < 3; ++i) {
        const QRectF sheet(width * 0.16 + i * 6, height * 0.12 + i * 10, width * 0.62, width * 0.8);
        drawDocument(p, sheet, QColor(0x9a, 0xb3, 0xc9));
    }
    // The product's name along the edge.
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(28);
    p.setFont(font);
    p.setPen(Qt::white);
    p.translate(width / 2.0 + 10, height - 16);
    p.rotate(-90);
    p.drawText(0, 0, QStringLiteral("Tarnek"));
    return pixmap;
}

QPixmap operationIcon(Operation operation, int size)
{
    QPixmap pixmap = canvas(size, size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF doc(size * 0.12, size * 0.06, size * 0.62, size * 0.82);
    drawDocument(p, doc, QColor(0x9a, 0xb3, 0xc9));
    const QRectF badge(size * 0.46, size * 0.46, size * 0.5, size * 0.5);
    p.setPen(Qt::NoPen);
    QPen mark(Qt::white, size / 14.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    switch (operation) {
    case Operation::SequenceCheck: // a magnifier over the numbers
        p.setBrush(kTeal);
        p.drawEllipse(badge);
        p.setPen(mark);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(badge.adjusted(size * 0.1, size * 0.1, -size * 0.16, -size * 0.16));
        p.drawLine(badge.center() + QPointF(size * 0.06, size * 0.06),
                   badge.bottomRight() - QPointF(size * 0.08, size * 0.08));
        break;
    case Operation::Renumber: // circular arrows
        p.setBrush(QColor(0xc0, 0x39, 0x2b));
        p.drawEllipse(badge);
        p.setPen(mark);
        p.drawArc(badge.adjusted(size * 0.1, size * 0.1, -size * 0.1, -size * 0.1), 30 * 16, 270 * 16);
        break;
    case Operation::Purge: // a cross
        p.setBrush(QColor(0xc0, 0x39, 0x2b));
        p.drawEllipse(badge);
        p.setPen(mark);
        p.drawLine(badge.topLeft() + QPointF(size * 0.15, size * 0.15),
                   badge.bottomRight() - QPointF(size * 0.15, size * 0.15));
        p.drawLine(badge.topRight() + QPointF(-size * 0.15, size * 0.15),
                   badge.bottomLeft() + QPointF(size * 0.15, -size * 0.15));
        break;
    case Operation::EditedDocuments: // a pencil stroke with a colour highlight
        p.setBrush(QColor(0xe6, 0xa1, 0x1f));
        p.drawEllipse(badge);
        p.setPen(mark);
        p.drawLine(badge.bottomLeft() + QPointF(size * 0.14, -size * 0.14),
                   badge.topRight() + QPointF(-size * 0.14, size * 0.14));
        break;
    case Operation::Balances: // bars of a day-by-day chart
        p.setBrush(kTeal);
        p.drawEllipse(badge);
        p.setPen(mark);
        for (int i = 0; i < 3; ++i) {
            const qreal x = badge.left() + size * (0.14 + i * 0.11);
            p.drawLine(QPointF(x, badge.bottom() - size * 0.12), QPointF(x, badge.bottom() - size * (0.2 + i * 0.07)));
        }
        break;
    case Operation::Restore: { // an arrow turning back
        p.setBrush(QColor(0xc0, 0x39, 0x2b));
        p.drawEllipse(badge);
        p.setPen(mark);
        const QRectF arc = badge.adjusted(size * 0.12, size * 0.12, -size * 0.12, -size * 0.12);
        p.drawArc(arc, 90 * 16, 250 * 16);
        const QPointF tip(arc.center().x(), arc.top());
        p.drawLine(tip, tip + QPointF(size * 0.08, -size * 0.05));
        p.drawLine(tip, tip + QPointF(size * 0.08, size * 0.07));
        break;
    }
    }
    return pixmap;
}

QPixmap safetyMarker(bool safe, int size)
{
    QPixmap pixmap = canvas(size, size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(safe ? QColor(0x1e, 0x7b, 0x34) : QColor(0x9c, 0x1c, 0x1c), 1));
    p.setBrush(safe ? QColor(0x3c, 0xb3, 0x4f) : QColor(0xd9, 0x3b, 0x3b));
    p.drawEllipse(QRectF(1, 1, size - 2, size - 2));
    return pixmap;
}

} // namespace WizardArt
