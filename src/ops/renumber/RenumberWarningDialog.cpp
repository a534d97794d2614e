#include "ops/renumber/RenumberWarningDialog.h"

#include "common/UiSeam.h"
#include "common/widgets/DialogParts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TfrmPrecisVarovani::TfrmPrecisVarovani(QWidget *parent) : QDialog(parent)
{
    setObjectName(u"TfrmPrecisVarovani"_s);
    setWindowTitle(u"Informace"_s);
    resize(560, 470);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(DialogParts::richTextLabel(
        u"<b>Upozornění:</b> přečíslování je nevratná operace, při jejím použití může dojít k narušení věrného "
        u"zobrazení skutečnosti v účetnictví. Funkci proto může provádět pouze uživatel s právem verifikace "
        u"dat."_s,
        this));
    layout->addWidget(DialogParts::richTextLabel(
        u"<b>Nepokračujte dále, pokud:</b><ul>"
        u"<li><b>nemáte vytvořenou aktuální zálohu dat</b></li>"
        u"<li>jsou doklady (které chcete přečíslovat) uzamknuté</li>"
        u"<li>se doklady nacházejí v již uzavřeném účetním nebo DPH období</li>"
        u"<li>doklady již byly převedeny do salda následujícího roku (typicky začátek roku)</li>"
        u"<li>již došlo k fyzickému vytisknutí a vydání dokladu zákazníkovi</li></ul>"_s,
        this));
    layout->addWidget(DialogParts::richTextLabel(
        u"Ověřte si také, že žádný uživatel v síti nemá otevřený některý z dokladů, které budete "
        u"přečíslovávat (pokud je to technicky možné, doporučujeme na ostatních stanicích ukončit Ledra - "
        u"vyhnete se tak případné kolizi)."_s,
        this));
    layout->addWidget(DialogParts::richTextLabel(
        u"Dále prosím <b>zkontrolujte</b>, zda před spuštěním doplňku nezůstal na vašem počítači otevřený "
        u"seznam dokladů, v kterém budete provádět přečíslování (chcete-li např. přečíslovat pokladní doklady, "
        u"není vhodné spouštět tento doplněk s otevřeným seznamem pokladních dokladů v Ledra). V opačném "
        u"případě doporučujeme tento doplněk ukončit, v Ledra aktivovat jiný libovolný modul (např. Adresář "
        u"firem, apod) a znovu spustit doplněk."_s,
        this));
    layout->addWidget(DialogParts::richTextLabel(u"Chcete <b>pokračovat</b> dále?"_s, this));
    layout->addStretch();

    layout->addLayout(DialogParts::yesNoRow(this));
}

bool confirmRenumberWarning()
{
    TfrmPrecisVarovani window;
    return ui().execModal(window) == QDialog::Accepted;
}
