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

}  // namespace talven
