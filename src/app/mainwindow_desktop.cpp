// The main window at home on the desktop: studies that come from outside the
// File menu (a later launch, a drop).
#include "app/mainwindow.h"

#include <QApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>

namespace talven {

namespace {

// How often a study waiting for a modal window to close looks again.
constexpr int ModalRetryMs = 250;

// The study a drag carries: exactly one local .vek file, or nothing.
QString draggedStudy(const QMimeData &data)
{
    const QList<QUrl> urls = data.urls();
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return {};
    const QFileInfo file(urls.front().toLocalFile());
    if (!file.isFile() || file.suffix().compare(QStringLiteral("vek"), Qt::CaseInsensitive) != 0)
        return {};
    return file.absoluteFilePath();
}

}  // namespace

void MainWindow::openHandedOverStudy(const QString &path)
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    openStudyWhenFree(path);
}

// Opened from the event loop: not inside a drop, which the program the file
// came from waits for, and not beneath a message box or another modal window,
// whose question is about the study as it was.
void MainWindow::openStudyWhenFree(const QString &path)
{
    QTimer::singleShot(0, this, [this, path] {
        if (!QApplication::activeModalWidget())
            openStudyFile(path);
        else
            QTimer::singleShot(ModalRetryMs, this, [this, path] { openStudyWhenFree(path); });
    });
}

// Files dragged over the window, a box included, are a study to open and
// never text: one .vek file is taken, anything else refused.
void MainWindow::takeFileDrag(QDropEvent *event)
{
    const QString study = draggedStudy(*event->mimeData());
    event->setAccepted(!study.isEmpty());
    if (study.isEmpty())
        return;
    event->acceptProposedAction();
    if (event->type() == QEvent::Drop)
        openStudyWhenFree(study);
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    takeFileDrag(event);
}

void MainWindow::dropEvent(QDropEvent *event)
{
    takeFileDrag(event);
}

}  // namespace talven
