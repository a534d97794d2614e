#pragma once

#include <QComboBox>

#include <functional>

class TSestava;

// A drop-down list of the report templates of a directory, each shown by the
// description of its I,0 record (or its file name). Choosing an item sets the
// ReportName of the report it serves.
class TComboBoxPredloha : public QComboBox
{
    Q_OBJECT

public:
    static constexpr int MaxValue = 128;

    explicit TComboBoxPredloha(QWidget *parent = nullptr);

    TSestava *report() const { return m_report; }
    void setReport(TSestava *report) { m_report = report; }
    QString reportDir() const { return m_reportDir; }
    // A trailing path delimiter is added.
    void setReportDir(const QString &dir);
    QString reportMask() const { return m_reportMask; }
    // The extension is always ".pts".
    void setReportMask(const QString &mask);
    bool reportDirIgnore() const { return m_reportDirIgnore; }
    void setReportDirIgnore(bool ignore) { m_reportDirIgnore = ignore; }

    // ReportDir, or the program's directory while ReportDirIgnore is set,
    // followed by ReportMask.
    QString searchPattern() const;
    // Searches again and keeps the shown text selected.
    void fill();
    // Searches again and selects the item whose value is `fileName` (without
    // regard to case). False when there is none.
    bool selectFile(const QString &fileName);
    // The value of item n: the mask's directory part and the file name,
    // lower-cased, at most 128 characters.
    QString value(int index) const;

    // Replaces the file search; the handler fills the list itself.
    std::function<void(TComboBoxPredloha *sender)> OnNactiSeznam;

    // The description of a template file's first I,0 record; empty when it has none.
    static QString templateDescription(const QString &path);

private:
    void search();
    void chosen(int index);

    TSestava *m_report = nullptr;
    QString m_reportDir;
    QString m_reportMask = QStringLiteral("*.pts");
    bool m_reportDirIgnore = true;
};
