#pragma once

#include "common/DayNumber.h"
#include "report/core/data/DataBridge.h"
#include "report/core/data/ReportDataSet.h"
#include "report/core/layout/ReportOutput.h"
#include "report/core/model/ReportModel.h"
#include "report/core/model/ReportResult.h"
#include "report/core/model/ReportSections.h"
#include "report/core/model/UserFunctions.h"
#include "report/core/template/PaperFormats.h"
#include "report/core/template/TemplateLines.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <vector>

class QIODevice;
class QPainter;
class LayoutProgress;
class TSestavaTyp;
class TSestDetail;
namespace TemplateReader {
struct Context;
}

// Everything of a report that does not depend on where its data come from:
// the template and the model read from it, parameters, fields, details, the
// run counters and the output. It answers the expression evaluator's
// references and what the elements of its model show.
class TSestavaTyp : public QObject, public CalcResolver
{
    Q_OBJECT

public:
    explicit TSestavaTyp(QObject *parent = nullptr);
    ~TSestavaTyp() override;

    virtual bool isDetail() const { return false; }

    // ---- Template
    const TPredloha &predloha() const { return m_predloha; }
    // Copies the lines, reads the model from them (TemplateReader::read; a
    // main report's page setup becomes the process-wide one), hands each
    // detail its "D<n>" lines, raises OnSetPredloha.
    void setPredloha(const TPredloha &lines);
    // The template lines of the model with the process-wide page setup and
    // the details' templates (TemplateWriter::write).
    TPredloha writeTemplate() const;
    // What the reader takes from this report: its fields, whether it is a
    // detail, the process-wide page setup, its description, its pictures.
    TemplateReader::Context templateContext();

    // ---- Model: the report's own; the parts for the report's callers
    ReportModel &model() { return m_model; }
    const ReportModel &model() const { return m_model; }
    TListOddilu &sections() { return m_model.sections(); }
    const TListOddilu &sections() const { return m_model.sections(); }
    TListSkupin &groups() { return m_model.groups(); }
    const TListSkupin &groups() const { return m_model.groups(); }
    TListFunkci &functions() { return m_model.functions(); }
    const TListFunkci &functions() const { return m_model.functions(); }
    ReportOptions &settings() { return m_model.settings(); }
    const ReportOptions &settings() const { return m_model.settings(); }
    TListFormatu &paperFormats() { return m_paperFormats; }

    const std::vector<TSestDetail *> &details() const { return m_details; }

    // ---- Published properties
    QStringList parametry() const { return m_parametry; }
    void setParametry(const QStringList &lines) { m_parametry = lines; }
    QString popis() const { return m_model.description(); }
    void setPopis(const QString &text) { m_model.setDescription(text); }
    QString iniFileName() const { return m_iniFileName; }
    // Also reloads the paper formats from the file.
    void setIniFileName(const QString &name);
    // The formats file: a name without directory lies in the program's directory.
    QString iniFilePath() const;
    int printCopies() const { return m_printCopies; }
    void setPrintCopies(int copies) { m_printCopies = copies; }
    int startPage() const { return m_startPage; }
    void setStartPage(int page) { m_startPage = page; }
    int endPage() const { return m_endPage; }
    void setEndPage(int page) { m_endPage = page; }
    int maxRecords() const { return m_maxRecords; }
    void setMaxRecords(int count) { m_maxRecords = count; }
    TSestLanguage exportLanguage() const { return m_exportLanguage; }
    void setExportLanguage(TSestLanguage language) { m_exportLanguage = language; }
    bool tiskJedenZaznam() const { return m_tiskJedenZaznam; }
    void setTiskJedenZaznam(bool on) { m_tiskJedenZaznam = on; }
    bool allowNullValues() const { return m_allowNullValues; }
    void setAllowNullValues(bool on) { m_allowNullValues = on; }
    bool printBackground() const { return m_printBackground; }
    void setPrintBackground(bool on) { m_printBackground = on; }
    QString background() const { return m_background; }
    void setBackground(const QString &file) { m_background = file; }

    // ---- Data fields
    QStringList fieldNames() const { return m_fieldNames; }
    // Also refills the display values with "Položka 1", "Položka 2", ….
    void setFieldNames(const QStringList &names);
    QStringList fieldLabels() const { return m_fieldLabels; }
    void setFieldLabels(const QStringList &labels) { m_fieldLabels = labels; }
    QStringList fieldDisplayValues() const { return m_fieldDisplayValues; }
    void setFieldDisplayValues(const QStringList &values) { m_fieldDisplayValues = values; }
    // Index of the field of that name (without regard to case), -1.
    int findField(const QString &name) const;
    // Index of the user function of that name (without regard to case), -1.
    int findFunction(const QString &name) const;
    // The label of field n (element kind 3); empty outside the list.
    QString fieldLabel(int index) const;
    // Parameter n (element kind 4): line n of Parametry; empty outside.
    QString parameter(int index) const;

