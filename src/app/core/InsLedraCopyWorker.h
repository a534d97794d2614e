#pragma once

#include <QString>

// The first-run copy of the set-up files. Beside the executable lie
// "SetupDat/" (its setup.ini carries [INSTALL] "SIGN", the signature of this
// release of the set-up files, and one subfolder per copy set) and the copy
// list "InsLedra.ini" ([COPY] "Source1"/"Dest1", "Source2"/"Dest2", …; in a
// destination "%LEDRADATA%" stands for the host's data root). When the
// signature recorded in the add-on's tree (addOnRoot + "setup.ini") differs,
// the listed folders are copied and the signature recorded; a failure leaves
// the old signature, so the next start tries again.
class InsLedraCopyWorker
{
public:
    InsLedraCopyWorker(const QString &programDir, const QString &addOnRoot, const QString &dataRoot);

    // 0 when the files are in place (copied now or before), -1 on failure with
    // errorMessage() set for the caller to show.
    int run();
    QString errorMessage() const { return m_errorMessage; }
    // How many files the last run copied.
    int copiedFiles() const { return m_copiedFiles; }

    static constexpr int MaxPairs = 999;

private:
    int copyPair(const QString &sourceName, const QString &destination);
    QString expandDestination(const QString &destination) const;

    QString m_setupSource; // programDir + "SetupDat/"
    QString m_copyList;    // programDir + "InsLedra.ini"
    QString m_addOnRoot;
    QString m_dataRoot;
    QString m_errorMessage;
    int m_copiedFiles = 0;
};

struct SetupCopyResult
{
    int code = 0; // 0 success, -1 failure
    QString message;
};

SetupCopyResult runSetupCopy(const QString &programDir, const QString &addOnRoot, const QString &dataRoot);
