// libFuzzer target: the host's command line, turned into the parameter list
// and the derived directories, codes and version number. Arguments are the
// input's lines (UTF-8).

#include "app/core/CommandLine.h"
#include "app/core/HostIniFiles.h"
#include "app/core/HostVersion.h"
#include "common/MemTable.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList arguments = input.split(u'\n');
    MemTable parameters;
    CommandLine::scanCommandLine(arguments, parameters);
    for (int row = 0; row < parameters.recordCount(); ++row) {
        const QString name = parameters.value(row, 0).toString();
        const QString value = parameters.value(row, 1).toString();
        if (CommandLine::parameterValue(parameters, name) == std::nullopt)
            throw std::logic_error("a scanned name is not found again");
        for (const int level : {1, 2}) {
            const QString derived = deriveAgendaPath(value, level);
            if (!derived.isEmpty() && !derived.endsWith(u'/'))
                throw std::logic_error("a derived directory lacks its delimiter");
        }
        const QString safe = sanitizeFileName(value, u'_');
        if (safe.size() != value.size())
            throw std::logic_error("sanitising changed the length");
        (void)directoryCode(value);
        (void)hostVersionNumber(value);
        (void)expandSeriesPrefix(value, name.left(4));
    }
    return 0;
}
