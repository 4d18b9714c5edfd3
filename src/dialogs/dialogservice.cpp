#include "dialogs/dialogservice.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include <cstdio>

namespace talven {

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Stop:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(const Message &message)
{
    if (message.icon != MessageIcon::Question)
        return QMessageBox::Ok;
    if (message.cancellable)
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    return QMessageBox::Yes | QMessageBox::No;
}

class QtDialogs final : public DialogService {
public:
    Answer showMessage(const Message &message) override
    {
        const QString title = message.caption.isEmpty() ? QStringLiteral("タルヴェン") : message.caption;
        // With TALVEN_DIALOG_LOG set the message goes to stderr in UTF-8 instead of the
        // screen (a start-up test reads it); questions are answered No.
        if (qEnvironmentVariableIsSet("TALVEN_DIALOG_LOG")) {
            std::fprintf(stderr, "MsgBox|%d|%s|%s\n", loggedStyle(message), qUtf8Printable(title),
                         qUtf8Printable(QString(message.prompt).replace(QStringLiteral("\r\n"), QStringLiteral("\\n"))));
            return message.icon == MessageIcon::Question ? Answer::No : Answer::Yes;
        }
        // With Cancel among the buttons, Escape and the close box are Cancel.
        QMessageBox box(boxIcon(message.icon), title, message.prompt, boxButtons(message),
                        QApplication::activeWindow());
        switch (box.exec()) {
        case QMessageBox::No:
            return Answer::No;
        case QMessageBox::Cancel:
            return Answer::Cancel;
        default:
            return Answer::Yes;
        }
    }

    QString openFileName(QWidget *owner, const QString &folder, const QString &filter) override
    {
        return QFileDialog::getOpenFileName(owner, QString(), folder, filter);
    }

    QString saveFileName(QWidget *owner, const QString &folder, const QString &fileName,
                         const QString &filter) override
    {
        const QString start = folder.isEmpty() ? fileName : folder + u'/' + fileName;
        return QFileDialog::getSaveFileName(owner, QString(), start, filter);
    }

    bool printerDialog(QWidget *owner, QPrinter &printer, bool restricted) override
    {
        QPrintDialog dialog(&printer, owner);
        // Printing to a file is the toolkit's PDF printer: on a desktop
        // without a printer it is the way to a report.
        dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
        if (restricted) {
            dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
            dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        }
        return dialog.exec() == QDialog::Accepted;
    }
};

QtDialogs &realDialogs()
{
    static QtDialogs dialogs;
    return dialogs;
}

DialogService *currentService = nullptr;

}  // namespace

DialogService &dialogService()
{
    return currentService ? *currentService : realDialogs();
}

void setDialogService(DialogService *service)
{
    currentService = service;
}

bool showMessage(const Message &message)
{
    return dialogService().showMessage(message) == Answer::Yes;
}

bool ask(const QString &prompt, const QString &caption)
{
    return showMessage({prompt, MessageIcon::Question, caption});
}

Answer askOrCancel(const QString &prompt, const QString &caption)
{
    return dialogService().showMessage({prompt, MessageIcon::Question, caption, true});
}

void warn(const QString &prompt, const QString &caption)
{
    showMessage({prompt, MessageIcon::Exclamation, caption});
}

int loggedStyle(const Message &message)
{
    constexpr int YesNoCancelButtons = 3;
    constexpr int YesNoButtons = 4;
    switch (message.icon) {
    case MessageIcon::Stop:
        return 16;
    case MessageIcon::Question:
        return 32 + (message.cancellable ? YesNoCancelButtons : YesNoButtons);
    case MessageIcon::Exclamation:
        return 48;
    case MessageIcon::Information:
        return 64;
    }
    return 0;
}

}  // namespace talven
