#include "LayoutBollettino.h"

#include "archive/Text.h"

namespace layoutBollettino {

namespace {

// The columns of the right section's holder rows and payer rows, as printed on the form.
const QList<double> kGridH = {140.1, 144.4, 149.0, 153.3, 157.8, 162.2, 166.6, 171.0, 175.4, 179.9, 184.3, 188.6,
                              193.0, 197.5, 201.9, 206.3, 210.7, 215.1, 219.6, 224.0, 228.4, 232.7, 237.2, 241.6,
                              246.0, 250.3, 254.8, 259.2, 263.5, 268.0, 272.4, 276.9, 281.3, 285.7};
const QList<double> kGridP = {188.8, 193.2, 197.7, 202.1, 206.5, 210.9, 215.3, 219.8, 224.2, 228.6, 232.9, 237.4,
                              241.8, 246.2, 250.5, 255.0, 259.4, 263.7, 268.2, 272.6, 277.0, 281.5, 285.9};

QString words(const TSchedaBollettino& v) { return v.ImpLettere.get() + QLatin1Char('/') + v.CentLettere.get(); }

template <auto F> QString field(const TSchedaBollettino& v) { return (v.*F).get(); }

constexpr double kLineHeightMm = 3.40;
constexpr double kCausaleA4HeightMm = 3.60;

void addBoxesAndLines(Report& r, double shiftMm, bool a4) {
    for (const LineField& f : lineFields()) {
        QRectF mm = f.rectMm().translated(0, shiftMm);
        if (a4 && f.name.startsWith(QLatin1String("txtCausale"))) mm.setHeight(kCausaleA4HeightMm);
        TextObject& t = r.addText(f.name, QRectF(report::fromMm(mm.x()), report::fromMm(mm.y()),
                                                 report::fromMm(mm.width()), report::fromMm(mm.height())));
        t.fontFamily = QStringLiteral("Arial");
        t.fontSize = 8;
        t.alignment = Qt::AlignLeft | Qt::AlignTop;
    }
    for (const BoxRow& row : boxRows()) {
        for (int k = 1; k <= row.count(); ++k) {
            const QRectF mm = row.boxMm(k).translated(0, shiftMm);
            TextObject& t = r.addText(row.boxName(k), QRectF(report::fromMm(mm.x()), report::fromMm(mm.y()),
                                                             report::fromMm(mm.width()), report::fromMm(mm.height())));
            t.fontFamily = QStringLiteral("Arial");
            t.fontSize = 8;
            t.alignment = Qt::AlignHCenter | Qt::AlignVCenter;
        }
    }
}

Report slipReport() {
    Report r(QStringLiteral("Bollettino Postale"));
    r.pageSize = QPageSize(QPageSize::A4);
    r.orientation = QPageLayout::Landscape;
    r.margins = QMarginsF(0, 0, 0, 0);
    return r;
}

} // namespace

QString BoxRow::boxName(int k) const {
    return prefix + QStringLiteral("%1").arg(k, 2, 10, QLatin1Char('0')) + suffix;
}

const QList<BoxRow>& boxRows() {
    static const QList<BoxRow> rows = [] {
        const QList<double> ccpA = {25.1, 29.3, 33.5, 37.7, 42.0, 46.0, 50.3, 54.6, 58.8, 62.9, 67.1, 71.4};
        const QList<double> importoA = {84.5, 88.9, 93.0, 97.2, 101.3, 105.7, 109.8, 114.0};
        const QList<double> centsA = {118.9, 123.0};
        const QList<double> ccpB = {166.3, 170.5, 175.2, 179.4, 183.9, 188.2, 192.7, 197.1, 201.5, 205.9, 210.2, 214.7};
        const QList<double> importoB = {247.9, 252.4, 256.7, 261.1, 265.8, 270.0, 274.3, 278.8};
        const QList<double> centsB = {283.9, 288.2};
        const QString a = QStringLiteral("_A"), b = QStringLiteral("_B"), none;
        return QList<BoxRow>{
            {QStringLiteral("txtCCP"), a, 9.40, 3.40, ccpA, field<&TSchedaBollettino::CCP>, Fill::Right},
            {QStringLiteral("txtImporto"), a, 9.40, 3.40, importoA, field<&TSchedaBollettino::Importo>, Fill::Right},
            {QStringLiteral("txtCents"), a, 9.40, 3.40, centsA, field<&TSchedaBollettino::Cents>, Fill::Right},
            {QStringLiteral("txtCCP"), b, 9.40, 3.40, ccpB, field<&TSchedaBollettino::CCP>, Fill::Right},
            {QStringLiteral("txtImporto"), b, 9.40, 3.40, importoB, field<&TSchedaBollettino::Importo>, Fill::Right},
            {QStringLiteral("txtCents"), b, 9.40, 3.40, centsB, field<&TSchedaBollettino::Cents>, Fill::Right},
            {QStringLiteral("txtIntesta"), none, 24.20, 3.60, kGridH, field<&TSchedaBollettino::Intestatario>, Fill::Left},
            {QStringLiteral("txtIndirizzoInt"), none, 29.60, 3.60, kGridH, field<&TSchedaBollettino::IndirizzoInt>, Fill::Left},
            {QStringLiteral("txtEsecutore"), none, 52.00, 3.60, kGridP, field<&TSchedaBollettino::Esecutore>, Fill::Left},
            {QStringLiteral("txtIndirizzoRes"), none, 65.30, 3.60, kGridP, field<&TSchedaBollettino::IndirizzoRes>, Fill::Left},
            // Postal code and town share the last payer row; the sixth column stays empty between them.
            {QStringLiteral("txtCapRes"), none, 73.60, 3.60, kGridP.mid(0, 5), field<&TSchedaBollettino::CapRes>, Fill::Left},
            {QStringLiteral("txtComuneRes"), none, 73.60, 3.60, kGridP.mid(6, 17), field<&TSchedaBollettino::ComuneRes>, Fill::Left},
        };
    }();
    return rows;
}

const QList<LineField>& lineFields() {
    static const QList<LineField> lines = {
        {QStringLiteral("txtImpLettere"), 30.00, 16.60, 96.00, kLineHeightMm, words},
        {QStringLiteral("txtIntestatario"), 9.00, 24.20, 116.00, kLineHeightMm, field<&TSchedaBollettino::Intestatario>},
        {QStringLiteral("txtIndirizzoInt"), 9.00, 29.80, 116.00, kLineHeightMm, field<&TSchedaBollettino::IndirizzoInt>},
        {QStringLiteral("txtCausale01"), 9.00, 37.60, 116.00, kLineHeightMm, field<&TSchedaBollettino::Causale01>},
        {QStringLiteral("txtCausale02"), 9.00, 43.20, 116.00, kLineHeightMm, field<&TSchedaBollettino::Causale02>},
        {QStringLiteral("txtEsecutore"), 9.00, 52.40, 61.80, kLineHeightMm, field<&TSchedaBollettino::Esecutore>},
        {QStringLiteral("txtIndirizzoRes"), 23.00, 64.10, 47.80, kLineHeightMm, field<&TSchedaBollettino::IndirizzoRes>},
        {QStringLiteral("txtCapRes"), 16.00, 70.10, 46.80, kLineHeightMm, field<&TSchedaBollettino::CapRes>},
        {QStringLiteral("txtComuneRes"), 21.00, 76.40, 49.80, kLineHeightMm, field<&TSchedaBollettino::ComuneRes>},
        {QStringLiteral("txtImpLettere_B"), 182.00, 16.60, 110.00, kLineHeightMm, words},
        {QStringLiteral("txtCausale01_B"), 140.00, 37.60, 148.00, kLineHeightMm, field<&TSchedaBollettino::Causale01>},
        {QStringLiteral("txtCausale02_B"), 140.00, 43.20, 148.00, kLineHeightMm, field<&TSchedaBollettino::Causale02>},
    };
    return lines;
}

QString rightAligned(const QString& text, int n) { return (QString(n, QLatin1Char(' ')) + text).right(n); }

QString leftAligned(const QString& text, int n) { return (text + QString(n, QLatin1Char(' '))).left(n); }

Report blankReport() {
    Report r = slipReport();
    addBoxesAndLines(r, 0, false);
    return r;
}

Report graphReport() {
    Report r = slipReport();
    // The picture goes first so that every character is drawn over it.
    PictureObject& pic = r.addPicture(QStringLiteral("imgLogo_A"),
                                      QRectF(0, report::fromMm(kA4ShiftMm), report::fromMm(kSlipWidthMm),
                                             report::fromMm(kSlipHeightMm)));
    pic.setDrawing(QSizeF(kSlipWidthMm, kSlipHeightMm), drawArtwork);
    pic.keepAspect = true;
    pic.centred = true;
    addBoxesAndLines(r, kA4ShiftMm, true);
    return r;
}

void fill(Report& report, const TSchedaBollettino& slip) {
    for (const LineField& f : lineFields()) report.text(f.name).setText(f.text(slip));
    for (const BoxRow& row : boxRows()) {
        const QString value = row.source(slip);
        const QString chars = row.fill == Fill::Right ? rightAligned(value, row.count()) : leftAligned(value, row.count());
        for (int k = 1; k <= row.count(); ++k) {
            const QChar c = chars[k - 1];
            report.text(row.boxName(k)).setText(c.unicode() <= 32 ? QString() : QString(c));
        }
    }
}

} // namespace layoutBollettino
