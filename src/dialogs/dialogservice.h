#pragma once

#include "study/message.h"

#include <QString>

class QPrinter;
class QWidget;

namespace talven {

// How a message box was answered; a box with only OK answers Yes when it is
// closed.
enum class Answer { Yes, No, Cancel };

// Every dialog of the program goes through one service, so that tests can
// answer them and check what was asked.
class DialogService {
public:
    virtual ~DialogService() = default;

    // A modal message box.
    virtual Answer showMessage(const Message &message) = 0;

    // A name chosen in the open or save dialog, or an empty text on Cancel.
    virtual QString openFileName(QWidget *owner, const QString &folder, const QString &filter) = 0;
    virtual QString saveFileName(QWidget *owner, const QString &folder, const QString &fileName,
                                 const QString &filter) = 0;

    // The printer dialog, which always offers printing to a PDF file; false
    // on Cancel. With `restricted` page range and selection are not offered.
    virtual bool printerDialog(QWidget *owner, QPrinter &printer, bool restricted) = 0;
};

// The service in force: the real dialogs unless a test has put its own.
DialogService &dialogService();
void setDialogService(DialogService *service);  // nullptr restores the real dialogs

// The program's messages, through the service in force.
bool showMessage(const Message &message);  // true on Yes or OK
bool ask(const QString &prompt, const QString &caption);  // true on Yes
Answer askOrCancel(const QString &prompt, const QString &caption);  // Yes, No or Cancel
void warn(const QString &prompt, const QString &caption);

// The number a message is logged with under TALVEN_DIALOG_LOG: its icon and
// buttons as one code (16 stop, 36 question with Yes and No, 35 question with
// Yes, No and Cancel, 48 exclamation, 64 information), which scripts outside
// the program read.
int loggedStyle(const Message &message);

}  // namespace talven
