#pragma once

#include <QString>
#include <QTemporaryDir>

// The folder of the running executable: every file of the program lives there. Tests install a
// TemporaryProgramFolder.
class ProgramFolder {
public:
    virtual ~ProgramFolder() = default;
    virtual QString folder() const = 0;

    static ProgramFolder& instance();
    // Tests put their own folder in place; nullptr restores the executable's folder.
    static void install(ProgramFolder* folder);
};

namespace programFolder {
// The program folder, ending with a separator.
QString path();
} // namespace programFolder

// The test stand-in: a fresh temporary folder, removed with it; `pointAt` moves the program
// elsewhere (a folder that may not exist).
class TemporaryProgramFolder : public ProgramFolder {
public:
    TemporaryProgramFolder() { install(this); }
    ~TemporaryProgramFolder() override { install(nullptr); }
    QString folder() const override { return m_altrove.isEmpty() ? m_dir.path() : m_altrove; }
    void pointAt(const QString& folder) { m_altrove = folder; }

    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QString m_altrove;
};
