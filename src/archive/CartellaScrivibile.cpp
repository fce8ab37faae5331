#include "CartellaScrivibile.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <QTemporaryFile>

namespace cartellaScrivibile {

QString motivo(const QString& folder) {
    QString sistema;
    {
        // A hidden name of its own, removed on leaving: nothing of the trial stays in the folder.
        QTemporaryFile prova(QDir(folder).filePath(QStringLiteral(".versalio-prova-XXXXXX")));
        if (prova.open()) {
            if (prova.write("V", 1) == 1 && prova.flush()) return {};
            sistema = prova.errorString();
        } else {
            sistema = prova.errorString();
        }
    }
    const QStorageInfo disco(folder);
    if (!QFileInfo(folder).isDir())
        return QStringLiteral("la cartella non esiste pi\u00f9 o non \u00e8 raggiungibile");
    if (disco.isValid() && disco.isReadOnly())
        return QStringLiteral("il disco \u00e8 in sola lettura (ad esempio una chiavetta protetta da scrittura, un CD "
                              "o una cartella condivisa in sola lettura)");
    if (!QFileInfo(folder).isWritable())
        return QStringLiteral("l'utente non ha il permesso di scrivere in questa cartella");
    if (disco.isValid() && disco.bytesAvailable() <= 0) return QStringLiteral("il disco \u00e8 pieno");
    return QStringLiteral("il sistema risponde: \"%1\"").arg(sistema);
}

} // namespace cartellaScrivibile
