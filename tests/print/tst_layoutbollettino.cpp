#include "RecordingDevice.h"

#include "print/Report.h"
#include "print/LayoutBollettino.h"

#include <QPainter>
#include <QTest>

using namespace layoutBollettino;

Q_DECLARE_METATYPE(TSchedaBollettino)

namespace {

const QDateTime kNow(QDate(2024, 3, 15), QTime(10, 30, 0));

// Every box of every row holds a character, wide and narrow ones mixed, so that a character that
// is not centred in its box shows.
TSchedaBollettino fullSlip() {
    TSchedaBollettino v{};
    v.Importo.set(QStringLiteral("12345678"));
    v.Cents.set(QStringLiteral("90"));
    v.ImpLettere.set(QStringLiteral("DODICIMILIONI"));
    v.CentLettere.set(QStringLiteral("90"));
    v.CCP.set(QStringLiteral("123456789012"));
    v.Intestatario.set(QStringLiteral("WI").repeated(17));
    v.IndirizzoInt.set(QStringLiteral("MI1").repeated(12).left(34));
    v.Esecutore.set(QStringLiteral("W1").repeated(12).left(23));
    v.IndirizzoRes.set(QStringLiteral("IWM").repeated(8).left(23));
    v.CapRes.set(QStringLiteral("00100"));
    v.ComuneRes.set(QStringLiteral("ILW").repeated(6).left(17));
    return v;
}

const BoxRow& rowOf(const QString& prefix, const QString& suffix) {
    for (const BoxRow& r : boxRows())
        if (r.prefix == prefix && r.suffix == suffix) return r;
    qFatal("no row %s", qPrintable(prefix + suffix));
}

// Paints only the named items of the first page, in the order given.
void paintItems(const PreparedReport& prepared, const QStringList& names, RecordingDevice& device) {
    PreparedReport only = prepared;
    only.pages = {PreparedPage()};
    for (const QString& name : names) {
        const PreparedItem* item = prepared.pages[0].find(name);
        QVERIFY2(item, qPrintable(name));
        only.pages[0].items.append(*item);
    }
    QPainter p(&device);
    only.paintPage(p, 0);
}

QRectF rectMm(const ReportObject& o) {
    return {report::toMm(o.rect.x()), report::toMm(o.rect.y()), report::toMm(o.rect.width()),
            report::toMm(o.rect.height())};
}

} // namespace

