#pragma once

#include "hostdb/SnapshotRestore.h"

#include <QString>

#include <functional>

class OperationSession;

// Putting a snapshot back from the wizard, without any window: the rights of
// the operation that took it, the refusals (SnapshotRestore's, the same the
// table tool gives), one question that names what would be lost, the
// restore with its progress, and the protocol "~obnova.txt".
class SnapshotRestoreRun
{
public:
    // Asks the user; true goes on. The window shows a question whose default
    // answer is "Ne".
    using Confirm = std::function<bool(const QString &question)>;

    SnapshotRestoreRun(OperationSession &session, const QString &folder);

    // 0 when the tables were put back and the protocol shown; -1 after the
    // message that tells why not (or when the user said no).
    int run(const Confirm &confirm, const SnapshotRestore::Progress &progress = {});

    static QString protocolFileName(const QString &settingsDir);

private:
    bool refusedOutright(const QList<RestoreProblem> &problems);
    QString question(const SnapshotManifest &manifest, const QList<RestoreProblem> &losses) const;
    void writeProtocol(const SnapshotManifest &manifest, const SnapshotRestore &restore);

    OperationSession &m_session;
    QString m_folder;
};
