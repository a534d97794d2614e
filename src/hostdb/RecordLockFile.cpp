#include "hostdb/RecordLockFile.h"

#include "common/FileNames.h"

#include <QFile>

using namespace Qt::StringLiterals;

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr size_t kMapSize = 4096;
static_assert(std::atomic<quint64>::is_always_lock_free, "the counter is shared between processes");

struct flock range(short type, qint64 recNo)
{
    struct flock lock = {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = static_cast<off_t>(recNo);
    lock.l_len = 1;
    lock.l_pid = 0; // required for open-file-description locks
    return lock;
}
} // namespace

RecordLockFile::RecordLockFile(const QString &path) : m_path(path) {}

RecordLockFile::~RecordLockFile()
{
    if (m_map)
        ::munmap(m_map, kMapSize);
    if (m_fd >= 0)
        ::close(m_fd);
}

bool RecordLockFile::ensureMapped()
{
    if (m_map)
        return true;
    if (m_mapFailed || !ensureOpen())
        return false;
    struct stat info = {};
    // Growing the file never shrinks it: ftruncate only when it is shorter.
    if (::fstat(m_fd, &info) != 0 || (info.st_size < off_t(kMapSize) && ::ftruncate(m_fd, kMapSize) != 0)) {
        m_mapFailed = true;
        return false;
    }
    void *map = ::mmap(nullptr, kMapSize, PROT_READ | PROT_WRITE, MAP_SHARED, m_fd, 0);
    if (map == MAP_FAILED) {
        m_mapFailed = true;
        return false;
    }
    m_map = map;
    return true;
}

std::optional<quint64> RecordLockFile::changeCount()
{
    if (!ensureMapped())
        return std::nullopt;
    return static_cast<std::atomic<quint64> *>(m_map)->load(std::memory_order_acquire);
}

void RecordLockFile::noteChange()
{
    if (ensureMapped())
        static_cast<std::atomic<quint64> *>(m_map)->fetch_add(1, std::memory_order_release);
}

bool RecordLockFile::ensureOpen()
{
    if (m_fd >= 0)
        return true;
    const QByteArray name = QFile::encodeName(m_path);
    // Non-blocking: a FIFO of that name must not stop the program.
    constexpr int flags = O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    int fd = ::open(name.constData(), flags);
    if (fd < 0 && errno == EACCES && repairPermissions())
        fd = ::open(name.constData(), flags);
    if (fd < 0 && errno == ENOENT) {
        fd = ::open(name.constData(), flags | O_CREAT | O_EXCL, 0666);
        if (fd >= 0)
            shareLikeTheTable(fd);
        else if (errno == EEXIST) // another holder created it meanwhile
            fd = ::open(name.constData(), flags);
    }
    if (fd < 0 && errno == EISDIR) {
        m_error = u"záznamy nelze zamknout: soubor zámků %1 není obyčejný soubor"_s.arg(m_path);
        return false;
    }
    if (fd < 0) {
        m_error = u"záznamy nelze zamknout: soubor zámků %1 nelze otevřít pro zápis (%2)"_s.arg(
            m_path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    struct stat info = {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        m_error = u"záznamy nelze zamknout: soubor zámků %1 není obyčejný soubor"_s.arg(m_path);
        return false;
    }
    followTheTable(fd, info);
    m_fd = fd;
    m_error.clear();
    return true;
}

// A lock file this user created before the table was shared (0644 beside a
// table made 0664 since) would keep the others from locking: its owner gives
// it the table's permissions again. Permissions are only ever added.
void RecordLockFile::followTheTable(int fd, const struct stat &lock)
{
    struct stat table = {};
    if (lock.st_uid != ::geteuid() || ::stat(QFile::encodeName(tablePath()).constData(), &table) != 0)
        return;
    const mode_t wanted = (lock.st_mode | table.st_mode) & 0666;
    if (wanted != (lock.st_mode & 0666))
        ::fchmod(fd, wanted);
}

QString RecordLockFile::tablePath() const
{
    return FileNames::resolve(m_path.left(m_path.size() - 4) + u".DAT"_s);
}

// Everyone who may write the table must be able to lock its records: the lock
// file gets the table file's permissions, whatever this user's umask, and the
// table's group, whatever this user's primary group.
void RecordLockFile::shareLikeTheTable(int fd)
{
    struct stat table = {};
    if (::stat(QFile::encodeName(tablePath()).constData(), &table) != 0)
        return;
    // Only a member of the table's group may give the file to it; otherwise
    // the file keeps this user's group.
    const bool regrouped = ::fchown(fd, uid_t(-1), table.st_gid) == 0;
    Q_UNUSED(regrouped);
    ::fchmod(fd, table.st_mode & 0666);
}

// A lock file this user owns but may not write (left by an older version with
// a narrow umask): give it the table's permissions again.
bool RecordLockFile::repairPermissions()
{
    const QByteArray name = QFile::encodeName(m_path);
    struct stat lock = {}, table = {};
    if (::lstat(name.constData(), &lock) != 0 || !S_ISREG(lock.st_mode) || lock.st_uid != ::geteuid() ||
        ::stat(QFile::encodeName(tablePath()).constData(), &table) != 0)
        return false;
    return ::chmod(name.constData(), (table.st_mode & 0666) | S_IRUSR | S_IWUSR) == 0;
}

bool RecordLockFile::lock(qint64 recNo)
{
    if (recNo <= 0 || !ensureOpen())
        return false;
    struct flock lock = range(F_WRLCK, recNo);
    int rc;
    do {
        rc = ::fcntl(m_fd, F_OFD_SETLK, &lock);
    } while (rc != 0 && errno == EINTR);
    return rc == 0;
}

void RecordLockFile::unlock(qint64 recNo)
{
    if (recNo <= 0 || m_fd < 0)
        return;
    struct flock lock = range(F_UNLCK, recNo);
    ::fcntl(m_fd, F_OFD_SETLK, &lock);
}

bool RecordLockFile::isLockedByOther(qint64 recNo)
{
    if (recNo <= 0 || !ensureOpen())
        return false;
    struct flock lock = range(F_WRLCK, recNo);
    if (::fcntl(m_fd, F_OFD_GETLK, &lock) != 0)
        return false;
    return lock.l_type != F_UNLCK;
}

qint64 RecordLockFile::firstLockedByOther()
{
    if (!ensureOpen())
        return 0;
    struct flock lock = range(F_WRLCK, 1);
    lock.l_len = 0; // every record number from 1 on
    if (::fcntl(m_fd, F_OFD_GETLK, &lock) != 0 || lock.l_type == F_UNLCK)
        return 0;
    return qint64(lock.l_start);
}
