#include "app/core/YearList.h"

#include "common/FileNames.h"
#include "common/MemTable.h"
#include "common/UiSeam.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

void defineYearTable(MemTable &mtYear)
{
    if (mtYear.fieldCount() == 0)
        mtYear.addField(u"YearNumber"_s, FieldType::String, 10);
}

int loadYearList(const QString &agendaDir, MemTable &mtYear)
{
    defineYearTable(mtYear);
    mtYear.clear();
    mtYear.setSortFields(QString());

    // The host's file system lists names alphabetically without regard to
    // case; the same order keeps the list stable here.
    const QDir agenda(FileNames::resolve(agendaDir));
    const QFileInfoList entries = agenda.entryInfoList(
        {u"Rok.*"_s}, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
    mtYear.beginUpdate();
    for (const QFileInfo &entry : entries) {
        if (!entry.isDir())
            continue;
        mtYear.append();
        mtYear.setValue(u"YearNumber"_s, FileNames::extension(entry.fileName()).mid(1).left(10));
    }
    mtYear.endUpdate();

    if (mtYear.isEmpty()) {
        ui().error(u"Chyba: vybraná agenda neobsahuje žádný účetní rok."_s);
        return -1;
    }
    mtYear.first();
    return 0;
}
