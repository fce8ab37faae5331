#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class QFileDialog;
class QWidget;

// The file dialogs: the name of a file to open or to save, or an empty string when the user
// cancels. Tests install a ScriptedFileDialog.
class FileDialogService {
public:
    enum Mode { Open, Save };

    virtual ~FileDialogService() = default;
    // `filter` is in the program's own spelling ("Tutti i file (*.*)").
    virtual QString ask(QWidget* parent, Mode mode, const QString& title, const QString& path,
                        const QString& filter) = 0;

    static FileDialogService& instance();
    // Tests put their own service in place; nullptr restores the real dialog.
    static void install(FileDialogService* service);

    // The dialog the program shows, ready to exec().
    static std::unique_ptr<QFileDialog> create(QWidget* parent, Mode mode, const QString& title, const QString& path,
                                               const QString& filter);
    // What Qt is given for a filter: "*.*" means every file, as on Windows, even one without an
    // extension; each caption is kept as the user reads it.
    static QString qtFilter(const QString& filter);
};

namespace fileDialog {
inline QString openFile(QWidget* parent, const QString& title, const QString& folder, const QString& filter) {
    return FileDialogService::instance().ask(parent, FileDialogService::Open, title, folder, filter);
}
inline QString saveFile(QWidget* parent, const QString& title, const QString& path, const QString& filter) {
    return FileDialogService::instance().ask(parent, FileDialogService::Save, title, path, filter);
}
} // namespace fileDialog

// The test stand-in: records every dialog asked for and answers from a script, an empty string
// (a cancelled dialog) when it runs out.
class ScriptedFileDialog : public FileDialogService {
public:
    struct Asked {
        Mode mode;
        QString title, path, filter;
    };
    ScriptedFileDialog() { install(this); }
    ~ScriptedFileDialog() override { install(nullptr); }
    QString ask(QWidget*, Mode mode, const QString& title, const QString& path, const QString& filter) override {
        asked.append({mode, title, path, filter});
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    QList<Asked> asked;
    QStringList answers;
};
