#include "app/dialogservice.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include <cstdio>

namespace talven {

namespace {

const QString ApplicationTitle = QStringLiteral("タルヴェン");

QMessageBox::Icon IconForStyle(int style)
{
    switch (style & 0x70) {
    case 16:
        return QMessageBox::Critical;
    case 32:
        return QMessageBox::Question;
    case 48:
        return QMessageBox::Warning;
    case 64:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

class QtDialogs final : public DialogService {
public:
    int MsgBox(const QString &prompt, int style, const QString &caption) override
    {
        const QString title = caption.isEmpty() ? ApplicationTitle : caption;
        const bool yesNo = (style & 0x7) == 4;
        // With TALVEN_DIALOG_LOG set the message goes to stderr instead of the
        // screen (a start-up test reads it); questions are answered No.
        if (qEnvironmentVariableIsSet("TALVEN_DIALOG_LOG")) {
            std::fprintf(stderr, "MsgBox|%d|%s|%s\n", style, qPrintable(title),
                         qPrintable(QString(prompt).replace(QStringLiteral("\r\n"), QStringLiteral("\\n"))));
            return yesNo ? MsgBoxNo : MsgBoxOk;
        }
        QMessageBox box(IconForStyle(style), title, prompt,
                        yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                        QApplication::activeWindow());
        const int answer = box.exec();
        if (answer == QMessageBox::Yes)
            return MsgBoxYes;
        if (answer == QMessageBox::No)
            return MsgBoxNo;
        return MsgBoxOk;
    }

    QString OpenFileName(QWidget *owner, const QString &folder, const QString &filter) override
    {
        return QFileDialog::getOpenFileName(owner, QString(), folder, filter);
    }

    QString SaveFileName(QWidget *owner, const QString &folder, const QString &fileName,
                         const QString &filter) override
    {
        const QString start = folder.isEmpty() ? fileName : folder + u'/' + fileName;
        return QFileDialog::getSaveFileName(owner, QString(), start, filter);
    }

    bool PrinterDialog(QWidget *owner, QPrinter &printer, bool restricted) override
    {
        QPrintDialog dialog(&printer, owner);
        if (restricted) {
            dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
            dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
            dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        }
        return dialog.exec() == QDialog::Accepted;
    }
};

QtDialogs &RealDialogs()
{
    static QtDialogs dialogs;
    return dialogs;
}

DialogService *currentService = nullptr;

}  // namespace

DialogService &Dialogs()
{
    return currentService ? *currentService : RealDialogs();
}

void SetDialogService(DialogService *service)
{
    currentService = service;
}

}  // namespace talven
