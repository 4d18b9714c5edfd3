#include "app/toolkittexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace talven {

bool installJapaneseToolkitTexts()
{
    // The application keeps only a pointer: the translator lives as long as the program.
    static QTranslator translator;
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    // Beside the program first (a copied installation), then Qt's own folder.
    for (const QString &folder : {QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
                                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)}) {
        if (translator.load(japanese, QStringLiteral("qtbase"), QStringLiteral("_"), folder))
            return QCoreApplication::installTranslator(&translator);
    }
    return false;
}

}  // namespace talven
