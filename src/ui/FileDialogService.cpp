#include "FileDialogService.h"

#include <QFileDialog>

namespace {
QStringList* g_answers = nullptr;
QString scripted() { return g_answers->isEmpty() ? QString() : g_answers->takeFirst(); }
} // namespace

namespace fileDialog {
QString openFile(QWidget* parent, const QString& title, const QString& folder, const QString& filter) {
    if (g_answers) return scripted();
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
}
QString saveFile(QWidget* parent, const QString& title, const QString& path, const QString& filter) {
    if (g_answers) return scripted();
    return QFileDialog::getSaveFileName(parent, title, path, filter);
}
void scriptForTests(QStringList* answers) { g_answers = answers; }
} // namespace fileDialog