class TstLayoutBollettino : public QObject {
    Q_OBJECT

private slots:
    // Every printed character sits in the middle of its box on the form, with the margins moving
    // the whole print; the A4 print puts it at the same place 106.40 mm lower and ignores margins.
    void characterCentredInBox_data() {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<bool>("a4");
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("left");
        const QList<QPair<QString, QString>> rows = {
            {"txtCCP", "_A"},      {"txtImporto", "_A"},      {"txtCents", "_A"},        {"txtCCP", "_B"},
            {"txtImporto", "_B"},  {"txtCents", "_B"},        {"txtIntesta", ""},        {"txtIndirizzoInt", ""},
            {"txtEsecutore", ""},  {"txtIndirizzoRes", ""},   {"txtCapRes", ""},         {"txtComuneRes", ""}};
        for (const auto& [prefix, suffix] : rows) {
            const QByteArray name = (prefix + suffix).toLatin1();
            QTest::newRow(name + " blank, margins 0") << prefix << suffix << false << 0.0 << 0.0;
            QTest::newRow(name + " blank, top 3 left -2") << prefix << suffix << false << 3.0 << -2.0;
            QTest::newRow(name + " A4") << prefix << suffix << true << 0.0 << 0.0;
        }
    }
    void characterCentredInBox() {
        QFETCH(QString, prefix);
        QFETCH(QString, suffix);
        QFETCH(bool, a4);
        QFETCH(double, top);
        QFETCH(double, left);
        Report r = a4 ? graphReport() : blankReport();
        r.setTopMargin(top);
        r.setLeftMargin(left);
        const TSchedaBollettino slip = fullSlip();
        fill(r, slip);
        r.prepare(kNow);

        const BoxRow& row = rowOf(prefix, suffix);
        QStringList names;
        for (int k = 1; k <= row.count(); ++k) names << row.boxName(k);
        RecordingDevice device;
        paintItems(r.prepared(), names, device);

        const QString value = row.source(slip);
        const QString chars = row.fill == Fill::Right ? rightAligned(value, row.count()) : leftAligned(value, row.count());
        const auto& texts = device.engine.texts;
        QCOMPARE(texts.size(), row.count());
        const double dy = a4 ? kA4ShiftMm : 0;
        for (int k = 1; k <= row.count(); ++k) {
            const auto& t = texts[k - 1];
            QCOMPARE(t.text, QString(chars[k - 1]));
            const double cx = RecordingDevice::toMm(t.box.center().x());
            const double cy = RecordingDevice::toMm(t.box.center().y());
            const double ex = row.leftsMm[k - 1] + kBoxWidthMm / 2 + left;
            const double ey = row.topMm + row.heightMm / 2 + top + dy;
            QVERIFY2(qAbs(cx - ex) < 0.05,
                     qPrintable(QStringLiteral("%1: centre x %2 mm, box centre %3 mm").arg(row.boxName(k)).arg(cx).arg(ex)));
            QVERIFY2(qAbs(cy - ey) < 0.15,
                     qPrintable(QStringLiteral("%1: centre y %2 mm, box centre %3 mm").arg(row.boxName(k)).arg(cy).arg(ey)));
            // The whole glyph box stays inside the printed box.
            QVERIFY(RecordingDevice::toMm(t.box.width()) < kBoxWidthMm);
        }
    }

