#include "app/helpwindow.h"

#include "app/titlewindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace talven {

namespace {

QPointer<HelpWindow> openHelp;

}  // namespace

QString helpFilePath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/VEK.hlp");
}

HelpWindow::HelpWindow(QWidget *owner)
    : QWidget(owner, Qt::Window)
    , browser_(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(applicationTitle() + QStringLiteral("・ヘルプ"));
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(640, 560);
}

bool HelpWindow::open(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        const QString shown = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
        browser_->setHtml(QStringLiteral("<h3>ヘルプを表示できません</h3><p>ヘルプファイル「%1」を開けません。</p>"
                                         "<p>ファイルがプログラムと同じフォルダーにあるか確かめてください。</p>")
                              .arg(shown.toHtmlEscaped()));
        return false;
    }
    // Links and pictures in the page are found beside the file.
    browser_->document()->setBaseUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    browser_->setHtml(QString::fromUtf8(file.readAll()));
    return true;
}

void showHelp(QWidget *owner)
{
    if (!openHelp)
        openHelp = new HelpWindow(owner);
    openHelp->open(helpFilePath());
    openHelp->show();
    openHelp->raise();
    openHelp->activateWindow();
}

}  // namespace talven
