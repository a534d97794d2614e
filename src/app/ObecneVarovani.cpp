#include "app/ObecneVarovani.h"

#include "common/UiSeam.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QLabel *textLabel(QWidget *parent, const QString &html)
{
    auto *label = new QLabel(html, parent);
    label->setTextFormat(Qt::RichText);
    label->setWordWrap(true);
    return label;
}

} // namespace

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
    bandLayout->addWidget(textLabel(band,
                                    u"<b>Upozornění:</b> jedná se o nevratnou operaci - funkci proto může provádět "
                                    "pouze uživatel s právem verifikace dat."_s));
    layout->addWidget(band);

    auto *body = new QHBoxLayout;
    body->setContentsMargins(10, 4, 10, 4);
    auto *picture = new QLabel(this);
    picture->setObjectName(u"imgVarovani"_s);
    picture->setPixmap(QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    picture->setAlignment(Qt::AlignTop);
    body->addWidget(picture);
    auto *texts = new QVBoxLayout;
    texts->addWidget(textLabel(this, u"<b>Nepokračujte dále, pokud nemáte vytvořenou aktuální zálohu dat!</b>"_s));
    texts->addWidget(textLabel(this,
                               u"Ověřte si také, že žádný uživatel v síti nemá otevřený některý záznam, se kterým "
                               "bude následující funkce pracovat (pokud je to technicky možné, doporučujeme na "
                               "ostatních stanicích ukončit Ledra - vyhnete se tak případné kolizi)."_s));
    texts->addWidget(textLabel(this, u"Chcete <b>pokračovat</b> dále?"_s));
    body->addLayout(texts, 1);
    layout->addLayout(body, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    auto *btnAno = new QPushButton(u"Ano"_s, this);
    btnAno->setObjectName(u"btnAno"_s);
    btnAno->setDefault(true);
    auto *btnNe = new QPushButton(u"Ne"_s, this);
    btnNe->setObjectName(u"btnNe"_s);
    buttons->addWidget(btnAno);
    buttons->addWidget(btnNe);
    buttons->addStretch();
    layout->addLayout(buttons);

    connect(btnAno, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnNe, &QPushButton::clicked, this, &QDialog::reject);
}

bool confirmIrreversible()
{
    TfrmObecneVarovani window;
    return ui().execModal(window) == QDialog::Accepted;
}
