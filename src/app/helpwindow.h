#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QTextBrowser;
class QToolButton;

namespace talven {

// The help file beside the program.
QString helpFilePath();

// A small window that shows the help file, an HTML page, with Back and
// Forward over the links followed and a find field. A file that cannot be
// read is reported in the window itself, with its full path.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *owner = nullptr);

    // Loads the file; false when it could not be read.
    bool open(const QString &path);

    QTextBrowser *browser() const { return browser_; }
    QToolButton *backButton() const { return backButton_; }
    QToolButton *forwardButton() const { return forwardButton_; }
    QLineEdit *findBox() const { return findBox_; }
    QLabel *notFoundLabel() const { return notFoundLabel_; }

private:
    void startFinding();
    void findNext();

    QTextBrowser *browser_;
    QToolButton *backButton_;
    QToolButton *forwardButton_;
    QLineEdit *findBox_;
    QLabel *notFoundLabel_;
};

// Help > ヘルプ(&H): the one help window on VEK.hlp in the program's folder,
// opened or brought to the front.
void showHelp(QWidget *owner);

}  // namespace talven
