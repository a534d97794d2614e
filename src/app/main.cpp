// Program entry. Start-up proper (the host's command line, the run context,
// the wizard) is wired in by the application module as it grows.

#include "common/LocaleFormats.h"
#include "common/widgets/QtUiSeam.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarnek"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tarnek"));

    LocaleFormats formats = LocaleFormats::fromSystem();
    formats.shortenDateSeparator();
    LocaleFormats::setCurrent(formats);

    QtUiSeam seam;
    UiSeam::setCurrent(&seam);
    ui().error(QStringLiteral("Tarnek se spouští z plochy Ledra."));
    UiSeam::setCurrent(nullptr);
    return 1;
}
