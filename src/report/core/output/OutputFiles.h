#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <vector>

class QIODevice;

// The files of one export (the pages of HTML with their pictures, one
// metafile per page) written under temporary names beside their targets and
// put in place together at the end: a failed or interrupted export leaves no
// partial file and never replaces a good one.
class OutputFileSet
{
public:
    OutputFileSet() = default;
    OutputFileSet(const OutputFileSet &) = delete;
    OutputFileSet &operator=(const OutputFileSet &) = delete;
    // Removes the temporary files of a set that was not committed.
    ~OutputFileSet();

    // Writes the future file `target` through `write`, which returns a report
    // result code: seOK, the writer's code, or seOutputWrite when the file
    // cannot be created or written.
    int write(const QString &target, const std::function<int(QIODevice &)> &write);
    // Puts every file written in place of its target: seOK, or seOutputWrite
    // when one could not be, and then every target is as it was before.
    int commit();

private:
    struct Entry
    {
        QString target;
        QString temporary;
    };
    std::vector<Entry> m_entries;
};

// One file written the same way: seOK, the writer's code, or seOutputWrite.
int writeOutputFile(const QString &target, const std::function<int(QIODevice &)> &write);

// Writes all of `bytes` to the device: seOK or seOutputWrite.
int writeBytes(QIODevice &device, const QByteArray &bytes);
