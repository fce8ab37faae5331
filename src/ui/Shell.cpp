#include "Shell.h"

#include <QDesktopServices>

namespace {

class DesktopShell : public Shell {
public:
    void open(const QUrl& url) override { QDesktopServices::openUrl(url); }
};

DesktopShell g_desktop;
Shell* g_current = nullptr;

} // namespace

Shell& Shell::instance() { return g_current ? *g_current : g_desktop; }
void Shell::install(Shell* shell) { g_current = shell; }

QUrl Shell::urlFor(const QString& target) {
    QString t = target;
    t.remove(QLatin1Char('"'));
    if (t.startsWith(QLatin1String("www."), Qt::CaseInsensitive)) return QUrl(QStringLiteral("http://") + t);
    if (t.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive) || t.contains(QLatin1String("://")))
        return QUrl(t, QUrl::TolerantMode);
    return QUrl::fromLocalFile(t);
}