    // The objects stand where the printed form has its boxes and lines (first and last box of each
    // row, and every line).
    void objectsMatchTheForm_data() {
        QTest::addColumn<bool>("a4");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRectF>("mm");
        const struct {
            const char* name;
            double l, t, w, h;
        } blank[] = {
            {"txtCCP01_A", 25.1, 9.4, 2.8, 3.4},         {"txtCCP12_A", 71.4, 9.4, 2.8, 3.4},
            {"txtImporto01_A", 84.5, 9.4, 2.8, 3.4},     {"txtImporto08_A", 114.0, 9.4, 2.8, 3.4},
            {"txtCents01_A", 118.9, 9.4, 2.8, 3.4},      {"txtCents02_A", 123.0, 9.4, 2.8, 3.4},
            {"txtCCP01_B", 166.3, 9.4, 2.8, 3.4},        {"txtCCP12_B", 214.7, 9.4, 2.8, 3.4},
            {"txtImporto01_B", 247.9, 9.4, 2.8, 3.4},    {"txtImporto08_B", 278.8, 9.4, 2.8, 3.4},
            {"txtCents01_B", 283.9, 9.4, 2.8, 3.4},      {"txtCents02_B", 288.2, 9.4, 2.8, 3.4},
            {"txtIntesta01", 140.1, 24.2, 2.8, 3.6},     {"txtIntesta34", 285.7, 24.2, 2.8, 3.6},
            {"txtIndirizzoInt01", 140.1, 29.6, 2.8, 3.6}, {"txtIndirizzoInt34", 285.7, 29.6, 2.8, 3.6},
            {"txtEsecutore01", 188.8, 52.0, 2.8, 3.6},   {"txtEsecutore23", 285.9, 52.0, 2.8, 3.6},
            {"txtIndirizzoRes01", 188.8, 65.3, 2.8, 3.6}, {"txtIndirizzoRes23", 285.9, 65.3, 2.8, 3.6},
            {"txtCapRes01", 188.8, 73.6, 2.8, 3.6},      {"txtCapRes05", 206.5, 73.6, 2.8, 3.6},
            {"txtComuneRes01", 215.3, 73.6, 2.8, 3.6},   {"txtComuneRes17", 285.9, 73.6, 2.8, 3.6},
            {"txtImpLettere", 30.0, 16.6, 96.0, 3.4},    {"txtIntestatario", 9.0, 24.2, 116.0, 3.4},
            {"txtIndirizzoInt", 9.0, 29.8, 116.0, 3.4},  {"txtCausale01", 9.0, 37.6, 116.0, 3.4},
            {"txtCausale02", 9.0, 43.2, 116.0, 3.4},     {"txtEsecutore", 9.0, 52.4, 61.8, 3.4},
            {"txtIndirizzoRes", 23.0, 64.1, 47.8, 3.4},  {"txtCapRes", 16.0, 70.1, 46.8, 3.4},
            {"txtComuneRes", 21.0, 76.4, 49.8, 3.4},     {"txtImpLettere_B", 182.0, 16.6, 110.0, 3.4},
            {"txtCausale01_B", 140.0, 37.6, 148.0, 3.4}, {"txtCausale02_B", 140.0, 43.2, 148.0, 3.4},
        };
        for (const auto& o : blank) QTest::newRow(o.name) << false << QString(o.name) << QRectF(o.l, o.t, o.w, o.h);
        const struct {
            const char* name;
            double l, t, w, h;
        } a4[] = {
            {"txtCCP01_A", 25.1, 115.8, 2.8, 3.4},        {"txtIntesta01", 140.1, 130.6, 2.8, 3.6},
            {"txtCapRes01", 188.8, 180.0, 2.8, 3.6},      {"txtComuneRes17", 285.9, 180.0, 2.8, 3.6},
            {"txtImpLettere", 30.0, 123.0, 96.0, 3.4},    {"txtCausale01", 9.0, 144.0, 116.0, 3.6},
            {"txtCausale02_B", 140.0, 149.6, 148.0, 3.6}, {"txtComuneRes", 21.0, 182.8, 49.8, 3.4},
        };
        for (const auto& o : a4)
            QTest::newRow(QByteArray("A4 ") + o.name) << true << QString(o.name) << QRectF(o.l, o.t, o.w, o.h);
    }
    void objectsMatchTheForm() {
        QFETCH(bool, a4);
        QFETCH(QString, name);
        QFETCH(QRectF, mm);
        const Report r = a4 ? graphReport() : blankReport();
        const QRectF got = rectMm(r.text(name));
        QVERIFY2(qAbs(got.x() - mm.x()) < 0.001 && qAbs(got.y() - mm.y()) < 0.001 &&
                     qAbs(got.width() - mm.width()) < 0.001 && qAbs(got.height() - mm.height()) < 0.001,
                 qPrintable(QStringLiteral("%1 %2,%3 %4x%5").arg(name).arg(got.x()).arg(got.y()).arg(got.width()).arg(got.height())));
        const TextObject& t = r.text(name);
        QCOMPARE(t.fontFamily, QStringLiteral("Arial"));
        QCOMPARE(t.fontSize, 8.0);
        QVERIFY(!t.wordWrap && !t.expressions);
    }

    void reportsHoldTheSameObjects() {
        const Report blank = blankReport(), graph = graphReport();
        QStringList blankNames, graphTexts;
        for (ReportObject* o : blank.objects()) {
            QCOMPARE(o->kind(), ReportObject::Kind::Text);
            blankNames << o->name();
        }
        for (ReportObject* o : graph.objects())
            if (o->kind() == ReportObject::Kind::Text) graphTexts << o->name();
        QCOMPARE(blankNames.size(), 192);
        QCOMPARE(graphTexts, blankNames);
        QCOMPARE(blank.name(), QStringLiteral("Bollettino Postale"));
        QCOMPARE(blank.orientation, QPageLayout::Landscape);
        QCOMPARE(blank.paperSizeMm().toSize(), QSize(297, 210));

        // The slip picture comes first, so every character is drawn over it, and fills the lower half.
        const ReportObject* first = graph.objects().first();
        QCOMPARE(first->name(), QStringLiteral("imgLogo_A"));
        QCOMPARE(first->kind(), ReportObject::Kind::Picture);
        const QRectF pic = rectMm(*first);
        QVERIFY(qAbs(pic.x()) < 1e-6 && qAbs(pic.y() - 106.4) < 1e-6 && qAbs(pic.width() - 297) < 1e-6 &&
                qAbs(pic.height() - 103) < 1e-6);
    }