    // Data access; the report without a data source answers from its field lists.
    virtual int fieldCount() const { return int(m_fieldNames.size()); }
    virtual int fieldDataType(int index) const;
    virtual int fieldAlignment(int index) const;
    virtual int fieldSize(int index) const;
    virtual QString fieldDisplayText(int index) const;
    virtual double fieldNumber(int index) const;
    virtual QString fieldMemoText(int index) const;
    virtual QImage fieldPicture(int index) const;
    virtual bool fieldIsNull(int index) const;
    // Field n as an expression reads it: the kind of its data type, its
    // number, display text and null flag. Throws where the data cannot be
    // read (the evaluator makes that a null value).
    virtual TCalcType fieldValue(int index) const;
    // The expression value kind of a field data type.
    static quint8 valueKindOfDataType(int dataType);

    // ---- Run counters and system variables
    DayNumber printTimestamp() const { return m_printTimestamp; }
    void setPrintTimestamp(DayNumber timestamp) { m_printTimestamp = timestamp; }
    int rowNumber() const { return m_rowNumber; }
    void setRowNumber(int row) { m_rowNumber = row; }
    int pageNumber() const { return m_pageNumber; }
    void setPageNumber(int page) { m_pageNumber = page; }
    int pageCount() const { return m_pageCount; }
    void setPageCount(int count) { m_pageCount = count; }
    // The value of system variable n: the print date and time with the
    // locale's formats, the counters as integers; cleared outside the table.
    TCalcType systemVariableValue(int index) const;
    // The text of system variable n, shown through `format` when it is not
    // empty: a date-time picture for the print date and time, otherwise a
    // format with one integer placeholder ("Strana %d") filled with the
    // rounded value. A format that does not fit gives "????".
    QString systemVariableText(int index, const QString &format) const;

    // ---- The output of the last run (rebuilt by every run)
    TSestVystup &output() { return m_output; }
    const TSestVystup &output() const { return m_output; }
    // While the report is laid out: the next section other than a page
    // header or footer starts on a new page.
    void RequestNewPage() { m_newPageRequested = true; }
    bool isNewPageRequested() const { return m_newPageRequested; }
    void clearNewPageRequest() { m_newPageRequested = false; }

    // ---- Values and user functions during a run. The layout drives them:
    // the start of the run, each record, page breaks and group ends.
    enum class Refresh {
        Start,  // every section but the report footer, then the user functions
        Record, // every section but the report header and footer, then the user functions
        End     // the report footer
    };
    // This report answers the expressions from now on (the report last laid
    // out, printed or edited).
    void registerAsResolver();
    // The start of a run: the user functions skip empty values when
    // AllowNullValues is set, and every function is reset.
    void startFunctions();
    // A record starts a new page: functions reset per page restart at their
    // next computation.
    void requestPageReset();
    // Group g ended (after its footer): functions reset per group g restart
    // at their next computation, so the footer still shows the group's values.
    void requestGroupReset(int group);
    // Data-field elements take the current record's values; at Start and
    // Record the user functions are then computed.
    void refreshValues(Refresh when);
    // The data-field elements of one section take the current record's values.
    void refreshFieldElements(const TOddilSestavy &section);
    // Computes the user functions in list order against this report, then
    // raises OnVypoctiFunkce.
    void computeFunctions();

    // ---- What the elements of the model show
    // The text an element shows for the current record: its literal text
    // (kind 1), its field's value (2), the field's label (3), the parameter
    // (4), the system variable, through the element's text as a format when
    // it has one (5), the user function's display text (6); empty for the
    // other kinds. A user function outside the list shows "????".
    QString elementText(const TRastelReportElement &element) const;
    // A data-field element (kind 2) takes its field's value in the current
    // record: number, display text and null flag, the memo text for memo
    // fields, the picture for picture fields. An unreadable value shows "????".
    void refreshElementValue(TRastelReportElement &element) const;
    // Loads the picture named by the element's text (through OnNactiObraz
    // when assigned, else from the picture directory). False when there is none.
    bool loadPicture(TRastelReportElement &element);

    // ---- Expression references
    TCalcType resolve(int code) override;
    int findName(int kind, const QString &name) override;

