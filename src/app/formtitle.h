#pragma once

#include <QWidget>

class QFrame;
class QLabel;
class QPushButton;

namespace talven {

// The application title: the main window's caption and the default caption of
// every message box.
QString ApplicationTitle();

// Set false while the title window is the splash, true from then on.
extern bool StartupComplete;

// The title window: the splash at start-up (no OK button) and, later, the
// version window (with OK). At most one exists; it is released when closed.
class FormTitle : public QWidget {
    Q_OBJECT
public:
    // Shows the one title window, creating and loading it when none exists.
    static FormTitle *Show();
    // The open title window, or nullptr.
    static FormTitle *Instance();

    QString VersionText() const;
    bool OkButtonVisible() const;

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    FormTitle();
    void Form_Load();
    void Command1_Click();

    QFrame *Frame1 = nullptr;
    QWidget *imgLogo = nullptr;
    QLabel *lblCompanyProduct = nullptr;
    QLabel *lblProductName = nullptr;
    QLabel *lblVersion = nullptr;
    QPushButton *Command1 = nullptr;
};

// Start-up's splash: StartupComplete false, the title window painted and left
// on the screen for one second, then released, StartupComplete true.
void ShowSplash();

// Help > ヘルプ(&H): the help window on VEK.hlp in the program's folder.
void ShowHelp(QWidget *owner);

}  // namespace talven
