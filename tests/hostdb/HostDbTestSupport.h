#pragma once

#include "fixture/HostTreeBuilder.h"
#include "hostdb/HostTable.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

#include <memory>

#include <gtest/gtest.h>

// A year directory in a temporary data tree, for engine tests.
class HostDbTest : public testing::Test
{
protected:
    HostDbTest()
        : m_tree(m_dir.path() + QStringLiteral("/DATA")),
          m_year(m_tree.agenda(QStringLiteral("001")).year(QStringLiteral("2018")))
    {}

    YearBuilder &year() { return m_year; }
    HostTreeBuilder &tree() { return m_tree; }
    QString yearDir() const { return m_year.dir(); }
    QString tempDir() const { return m_dir.path(); }

    // Opens dir + name through a new table object (fails the test otherwise).
    std::unique_ptr<TBFTable> open(const QString &name, const QString &index = QString())
    {
        auto table = std::make_unique<TBFTable>();
        EXPECT_EQ(table->Open(yearDir() + name), HostResult::Ok) << table->errorText().toStdString();
        if (!index.isEmpty()) {
            EXPECT_EQ(table->SetIndex(index), HostResult::Ok);
        }
        return table;
    }

    // The values of one field of every record from the current position on.
    static QStringList walk(TBFTable &table, const QString &field)
    {
        QStringList values;
        while (!table.Eof()) {
            values.append(table.Value(field).toString());
            if (table.Skip() != HostResult::Ok)
                break;
        }
        return values;
    }

private:
    QTemporaryDir m_dir;
    HostTreeBuilder m_tree;
    YearBuilder &m_year;
};
