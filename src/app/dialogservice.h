#pragma once

#include "study/fieldrules.h"

#include <QString>

class QPrinter;
class QWidget;

namespace talven {

// Every dialog of the program goes through one service, so that tests can
// answer them and check what was asked.
class DialogService {
public:
    virtual ~DialogService() = default;

    // Style codes: 16 stop/OK, 36 question/Yes-No, 48 exclamation/OK,
    // 64 information/OK. Returns the button: 1 OK, 6 Yes, 7 No. An empty
    // caption shows the application title.
    virtual int MsgBox(const QString &prompt, int style, const QString &caption) = 0;

    // A name chosen in the open or save dialog, or an empty text on Cancel.
    virtual QString OpenFileName(QWidget *owner, const QString &folder, const QString &filter) = 0;
    virtual QString SaveFileName(QWidget *owner, const QString &folder, const QString &fileName,
                                 const QString &filter) = 0;

    // The printer dialog; false on Cancel. With `restricted` print-to-file,
    // page range and selection are not offered.
    virtual bool PrinterDialog(QWidget *owner, QPrinter &printer, bool restricted) = 0;
};

// The service in force: the real dialogs unless a test has put its own.
DialogService &Dialogs();
void SetDialogService(DialogService *service);  // nullptr restores the real dialogs

// Shows one of the program's messages through the service in force.
inline int ShowMessage(const Message &message)
{
    return Dialogs().MsgBox(message.prompt, message.style, message.caption);
}

inline constexpr int MsgBoxOk = 1;
inline constexpr int MsgBoxYes = 6;
inline constexpr int MsgBoxNo = 7;

}  // namespace talven
