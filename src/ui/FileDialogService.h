#pragma once

#include <QStringList>

class QWidget;

// The open-file dialog, scripted by tests: each queued answer is a file name, or an empty string
// for a cancelled dialog.
namespace fileDialog {
QString openFile(QWidget* parent, const QString& title, const QString& folder, const QString& filter);
QString saveFile(QWidget* parent, const QString& title, const QString& path, const QString& filter);
void scriptForTests(QStringList* answers); // nullptr restores the real dialog
} // namespace fileDialog