    // How the workspace's texts are spread over the boxes.
    void fillRules_data() {
        QTest::addColumn<TSchedaBollettino>("slip");
        QTest::addColumn<QVariantMap>("expected");
        TSchedaBollettino v{};
        v.Importo.set("1250");
        v.Cents.set("5");
        QTest::newRow("amount 1250, one cents digit")
            << v
            << QVariantMap{{"txtImporto01_A", ""}, {"txtImporto04_A", ""}, {"txtImporto05_A", "1"}, {"txtImporto06_A", "2"},
                           {"txtImporto07_A", "5"}, {"txtImporto08_A", "0"}, {"txtCents01_A", ""}, {"txtCents02_A", "5"},
                           {"txtImporto04_B", ""}, {"txtImporto05_B", "1"}, {"txtImporto08_B", "0"},
                           {"txtCents01_B", ""}, {"txtCents02_B", "5"}};
        v = TSchedaBollettino{};
        v.CCP.set("12345");
        QTest::newRow("account 12345")
            << v
            << QVariantMap{{"txtCCP01_A", ""}, {"txtCCP07_A", ""}, {"txtCCP08_A", "1"}, {"txtCCP12_A", "5"},
                           {"txtCCP07_B", ""}, {"txtCCP08_B", "1"}, {"txtCCP12_B", "5"}};
        v = TSchedaBollettino{};
        v.CCP.set("123456789012");
        QTest::newRow("account of twelve digits fills every box")
            << v << QVariantMap{{"txtCCP01_A", "1"}, {"txtCCP12_A", "2"}, {"txtCCP01_B", "1"}};
        v = TSchedaBollettino{};
        v.CapRes.set("00100");
        v.ComuneRes.set("ROMA");
        QTest::newRow("postal code keeps its zeros, town from column 7")
            << v
            << QVariantMap{{"txtCapRes01", "0"}, {"txtCapRes02", "0"}, {"txtCapRes03", "1"}, {"txtCapRes04", "0"},
                           {"txtCapRes05", "0"}, {"txtComuneRes01", "R"}, {"txtComuneRes04", "A"},
                           {"txtComuneRes05", ""}, {"txtCapRes", "00100"}, {"txtComuneRes", "ROMA"}};
        v = TSchedaBollettino{};
        v.ImpLettere.set(" CENTOVENTI ");
        v.CentLettere.set("50");
        QTest::newRow("words and cents")
            << v << QVariantMap{{"txtImpLettere", "CENTOVENTI/50"}, {"txtImpLettere_B", "CENTOVENTI/50"}};
        v = TSchedaBollettino{};
        v.CentLettere.set("50");
        QTest::newRow("empty words print the slash and the cents")
            << v << QVariantMap{{"txtImpLettere", "/50"}, {"txtImpLettere_B", "/50"}, {"txtCausale01", ""},
                                {"txtCausale01_B", ""}, {"txtCausale02_B", ""}};
        v = TSchedaBollettino{};
        v.Causale01.set("QUOTA 2024");
        v.Causale02.set("  SOCIO 12");
        QTest::newRow("causes on both sections")
            << v << QVariantMap{{"txtCausale01", "QUOTA 2024"}, {"txtCausale01_B", "QUOTA 2024"},
                                {"txtCausale02", "SOCIO 12"}, {"txtCausale02_B", "SOCIO 12"}};
        v = TSchedaBollettino{};
        v.Intestatario.set("  DE ROSSI  ");
        v.Esecutore.set("rossi anna");
        QTest::newRow("trimmed, inner blanks empty, case kept")
            << v
            << QVariantMap{{"txtIntesta01", "D"}, {"txtIntesta02", "E"}, {"txtIntesta03", ""}, {"txtIntesta04", "R"},
                           {"txtIntesta34", ""}, {"txtIntestatario", "DE ROSSI"}, {"txtEsecutore01", "r"},
                           {"txtEsecutore06", ""}, {"txtEsecutore07", "a"}, {"txtEsecutore", "rossi anna"}};
        v = TSchedaBollettino{};
        v.Intestatario.set("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
        v.IndirizzoRes.set("VIA DELLE TRE FONTANE 125");
        QTest::newRow("as long as the field, every box filled")
            << v << QVariantMap{{"txtIntesta01", "A"}, {"txtIntesta34", "7"}, {"txtIndirizzoRes23", "1"},
                                {"txtIntestatario", "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234567"}};
    }
    void fillRules() {
        QFETCH(TSchedaBollettino, slip);
        QFETCH(QVariantMap, expected);
        Report blank = blankReport(), graph = graphReport();
        fill(blank, slip);
        fill(graph, slip);
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            QCOMPARE(blank.text(it.key()).text(), it.value().toString());
            QCOMPARE(graph.text(it.key()).text(), it.value().toString());
        }
    }

