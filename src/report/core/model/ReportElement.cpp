#include "report/core/model/ReportElement.h"

using namespace Qt::StringLiterals;

QString ElementKind::designerName(int kind)
{
    switch (kind) {
    case GraphicText:
        return u"Grafický text"_s;
    case Field:
        return u"Položka tabulky"_s;
    case FieldLabel:
        return u"Popis položky"_s;
    case Parameter:
        return u"Parametr"_s;
    case SystemVariable:
        return u"Proměnná"_s;
    case UserFunction:
        return u"Funkce"_s;
    case Line:
        return u"Úsečka"_s;
    case Rectangle:
        return u"Rámeček"_s;
    case RoundRectangle:
        return u"Zaoblený rámeček"_s;
    case Ellipse:
        return u"Elipsa"_s;
    case Picture:
        return u"Obrázek"_s;
    case Barcode:
        return u"Čárový kód"_s;
    case PaintBox:
        return u"Kreslicí plocha"_s;
    case Detail:
        return u"Detail"_s;
    default:
        return u"Neznámý"_s;
    }
}

QString SystemVariable::caption(int index)
{
    switch (index) {
    case PrintDate:
        return u"Datum tisku"_s;
    case PrintTime:
        return u"Čas tisku"_s;
    case RowNumber:
        return u"Pořadové číslo řádku"_s;
    case PageNumber:
        return u"Číslo strany"_s;
    case PageCount:
        return u"Celkový počet stran"_s;
    default:
        break;
    }
    if (index < FirstGroup)
        return QString();
    const int group = (index - FirstGroup) / 2;
    const QString number = QString::number(group + 1);
    return (index - FirstGroup) % 2 == 0 ? u"Číslo řádku ve skupině "_s + number : u"Číslo skupiny "_s + number;
}
