#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// The release bundle carries what the probe saw the program load, so the probe must really open the
// screens, a list, the print preview and the printer dialog, and print: then the Qt libraries, the print
// support plugin, the SVG plugins, the Italian translations and the printouts' fonts are all in its
// list. Run here on the offscreen platform; the bundle runs it on xcb.
class TstSonda : public QObject {
    Q_OBJECT

private slots:
    void listsWhatTheScreensAndThePrintoutsLoad() {
        QTemporaryDir dir;
        const QString list = dir.filePath(QStringLiteral("mappe.txt"));
        QProcess p;
        p.start(QStringLiteral(VERSALIO_SONDA), {list});
        QVERIFY(p.waitForFinished(120000));
        QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0, p.readAllStandardError().constData());

        QFile f(list);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList files = QString::fromLocal8Bit(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        auto has = [&](const QString& pattern) {
            const QRegularExpression re(pattern);
            return std::any_of(files.begin(), files.end(), [&](const QString& s) { return re.match(s).hasMatch(); });
        };
        const QStringList expected = {
            QStringLiteral("/libQt6Core\\.so"),
            QStringLiteral("/libQt6Widgets\\.so"),
            QStringLiteral("/libQt6PrintSupport\\.so"),
            QStringLiteral("/libQt6Svg\\.so"),
            QStringLiteral("/plugins/platforms/libqoffscreen\\.so$"),
            QStringLiteral("/plugins/printsupport/libcupsprintersupport\\.so$"),
            QStringLiteral("/plugins/iconengines/libqsvgicon\\.so$"),
            QStringLiteral("/qtbase_it\\.qm$"),
            // The printouts' "Arial" and the lists' "Courier New", as their metric twins.
            QStringLiteral("/LiberationSans-.*\\.ttf$"),
            QStringLiteral("/LiberationMono-.*\\.ttf$"),
        };
        for (const QString& e : expected) QVERIFY2(has(e), qPrintable(e + QStringLiteral(" not among:\n") + files.join('\n')));
        for (const QString& s : files) QVERIFY2(s.startsWith(QLatin1Char('/')), qPrintable(s));
        // The slip it saved, for versalio-tool to print: one whole record.
        QCOMPARE(QFileInfo(dir.filePath(QStringLiteral("2024.bol"))).size(), 2968);
    }
};

QTEST_GUILESS_MAIN(TstSonda)
#include "tst_sonda.moc"
