#include "hostdb/RecordLockFile.h"

#include "common/FileNames.h"

#include <QFile>

#include <atomic>
#include <cerrno>
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
    m_fd = ::open(name.constData(), O_RDWR | O_CLOEXEC);
    if (m_fd >= 0 || errno != ENOENT)
        return m_fd >= 0;
    m_fd = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (m_fd < 0 && errno == EEXIST) // another holder created it meanwhile
        m_fd = ::open(name.constData(), O_RDWR | O_CLOEXEC);
    else if (m_fd >= 0)
        shareLikeTheTable();
    return m_fd >= 0;
}

// Everyone who may write the table must be able to lock its records: the lock
// file gets the table file's permissions, whatever this user's umask.
void RecordLockFile::shareLikeTheTable()
{
    const QString table = m_path.left(m_path.size() - 4) + QStringLiteral(".DAT");
    struct stat status;
    if (::stat(QFile::encodeName(FileNames::resolve(table)).constData(), &status) == 0)
        ::fchmod(m_fd, status.st_mode & 0666);
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
