#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace talven {

// The application title: the main window's caption and the default caption of
// every message box.
QString applicationTitle();

// Set false while the title window is the splash, true from then on.
extern bool startupComplete;

// The title window: the splash at start-up (no OK button) and, later, the
// version window (with OK). At most one exists; it is released when closed.
class TitleWindow : public QWidget {
    Q_OBJECT
public:
    // Shows the one title window, creating and loading it when none exists.
    static TitleWindow *open();
    // The open title window, or nullptr.
    static TitleWindow *instance();

    QString versionText() const;
    bool okButtonVisible() const;

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    TitleWindow();

    QLabel *versionLabel_ = nullptr;
    QPushButton *okButton_ = nullptr;
};

// Start-up's splash: startupComplete false, the title window painted and left
// on the screen for one second, then released, startupComplete true.
void showSplash();

// Help > ヘルプ(&H): the help window on VEK.hlp in the program's folder.
void showHelp(QWidget *owner);

}  // namespace talven
