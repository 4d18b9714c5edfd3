#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace talven {

// The application title: the main window's caption and the default caption of
// every message box.
QString applicationTitle();

// The title window: the splash at start-up (no OK button) and, later, the
// version window (with OK). At most one exists; it is released when closed.
class TitleWindow : public QWidget {
    Q_OBJECT
public:
    enum class Look { Splash, Version };

    // Shows the one title window, creating it with `look` when none exists;
    // one already open comes to the front as it is.
    static TitleWindow *open(Look look);
    // The open title window, or nullptr.
    static TitleWindow *instance();

    QString versionText() const;
    bool okButtonVisible() const;

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    explicit TitleWindow(Look look);

    QLabel *versionLabel_ = nullptr;
    QPushButton *okButton_ = nullptr;
};

// Start-up's splash: the title window without its OK button, painted and
// left on the screen for one second, then released.
void showSplash();

}  // namespace talven
