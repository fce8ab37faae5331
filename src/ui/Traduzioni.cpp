#include "Traduzioni.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void formatiItaliani() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }

bool caricaTraduzioniQt(QCoreApplication* app) {
    const QStringList cartelle = {QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations")),
                                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
    const QLocale italiano(QLocale::Italian, QLocale::Italy);
    for (const QString& cartella : cartelle) {
        auto* traduttore = new QTranslator(app);
        // "qt" gathers the catalogues of every Qt module (qtbase and the others).
        if (traduttore->load(italiano, QStringLiteral("qt"), QStringLiteral("_"), cartella) &&
            QCoreApplication::installTranslator(traduttore))
            return true;
        delete traduttore;
    }
    return false;
}
