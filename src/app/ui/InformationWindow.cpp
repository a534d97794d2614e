#include "app/ui/InformationWindow.h"

#include "app/ui/PrintContext.h"
#include "common/MemTable.h"
#include "common/TextFile.h"
#include "common/UiSeam.h"
#include "print/PrintDialog.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextCursor>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// The window opens wide enough for a protocol line as the protocol template
// prints it (about 96 characters) and tall enough for a page's worth of
// lines, within the screen; longer lines wrap on screen.
constexpr int ProtocolColumns = 96;
constexpr int ProtocolRows = 32;
constexpr double ScreenShare = 0.9;

} // namespace

TfrmFreeText::TfrmFreeText(QWidget *parent) : QDialog(parent), m_mtProtokol(std::make_unique<MemTable>(u"mtProtokol"_s))
{
    setObjectName(u"TfrmFreeText"_s);
    setWindowTitle(u"Informace"_s);
    m_mtProtokol->addField(u"Text"_s, FieldType::Memo);

    auto *layout = new QVBoxLayout(this);
    m_reProtokol = new QPlainTextEdit(this);
    m_reProtokol->setObjectName(u"reProtokol"_s);
    m_reProtokol->setReadOnly(true);
    m_reProtokol->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Long lines (the advice after a renumbering, a snapshot's folder) wrap
    // on screen; the protocol's lines stay as they are for saving and
    // printing, which take them from the protocol itself.
    m_reProtokol->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_reProtokol->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout->addWidget(m_reProtokol);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    auto *btnUlozit = new QPushButton(u"Uložit"_s, this);
    btnUlozit->setObjectName(u"btnUlozit"_s);
    m_btnVytisknout = new QPushButton(u"Vytisknout"_s, this);
    m_btnVytisknout->setObjectName(u"btnVytisknout"_s);
    auto *btnZavrit = new QPushButton(u"Zavřít"_s, this);
    btnZavrit->setObjectName(u"btnZavrit"_s);
    for (QPushButton *b : {btnUlozit, m_btnVytisknout, btnZavrit}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);

    resize(protocolSize(btnZavrit->sizeHint().height()));

    connect(btnUlozit, &QPushButton::clicked, this, [this] { saveToFile(); });
    connect(m_btnVytisknout, &QPushButton::clicked, this, &TfrmFreeText::print);
    connect(btnZavrit, &QPushButton::clicked, this, [this] {
        m_mtProtokol->clear();
        reject();
    });
}

TfrmFreeText::~TfrmFreeText() = default;

QSize TfrmFreeText::protocolSize(int buttonsHeight) const
{
    const QFontMetrics metrics(m_reProtokol->font());
    const int frame = 2 * m_reProtokol->frameWidth() + 2 * int(m_reProtokol->document()->documentMargin());
    const QMargins margins = layout()->contentsMargins();
    const QSize text(metrics.horizontalAdvance(QString(ProtocolColumns, u'x')) + frame +
                         m_reProtokol->verticalScrollBar()->sizeHint().width(),
                     metrics.lineSpacing() * ProtocolRows + frame);
    QSize wanted = text + QSize(margins.left() + margins.right(),
                                margins.top() + margins.bottom() + layout()->spacing() + buttonsHeight);
    if (const QScreen *shown = screen()) {
        const QSize room = shown->availableSize() * ScreenShare;
        wanted = wanted.boundedTo(room);
    }
    return wanted;
}

void TfrmFreeText::clearText()
{
    m_protocol.clear();
    m_reProtokol->clear();
}

void TfrmFreeText::addLine(const QString &line)
{
    m_protocol.addLine(line);
    m_reProtokol->appendPlainText(line);
}

void TfrmFreeText::setProtocol(const OperationProtocol &protocol)
{
    m_protocol = protocol;
    m_reProtokol->setPlainText(protocol.lines().join(u'\n'));
}

int TfrmFreeText::showProtocol(const OperationProtocol &protocol)
{
    setProtocol(protocol);
    return showModal();
}

int TfrmFreeText::showModal()
{
    return ui().execModal(*this);
}

int TfrmFreeText::saveToFile()
{
    FileDialogRequest request;
    request.title = u"Uložit do souboru"_s;
    request.filter = u"Textové soubory (*.txt)|*.txt|Všechny soubory (*.*)|*.*"_s;
    request.defaultExtension = u"TXT"_s;
    request.overwritePrompt = true;
    const QString fileName = ui().saveFileName(request);
    if (fileName.isEmpty())
        return -1;
    if (!TextFile::writeLines(fileName, lines())) {
        // The platform's file error; the window stays open.
        ui().error(u"Nelze vytvořit soubor \""_s + fileName + u"\"."_s);
        return -1;
    }
    return 0;
}

void TfrmFreeText::fillPrintTable()
{
    m_mtProtokol->clear();
    m_mtProtokol->append();
    // The host's memo text: lines separated by CR LF.
    m_mtProtokol->setValue(u"Text"_s, m_protocol.text());
}

void TfrmFreeText::print()
{
    fillPrintTable();
    TfrmTisk::Print(tfProtokol, *m_mtProtokol, m_runContext ? printContext(*m_runContext) : TiskContext());
}

void TfrmFreeText::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_reProtokol->setFocus();
    QTextCursor cursor = m_reProtokol->textCursor();
    cursor.movePosition(QTextCursor::Start);
    m_reProtokol->setTextCursor(cursor);
}
