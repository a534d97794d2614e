#include "report/core/Report.h"

#include "common/FileNames.h"
#include "common/LocaleFormats.h"
#include "common/TextFile.h"
#include "common/UiSeam.h"
#include "report/core/ReportCaptions.h"
#include "report/core/expr/DateTimeFormat.h"
#include "report/core/expr/IntegerFormat.h"
#include "report/core/output/Printers.h"
#include "report/core/template/TemplateReader.h"
#include "report/core/template/TemplateWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {
bool g_running = false;
QString g_programDir;

// What a value that cannot be computed shows.
const QString kUnreadable = QStringLiteral("????");
} // namespace

// ================================================================ TSestavaTyp

TSestavaTyp::TSestavaTyp(QObject *parent) : QObject(parent)
{
    m_paperFormats.load(iniFilePath());
    CurrentPrinter::current().resetScale();
}

TSestavaTyp::~TSestavaTyp()
{
    if (calcResolver() == static_cast<CalcResolver *>(this))
        setCalcResolver(nullptr);
    for (TSestDetail *detail : m_details)
        detail->m_master = nullptr;
    m_details.clear();
}

void TSestavaTyp::setIniFileName(const QString &name)
{
    m_iniFileName = name;
    m_paperFormats.load(iniFilePath());
}

QString TSestavaTyp::iniFilePath() const
{
    // The host keeps a formats file named without a directory in its own
    // system directory; here it lies beside the program.
    if (m_iniFileName.isEmpty() || QDir::isAbsolutePath(m_iniFileName))
        return m_iniFileName;
    return programDir() + m_iniFileName;
}

// ---------------------------------------------------------------- template

TemplateReader::Context TSestavaTyp::templateContext()
{
    TemplateReader::Context context;
    context.detail = isDetail();
    context.fieldNames = m_fieldNames;
    context.page = pageSetup();
    context.description = m_model.description();
    context.loadPicture = [this](TRastelReportElement &element) { return loadPicture(element); };
    return context;
}

void TSestavaTyp::setPredloha(const TPredloha &lines)
{
    m_predloha = lines;
    m_model = TemplateReader::read(m_predloha, templateContext());
    // The page setup belongs to the process: every report prints with the
    // one the last main report's template gave.
    if (!isDetail())
        pageSetup() = m_model.page();
    const std::vector<TSestDetail *> details = m_details;
    for (size_t n = 0; n < details.size(); ++n)
        details[n]->setPredloha(TemplateReader::detailLines(m_predloha, int(n)));
    if (OnSetPredloha)
        OnSetPredloha(this);
}

TPredloha TSestavaTyp::writeTemplate() const
{
    QList<TPredloha> details;
    for (const TSestDetail *detail : m_details)
        details << detail->writeTemplate();
    return TemplateWriter::write(m_model, pageSetup(), details);
}

void TSestavaTyp::addDetail(TSestDetail *detail)
{
    m_details.push_back(detail);
}

void TSestavaTyp::removeDetail(TSestDetail *detail)
{
    std::erase(m_details, detail);
}

// ---------------------------------------------------------------- fields

void TSestavaTyp::setFieldNames(const QStringList &names)
{
    m_fieldNames = names;
    m_fieldDisplayValues.clear();
    for (qsizetype i = 0; i < names.size(); ++i)
        m_fieldDisplayValues.append(u"Položka "_s + QString::number(i + 1));
}

