// libFuzzer target: the template reader over arbitrary bytes, and the writer
// held against it. Whatever the reader makes of the input, writing it and
// reading the result again must give the same lines.

#include "common/CodePage.h"
#include "common/TextFile.h"
#include "report/core/Report.h"
#include "report/core/template/ReportFonts.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

struct Reports
{
    TSestava report;
    TSestDetail detail;
    Reports()
    {
        const QStringList fields{u"Doklad"_s, u"Cislo"_s, u"Popis"_s, u"Celkem"_s};
        detail.setMasterSestava(&report);
        report.setFieldNames(fields);
        detail.setFieldNames(fields);
    }
};

bool initialise()
{
    ReportFonts::setInstalledFamilies(QStringList{u"Arial"_s, u"Courier New"_s});
    // Pictures named by the input are looked for where nothing exists.
    TSestavaTyp::setProgramDir(u"/nonexistent-tarnek-fuzz/"_s);
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool initialised = initialise();
    (void)initialised;
    if (size > 64 * 1024)
        return 0;
    const QString text =
        CodePage::windows1250().decode(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    const QStringList lines = TextFile::splitLines(text);

    Reports first;
    first.report.setPredloha(lines);
    const QStringList written = first.report.writeTemplate();

    Reports second;
    second.report.setPredloha(written);
    const QStringList again = second.report.writeTemplate();
    if (again != written) {
        for (qsizetype i = 0; i < std::max(written.size(), again.size()); ++i) {
            if (written.value(i) != again.value(i)) {
                std::fprintf(stderr, "line %d differs:\n  %s\n  %s\n", int(i), qUtf8Printable(written.value(i)),
                             qUtf8Printable(again.value(i)));
                break;
            }
        }
        std::abort();
    }
    return 0;
}
