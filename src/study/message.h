#pragma once

#include <QString>

namespace talven {

// A message box's icon. A question is answered Yes or No; the others have OK.
enum class MessageIcon { Stop, Question, Exclamation, Information };

// A message box of the program. An empty caption shows the program's title.
struct Message {
    QString prompt;
    MessageIcon icon = MessageIcon::Information;
    QString caption;
    // A question that may also be cancelled: Yes, No and Cancel (Escape).
    bool cancellable = false;

    bool operator==(const Message &) const = default;
};

// A prompt on one line: message boxes break lines with CR LF, a status line
// or a table cell runs them on.
inline QString oneLine(const QString &prompt)
{
    QString text = prompt;
    return text.remove(QStringLiteral("\r\n"));
}

}  // namespace talven
