#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A host data tree in a temporary directory with lower-case names, as a copy
// of the host's data on a Linux disk has them, and host ini files written as
// text (Windows-1250, CR LF).
class TextHostTree
{
public:
    TextHostTree();

    bool isValid() const { return m_dir.isValid(); }
    QString root() const; // with a trailing "/"
    QString dataDir() const { return root() + QStringLiteral("data/"); }
    QString agendaDir() const { return dataDir() + QStringLiteral("agenda.001/"); }
    QString yearDir(const QString &year = QStringLiteral("2018")) const;

    // Writes a text file (relative to root()), creating its directories.
    void write(const QString &relativePath, const QStringList &lines) const;
    void makeDir(const QString &relativePath) const;
    // The program directory with the set-up files: SetupDat/setup.ini with
    // that signature, one SetupDat/PrintFrm file and an InsLedra.ini copying
    // PrintFrm to %LEDRADATA%Velmar/Tarnek/PrintFrm.
    QString makeProgramDir(const QString &signature = QStringLiteral("SIGN-1")) const;

private:
    QTemporaryDir m_dir;
};

// The arguments the host passes for a year directory.
QStringList hostArguments(const QString &yearDir, const QString &version = QStringLiteral("13.100"),
                          const QString &configName = QStringLiteral("Účetní"));
