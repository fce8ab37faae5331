#include "CartellaAutonoma.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>

namespace cartellaAutonoma {

void isola() {
#ifdef Q_OS_LINUX
    // The application object does not exist yet, so its folder comes from the kernel.
    const QString eseguibile = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    if (eseguibile.isEmpty() || !QFileInfo::exists(QFileInfo(eseguibile).dir().filePath(QStringLiteral("qt.conf"))))
        return;
    qunsetenv("QT_PLUGIN_PATH");
    qunsetenv("QT_QPA_PLATFORM_PLUGIN_PATH");
#endif
}

int caricaCaratteri() {
    const QDir cartella(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("fonts")));
    int caricati = 0;
    for (const QFileInfo& f : cartella.entryInfoList({QStringLiteral("*.ttf"), QStringLiteral("*.otf")}, QDir::Files))
        if (QFontDatabase::addApplicationFont(f.filePath()) >= 0) ++caricati;
    return caricati;
}

} // namespace cartellaAutonoma
