#pragma once

#include <QString>

#include <optional>

// Record locks of one table object: byte-range locks on the table's sidecar
// NAME.LCK at offset = record number, one byte each. They are open-file-
// description locks, so two table objects conflict whether they live in one
// process or in two, and the kernel releases them when the holder's file is
// closed, also when its process dies.
//
// The file's first eight bytes also hold a change counter that every table
// object of the engine raises after it commits a change, shared through a
// memory mapping: readers learn that records they read ahead are stale
// without asking the database.
class RecordLockFile
{
public:
    explicit RecordLockFile(const QString &path);
    ~RecordLockFile();
    RecordLockFile(const RecordLockFile &) = delete;
    RecordLockFile &operator=(const RecordLockFile &) = delete;

    QString path() const { return m_path; }
    // Takes the record; false when another holder has it or the lock file
    // cannot be used (then error() says why).
    bool lock(qint64 recNo);
    // Why the lock file cannot be used (it cannot be opened for writing, or is
    // not a regular file), naming it; empty while it can.
    QString error() const { return m_error; }
    void unlock(qint64 recNo);
    // True while another holder (not this object) has the record.
    bool isLockedByOther(qint64 recNo);
    // The lowest record number another holder has locked; 0 when none.
    qint64 firstLockedByOther();

    // The change counter; nullopt when the file cannot be opened or mapped.
    std::optional<quint64> changeCount();
    void noteChange();

private:
    bool ensureOpen();
    QString tablePath() const;
    void shareLikeTheTable(int fd);
    bool repairPermissions();
    void followTheTable(int fd, const struct stat &lock);
    bool ensureMapped();

    QString m_path;
    QString m_error;
    int m_fd = -1;
    void *m_map = nullptr;
    bool m_mapFailed = false;
};
