#pragma once

// Answers the program's dialogs from a script and records what was asked.
// A dialog the script did not expect fails the running test; it is answered
// No (or OK) so that nothing ever waits for a person.

#include "app/dialogservice.h"

#include <QList>
#include <QPrinter>

#include <functional>
#include <utility>
#include <QString>
#include <QtTest>

struct AskedDialog {
    QString prompt;
    int style = 0;
    QString caption;

    bool operator==(const AskedDialog &) const = default;
};

Q_DECLARE_METATYPE(AskedDialog)

inline char *toString(const AskedDialog &dialog)
{
    return QTest::toString(QStringLiteral("[%1 | %2 | %3]")
                               .arg(dialog.prompt)
                               .arg(dialog.style)
                               .arg(dialog.caption));
}

class ScriptedDialogs final : public talven::DialogService {
public:
    ScriptedDialogs() { talven::SetDialogService(this); }
    ~ScriptedDialogs() override { talven::SetDialogService(nullptr); }

    // The next message box is answered with `button` (MsgBoxOk, MsgBoxYes, MsgBoxNo).
    void Answer(int button) { answers_.append(button); }
    void Answer(int button, int times)
    {
        for (int i = 0; i < times; ++i)
            answers_.append(button);
    }

    // Runs while each message box is "open": a real one takes the window's activation.
    void WhileAsking(std::function<void()> action) { whileAsking_ = std::move(action); }

    // File dialogs are answered Cancel instead of failing the test.
    void CancelFileDialogs() { cancelFileDialogs_ = true; }

    // The next open or save dialog is answered with `fileName`, or Cancel when it is empty.
    void AnswerFile(const QString &fileName) { fileAnswers_.append(fileName); }

    // Each open or save dialog asked, with the folder, name and filter it was given.
    struct FileDialog {
        bool save = false;
        QString folder;
        QString fileName;
        QString filter;
    };
    const QList<FileDialog> &FileDialogs() const { return fileDialogs_; }

    // The next printer dialog is answered OK (`accept`) or Cancel; with a
    // file name the printer is set to write a PDF there either way, as a user
    // may choose before cancelling.
    void AnswerPrinter(bool accept, const QString &pdfFile = QString())
    {
        printerAnswers_.append({accept, pdfFile});
    }

    const QList<AskedDialog> &Asked() const { return asked_; }
    // Each printer dialog asked, by whether it was restricted.
    const QList<bool> &PrinterDialogs() const { return printerDialogs_; }
    int Unanswered() const { return int(answers_.size()); }
    void Forget()
    {
        asked_.clear();
        answers_.clear();
        printerDialogs_.clear();
        printerAnswers_.clear();
        fileAnswers_.clear();
        fileDialogs_.clear();
    }

    int MsgBox(const QString &prompt, int style, const QString &caption) override
    {
        asked_.append({prompt, style, caption});
        if (whileAsking_)
            whileAsking_();
        if (answers_.isEmpty()) {
            QTest::qFail(qPrintable(QStringLiteral("unexpected message box: ") + prompt + QStringLiteral(" / ")
                                    + caption),
                         __FILE__, __LINE__);
            return style == 36 ? talven::MsgBoxNo : talven::MsgBoxOk;
        }
        return answers_.takeFirst();
    }

    QString OpenFileName(QWidget *, const QString &folder, const QString &filter) override
    {
        return FileAnswer({false, folder, QString(), filter});
    }

    QString SaveFileName(QWidget *, const QString &folder, const QString &fileName,
                         const QString &filter) override
    {
        return FileAnswer({true, folder, fileName, filter});
    }

    bool PrinterDialog(QWidget *, QPrinter &printer, bool restricted) override
    {
        printerDialogs_.append(restricted);
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
    QString FileAnswer(const FileDialog &dialog)
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
    QList<int> answers_;
    QList<AskedDialog> asked_;
    QList<std::pair<bool, QString>> printerAnswers_;
    QList<bool> printerDialogs_;
};