    // ---- Template files (codes of TSestError)
    virtual int LoadTemplate(bool createIfMissing) = 0;
    virtual int SaveTemplate() = 0;
    virtual int SaveTemplateAs() = 0;

    // ---- One print or preview at a time in the process
    static bool isRunning();
    // Runs `body` unless another run is going on (then 7 at once).
    static int runExclusive(const std::function<int()> &body);

    // The directory of the running program, with a trailing delimiter.
    static QString programDir();
    // Tests place the program elsewhere; an empty text returns to the real one.
    static void setProgramDir(const QString &dir);

    // ---- Events (Sender is the report itself)
    std::function<void(TSestavaTyp *sender, int index, int width, int height, QPainter *canvas)> OnPaintBox;
    std::function<void(TSestavaTyp *sender)> OnSetPredloha;
    std::function<void(TSestavaTyp *sender, int actualPage)> OnPreviewCustomEvent;
    std::function<void(TSestavaTyp *sender, QStringList &items)> OnNactiSeznamObrazu;
    std::function<bool(TSestavaTyp *sender, const QString &nazev, QImage &picture)> OnNactiObraz;
    std::function<void(TSestavaTyp *sender, QImage &picture, int width, int height)> OnPreparePicture;
    std::function<void(TSestavaTyp *sender)> OnVypoctiFunkce;
    std::function<void(TSestavaTyp *sender, int index, bool &tisknout)> OnTiskOddilu;

protected:
    friend class TSestDetail;
    void addDetail(TSestDetail *detail);
    void removeDetail(TSestDetail *detail);
    // The directory in which pictures named by the template are looked for.
    virtual QString pictureDir() const { return programDir(); }

private:
    TPredloha m_predloha;
    ReportModel m_model;
    TListFormatu m_paperFormats;
    std::vector<TSestDetail *> m_details;

    QStringList m_parametry;
    QString m_iniFileName = QStringLiteral("SestDLL.ini");
    int m_printCopies = 1;
    int m_startPage = 1;
    int m_endPage = 9999;
    int m_maxRecords = 0;
    TSestLanguage m_exportLanguage = slUndefined;
    bool m_tiskJedenZaznam = false;
    bool m_allowNullValues = false;
    bool m_printBackground = false;
    QString m_background;

    QStringList m_fieldNames;
    QStringList m_fieldLabels;
    QStringList m_fieldDisplayValues;

    DayNumber m_printTimestamp;
    int m_rowNumber = 1;
    int m_pageNumber = 1;
    int m_pageCount = 0;
    TSestVystup m_output;
    bool m_newPageRequested = false;
};

// Adds the data source: the bridge to its dataset, the data events, the data
// check and the record steps.
class TSestavaD : public TSestavaTyp
{
    Q_OBJECT

public:
    explicit TSestavaD(QObject *parent = nullptr) : TSestavaTyp(parent) {}

    // Event-driven data: assigning OnGetData switches the report to it.
    bool isEventDriven() const { return bool(OnGetData); }

    ReportDataSource *dataSource() const { return m_bridge.dataSource(); }
    void setDataSource(ReportDataSource *source) { m_bridge.setDataSource(source); }
    const TBridge &bridge() const { return m_bridge; }

    // Data access: the bridge answers in dataset mode for a field of the
    // field list when a data source is set; otherwise the field lists do.
    // OnGetDataType and OnGetAlignment have the last word in both modes.
    // An unreadable display or memo text shows as "????".
    int fieldDataType(int index) const override;
    int fieldAlignment(int index) const override;
    int fieldSize(int index) const override;
    QString fieldDisplayText(int index) const override;
    double fieldNumber(int index) const override;
    QString fieldMemoText(int index) const override;
    QImage fieldPicture(int index) const override;
    bool fieldIsNull(int index) const override;
    TCalcType fieldValue(int index) const override;

    // Moves to a record: OnStepData when assigned, else the bridge with a
    // data source, else 3 (no records). OnGetData follows every step.
    int stepData(TStepDir dir);
    // OnGetData, when assigned.
    void raiseGetData();

    // ---- Around a run
    // The data check of this report and then of each detail; the first
    // failure fails it (after its message).
    bool checkData();
    // Dataset mode: remembers the current record; without details the
    // dataset's controls are detached while the report reads.
    void openDataForReading();
    // Back to the remembered record, then the controls reattached.
    void restoreData();
    // Dataset mode: the field names and labels of the dataset become the
    // report's, for this report and each detail.
    void collectFields();
    // Closes the datasets (this report's and its details') that the data
    // check opened.
    void releaseData();

