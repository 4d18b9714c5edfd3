#pragma once

// Answers the program's dialogs from a script and records what was asked.
// A dialog the script did not expect fails the running test; it is answered
// No (or OK) so that nothing ever waits for a person.

#include "dialogs/dialogservice.h"
#include "study/message.h"

#include <QList>
#include <QPrinter>

#include <functional>
#include <utility>
#include <QString>
#include <QtTest>

using AskedDialog = talven::Message;

// How a test answers the next message box.
enum class Reply { Ok = 1, Yes, No, Cancel };  // never 0, which tables use for "no box"

namespace talven {

// Failed comparisons name the icon and its buttons.
inline char *toString(const Message &message)
{
    static const char *const shown[] = {"stop, OK", "question, Yes/No", "exclamation, OK", "information, OK"};
    const QLatin1StringView buttons(message.cancellable ? "question, Yes/No/Cancel" : shown[int(message.icon)]);
    return QTest::toString(QStringLiteral("[%1 | %2 | %3]").arg(message.prompt, buttons, message.caption));
}

}  // namespace talven

class ScriptedDialogs final : public talven::DialogService {
public:
    ScriptedDialogs() { talven::setDialogService(this); }
    ~ScriptedDialogs() override { talven::setDialogService(nullptr); }

    // The next message box (or the next `times` boxes) is answered with `reply`.
    void answer(Reply reply, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            answers_.append(reply);
    }

    // Runs while each message box is "open": a real one takes the window's activation.
    void whileAsking(std::function<void()> action) { whileAsking_ = std::move(action); }

    // File dialogs are answered Cancel instead of failing the test.
    void cancelFileDialogs() { cancelFileDialogs_ = true; }

    // The next open or save dialog is answered with `fileName`, or Cancel when it is empty.
    void answerFile(const QString &fileName) { fileAnswers_.append(fileName); }

    // Each open or save dialog asked, with the folder, name and filter it was given.
    struct FileDialog {
        bool save = false;
        QString folder;
        QString fileName;
        QString filter;
    };
    const QList<FileDialog> &fileDialogs() const { return fileDialogs_; }

    // The next printer dialog is answered OK (`accept`) or Cancel; with a
    // file name the printer is set to write a PDF there either way, as a user
    // may choose before cancelling.
    void answerPrinter(bool accept, const QString &pdfFile = QString())
    {
        printerAnswers_.append({accept, pdfFile});
    }

    const QList<AskedDialog> &asked() const { return asked_; }
    // Each printer dialog asked, by whether it was restricted, and the PDF
    // file it proposed.
    const QList<bool> &printerDialogs() const { return printerDialogs_; }
    const QList<QString> &proposedPdfFiles() const { return proposedPdfFiles_; }
    int unanswered() const { return int(answers_.size()); }
    void forget()
    {
        asked_.clear();
        answers_.clear();
        printerDialogs_.clear();
        proposedPdfFiles_.clear();
        printerAnswers_.clear();
        fileAnswers_.clear();
        fileDialogs_.clear();
    }

    talven::Answer showMessage(const talven::Message &message) override
    {
        asked_.append(message);
        if (whileAsking_)
            whileAsking_();
        if (answers_.isEmpty()) {
            QTest::qFail(qPrintable(QStringLiteral("unexpected message box: ") + message.prompt
                                    + QStringLiteral(" / ") + message.caption),
                         __FILE__, __LINE__);
            if (message.icon != talven::MessageIcon::Question)
                return talven::Answer::Yes;
            return message.cancellable ? talven::Answer::Cancel : talven::Answer::No;
        }
        switch (answers_.takeFirst()) {
        case Reply::No:
            return talven::Answer::No;
        case Reply::Cancel:
            return talven::Answer::Cancel;
        default:
            return talven::Answer::Yes;
        }
    }

    QString openFileName(QWidget *, const QString &folder, const QString &filter) override
    {
        return fileAnswer({false, folder, QString(), filter});
    }

    QString saveFileName(QWidget *, const QString &folder, const QString &fileName,
                         const QString &filter) override
    {
        return fileAnswer({true, folder, fileName, filter});
    }

    bool printerDialog(QWidget *, QPrinter &printer, bool restricted) override
    {
        printerDialogs_.append(restricted);
        proposedPdfFiles_.append(printer.outputFileName());
        if (printerAnswers_.isEmpty()) {
            QTest::qFail("unexpected printer dialog", __FILE__, __LINE__);
            return false;
        }
        const auto [accept, pdfFile] = printerAnswers_.takeFirst();
        if (!pdfFile.isEmpty()) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdfFile);
        }
        return accept;
    }

private:
    QString fileAnswer(const FileDialog &dialog)
    {
        fileDialogs_.append(dialog);
        if (!fileAnswers_.isEmpty())
            return fileAnswers_.takeFirst();
        if (!cancelFileDialogs_)
            QTest::qFail(dialog.save ? "unexpected save dialog" : "unexpected open dialog", __FILE__, __LINE__);
        return {};
    }

    bool cancelFileDialogs_ = false;
    QList<QString> fileAnswers_;
    QList<FileDialog> fileDialogs_;
    std::function<void()> whileAsking_;
    QList<Reply> answers_;
    QList<AskedDialog> asked_;
    QList<std::pair<bool, QString>> printerAnswers_;
    QList<bool> printerDialogs_;
    QList<QString> proposedPdfFiles_;
};
