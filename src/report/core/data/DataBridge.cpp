#include "report/core/data/DataBridge.h"

#include "common/CodePage.h"
#include "common/DayNumber.h"
#include "common/UiSeam.h"
#include "report/core/ReportCaptions.h"
#include "report/core/expr/ExpressionEvaluator.h"

#include <QDateTime>

using namespace Qt::StringLiterals;

namespace {

double dayNumberOf(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QDateTime:
        return DayNumber::fromDateTime(value.toDateTime()).value();
    case QMetaType::QDate:
        return DayNumber::fromDate(value.toDate()).value();
    case QMetaType::QTime:
        return DayNumber::fromTime(value.toTime()).value();
    default:
        return value.toDouble();
    }
}

double numberOf(int dataType, const QVariant &value)
{
    switch (dataType) {
    // An auto-increment field is an integer too: reading it as 0 would make
    // every expression over a record number wrong.
    case ftAutoInc:
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftFloat:
    case ftCurrency:
    case ftBCD:
    case ftLargeint:
    case ftFMTBcd:
    case ftDate:
    case ftTime:
    case ftDateTime:
    case ftTimeStamp:
        return dayNumberOf(value);
    case ftBoolean:
        return value.toBool() ? 1.0 : 0.0;
    case ftString:
    case ftWideString:
        return strToNum(value.toString());
    default:
        return 0.0;
    }
}

bool isBlobOrMemo(int dataType)
{
    return dataType == ftBlob || dataType == ftMemo || dataType == ftFmtMemo;
}

bool isPicture(int dataType)
{
    return dataType == ftBlob || dataType == ftGraphic || dataType == ftTypedBinary;
}

} // namespace

// ---------------------------------------------------------------- fields

bool TBridge::hasField(int index) const
{
    const ReportDataSet *set = dataSet();
    try {
        return set && index >= 0 && index < set->fieldCount();
    } catch (...) {
        return false;
    }
}

QStringList TBridge::eachField(QString (ReportDataSet::*read)(int) const) const
{
    QStringList texts;
    if (const ReportDataSet *set = dataSet()) {
        try {
            for (int i = 0; i < set->fieldCount(); ++i)
                texts.append((set->*read)(i));
        } catch (...) {
            texts.clear();
        }
    }
    return texts;
}

QStringList TBridge::fieldNames() const
{
    return eachField(&ReportDataSet::fieldName);
}

QStringList TBridge::fieldLabels() const
{
    return eachField(&ReportDataSet::fieldLabel);
}

int TBridge::fieldDataType(int index) const
{
    if (!hasField(index))
        return ftUnknown;
    try {
        return dataSet()->fieldDataType(index);
    } catch (...) {
        return ftUnknown;
    }
}

int TBridge::fieldAlignment(int index) const
{
    if (!hasField(index))
        return 0;
    try {
        return dataSet()->fieldAlignment(index);
    } catch (...) {
        return 0;
    }
}

int TBridge::fieldSize(int index) const
{
    if (!hasField(index))
        return 10;
    try {
        return dataSet()->fieldDisplayWidth(index);
    } catch (...) {
        return 10;
    }
}

QString TBridge::fieldDisplayText(int index) const
{
    return hasField(index) ? dataSet()->fieldDisplayText(index) : QString();
}

double TBridge::fieldNumber(int index) const
{
    if (!hasField(index))
        return 0.0;
    try {
        return numberOf(dataSet()->fieldDataType(index), dataSet()->fieldValue(index));
    } catch (...) {
        return 0.0;
    }
}

QString TBridge::fieldMemoText(int index) const
{
    if (!hasField(index))
        return QString();
    const ReportDataSet *set = dataSet();
    if (!isBlobOrMemo(set->fieldDataType(index)))
        return set->fieldDisplayText(index);
    const QVariant value = set->fieldValue(index);
    if (value.typeId() == QMetaType::QByteArray) {
        const QByteArray bytes = value.toByteArray();
        const qsizetype zero = bytes.indexOf('\0');
        return CodePage::windows1250().decode(zero < 0 ? bytes : bytes.left(zero));
    }
    const QString text = value.toString();
    const qsizetype zero = text.indexOf(QChar(0));
    return zero < 0 ? text : text.left(zero);
}

