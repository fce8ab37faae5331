#include "ProgramFolder.h"

#include <QCoreApplication>

namespace {

class ExecutableFolder : public ProgramFolder {
public:
    QString folder() const override { return QCoreApplication::applicationDirPath(); }
};

ExecutableFolder g_executable;
ProgramFolder* g_current = nullptr;

} // namespace

ProgramFolder& ProgramFolder::instance() { return g_current ? *g_current : g_executable; }
void ProgramFolder::install(ProgramFolder* folder) { g_current = folder; }

QString programFolder::path() {
    QString p = ProgramFolder::instance().folder();
    if (!p.endsWith(QLatin1Char('/'))) p += QLatin1Char('/');
    return p;
}
