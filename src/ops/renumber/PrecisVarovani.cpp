#include "ops/renumber/PrecisVarovani.h"

#include "common/UiSeam.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
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

TfrmPrecisVarovani::TfrmPrecisVarovani(QWidget *parent) : QDialog(parent)
{
    setObjectName(u"TfrmPrecisVarovani"_s);
    setWindowTitle(u"Informace"_s);
    resize(560, 470);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(textLabel(
        this, u"<b>Upozornění:</b> přečíslování je nevratná operace, při jejím použití může dojít k narušení věrného "
              u"zobrazení skutečnosti v účetnictví. Funkci proto může provádět pouze uživatel s právem verifikace "
              u"dat."_s));
    layout->addWidget(
        textLabel(this, u"<b>Nepokračujte dále, pokud:</b><ul>"
                        u"<li><b>nemáte vytvořenou aktuální zálohu dat</b></li>"
                        u"<li>jsou doklady (které chcete přečíslovat) uzamknuté</li>"
                        u"<li>se doklady nacházejí v již uzavřeném účetním nebo DPH období</li>"
                        u"<li>doklady již byly převedeny do salda následujícího roku (typicky začátek roku)</li>"
                        u"<li>již došlo k fyzickému vytisknutí a vydání dokladu zákazníkovi</li></ul>"_s));
    layout->addWidget(textLabel(
        this, u"Ověřte si také, že žádný uživatel v síti nemá otevřený některý z dokladů, které budete "
              u"přečíslovávat (pokud je to technicky možné, doporučujeme na ostatních stanicích ukončit Ledra - "
              u"vyhnete se tak případné kolizi)."_s));
    layout->addWidget(textLabel(
        this, u"Dále prosím <b>zkontrolujte</b>, zda před spuštěním doplňku nezůstal na vašem počítači otevřený "
              u"seznam dokladů, v kterém budete provádět přečíslování (chcete-li např. přečíslovat pokladní doklady, "
              u"není vhodné spouštět tento doplněk s otevřeným seznamem pokladních dokladů v Ledra). V opačném "
              u"případě doporučujeme tento doplněk ukončit, v Ledra aktivovat jiný libovolný modul (např. Adresář "
              u"firem, apod) a znovu spustit doplněk."_s));
    layout->addWidget(textLabel(this, u"Chcete <b>pokračovat</b> dále?"_s));
    layout->addStretch();

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    auto *btnAno = new QPushButton(u"Ano"_s, this);
    btnAno->setObjectName(u"btnAno"_s);
    btnAno->setDefault(true);
    auto *btnNe = new QPushButton(u"Ne"_s, this);
    btnNe->setObjectName(u"btnNe"_s);
    btnNe->setAutoDefault(false);
    buttons->addWidget(btnAno);
    buttons->addWidget(btnNe);
    buttons->addStretch();
    layout->addLayout(buttons);

    connect(btnAno, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnNe, &QPushButton::clicked, this, &QDialog::reject);
}

bool confirmRenumberWarning()
{
    TfrmPrecisVarovani window;
    return ui().execModal(window) == QDialog::Accepted;
}
