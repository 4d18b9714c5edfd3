#include "app/helpwindow.h"

#include "app/titlewindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QShortcut>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace talven {

namespace {

// The one help window for the whole program: it stays here so that a second
// Help > ヘルプ finds it.
QPointer<HelpWindow> openHelp;

}  // namespace

QString helpFilePath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/VEK.hlp");
}

HelpWindow::HelpWindow(QWidget *owner)
    : QWidget(owner, Qt::Window)
    , browser_(new QTextBrowser(this))
    , backButton_(new QToolButton(this))
    , forwardButton_(new QToolButton(this))
    , findBox_(new QLineEdit(this))
    , notFoundLabel_(new QLabel(QStringLiteral("見つかりません"), this))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(applicationTitle() + QStringLiteral("・ヘルプ"));
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(true);

    // The keys work wherever the focus is, the find field included.
    const auto setUpButton = [this](QToolButton *button, const char *name, const QString &text,
                                    QStyle::StandardPixmap icon, QKeyCombination key, const QString &tip) {
        button->setObjectName(QLatin1StringView(name));
        button->setText(text);
        button->setIcon(style()->standardIcon(icon));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setShortcut(QKeySequence(key));
        button->setToolTip(tip);
        button->setEnabled(false);
    };
    setUpButton(backButton_, "backButton", QStringLiteral("戻る"), QStyle::SP_ArrowBack, Qt::ALT | Qt::Key_Left,
                QStringLiteral("前に見ていた所に戻ります (Alt+←)"));
    setUpButton(forwardButton_, "forwardButton", QStringLiteral("進む"), QStyle::SP_ArrowForward,
                Qt::ALT | Qt::Key_Right, QStringLiteral("戻る前の所に進みます (Alt+→)"));
    connect(backButton_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forwardButton_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, backButton_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forwardButton_, &QToolButton::setEnabled);

    findBox_->setObjectName(QStringLiteral("findBox"));
    findBox_->setPlaceholderText(QStringLiteral("ページ内の検索 (Ctrl+F)"));
    findBox_->setClearButtonEnabled(true);
    findBox_->setToolTip(QStringLiteral("Enter キーで次を検索します"));
    connect(findBox_, &QLineEdit::returnPressed, this, &HelpWindow::findNext);
    connect(findBox_, &QLineEdit::textChanged, notFoundLabel_, &QLabel::hide);
    auto *find = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), this);
    connect(find, &QShortcut::activated, this, &HelpWindow::startFinding);
    auto *findLabel = new QLabel(QStringLiteral("検索:"), this);
    findLabel->setBuddy(findBox_);
    notFoundLabel_->setObjectName(QStringLiteral("notFoundLabel"));
    notFoundLabel_->setStyleSheet(QStringLiteral("color: #b00000;"));
    notFoundLabel_->hide();

    auto *bar = new QHBoxLayout;
    bar->setContentsMargins(6, 4, 6, 0);
    bar->addWidget(backButton_);
    bar->addWidget(forwardButton_);
    bar->addStretch(1);
    bar->addWidget(notFoundLabel_);
    bar->addWidget(findLabel);
    bar->addWidget(findBox_, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(bar);
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
    // Shown as the first page of the browser's history, so that Back leads
    // here from a link; links and pictures are found beside the file.
    browser_->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()), QTextDocument::HtmlResource);
    return true;
}

void HelpWindow::startFinding()
{
    findBox_->setFocus(Qt::ShortcutFocusReason);
    findBox_->selectAll();
}

// From the last match on; past the end, from the top again.
void HelpWindow::findNext()
{
    const QString text = findBox_->text();
    bool found = text.isEmpty() || browser_->find(text);
    if (!found) {
        browser_->moveCursor(QTextCursor::Start);
        found = browser_->find(text);
    }
    notFoundLabel_->setVisible(!found);
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
