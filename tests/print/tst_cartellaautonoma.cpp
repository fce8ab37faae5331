#include "print/CartellaAutonoma.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <cstring>

// A folder that carries its own Qt (a "qt.conf" beside the executable) takes no plugin folder from
// the environment and registers the fonts of its "fonts" folder; an ordinary folder is left as the
// machine has it. Tried on a copy of this test program, started in such a folder, which answers with
// what it saw.
namespace {

// The copy's part: starts as the program starts and prints what a screen would load from.
int figlio() {
    cartellaAutonoma::isola();
    int argc = 1;
    char nome[] = "figlio";
    char* argv[] = {nome, nullptr};
    QGuiApplication app(argc, argv);
    const int caratteri = cartellaAutonoma::caricaCaratteri();
    std::printf("env=%s\nfonts=%d\npaths=%s\n", qgetenv("QT_PLUGIN_PATH").constData(), caratteri,
                qPrintable(QCoreApplication::libraryPaths().join(QLatin1Char(':'))));
    return 0;
}

} // namespace

class TstCartellaAutonoma : public QObject {
    Q_OBJECT

private slots:
    void aFolderWithItsOwnQtTakesNoPluginsFromTheMachine_data() {
        QTest::addColumn<bool>("autonoma");
        QTest::addColumn<bool>("conCaratteri");
        QTest::newRow("an ordinary folder") << false << true;
        QTest::newRow("a folder carrying its Qt and fonts") << true << true;
        QTest::newRow("a folder carrying its Qt, no fonts") << true << false;
    }
    void aFolderWithItsOwnQtTakesNoPluginsFromTheMachine() {
        QFETCH(bool, autonoma);
        QFETCH(bool, conCaratteri);
        QTemporaryDir dir;
        const QString copia = dir.filePath(QStringLiteral("programma"));
        QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), copia));
        QVERIFY(QFile::setPermissions(copia, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
        if (autonoma) {
            // Its plugins are the machine's here, so that the copy finds a platform to start on.
            QFile conf(dir.filePath(QStringLiteral("qt.conf")));
            QVERIFY(conf.open(QIODevice::WriteOnly));
            conf.write("[Paths]\nPlugins = " + QLibraryInfo::path(QLibraryInfo::PluginsPath).toUtf8() + "\n");
        }
        const QString font = QStringLiteral("/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf");
        if (conCaratteri) {
            if (!QFileInfo::exists(font)) QSKIP("the Liberation fonts are not installed");
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("fonts")));
            QVERIFY(QFile::copy(font, dir.filePath(QStringLiteral("fonts/LiberationSans-Regular.ttf"))));
            // Not a font, though named like one: not counted.
            QFile falso(dir.filePath(QStringLiteral("fonts/Falso.ttf")));
            QVERIFY(falso.open(QIODevice::WriteOnly));
            falso.write("not a font");
        }
        const QString estraneo = dir.filePath(QStringLiteral("plugin-estranei"));
        QVERIFY(QDir().mkpath(estraneo));

        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_PLUGIN_PATH"), estraneo);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(env);
        p.start(copia, {QStringLiteral("--figlio")});
        QVERIFY(p.waitForFinished(30000));
        QVERIFY2(p.exitCode() == 0, p.readAllStandardError().constData());
        const QString out = QString::fromUtf8(p.readAllStandardOutput());

        QCOMPARE(out.contains(QStringLiteral("env=") + estraneo + QLatin1Char('\n')), !autonoma);
        const QString paths = out.section(QStringLiteral("paths="), 1).trimmed();
        QCOMPARE(paths.split(QLatin1Char(':')).contains(estraneo), !autonoma);
        QVERIFY2(out.contains(QStringLiteral("fonts=%1\n").arg(conCaratteri ? 1 : 0)), qPrintable(out));
    }
};

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--figlio") == 0) return figlio();
    QCoreApplication app(argc, argv);
    TstCartellaAutonoma t;
    return QTest::qExec(&t, argc, argv);
}
#include "tst_cartellaautonoma.moc"
