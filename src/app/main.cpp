// Main: one copy of the program per user, the title window for a second,
// then the main window until the user confirms the exit.
#include "app/mainwindow.h"
#include "app/singleinstance.h"
#include "app/titlewindow.h"
#include "app/toolkittexts.h"
#include "dialogs/dialogservice.h"
#include "report/paintersurface.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    using namespace talven;

    QApplication app(argc, argv);
    registerReportFonts();
    installJapaneseToolkitTexts();

    SingleInstance instance;
    if (instance.anotherCopyRuns()) {
        // The running copy is left alone; this one ends without a window.
        warn(QStringLiteral("すでに「") + applicationTitle() + QStringLiteral("」は起動されています。"), QString());
        return 0;
    }

    showSplash();

    auto *window = new MainWindow;
    window->show();
    return app.exec();
}