    // Refilling replaces every box: nothing of an earlier, longer slip is left behind.
    void refillLeavesNothingBehind() {
        Report r = blankReport();
        fill(r, fullSlip());
        TSchedaBollettino shorter{};
        shorter.CCP.set("7");
        shorter.Intestatario.set("X");
        fill(r, shorter);
        QCOMPARE(r.text("txtCCP11_A").text(), QString());
        QCOMPARE(r.text("txtCCP12_A").text(), QStringLiteral("7"));
        QCOMPARE(r.text("txtIntesta02").text(), QString());
        QCOMPARE(r.text("txtImporto01_B").text(), QString());
        r.prepare(kNow);
        RecordingDevice device;
        QPainter p(&device);
        r.prepared().paintPage(p, 0);
        p.end();
        QStringList printed;
        for (const auto& t : device.engine.texts) printed << t.text;
        printed.sort();
        QCOMPARE(printed, (QStringList{"/", "/", "7", "7", "X", "X"}));
    }

    // The drawn slip frames every box exactly where its character prints.
    void artworkFramesEveryBox() {
        Report r = graphReport();
        r.prepare(kNow);
        RecordingDevice device;
        QPainter p(&device);
        r.prepared().paintPage(p, 0);
        p.end();
        QList<QRectF> drawn;
        for (const QRectF& d : device.engine.rects)
            drawn << QRectF(RecordingDevice::toMm(d.x()), RecordingDevice::toMm(d.y()), RecordingDevice::toMm(d.width()),
                            RecordingDevice::toMm(d.height()));
        int framed = 0;
        for (const BoxRow& row : boxRows())
            for (int k = 1; k <= row.count(); ++k) {
                const QRectF box = row.boxMm(k).translated(0, kA4ShiftMm);
                bool found = false;
                for (const QRectF& d : drawn) {
                    if (QLineF(d.center(), box.center()).length() < 0.02 && d.contains(box) &&
                        d.width() < box.width() + 1.0 && d.height() < box.height() + 1.0) {
                        found = true;
                        break;
                    }
                }
                QVERIFY2(found, qPrintable(row.boxName(k)));
                ++framed;
            }
        QCOMPARE(framed, 180);
    }
};

QTEST_MAIN(TstLayoutBollettino)
#include "tst_layoutbollettino.moc"
