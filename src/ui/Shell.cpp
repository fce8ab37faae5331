#include "Shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace {
QStringList* g_sink = nullptr;
}

void TMisc::recordInstead(QStringList* sink) { g_sink = sink; }

void TMisc::Open(const QString& target) {
    if (g_sink) {
        g_sink->append(target);
        return;
    }
    QString t = target;
    t.remove(QLatin1Char('"'));
    const bool isAddress = t.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive) ||
                           t.contains(QLatin1String("://")) ||
                           t.startsWith(QLatin1String("www."), Qt::CaseInsensitive);
    QUrl url;
    if (!isAddress) url = QUrl::fromLocalFile(t);
    else if (t.startsWith(QLatin1String("www."), Qt::CaseInsensitive)) url = QUrl(QStringLiteral("http://") + t);
    else url = QUrl(t, QUrl::TolerantMode);
    QDesktopServices::openUrl(url);
}
