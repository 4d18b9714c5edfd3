// Main: one copy of the program per user, the title window for a second,
// then the main window until the user confirms the exit.
#include "app/dialogservice.h"
#include "app/form4.h"
#include "app/formtitle.h"
#include "app/singleinstance.h"
#include "app/toolkittexts.h"
#include "report/paintersurface.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    using namespace talven;

    QApplication app(argc, argv);
    RegisterReportFonts();
    InstallJapaneseToolkitTexts();

    SingleInstance instance;
    if (instance.PrevInstance()) {
        // The running copy is left alone; this one ends without a window.
        Dialogs().MsgBox(QStringLiteral("すでに「") + ApplicationTitle() + QStringLiteral("」は起動されています。"), 48,
                         QString());
        return 0;
    }

    ShowSplash();

    auto *form = new Form4;
    form->show();
    return app.exec();
}
