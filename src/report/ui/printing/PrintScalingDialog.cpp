#include "report/ui/printing/PrintScalingDialog.h"

#include "common/UiSeam.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

// The paper with its printable area and the sheets laid over it.
class TFormRastelReportZoom::SheetPicture final : public QWidget
{
public:
    SheetPicture(const PrintSheets &sheets, const PrinterMargins &margins, QWidget *parent)
        : QWidget(parent), m_sheets(sheets), m_margins(margins)
    {
        setObjectName(u"pbObrazek"_s);
        setMinimumSize(180, 220);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        const QSize paper = m_sheets.paper();
        if (paper.isEmpty())
            return;
        QPainter painter(this);
        painter.fillRect(rect(), palette().window());
        // Everything in units of the paper, fitted into the widget with a rim.
        const double fit = std::min((width() - 20) / double(paper.width()), (height() - 20) / double(paper.height()));
        painter.translate(10, 10);
        painter.scale(fit, fit);
        painter.fillRect(QRect(QPoint(0, 0), paper), Qt::white);
        painter.setPen(QPen(Qt::black, 0));
        painter.drawRect(QRect(QPoint(0, 0), paper));
        painter.fillRect(QRect(m_margins.left, m_margins.top, paper.width() - m_margins.left - m_margins.right,
                               paper.height() - m_margins.top - m_margins.bottom),
                         QColor(0xE0, 0xE8, 0xF8));
        // A sheet prints the paper at the zoom, so on the paper it covers
        // the printer page divided by the zoom.
        const double zoom = m_sheets.zoom() / 100.0;
        const QSize page = m_sheets.printerPage();
        painter.setPen(QPen(Qt::red, 0, Qt::DashLine));
        for (int row = 0; row < m_sheets.down(); ++row) {
            for (int column = 0; column < m_sheets.across(); ++column) {
                const QPoint at = m_sheets.sheetOffset(row, column);
                painter.drawRect(QRectF(at.x() / zoom, at.y() / zoom, page.width() / zoom, page.height() / zoom));
            }
        }
    }

private:
    const PrintSheets &m_sheets;
    PrinterMargins m_margins;
};

TFormRastelReportZoom::TFormRastelReportZoom(QPrinter &printer, const PrintSheets &sheets, QWidget *parent)
    : QDialog(parent), m_printer(printer), m_sheets(sheets)
{
    setObjectName(u"TFormRastelReportZoom"_s);
    setWindowTitle(u"Rastel - možnosti tisku"_s);

    m_paperSize = new QLabel(this);
    m_paperSize->setObjectName(u"lblFormatSestavy"_s);
    m_mediumSize = new QLabel(this);
    m_mediumSize->setObjectName(u"lblFormatMedia"_s);
    m_zoom = new QLabel(this);
    m_zoom->setObjectName(u"lblZoom"_s);
    auto *sizes = new QFormLayout;
    sizes->addRow(u"Formát tiskové sestavy:"_s, m_paperSize);
    sizes->addRow(u"Formát média v tiskárně:"_s, m_mediumSize);

    auto *options = new QGroupBox(this);
    m_crop = new QRadioButton(u"Oříznout tiskovou sestavu"_s, options);
    m_crop->setObjectName(u"rbOriznout"_s);
    m_scale = new QRadioButton(u"Zmenšit měřítko tisku"_s, options);
    m_scale->setObjectName(u"rbZmensit"_s);
    m_multiple = new QRadioButton(u"Tisknout na více listů"_s, options);
    m_multiple->setObjectName(u"rbViceListu"_s);
    auto *optionLayout = new QVBoxLayout(options);
    optionLayout->addWidget(m_crop);
    optionLayout->addWidget(m_scale);
    optionLayout->addWidget(m_multiple);
    m_rotate = new QCheckBox(u"Otočit médium v tiskárně"_s, this);
    m_rotate->setObjectName(u"cbOtocit"_s);

    // The margins are what is left of the paper around the printable area;
    // the sheets only need them to draw it.
    m_picture = new SheetPicture(m_sheets, sheets.margins(), this);

    auto *printerButton = new QPushButton(u"Tiskárna..."_s, this);
    printerButton->setObjectName(u"btnTiskarna"_s);
    auto *print = new QPushButton(u"Tisknout"_s, this);
    print->setObjectName(u"btnTisknout"_s);
    print->setDefault(true);
    auto *cancel = new QPushButton(u"Storno"_s, this);
    cancel->setObjectName(u"btnStorno"_s);

    auto *left = new QVBoxLayout;
    left->addLayout(sizes);
    left->addWidget(options);
    left->addWidget(m_rotate);
    auto *zoomRow = new QHBoxLayout;
    zoomRow->addWidget(new QLabel(u"Měřítko:"_s, this));
    zoomRow->addWidget(m_zoom);
    zoomRow->addStretch();
    left->addLayout(zoomRow);
    left->addStretch();
    auto *top = new QHBoxLayout;
    top->addLayout(left);
    top->addWidget(m_picture, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(printerButton);
    buttons->addStretch();
    buttons->addWidget(print);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);

    switch (m_sheets.option()) {
    case PrintSheets::Scale:
        m_scale->setChecked(true);
        break;
    case PrintSheets::MultipleSheets:
        m_multiple->setChecked(true);
        break;
    default:
        m_crop->setChecked(true);
    }
    m_rotate->setChecked(m_sheets.rotated());
    for (QRadioButton *button : {m_crop, m_scale, m_multiple})
        connect(button, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                optionChanged();
        });
    connect(m_rotate, &QCheckBox::toggled, this, &TFormRastelReportZoom::optionChanged);
    connect(printerButton, &QPushButton::clicked, this, &TFormRastelReportZoom::setUpPrinter);
    connect(print, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    showSheets();
}

TFormRastelReportZoom::~TFormRastelReportZoom() = default;

QSize TFormRastelReportZoom::printerPage(const QPrinter &printer)
{
    const int resolution = printer.resolution();
    const QRect full = printer.pageLayout().fullRectPixels(resolution);
    return PrintSheets::pageInUnits(full.width(), full.height(), resolution, resolution);
}

void TFormRastelReportZoom::optionChanged()
{
    m_sheets.setOption(m_scale->isChecked()      ? PrintSheets::Scale
                       : m_multiple->isChecked() ? PrintSheets::MultipleSheets
                                                 : PrintSheets::Crop);
    m_sheets.setRotated(m_rotate->isChecked());
    showSheets();
}

void TFormRastelReportZoom::setUpPrinter()
{
    QPageSetupDialog setup(&m_printer, this);
    setup.setObjectName(u"dlgNastaveniTiskarny"_s);
    ui().execModal(setup);
    m_sheets.setPrinterPage(printerPage(m_printer));
    showSheets();
}

void TFormRastelReportZoom::showSheets()
{
    m_paperSize->setText(u"%1 x %2"_s.arg(m_sheets.paper().width()).arg(m_sheets.paper().height()));
    m_mediumSize->setText(u"%1 x %2"_s.arg(m_sheets.printerPage().width()).arg(m_sheets.printerPage().height()));
    m_zoom->setText(u"%1 %"_s.arg(m_sheets.zoom()));
    m_picture->update();
}

void TFormRastelReportZoom::accept()
{
    if (m_sheets.rotated())
        m_printer.setPageOrientation(m_printer.pageLayout().orientation() == QPageLayout::Portrait
                                         ? QPageLayout::Landscape
                                         : QPageLayout::Portrait);
    QDialog::accept();
}
