#include "print/Palette.h"

#include <QTest>

class TstPalette : public QObject {
    Q_OBJECT
private slots:
    void sheet_data() {
        QTest::addColumn<QString>("css");
        QTest::addColumn<QString>("out");
        QTest::newRow("one name") << "color: @ink;" << "color: #1f3f5f;";
        QTest::newRow("several, the same twice")
            << "QLabel { background: @warnFill; border: 1px solid @grid; border-right: 1px solid @grid; }"
            << "QLabel { background: #fff4d6; border: 1px solid #c8d4e0; border-right: 1px solid #c8d4e0; }";
        QTest::newRow("at the very end") << "background: @page" << "background: #eef3f8";
        QTest::newRow("a name that begins another is not cut short") << "color: @inkwell;" << "color: @inkwell;";
        QTest::newRow("unknown name stays") << "color: @nowhere;" << "color: @nowhere;";
        QTest::newRow("object names and plain colours untouched")
            << "QDialog#frmAllegaCartella { background: white; }" << "QDialog#frmAllegaCartella { background: white; }";
        QTest::newRow("nothing to do") << "" << "";
    }
    void sheet() {
        QFETCH(QString, css);
        QFETCH(QString, out);
        QCOMPARE(palette::sheet(css), out);
    }
};

QTEST_APPLESS_MAIN(TstPalette)
#include "tst_palette.moc"
