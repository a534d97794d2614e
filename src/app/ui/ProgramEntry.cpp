// Program entry: the host starts the add-on from its desktop with its data
// directories, version and user on the command line.

#include "app/ui/MainWindow.h"
#include "app/ui/StartUp.h"
#include "app/ui/TarnekApplication.h"
#include "common/DayNumber.h"
#include "common/FileSizeLimit.h"
#include "common/LocaleFormats.h"
#include "common/widgets/MinimiseAsApplication.h"
#include "common/widgets/QtUiSeam.h"
#include "ops/RegisterOperations.h"
#include "report/ui/designer/DesignerWindow.h"
#include "report/ui/preview/PreviewWindow.h"
#include "report/ui/printing/QtPrinterList.h"
#include "report/ui/printing/ReportPrinter.h"

#include <QApplication>
#include <QTranslator>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    ignoreFileSizeSignal();
    DayNumber::cacheLocalTimeZone();
    const bool noSystemLanguage = preferCzechLocale();
    TarnekApplication app(argc, argv);
    QApplication::setApplicationName(u"Tarnek"_s);
    QApplication::setApplicationDisplayName(u"Tarnek"_s);

    QTranslator qtCzech;
    installQtCzechTranslations(qtCzech); // without them Qt's own dialogs stay English

    // Without a system language the host's Czech formats, as before the
    // locale was made Czech for Qt's dialogs.
    LocaleFormats formats = noSystemLanguage ? LocaleFormats::czech() : LocaleFormats::fromSystem();
    formats.shortenDateSeparator();
    LocaleFormats::setCurrent(formats);

    QtUiSeam seam;
    UiSeam::setCurrent(&seam);
    TFormSestP::install();
    TFormSestE::install();
    MinimiseAsApplication minimise;
    app.installEventFilter(&minimise);
    QtPrinterList printers;
    CurrentPrinter::current().setPrinterList(&printers);
    ReportPrinter::install();

    int result = 1;
    {
        TfrmMain main; // creates the working overlay and the information window after itself
        registerOperations(main);
        app.setSession(&main.session());
        if (runStartUp(main, QApplication::arguments().mid(1), QApplication::applicationDirPath()) == 0)
            result = app.exec();
        app.setSession(nullptr);
    }
    CurrentPrinter::current().setPrinterList(nullptr);
    UiSeam::setCurrent(nullptr);
    return result;
}
