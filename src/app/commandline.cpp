#include "app/commandline.h"

#include <QFileInfo>

namespace talven {

namespace {

Message commandLineProblem(const QString &first)
{
    const QString usage = QStringLiteral("\r\n使い方：talven [検討ファイル.vek]");
    const QString said = first.isEmpty() ? QStringLiteral("開くことのできる検討ファイルは一つだけです。")
                                         : QStringLiteral("オプション「%1」は使えません。").arg(first);
    return {said + usage, MessageIcon::Exclamation, QStringLiteral("タルヴェン・起動")};
}

}  // namespace

StartRequest readCommandLine(const QStringList &arguments)
{
    for (const QString &argument : arguments) {
        if (argument.startsWith(u'-'))
            return {QString(), commandLineProblem(argument)};
    }
    if (arguments.size() > 1)
        return {QString(), commandLineProblem(QString())};
    if (arguments.isEmpty())
        return {};
    // Made absolute here: a running copy that takes the file over has a
    // folder of its own.
    return {QFileInfo(arguments.front()).absoluteFilePath(), std::nullopt};
}

}  // namespace talven
