#include "ops/renumber/RenumberModuleDialog.h"

#include "common/UiSeam.h"
#include "common/widgets/DialogParts.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TfrmVyberModuluPrecisl::TfrmVyberModuluPrecisl(QWidget *parent) : QDialog(parent)
{
    setObjectName(u"TfrmVyberModuluPrecisl"_s);
    setWindowTitle(u"Výběr modulu"_s);

    auto *layout = new QVBoxLayout(this);
    auto *box = new QGroupBox(this);
    auto *boxLayout = new QVBoxLayout(box);
    m_rbPoklDokl = new QRadioButton(u"pokladní doklady"_s, box);
    m_rbPoklDokl->setObjectName(u"rbPoklDokl"_s);
    m_rbPoklDokl->setChecked(true);
    m_rbIntDokl = new QRadioButton(u"interní doklady"_s, box);
    m_rbIntDokl->setObjectName(u"rbIntDokl"_s);
    boxLayout->addWidget(m_rbPoklDokl);
    boxLayout->addWidget(m_rbIntDokl);
    layout->addWidget(box);

    QPushButton *btnOK = DialogParts::addOkStorno(this, layout);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
}

RenumberModule TfrmVyberModuluPrecisl::module() const
{
    return m_rbPoklDokl->isChecked() ? RenumberModule::Cash : RenumberModule::Internal;
}

std::optional<RenumberModule> chooseRenumberModule()
{
    TfrmVyberModuluPrecisl window;
    if (ui().execModal(window) != QDialog::Accepted)
        return std::nullopt;
    return window.module();
}
