#include "RiepilogoSchede.h"
#include "Palette.h"

namespace riepilogoSchede {

namespace {

TextObject& striscia(Report& r, const QString& nome, const QRectF& rect, Band& band, double punti) {
    TextObject& t = r.addText(nome, rect, &band);
    t.fontFamily = QStringLiteral("Verdana");
    t.fontSize = punti;
    t.bold = true;
    t.color = Qt::white;
    t.fill = palette::slate;
    t.alignment = Qt::AlignHCenter | Qt::AlignVCenter;
    return t;
}
} // namespace

Report layout() {
    Report r(QStringLiteral("Riepilogo schede"));
    r.pageSize = QPageSize(QPageSize::A4);
    r.orientation = QPageLayout::Landscape;
    r.margins = QMarginsF(10, 10, 10, 10);

    Band& titolo = r.addBand(QStringLiteral("ReportTitle"), Band::Kind::Title, 30.24);
    striscia(r, QStringLiteral("txtTitolo"), QRectF(7.56, 3.78, 1031.81, 18.90), titolo, 9)
        .setText(QStringLiteral("Riepilogo"));

    Band& dati = r.addBand(QStringLiteral("MasterData"), Band::Kind::Data, 105.83);
    dati.canSplit = true;
    TextObject& memo = r.addText(QStringLiteral("txtRiepilogo"), QRectF(11.34, 0, 1031.81, 102.05), &dati);
    memo.fontFamily = QStringLiteral("Courier New");
    memo.fontSize = 8;
    memo.wordWrap = false;
    memo.lineSpacing = kAltezzaRiga;

    Band& piede = r.addBand(QStringLiteral("Footer"), Band::Kind::Footer, 30.24);
    TextObject& pagina = striscia(r, QStringLiteral("txtPagina"), QRectF(11.34, 7.56, 1028.03, 18.90), piede, 8);
    pagina.expressions = true;
    pagina.setText(QStringLiteral("Stampa eseguita in data [DATE] alle ore [TIME]"));
    return r;
}

void riempi(Report& report, const QString& titolo, const QStringList& righe, const QStringList& extra) {
    report.text(QStringLiteral("txtTitolo")).setText(titolo);
    TextObject& memo = report.text(QStringLiteral("txtRiepilogo"));
    memo.clearLines();
    for (const QString& riga : righe) memo.addLine(riga);
    for (const QString& riga : extra) memo.addLine(riga);
    const double altezza = (righe.size() + extra.size()) * kAltezzaRiga;
    memo.setHeight(altezza);
    report.band(QStringLiteral("MasterData")).setHeight(altezza + 10);
}

} // namespace riepilogoSchede
