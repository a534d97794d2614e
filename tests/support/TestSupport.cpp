#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>

#include <ostream>

QT_BEGIN_NAMESPACE
void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

void PrintTo(const QStringList &list, std::ostream *os)
{
    *os << '[';
    for (qsizetype i = 0; i < list.size(); ++i)
        *os << (i ? ", " : "") << '"' << list.at(i).toStdString() << '"';
    *os << ']';
}

void PrintTo(const QVariant &value, std::ostream *os)
{
    *os << value.typeName() << '(' << value.toString().toStdString() << ')';
}
QT_END_NAMESPACE

namespace TestSupport {

QString dataPath(const QString &name)
{
    return qEnvironmentVariable("TARNEK_TEST_DATA") + u'/' + name;
}

void click(QWidget &parent, const QString &objectName)
{
    QAbstractButton *button = child<QAbstractButton>(parent, objectName);
    if (!button)
        return;
    if (!button->isEnabled()) {
        ADD_FAILURE() << "button " << objectName.toStdString() << " is disabled";
        return;
    }
    button->click();
}

bool isCi()
{
    const QString ci = qEnvironmentVariable("CI").trimmed().toLower();
    return !ci.isEmpty() && ci != u"0" && ci != u"false";
}

namespace {
// The files this process holds open, from its open file descriptors.
QStringList openFileTargets()
{
    QStringList targets;
    const QDir descriptors(QStringLiteral("/proc/self/fd"));
    for (const QFileInfo &descriptor : descriptors.entryInfoList(QDir::Files | QDir::System | QDir::NoDotAndDotDot))
        targets.append(descriptor.symLinkTarget());
    return targets;
}
} // namespace

bool isFileOpenHere(const QString &path)
{
    const QString file = QFileInfo(path).canonicalFilePath();
    return !file.isEmpty() && openFileTargets().contains(file);
}

QStringList openTableFiles(const QString &dir)
{
    const QString root = QFileInfo(dir).canonicalFilePath() + u'/';
    QStringList open;
    for (const QString &target : openFileTargets()) {
        if (target.startsWith(root) && target.endsWith(QStringLiteral(".DAT"), Qt::CaseInsensitive))
            open.append(target.mid(root.size()));
    }
    open.sort();
    return open;
}

} // namespace TestSupport
