#include "app/ui/IrreversibleWarning.h"

#include "common/UiSeam.h"
#include "common/widgets/DialogParts.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TfrmObecneVarovani::TfrmObecneVarovani(QWidget *parent) : QDialog(parent)
{
    setObjectName(u"TfrmObecneVarovani"_s);
    setWindowTitle(u"Informace"_s);
    setFixedSize(433, 264);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);

    auto *band = new QWidget(this);
    band->setObjectName(u"panUpozorneni"_s);
    band->setAutoFillBackground(true);
    QPalette white = band->palette();
    white.setColor(QPalette::Window, Qt::white);
    band->setPalette(white);
    auto *bandLayout = new QHBoxLayout(band);
    bandLayout->addWidget(
        DialogParts::richTextLabel(u"<b>Upozornění:</b> jedná se o nevratnou operaci - funkci proto může provádět "
                                   "pouze uživatel s právem verifikace dat."_s,
                                   band));
    layout->addWidget(band);

    auto *body = new QHBoxLayout;
    body->setContentsMargins(10, 4, 10, 4);
    auto *picture = new QLabel(this);
    picture->setObjectName(u"imgVarovani"_s);
    picture->setPixmap(QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    picture->setAlignment(Qt::AlignTop);
    body->addWidget(picture);
    auto *texts = new QVBoxLayout;
    texts->addWidget(
        DialogParts::richTextLabel(u"<b>Nepokračujte dále, pokud nemáte vytvořenou aktuální zálohu dat!</b>"_s, this));
    texts->addWidget(
        DialogParts::richTextLabel(u"Ověřte si také, že žádný uživatel v síti nemá otevřený některý záznam, se kterým "
                                   "bude následující funkce pracovat (pokud je to technicky možné, doporučujeme na "
                                   "ostatních stanicích ukončit Ledra - vyhnete se tak případné kolizi)."_s,
                                   this));
    texts->addWidget(DialogParts::richTextLabel(u"Chcete <b>pokračovat</b> dále?"_s, this));
    body->addLayout(texts, 1);
    layout->addLayout(body, 1);

    layout->addLayout(DialogParts::yesNoRow(this));
}

bool confirmIrreversible()
{
    TfrmObecneVarovani window;
    return ui().execModal(window) == QDialog::Accepted;
}
