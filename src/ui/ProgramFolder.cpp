#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString g_override;
}

namespace programFolder {
QString path() {
    QString p = g_override.isEmpty() ? QCoreApplication::applicationDirPath() : g_override;
    if (!p.endsWith(QLatin1Char('/'))) p += QLatin1Char('/');
    return p;
}
void setForTests(const QString& folder) { g_override = folder; }
} // namespace programFolder
