// Main: one copy of the program per user, the title window for a second,
// then the main window until the user confirms the exit. `talven FILE` opens
// the study as File > Open would; while a copy runs, the file is handed to it.
#include "app/commandline.h"
#include "app/mainwindow.h"
#include "app/singleinstance.h"
#include "app/titlewindow.h"
#include "app/toolkittexts.h"
#include "dialogs/dialogservice.h"
#include "files/studyfile.h"
#include "files/controlcharacters.h"
#include "report/paintersurface.h"

#include <QApplication>
#include <QFileInfo>

#include <cstdio>

namespace {

QtMessageHandler toolkitMessageHandler = nullptr;

// Qt's warnings and the program's own name files and folders (the runtime
// folder, the settings file): their control characters reach the terminal
// escaped, through the handler Qt would have used.
void writeEscapedMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    toolkitMessageHandler(type, context, talven::escapeControlCharacters(message));
}

}  // namespace

int main(int argc, char *argv[])
{
    using namespace talven;

    toolkitMessageHandler = qInstallMessageHandler(writeEscapedMessage);
    platform::drawTextWithFreeType();
    QApplication app(argc, argv);
    registerReportFonts();
    installJapaneseToolkitTexts();

    const StartRequest request = readCommandLine(QCoreApplication::arguments().mid(1));
    SingleInstance instance;
    if (instance.anotherCopyRuns()) {
        const bool handing = !request.problem && !request.studyPath.isEmpty();
        // Only a file can be handed over; for anything else this launch says
        // what File > Open would say.
        if (handing && !QFileInfo(request.studyPath).isFile()) {
            showMessage(readErrorMessage());
        } else if (!handing) {
            warn(QStringLiteral("すでに「") + applicationTitle() + QStringLiteral("」は起動されています。"), QString());
        } else if (!instance.handOver(request.studyPath)) {
            // Never an end as if the study were open.
            warn(QStringLiteral("起動している「") + applicationTitle()
                     + QStringLiteral("」が応答しないため、検討ファイルを渡せませんでした。\r\n"
                                      "しばらく待ってから、もう一度開いてください。"),
                 QStringLiteral("タルヴェン・起動"));
            return 1;
        }
        return 0;
    }

    // Rather than refuse the user or hand a path to someone else's socket.
    if (!instance.guards())
        std::fputs(qUtf8Printable(QStringLiteral("talven: この利用者だけのフォルダーに起動の印を置けないため、"
                                             "すでに起動しているかを確かめずに起動します。\n")),
                   stderr);

    showSplash();

    auto *window = new MainWindow;
    window->show();
    QObject::connect(&instance, &SingleInstance::studyHandedOver, window, &MainWindow::openHandedOverStudy);
    instance.listen();
    if (request.problem)
        showMessage(*request.problem);
    else if (!request.studyPath.isEmpty())
        window->openStudyFile(request.studyPath);
    return app.exec();
}
