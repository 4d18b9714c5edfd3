#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace talven {

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

private:
    FormTitle();
    void Form_Load();

    QLabel *lblVersion = nullptr;
    QPushButton *Command1 = nullptr;
};

// Help > ヘルプ(&H): the help window on VEK.hlp in the program's folder.
void ShowHelp(QWidget *owner);

}  // namespace talven
