#pragma once

#include <QWidget>

class QTextBrowser;

namespace talven {

// The help file beside the program.
QString helpFilePath();

// A small window that shows the help file, an HTML page. A file that cannot
// be read is reported in the window itself, with its full path.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *owner = nullptr);

    // Loads the file; false when it could not be read.
    bool open(const QString &path);

    QTextBrowser *browser() const { return browser_; }

private:
    QTextBrowser *browser_;
};

}  // namespace talven
