// Build step: gives a fresh program folder its password store, holding the first-access word that
// the help announces, in capitals. A store already in the folder belongs to the user (a changed
// password) and is never touched.
#include "archive/PasswordStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: %s PROGRAM_FOLDER\n", qPrintable(QFileInfo(args.value(0)).fileName()));
        return 2;
    }
    const QString folder = QDir(args[1]).absolutePath() + QLatin1Char('/');
    if (QFileInfo::exists(passwordStore::path(folder))) return 0;
    QString error;
    if (!QDir().mkpath(folder) ||
        !passwordStore::scrivi(folder, passwordStore::normalizza(passwordStore::kPrimoAccesso), &error)) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(passwordStore::path(folder)), qPrintable(error));
        return 1;
    }
    return 0;
}
