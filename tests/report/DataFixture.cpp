#include "DataFixture.h"

using namespace Qt::StringLiterals;

void DataFixture::SetUp()
{
    ReportFixture::SetUp();
    m_table.addField(u"Doklad"_s, FieldType::String, 10, u"Číslo dokladu"_s);
    m_table.addField(u"Castka"_s, FieldType::Float, 0, u"Částka"_s);
    m_table.addField(u"Pocet"_s, FieldType::Integer);
    m_table.addField(u"Zaplaceno"_s, FieldType::Boolean);
    m_table.addField(u"Datum"_s, FieldType::DateTime);
    m_table.addField(u"Text"_s, FieldType::Memo);
    m_table.addField(u"Skupina"_s, FieldType::String, 5);
    m_report.setIsStored(true);
    m_report.setDataSource(&m_source);
}

void DataFixture::TearDown()
{
    setCalcResolver(nullptr);
    ReportFixture::TearDown();
}

void DataFixture::addRecord(const QString &doklad, std::optional<double> castka, const QString &skupina)
{
    const int row = m_table.append();
    m_table.setValue(row, Doklad, doklad);
    m_table.setValue(row, Castka, castka ? QVariant(*castka) : QVariant());
    if (!skupina.isEmpty())
        m_table.setValue(row, Skupina, skupina);
}

void DataFixture::addRecords(int count)
{
    for (int i = 1; i <= count; ++i)
        addRecord(u"D%1"_s.arg(i, 3, 10, QChar(u'0')), i);
    m_table.first();
}

QStringList DataFixture::templateOf(const QStringList &lines)
{
    return QStringList{u"I,1,6,40,27"_s} + lines;
}

QString DataFixture::element(const QString &section, int kind, const QString &reference, const QString &text)
{
    return u"%1,%2,%3,0,0,100,20,Arial,10,0,0,0,0,238,\"%4\",0,0,0"_s.arg(section).arg(kind).arg(reference, text);
}

QString DataFixture::function(int number, const QString &name, int aggregate, const QString &expression, int resetPoint,
                              int digits)
{
    return u"F,%1,%2,\"\",0,\"0\",%3,\"%4\",%5,15,%6,2"_s.arg(number)
        .arg(name)
        .arg(resetPoint)
        .arg(expression)
        .arg(aggregate)
        .arg(digits);
}

TRastelReportElement &DataFixture::add(int sectionId, int kind, int reference, QRect box, const QString &text)
{
    TRastelReportElement &e = m_report.sections().find(sectionId)->addElement();
    e.kind = kind;
    e.reference = reference;
    e.left = box.left();
    e.top = box.top();
    e.width = box.width();
    e.height = box.height();
    e.text = text;
    return e;
}

void DataFixture::setHeight(int sectionId, int height)
{
    m_report.sections().find(sectionId)->height = height;
}

int DataFixture::walk(TSestavaD &report, const std::function<void()> &body)
{
    RecordLoop loop(report);
    if (!loop.start())
        return seOK;
    report.startFunctions();
    report.refreshValues(TSestavaTyp::Refresh::Start);
    for (bool first = true;; first = false) {
        if (!first)
            report.refreshValues(TSestavaTyp::Refresh::Record);
        body();
        if (!loop.next())
            break;
    }
    report.refreshValues(TSestavaTyp::Refresh::End);
    return seOK;
}

int DataFixture::run()
{
    m_bodies.clear();
    return m_report.withData(TSestava::Purpose::Run, [this] {
        return walk(m_report, [this] { m_bodies.append(shown(TOddilSestavy::Body)); });
    });
}

QString DataFixture::shown(int sectionId, int index) const
{
    const TOddilSestavy *section = m_report.sections().find(sectionId);
    if (!section || index >= section->count())
        return u"<no element>"_s;
    return m_report.elementText(section->at(index));
}
