#include "app/ui/CodeListEditor.h"

#include "app/ui/PickListWindow.h"
#include "common/MemTable.h"
#include "common/TextUtils.h"
#include "common/UiSeam.h"
#include "common/widgets/DataGrid.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TfrmEditorPol::TfrmEditorPol(int type, Picker picker, QWidget *parent)
    : QDialog(parent), m_type(type), m_picker(std::move(picker)),
      m_mtSeznamPol(std::make_unique<MemTable>(u"mtSeznamPol"_s))
{
    setObjectName(u"TfrmEditorPol"_s);
    setWindowTitle(u"Seznam položek"_s);
    resize(360, 360);
    FieldDef code;
    code.name = u"Zkratka"_s;
    code.size = 255;
    code.displayWidth = 226;
    m_mtSeznamPol->addField(code);

    auto *layout = new QHBoxLayout(this);
    m_grid = new DataGrid(this);
    m_grid->setObjectName(u"grSeznamPol"_s);
    m_grid->setRowSelect(true);
    m_grid->setSearchEnabled(false);
    m_grid->setTable(m_mtSeznamPol.get());
    layout->addWidget(m_grid, 1);

    auto *buttons = new QVBoxLayout;
    auto *btnOK = new QPushButton(u"OK"_s, this);
    btnOK->setObjectName(u"btnOK"_s);
    btnOK->setDefault(true);
    auto *btnZpet = new QPushButton(u"Zpět"_s, this);
    btnZpet->setObjectName(u"btnZpet"_s);
    auto *btnPridat = new QPushButton(u"Přidat"_s, this);
    btnPridat->setObjectName(u"btnPridat"_s);
    m_btnVyjmout = new QPushButton(u"Vyjmout"_s, this);
    m_btnVyjmout->setObjectName(u"btnVyjmout"_s);
    for (QPushButton *b : {btnZpet, btnPridat, m_btnVyjmout})
        b->setAutoDefault(false);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnZpet);
    buttons->addSpacing(12);
    buttons->addWidget(btnPridat);
    buttons->addWidget(m_btnVyjmout);
    buttons->addStretch();
    layout->addLayout(buttons);

    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnZpet, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnPridat, &QPushButton::clicked, this, &TfrmEditorPol::addCode);
    connect(m_btnVyjmout, &QPushButton::clicked, this, &TfrmEditorPol::removeCode);
}

TfrmEditorPol::~TfrmEditorPol() = default;

void TfrmEditorPol::setCodeList(const QString &listText)
{
    m_mtSeznamPol->clear();
    m_mtSeznamPol->beginUpdate();
    for (const QString &code : TextUtils::splitCodeList(listText)) {
        m_mtSeznamPol->append();
        m_mtSeznamPol->setValue(u"Zkratka"_s, code);
    }
    m_mtSeznamPol->endUpdate();
    m_mtSeznamPol->first();
}

QString TfrmEditorPol::codeList() const
{
    QStringList codes;
    const int field = m_mtSeznamPol->fieldIndex(u"Zkratka"_s);
    for (int row = 0; row < m_mtSeznamPol->recordCount(); ++row)
        codes.append(m_mtSeznamPol->value(row, field).toString());
    return TextUtils::joinCodeList(codes);
}

void TfrmEditorPol::addCode()
{
    const QString code = m_picker ? m_picker(m_type) : QString();
    if (code.isEmpty())
        return;
    const int field = m_mtSeznamPol->fieldIndex(u"Zkratka"_s);
    for (int row = 0; row < m_mtSeznamPol->recordCount(); ++row) {
        if (m_mtSeznamPol->value(row, field).toString().compare(code, Qt::CaseInsensitive) == 0) {
            ui().information(u"Zkratka \""_s + code + u"\" již v seznamu existuje."_s);
            return;
        }
    }
    m_mtSeznamPol->append();
    m_mtSeznamPol->setValue(u"Zkratka"_s, code);
    updateButtons();
}

void TfrmEditorPol::removeCode()
{
    m_mtSeznamPol->deleteCurrent();
    updateButtons();
}

void TfrmEditorPol::updateButtons()
{
    m_btnVyjmout->setEnabled(!m_mtSeznamPol->isEmpty());
}

void TfrmEditorPol::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    updateButtons();
    m_grid->setFocus();
}

QString editCodeList(const QString &listText, int type, const TfrmEditorPol::Picker &picker)
{
    TfrmEditorPol window(type, picker);
    window.setCodeList(listText);
    if (ui().execModal(window) != QDialog::Accepted)
        return listText;
    return window.codeList();
}

QString editCodeList(OperationSession &session, const QString &listText, int type)
{
    return editCodeList(listText, type, [&session](int pickType) { return pickFromList(session, pickType); });
}