QImage TBridge::fieldPicture(int index) const
{
    if (!hasField(index))
        return QImage();
    try {
        if (!isPicture(dataSet()->fieldDataType(index)))
            return QImage();
        const QVariant value = dataSet()->fieldValue(index);
        if (value.typeId() == QMetaType::QImage)
            return value.value<QImage>();
        return QImage::fromData(value.toByteArray());
    } catch (...) {
        return QImage();
    }
}

bool TBridge::fieldIsNull(int index) const
{
    if (!hasField(index))
        return false;
    try {
        const QVariant value = dataSet()->fieldValue(index);
        return !value.isValid() || value.isNull();
    } catch (...) {
        return false;
    }
}

// ---------------------------------------------------------------- steps

int TBridge::step(TStepDir dir)
{
    ReportDataSet *set = dataSet();
    if (!set)
        return srBof | srEof;
    try {
        switch (dir) {
        case sdFirst:
            set->first();
            break;
        case sdPrior:
            set->prior();
            break;
        case sdNext:
            set->next();
            break;
        case sdLast:
            set->last();
            break;
        }
        return (set->isBof() ? srBof : 0) | (set->isEof() ? srEof : 0);
    } catch (...) {
        return srBof | srEof; // a dataset that cannot move has no further record
    }
}

// ---------------------------------------------------------------- the data check

bool TBridge::check()
{
    // Inside another run the outer check's dataset is the outer run's to close.
    if (m_saved.empty())
        m_opened = nullptr;
    if (!m_dataSource) {
        ui().error(u"Není definován zdroj dat."_s, SestCaption::chyba());
        return false;
    }
    ReportDataSet *set = dataSet();
    if (!set) {
        ui().error(u"Ke zdroji dat není připojena žádná tabulka."_s, SestCaption::chyba());
        return false;
    }
    if (set->isActive())
        return true;
    if (!ui().askYesNo(MessageKind::Confirmation, u"Připojená tabulka není aktivní. Zkusit otevřít?"_s,
                       SestCaption::potvrzeni()))
        return false;
    bool opened = false;
    try {
        opened = set->open() && set->isActive();
    } catch (...) {
        opened = false;
    }
    if (!opened) {
        ui().error(u"Připojenou tabulku se nepodařilo otevřít."_s, SestCaption::chyba());
        return false;
    }
    m_opened = set;
    return true;
}

void TBridge::release()
{
    if (!m_opened || !m_saved.empty())
        return;
    // The dataset may have been detached from the source meanwhile; the one
    // the check opened is closed.
    try {
        m_opened->close();
    } catch (...) {
    }
    m_opened = nullptr;
}

// ---------------------------------------------------------------- reading

void TBridge::openForReading(bool detachControls)
{
    ReportDataSet *set = dataSet();
    std::optional<ReportDataSet::Bookmark> saved;
    if (set) {
        try {
            saved = set->bookmark();
        } catch (...) {
            saved.reset(); // no bookmark: the position is not restored
        }
    }
    m_saved.push_back(saved);
    if (set && detachControls && !m_detachedFrom) {
        set->disableControls();
        m_detachedFrom = set;
        m_detachedAt = m_saved.size();
    }
}

void TBridge::restore()
{
    if (m_saved.empty())
        return;
    const std::optional<ReportDataSet::Bookmark> saved = m_saved.back();
    if (ReportDataSet *set = dataSet(); set && saved) {
        try {
            set->gotoBookmark(*saved);
        } catch (...) {
        }
    }
    if (m_detachedFrom && m_saved.size() == m_detachedAt) {
        m_detachedFrom->enableControls();
        m_detachedFrom = nullptr;
    }
    m_saved.pop_back();
}
