#pragma once

#include <QByteArray>
#include <QString>

// An exclusive claim on a lock file: an open-file-description lock on the
// whole file, which the kernel drops when its holder dies. Snapshots claim
// "<folder>.lck" while they are taken, a restore claims the snapshots
// folder's "obnova.lck" while it runs.
class FileClaim
{
public:
    enum class Outcome { Taken, Held, Failed };

    FileClaim() = default;
    ~FileClaim() { release(); }
    FileClaim(const FileClaim &) = delete;
    FileClaim &operator=(const FileClaim &) = delete;

    // Creates the file when missing and takes its lock without waiting.
    Outcome take(const QString &lockPath);
    // Removes the lock file while still holding it, then lets go.
    void release();

    bool isHeld() const { return m_fd >= 0; }
    QString error() const { return m_error; }

private:
    QByteArray m_path;
    QString m_error;
    int m_fd = -1;
};