    std::function<void(TSestavaTyp *sender)> OnGetData;
    std::function<int(TSestavaTyp *sender, TStepDir dir)> OnStepData; // a TStepResult bit set
    std::function<void(TSestavaTyp *sender, int index, int &dataType)> OnGetDataType;
    std::function<void(TSestavaTyp *sender, int index, int &alignment)> OnGetAlignment;

private:
    bool usesBridge(int index) const;

    TBridge m_bridge;
};

// The main report: template file handling, the before/after events, errors.
class TSestava : public TSestavaD
{
    Q_OBJECT
    Q_PROPERTY(QStringList Predloha READ predloha WRITE setPredloha)
    Q_PROPERTY(QStringList Parametry READ parametry WRITE setParametry)
    Q_PROPERTY(QString Popis READ popis WRITE setPopis)
    Q_PROPERTY(QString IniFileName READ iniFileName WRITE setIniFileName)
    Q_PROPERTY(int PrintCopies READ printCopies WRITE setPrintCopies)
    Q_PROPERTY(int StartPage READ startPage WRITE setStartPage)
    Q_PROPERTY(int EndPage READ endPage WRITE setEndPage)
    Q_PROPERTY(int MaxRecords READ maxRecords WRITE setMaxRecords)
    Q_PROPERTY(int ExportLanguage READ exportLanguageValue WRITE setExportLanguageValue)
    Q_PROPERTY(bool TiskJedenZaznam READ tiskJedenZaznam WRITE setTiskJedenZaznam)
    Q_PROPERTY(QString ReportName READ reportName WRITE setReportName)
    Q_PROPERTY(bool AllowNullValues READ allowNullValues WRITE setAllowNullValues)
    Q_PROPERTY(QString ReportAlias READ reportAlias)
    Q_PROPERTY(QString ReportDir READ reportDir WRITE setReportDir)
    Q_PROPERTY(bool ReportDirIgnore READ reportDirIgnore WRITE setReportDirIgnore)
    Q_PROPERTY(bool PrintBackground READ printBackground WRITE setPrintBackground)
    Q_PROPERTY(bool IsStored READ isStored WRITE setIsStored)
    Q_PROPERTY(QString Background READ background WRITE setBackground)

public:
    explicit TSestava(QObject *parent = nullptr) : TSestavaD(parent) {}

    QString reportName() const { return m_reportName; }
    // The extension is always replaced by ".pts".
    void setReportName(const QString &name);
    QString reportAlias() const { return QString(); } // never set
    QString reportDir() const { return m_reportDir; }
    // A trailing path delimiter is added.
    void setReportDir(const QString &dir);
    bool reportDirIgnore() const { return m_reportDirIgnore; }
    void setReportDirIgnore(bool ignore) { m_reportDirIgnore = ignore; }
    bool isStored() const { return m_isStored; }
    void setIsStored(bool stored) { m_isStored = stored; }

    // ReportDir + ReportName, or the program's directory + ReportName while
    // ReportDirIgnore is set.
    QString templatePath() const;

    int LoadTemplate(bool createIfMissing) override;
    int SaveTemplate() override;
    int SaveTemplateAs() override;

    // Preparing a run (printing, the preview, the exports) or the designer:
    // checks the data (8 when the check fails), opens it for reading and
    // collects the fields, loads the template (created on request for the
    // designer), registers the report as the expression resolver and runs
    // `body` (the layout, or the designer) when all that succeeded; restores
    // and releases the data whatever happened; hands a non-zero result to
    // OnError. Returns the TSestError code.
    enum class Purpose { Run, Design };
    int withData(Purpose purpose, const std::function<int()> &body);

    // ---- Printing and the windows (ReportWindows.cpp, through
    // ReportWindows): codes of TSestError.
    int Print(int printerIndex);
    // Print on the selected printer; without one the warning and 2.
    int PrintOnCurrent();
    // Prepares the report and shows the preview over its output.
    int Preview();
    // The same with another window over the prepared output (the designer's
    // preview, which offers the way back to it); the window's result.
    int Preview(const std::function<int(TSestava &report)> &window);
    // Opens the designer on the report (template created on request).
    int Design();
    static QString noPrinterMessage();

