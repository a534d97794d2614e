#include "support/OtherUser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace OtherUser {

bool isAnotherUser()
{
    return ::geteuid() == 0;
}

QString run(const std::function<QString()> &body, const QList<unsigned> &groups)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return u"child failed: no pipe"_s;
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return u"child failed: no fork"_s;
    }
    if (pid == 0) {
        ::close(fds[0]);
        QByteArray answer;
        bool dropped = true;
        if (isAnotherUser()) {
            std::vector<gid_t> list(groups.begin(), groups.end());
            dropped = ::setgroups(list.size(), list.data()) == 0 && ::setgid(kUid) == 0 && ::setuid(kUid) == 0;
        }
        answer = dropped ? body().toUtf8() : QByteArray("child failed: cannot change the user");
        qsizetype written = 0;
        while (written < answer.size()) {
            const ssize_t n = ::write(fds[1], answer.constData() + written, size_t(answer.size() - written));
            if (n <= 0)
                break;
            written += n;
        }
        ::close(fds[1]);
        ::_exit(0);
    }
    ::close(fds[1]);
    QByteArray answer;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        answer.append(buffer, n);
    }
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return u"child failed: status %1"_s.arg(status);
    return QString::fromUtf8(answer);
}

void openPathTo(const QString &dir)
{
    const QString top = QDir::tempPath() + u'/';
    QString path = QFileInfo(dir).absoluteFilePath();
    while (path.startsWith(top)) {
        struct stat info = {};
        const QByteArray name = QFile::encodeName(path);
        if (::stat(name.constData(), &info) == 0 && S_ISDIR(info.st_mode))
            ::chmod(name.constData(), info.st_mode | S_IRUSR | S_IXUSR | S_IRGRP | S_IXGRP | S_IROTH | S_IXOTH);
        path = QFileInfo(path).absolutePath();
    }
}

} // namespace OtherUser
