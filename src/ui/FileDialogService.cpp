#include "FileDialogService.h"

#include <QFileDialog>
#include <QRegularExpression>

namespace {

class QtFileDialog : public FileDialogService {
public:
    QString ask(QWidget* parent, Mode mode, const QString& title, const QString& path, const QString& filter) override {
        const auto dialog = create(parent, mode, title, path, filter);
        if (dialog->exec() != QDialog::Accepted) return QString();
        return dialog->selectedFiles().value(0);
    }
};

QtFileDialog g_qt;
FileDialogService* g_current = nullptr;

} // namespace

FileDialogService& FileDialogService::instance() { return g_current ? *g_current : g_qt; }
void FileDialogService::install(FileDialogService* service) { g_current = service; }

std::unique_ptr<QFileDialog> FileDialogService::create(QWidget* parent, Mode mode, const QString& title,
                                                       const QString& path, const QString& filter) {
    auto dialog = std::make_unique<QFileDialog>(parent, title, path);
    dialog->setAcceptMode(mode == Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(mode == Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The filters carry their patterns twice (see qtFilter): only the caption is shown.
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    dialog->setNameFilter(qtFilter(filter));
    return dialog;
}

QString FileDialogService::qtFilter(const QString& filter) {
    // Qt reads the patterns from the last parentheses, and with the details hidden shows what stands
    // before them: "Tutti i file (*.*) (*)" shows "Tutti i file (*.*)" and matches every file.
    static const QRegularExpression patterns(QStringLiteral("\\(([^()]*)\\)\\s*$"));
    QStringList out;
    for (const QString& f : filter.split(QStringLiteral(";;"), Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch m = patterns.match(f);
        QStringList list = (m.hasMatch() ? m.captured(1) : f).split(QRegularExpression(QStringLiteral("[ ;]+")),
                                                                    Qt::SkipEmptyParts);
        for (QString& p : list)
            if (p == QLatin1String("*.*")) p = QStringLiteral("*");
        out << f.trimmed() + QStringLiteral(" (") + list.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return out.join(QStringLiteral(";;"));
}