    // ---- Output (ReportExport.cpp): each prepares the report and writes
    // the pages from StartPage to EndPage; codes of TSestError. `progress`
    // shows the layout and, for the text file, the copying with "Přerušit".
    int PrintToStream(QIODevice &stream, LayoutProgress *progress = nullptr);
    int PrintToFile(const QString &fileName, LayoutProgress *progress = nullptr);
    int ExportRtf(QIODevice &stream, LayoutProgress *progress = nullptr);
    int ExportRtf(const QString &dir, const QString &fileName, LayoutProgress *progress = nullptr);
    int ExportPageHtml(QIODevice &stream, int page, LayoutProgress *progress = nullptr);
    int ExportPageHtml(const QString &dir, const QString &fileName, int page, LayoutProgress *progress = nullptr);
    int ExportAllHtml(const QString &dir, const QString &fileName, LayoutProgress *progress = nullptr);
    // The whole report as PDF (fonts embedded, text selectable).
    int ExportPdf(QIODevice &stream, LayoutProgress *progress = nullptr);
    int ExportPdf(const QString &dir, const QString &fileName, LayoutProgress *progress = nullptr);
    // One page (from 1) as an enhanced or a plain Windows metafile; a page
    // outside the output writes nothing and gives 8.
    int ExportPageEmf(QIODevice &stream, int page, LayoutProgress *progress = nullptr);
    int ExportPageEmf(const QString &fileName, int page, LayoutProgress *progress = nullptr);
    int ExportPageWmf(QIODevice &stream, int page, LayoutProgress *progress = nullptr);
    int ExportPageWmf(const QString &fileName, int page, LayoutProgress *progress = nullptr);
    // Every page to its own file: the file name with its extension replaced
    // by the page number and ".emf" or ".wmf".
    int ExportAllEmf(const QString &fileName, LayoutProgress *progress = nullptr);
    int ExportAllWmf(const QString &fileName, LayoutProgress *progress = nullptr);

    // ---- Writing the output of the last run as it stands, without laying
    // out again (the preview's save menu): codes of TSestError.
    int WriteTextFile(const QString &fileName, LayoutProgress *progress = nullptr) const;
    int WriteRtfFile(const QString &fileName) const;
    int WritePageHtmlFile(const QString &fileName, int page) const;
    int WriteAllHtmlFile(const QString &fileName) const;
    int WritePdfFile(const QString &fileName) const;
    // One page, or every page to its own file (the name with n + ".emf" or
    // ".wmf" for its extension), as enhanced metafiles or, with
    // `plainWindows`, as plain Windows metafiles.
    int WritePageMetafileFile(const QString &fileName, int page, bool plainWindows) const;
    int WriteAllMetafileFiles(const QString &fileName, bool plainWindows) const;
    // Whether the background picture is drawn: the template's own choice
    // when it names its picture, else PrintBackground.
    bool drawsBackground() const;

    std::function<bool(TSestavaTyp *sender)> OnUlozPredlohu;
    std::function<bool(TSestavaTyp *sender, QString &soubor)> OnUlozPredlohuJako;
    std::function<bool(TSestavaTyp *sender)> OnNactiPredlohu;
    std::function<void(TSestavaTyp *sender)> BeforeEdit;
    std::function<void(TSestavaTyp *sender)> AfterEdit;
    std::function<void(TSestavaTyp *sender)> BeforePreview;
    std::function<void(TSestavaTyp *sender)> AfterPreview;
    std::function<void(TSestavaTyp *sender)> BeforePrint;
    std::function<void(TSestavaTyp *sender)> AfterPrint;
    std::function<void(TSestavaTyp *sender)> BeforePrintPreview;
    std::function<void(TSestavaTyp *sender)> AfterPrintPreview;
    std::function<bool(TSestavaTyp *sender, TSestError error)> OnError;

protected:
    QString pictureDir() const override;

private:
    int exportLanguageValue() const { return exportLanguage(); }
    void setExportLanguageValue(int value) { setExportLanguage(TSestLanguage(value)); }
    // Writes Predloha to the path; on failure the message (unless OnError
    // takes the error) and 5.
    int writeTemplateFile(const QString &path);

    QString m_reportName;
    QString m_reportDir;
    bool m_reportDirIgnore = true;
    bool m_isStored = false;
};

// A report printed inside an element of its master; it has no file of its own.
class TSestDetail : public TSestavaD
{
    Q_OBJECT
    Q_PROPERTY(QString Popis READ popis WRITE setPopis)

public:
    explicit TSestDetail(QObject *parent = nullptr) : TSestavaD(parent) {}
    ~TSestDetail() override;

    bool isDetail() const override { return true; }

    TSestavaTyp *masterSestava() const { return m_master; }
    // Leaves the previous master's detail list and joins the new one's. A
    // master that is this detail or one of its own details is refused.
    bool setMasterSestava(TSestavaTyp *master);

    int LoadTemplate(bool createIfMissing) override;
    int SaveTemplate() override;
    int SaveTemplateAs() override;

private:
    friend class TSestavaTyp;
    TSestavaTyp *m_master = nullptr;
};