int TSestavaTyp::findField(const QString &name) const
{
    for (qsizetype i = 0; i < m_fieldNames.size(); ++i) {
        if (m_fieldNames.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

int TSestavaTyp::findFunction(const QString &name) const
{
    return m_model.functions().findByName(name);
}

QString TSestavaTyp::fieldLabel(int index) const
{
    return m_fieldLabels.value(index);
}

QString TSestavaTyp::parameter(int index) const
{
    return m_parametry.value(index);
}

int TSestavaTyp::fieldDataType(int) const
{
    return ftUnknown;
}

int TSestavaTyp::fieldAlignment(int) const
{
    return TRastelReportElement::AlignLeft;
}

int TSestavaTyp::fieldSize(int) const
{
    return 10;
}

QString TSestavaTyp::fieldDisplayText(int index) const
{
    if (index < 0 || index >= m_fieldDisplayValues.size())
        return u"Položka ?"_s;
    return m_fieldDisplayValues.at(index);
}

double TSestavaTyp::fieldNumber(int index) const
{
    return strToNum(fieldDisplayText(index));
}

QString TSestavaTyp::fieldMemoText(int) const
{
    return QString();
}

QImage TSestavaTyp::fieldPicture(int) const
{
    return QImage();
}

bool TSestavaTyp::fieldIsNull(int) const
{
    return false;
}

TCalcType TSestavaTyp::fieldValue(int index) const
{
    TCalcType value;
    value.kind = valueKindOfDataType(fieldDataType(index));
    value.number = fieldNumber(index);
    value.text = fieldDisplayText(index);
    value.null = fieldIsNull(index);
    return value;
}

quint8 TSestavaTyp::valueKindOfDataType(int dataType)
{
    switch (dataType) {
    // A wide string field is a string field: `#Nazev = 'abc'` compares texts.
    case ftString:
    case ftWideString:
        return TCalcType::Text;
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftFloat:
    case ftCurrency:
    case ftBCD:
    case ftAutoInc:
    case ftFMTBcd:
        return TCalcType::Number;
    default:
        return TCalcType::Other;
    }
}

// ---------------------------------------------------------------- system variables, references

TCalcType TSestavaTyp::systemVariableValue(int index) const
{
    TCalcType value;
    const LocaleFormats &formats = LocaleFormats::current();
    auto integer = [&value](int number) {
        value.kind = TCalcType::Number;
        value.number = number;
        value.text = QString::number(number);
    };
    switch (index) {
    case SystemVariable::PrintDate:
        value.number = m_printTimestamp.value();
        value.text = formats.formatDate(m_printTimestamp.toDate());
        return value;
    case SystemVariable::PrintTime:
        value.number = m_printTimestamp.value();
        value.text = formats.formatTime(m_printTimestamp.toTime());
        return value;
    case SystemVariable::RowNumber:
        integer(m_rowNumber);
        return value;
    case SystemVariable::PageNumber:
        integer(m_pageNumber);
        return value;
    case SystemVariable::PageCount:
        integer(m_pageCount);
        return value;
    default:
        break;
    }
    const int group = (index - SystemVariable::FirstGroup) / 2;
    if (index < SystemVariable::FirstGroup || group >= m_model.groups().count())
        return value;
    const TPolSkup &g = m_model.groups().at(group);
    integer(index == SystemVariable::rowInGroup(group) ? g.rowInGroup : g.groupCount);
    return value;
}

QString TSestavaTyp::systemVariableText(int index, const QString &format) const
{
    const TCalcType value = systemVariableValue(index);
    if (format.isEmpty())
        return value.text;
    if (index == SystemVariable::PrintDate || index == SystemVariable::PrintTime) {
        const QString text = DateTimeFormat::format(format, value.number);
        return text.isEmpty() && DateTimeFormat::toDateTime(value.number) == std::nullopt ? kUnreadable : text;
    }
    return IntegerFormat::format(format, qRound64(value.number)).value_or(kUnreadable);
}

TCalcType TSestavaTyp::resolve(int code)
{
    TCalcType value;
    if (code >= CalcRef::SystemVariable)
        return systemVariableValue(code - CalcRef::SystemVariable);
    if (code >= CalcRef::UserFunction) {
        const int index = code - CalcRef::UserFunction;
        if (index < m_model.functions().count())
            value = m_model.functions().at(index).result;
        return value;
    }
    if (code >= CalcRef::Field)
        return fieldValue(code - CalcRef::Field);
    if (code >= CalcRef::Parameter)
        return TCalcType::fromText(parameter(code - CalcRef::Parameter));
    return value;
}

int TSestavaTyp::findName(int kind, const QString &name)
{
    if (kind == CalcRef::FindField)
        return findField(name);
    if (kind == CalcRef::FindFunction)
        return findFunction(name);
    return -1;
}

// ---------------------------------------------------------------- values during a run

void TSestavaTyp::registerAsResolver()
{
    setCalcResolver(this);
}

void TSestavaTyp::startFunctions()
{
    m_model.functions().setSkipNulls(m_allowNullValues);
    m_model.functions().requestReset(-1);
}

void TSestavaTyp::requestPageReset()
{
    m_model.functions().requestReset(TRadekFunkce::ResetPerPage);
}

void TSestavaTyp::requestGroupReset(int group)
{
    m_model.functions().requestReset(TRadekFunkce::resetPerGroup(group));
}

void TSestavaTyp::refreshValues(Refresh when)
{
    const TListOddilu &sections = m_model.sections();
    for (int i = 0; i < sections.count(); ++i) {
        const TOddilSestavy &section = sections.at(i);
        const bool reportHeader = section.id == TOddilSestavy::ReportHeader;
        const bool reportFooter = section.id == TOddilSestavy::ReportFooter;
        const bool refresh = when == Refresh::Start    ? !reportFooter
                             : when == Refresh::Record ? !reportHeader && !reportFooter
                                                       : reportFooter;
        if (refresh)
            refreshFieldElements(section);
    }
    if (when != Refresh::End)
        computeFunctions();
}

void TSestavaTyp::refreshFieldElements(const TOddilSestavy &section)
{
    for (int i = 0; i < section.count(); ++i) {
        TRastelReportElement &element = section.at(i);
        if (element.kind == ElementKind::Field)
            refreshElementValue(element);
    }
}

void TSestavaTyp::computeFunctions()
{
    // A detail computes its functions inside its master's run: its
    // references are its own fields, and the master answers again after.
    CalcResolver *previous = calcResolver();
    setCalcResolver(this);
    m_model.functions().computeAll();
    setCalcResolver(previous);
    if (OnVypoctiFunkce)
        OnVypoctiFunkce(this);
}

// ---------------------------------------------------------------- what the elements show

void TSestavaTyp::refreshElementValue(TRastelReportElement &element) const
{
    if (element.kind != ElementKind::Field)
        return;
    const int dataType = fieldDataType(element.reference);
    if (dataType == ftBlob || dataType == ftGraphic || dataType == ftTypedBinary) {
        element.picture = fieldPicture(element.reference);
        return;
    }
    try {
        element.value = fieldValue(element.reference);
        if (dataType == ftMemo || dataType == ftFmtMemo)
            element.value.text = fieldMemoText(element.reference);
    } catch (...) {
        element.value.clear();
        element.value.text = kUnreadable;
    }
}

QString TSestavaTyp::elementText(const TRastelReportElement &element) const
{
    switch (element.kind) {
    case ElementKind::GraphicText:
        return element.text;
    case ElementKind::Field:
        return element.value.text;
    case ElementKind::FieldLabel:
        return fieldLabel(element.reference);
    case ElementKind::Parameter:
        return parameter(element.reference);
    case ElementKind::SystemVariable:
        return systemVariableText(element.reference, element.text);
    case ElementKind::UserFunction:
        if (element.reference < 0 || element.reference >= m_model.functions().count())
            return kUnreadable;
        return m_model.functions().displayText(element.reference);
    default:
        return QString();
    }
}

namespace {
// Pictures are looked for in the report's picture directory, whatever
// directory the template named.
QString withoutDirectory(const QString &path)
{
    const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(cut + 1);
}
} // namespace

bool TSestavaTyp::loadPicture(TRastelReportElement &element)
{
    element.picture = QImage();
    element.pictureFile.clear();
    const QString name = element.text.trimmed();
    if (name.isEmpty())
        return false;
    if (OnNactiObraz) {
        if (!OnNactiObraz(this, name, element.picture))
            return false;
        element.pictureFile = name;
        return true;
    }
    const QString path = QDir::isAbsolutePath(name) ? name : pictureDir() + withoutDirectory(name);
    const QString resolved = FileNames::resolve(path);
    if (!QFileInfo(resolved).isFile() || !element.picture.load(resolved))
        return false;
    element.pictureFile = resolved;
    return true;
}

// ---------------------------------------------------------------- process-wide

bool TSestavaTyp::isRunning()
{
    return g_running;
}

int TSestavaTyp::runExclusive(const std::function<int()> &body)
{
    if (g_running)
        return seAlreadyRunning;
    g_running = true;
    struct Release
    {
        ~Release() { g_running = false; }
    } release;
    return body();
}

QString TSestavaTyp::programDir()
{
    if (!g_programDir.isEmpty())
        return g_programDir;
    return FileNames::withTrailingDelimiter(QCoreApplication::applicationDirPath());
}

void TSestavaTyp::setProgramDir(const QString &dir)
{
    g_programDir = dir.isEmpty() ? QString() : FileNames::withTrailingDelimiter(dir);
}

// ================================================================ TSestavaD

bool TSestavaD::usesBridge(int index) const
{
    return !isEventDriven() && index >= 0 && index < fieldCount() && m_bridge.dataSource();
}

int TSestavaD::fieldDataType(int index) const
{
    int dataType = usesBridge(index) ? m_bridge.fieldDataType(index) : TSestavaTyp::fieldDataType(index);
    if (OnGetDataType)
        OnGetDataType(const_cast<TSestavaD *>(this), index, dataType);
    return dataType;
}

int TSestavaD::fieldAlignment(int index) const
{
    int alignment = usesBridge(index) ? m_bridge.fieldAlignment(index) : TSestavaTyp::fieldAlignment(index);
    if (OnGetAlignment)
        OnGetAlignment(const_cast<TSestavaD *>(this), index, alignment);
    return alignment;
}

int TSestavaD::fieldSize(int index) const
{
    return usesBridge(index) ? m_bridge.fieldSize(index) : TSestavaTyp::fieldSize(index);
}

QString TSestavaD::fieldDisplayText(int index) const
{
    if (!usesBridge(index))
        return TSestavaTyp::fieldDisplayText(index);
    try {
        return m_bridge.fieldDisplayText(index);
    } catch (...) {
        return kUnreadable;
    }
}

double TSestavaD::fieldNumber(int index) const
{
    return usesBridge(index) ? m_bridge.fieldNumber(index) : TSestavaTyp::fieldNumber(index);
}

QString TSestavaD::fieldMemoText(int index) const
{
    if (!usesBridge(index))
        return TSestavaTyp::fieldMemoText(index);
    try {
        return m_bridge.fieldMemoText(index);
    } catch (...) {
        return kUnreadable;
    }
}

QImage TSestavaD::fieldPicture(int index) const
{
    return usesBridge(index) ? m_bridge.fieldPicture(index) : TSestavaTyp::fieldPicture(index);
}

bool TSestavaD::fieldIsNull(int index) const
{
    return usesBridge(index) ? m_bridge.fieldIsNull(index) : TSestavaTyp::fieldIsNull(index);
}

TCalcType TSestavaD::fieldValue(int index) const
{
    if (!usesBridge(index))
        return TSestavaTyp::fieldValue(index);
    TCalcType value;
    value.kind = valueKindOfDataType(fieldDataType(index));
    value.number = m_bridge.fieldNumber(index);
    value.text = m_bridge.fieldDisplayText(index); // an error goes to the caller
    value.null = m_bridge.fieldIsNull(index);
    return value;
}

void TSestavaD::raiseGetData()
{
    if (OnGetData)
        OnGetData(this);
}

int TSestavaD::stepData(TStepDir dir)
{
    int result = srBof | srEof;
    if (OnStepData)
        result = OnStepData(this, dir);
    else if (m_bridge.dataSource())
        result = m_bridge.step(dir);
    raiseGetData();
    return result;
}

bool TSestavaD::checkData()
{
    if (!isEventDriven() && !m_bridge.check())
        return false;
    for (TSestDetail *detail : details()) {
        if (!detail->checkData())
            return false;
    }
    return true;
}

void TSestavaD::openDataForReading()
{
    if (!isEventDriven())
        m_bridge.openForReading(details().empty());
}

void TSestavaD::restoreData()
{
    m_bridge.restore();
}

void TSestavaD::collectFields()
{
    if (!isEventDriven()) {
        setFieldNames(m_bridge.fieldNames());
        setFieldLabels(m_bridge.fieldLabels());
    }
    for (TSestDetail *detail : details())
        detail->collectFields();
}

void TSestavaD::releaseData()
{
    m_bridge.release();
    for (TSestDetail *detail : details())
        detail->releaseData();
}

// ================================================================ TSestava

void TSestava::setReportName(const QString &name)
{
    m_reportName = name.isEmpty() ? QString() : FileNames::changeExtension(name, u".pts"_s);
}

void TSestava::setReportDir(const QString &dir)
{
    m_reportDir = dir.isEmpty() ? QString() : FileNames::withTrailingDelimiter(dir);
}

QString TSestava::templatePath() const
{
    return (m_reportDirIgnore ? programDir() : m_reportDir) + m_reportName;
}

QString TSestava::pictureDir() const
{
    return QFileInfo(templatePath()).absolutePath() + u'/';
}

int TSestava::LoadTemplate(bool createIfMissing)
{
    if (OnNactiPredlohu)
        return OnNactiPredlohu(this) ? seOK : seTemplateLoad;
    if (m_isStored) {
        setPredloha(TPredloha(predloha()));
        return seOK;
    }
    const QString path = FileNames::resolve(templatePath());
    int result = seOK;
    std::optional<QStringList> lines = QFileInfo(path).isFile() ? TextFile::readLines(path) : std::nullopt;
    if (!lines) {
        lines = QStringList();
        if (!createIfMissing) {
            ui().error(u"Nebyl nalezen soubor s předlohou tiskové sestavy \""_s + templatePath() + u'"',
                       SestCaption::chyba());
            result = seTemplateLoad;
        } else if (!ui().askYesNo(MessageKind::Confirmation,
                                  u"Nebyl nalezen soubor s předlohou tiskové sestavy \""_s + templatePath() +
                                      u"\". Založit nový?"_s,
                                  SestCaption::potvrzeni())) {
            result = seTemplateLoad;
        } else if (!TextFile::writeLines(path, QStringList())) {
            ui().error(u"Soubor s předlohou se nepodařilo vytvořit. \""_s + templatePath() + u'"',
                       SestCaption::chyba());
            result = seTemplateLoad;
        }
    }
    setPredloha(*lines);
    return result;
}

int TSestava::withData(Purpose purpose, const std::function<int()> &body)
{
    int result = seOK;
    if (!checkData()) {
        // A detail's failed check may follow the report's own opening.
        releaseData();
        result = seDataOrNothing;
    } else {
        openDataForReading();
        // In event-driven mode the application supplies the fields here.
        raiseGetData();
        collectFields();
        result = LoadTemplate(purpose == Purpose::Design);
        if (result == seOK) {
            registerAsResolver();
            result = body ? body() : seOK;
        }
        restoreData();
        releaseData();
    }
    if (result != seOK && OnError)
        OnError(this, TSestError(result));
    return result;
}

int TSestava::writeTemplateFile(const QString &path)
{
    if (TextFile::writeLines(path, predloha()))
        return seOK;
    if (OnError)
        OnError(this, seTemplateSave);
    else
        ui().error(u"Soubor s předlohou se nepodařilo uložit."_s, SestCaption::chyba());
    return seTemplateSave;
}

int TSestava::SaveTemplate()
{
    if (OnUlozPredlohu)
        return OnUlozPredlohu(this) ? seOK : seTemplateSave;
    if (m_isStored)
        return seOK;
    const QString path = FileNames::resolve(templatePath());
    const QString backup = FileNames::resolve(FileNames::changeExtension(path, u".BAK"_s));
    QFile::remove(backup);
    const bool backedUp = QFile::rename(path, backup);
    const int result = writeTemplateFile(path);
    // A failed write puts the previous template back, so that the report
    // still finds it.
    if (result != seOK && backedUp && !QFileInfo::exists(path))
        QFile::rename(backup, path);
    return result;
}

int TSestava::SaveTemplateAs()
{
    if (OnUlozPredlohuJako) {
        QString soubor = templatePath();
        if (!OnUlozPredlohuJako(this, soubor))
            return seTemplateSave;
        setReportName(soubor);
        return seOK;
    }
    const QString current = QDir::currentPath();
    FileDialogRequest request;
    request.title = u"Výběr souboru"_s;
    request.filter = u"Předlohy tiskových sestav (*.pts)|*.PTS"_s;
    request.initialDir = QFileInfo(templatePath()).absolutePath();
    request.fileName = templatePath();
    const QString chosen = ui().saveFileName(request);
    QDir::setCurrent(current);
    if (chosen.isEmpty())
        return seCancelled;

    // Only the file name is lower-cased: directories on this system are
    // case-sensitive.
    const QFileInfo info(chosen);
    const QString dir = FileNames::withTrailingDelimiter(info.absolutePath());
    const QString fileName = info.fileName().toLower();
    if (m_reportDir.isEmpty()) {
        setReportDir(dir);
        setReportName(fileName);
    } else if (const QString base =
                   FileNames::withTrailingDelimiter(QDir::cleanPath(QFileInfo(m_reportDir).absoluteFilePath()));
               dir.startsWith(base)) {
        setReportName(dir.mid(base.size()) + fileName);
    } else {
        setReportName(dir + fileName);
        m_reportDir.clear();
    }
    // The template goes where the user chose it, not beside the program.
    m_reportDirIgnore = false;
    return writeTemplateFile(templatePath());
}

// ================================================================ TSestDetail

TSestDetail::~TSestDetail()
{
    if (m_master)
        m_master->removeDetail(this);
}

bool TSestDetail::setMasterSestava(TSestavaTyp *master)
{
    for (TSestavaTyp *m = master; m; m = m->isDetail() ? static_cast<TSestDetail *>(m)->m_master : nullptr) {
        if (m == this)
            return false;
    }
    if (m_master)
        m_master->removeDetail(this);
    m_master = master;
    if (m_master)
        m_master->addDetail(this);
    return true;
}

int TSestDetail::LoadTemplate(bool)
{
    return seDataOrNothing;
}

int TSestDetail::SaveTemplate()
{
    if (!m_master) {
        ui().error(u"Soubor s předlohou se nepodařilo uložit."_s, SestCaption::chyba());
        return seTemplateSave;
    }
    return m_master->SaveTemplate();
}

int TSestDetail::SaveTemplateAs()
{
    if (!m_master) {
        ui().error(u"Soubor s předlohou se nepodařilo uložit."_s, SestCaption::chyba());
        return seTemplateSave;
    }
    return m_master->SaveTemplateAs();
}
