#pragma once

#include "study/message.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace talven {

// What `talven [FILE]` asks for: the study to open, or why the command line
// was not understood. The program starts either way.
struct StartRequest {
    QString studyPath;               // absolute; empty when none was named
    std::optional<Message> problem;  // shown once the main window is up
};

// `arguments` without the program's own name.
StartRequest readCommandLine(const QStringList &arguments);

}  // namespace talven
