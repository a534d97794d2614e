// libFuzzer target: the RTF reader of wrapped RTF items over arbitrary bytes.
// It must neither crash nor hang, and what it reads must hold together:
// paragraphs that are not the last one were ended, runs are never empty.

#include "report/core/output/RtfDocument.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 1 << 16)
        return 0;
    const QByteArray rtf(reinterpret_cast<const char *>(data), qsizetype(size));
    const SestRtf::RtfDocument doc = SestRtf::readRtf(rtf, 1.5);
    for (size_t p = 0; p < doc.paragraphs.size(); ++p) {
        if (p + 1 < doc.paragraphs.size() && !doc.paragraphs[p].ended)
            std::abort();
        for (const SestRtf::RtfRun &run : doc.paragraphs[p].runs) {
            if (run.text.isEmpty() || run.format.size < 0)
                std::abort();
        }
    }
    return 0;
}
