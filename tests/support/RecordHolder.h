#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

// Another process holding a record of a host table: the table tool's
// "lock FILE RECNO" keeps the record locked until its input closes. The tool's
// path comes from the test target (TARNEK_TABLE_TOOL).
class RecordHolder
{
public:
    explicit RecordHolder(const QString &toolPath) : m_tool(toolPath) {}
    ~RecordHolder()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(10000);
        }
    }
    RecordHolder(const RecordHolder &) = delete;
    RecordHolder &operator=(const RecordHolder &) = delete;

    // Returns once the tool reports the record locked (a failure fails the test).
    void hold(const QString &table, int recNo)
    {
        m_process.start(m_tool, {QStringLiteral("lock"), table, QString::number(recNo)});
        ASSERT_TRUE(m_process.waitForStarted(10000));
        QByteArray output;
        while (!output.contains("LOCKED") && m_process.waitForReadyRead(20000))
            output += m_process.readAllStandardOutput();
        ASSERT_TRUE(output.contains("LOCKED")) << m_process.readAllStandardError().constData();
    }
    // Lets the record go and waits until the tool has ended.
    void release()
    {
        m_process.closeWriteChannel();
        ASSERT_TRUE(m_process.waitForFinished(20000));
    }

private:
    QString m_tool;
    QProcess m_process;
};
