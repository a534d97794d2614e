#include "hostdb/FileClaim.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FileClaim::Outcome FileClaim::take(const QString &lockPath)
{
    release();
    m_path = QFile::encodeName(lockPath);
    const int fd = ::open(m_path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        return Outcome::Failed;
    }
    struct flock lock = {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    // A holder that just gave its claim up has unlinked the file: the lock
    // only counts on the file that still bears the name.
    struct stat held = {};
    struct stat named = {};
    if (::fcntl(fd, F_OFD_SETLK, &lock) != 0 || ::fstat(fd, &held) != 0 || ::stat(m_path.constData(), &named) != 0 ||
        held.st_ino != named.st_ino || held.st_dev != named.st_dev) {
        ::close(fd);
        return Outcome::Held;
    }
    m_fd = fd;
    return Outcome::Taken;
}

void FileClaim::release()
{
    if (m_fd < 0)
        return;
    ::unlink(m_path.constData());
    ::close(m_fd);
    m_fd = -1;
}
