#include "SchedaInformativa.h"

#include "archive/Text.h"
#include "Palette.h"

#include <QPainter>
#include <QPainterPath>

namespace schedaInformativa {

namespace {
const QString kScadenza = QStringLiteral("  -  Scadenza: ");

QString nome(const char* prefisso, int riga) {
    return QLatin1String(prefisso) + QStringLiteral("%1").arg(riga, 2, 10, QLatin1Char('0'));
}

// The yellow folder beside the title.
void cartella(QPainter& p, const QRectF& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const double w = r.width(), h = r.height();
    const double pen = std::max(1.0, w / 40);
    QPainterPath retro;
    retro.moveTo(r.left() + w * 0.04, r.top() + h * 0.12);
    retro.lineTo(r.left() + w * 0.38, r.top() + h * 0.12);
    retro.lineTo(r.left() + w * 0.46, r.top() + h * 0.24);
    retro.lineTo(r.left() + w * 0.96, r.top() + h * 0.24);
    retro.lineTo(r.left() + w * 0.96, r.top() + h * 0.92);
    retro.lineTo(r.left() + w * 0.04, r.top() + h * 0.92);
    retro.closeSubpath();
    p.setPen(QPen(palette::folderLine, pen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(palette::folderBack);
    p.drawPath(retro);
    // A sheet sticking out of the folder.
    p.setBrush(Qt::white);
    p.setPen(QPen(palette::folderSheet, pen * 0.6));
    p.drawRect(QRectF(r.left() + w * 0.14, r.top() + h * 0.18, w * 0.7, h * 0.5));
    QPainterPath fronte;
    fronte.moveTo(r.left() + w * 0.04, r.top() + h * 0.92);
    fronte.lineTo(r.left() + w * 0.12, r.top() + h * 0.38);
    fronte.lineTo(r.left() + w * 1.0, r.top() + h * 0.38);
    fronte.lineTo(r.left() + w * 0.96, r.top() + h * 0.92);
    fronte.closeSubpath();
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, palette::folderFrontTop);
    g.setColorAt(1, palette::folderFrontBottom);
    p.setPen(QPen(palette::folderLine, pen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(g);
    p.drawPath(fronte);
    p.restore();
}
} // namespace

Report layout() {
    Report r(QStringLiteral("Scheda informativa"));
    r.pageSize = QPageSize(QPageSize::A4);
    r.orientation = QPageLayout::Portrait;
    r.margins = QMarginsF(10, 10, 10, 10);

    auto& logo = r.addPicture(QStringLiteral("imgLogo"), QRectF(11.33859, 11.33859, 64.25201, 49.13389));
    logo.setDrawing(QSizeF(64, 49), cartella);

    auto testo = [&r](const QString& n, const QRectF& rect, double size, Qt::Alignment h) -> TextObject& {
        TextObject& t = r.addText(n, rect);
        t.fontFamily = QStringLiteral("Arial");
        t.fontSize = size;
        t.wordWrap = false;
        t.expressions = false;
        t.alignment = h | Qt::AlignVCenter;
        return t;
    };
    testo(QStringLiteral("txtTitolo"), QRectF(86.92919, 11.33859, 623.62245, 34.01577), 16, Qt::AlignHCenter);
    r.addLine(QStringLiteral("linSepara01"), QRectF(86.92919, 60.47248, 623.62245, 0));
    for (int i = 1; i <= 24; ++i) {
        const double top = 90.70872 + (i - 1) * 37.7953;
        testo(nome("titCampo", i), QRectF(11.33859, top, 196.53556, 22.67718), 9, Qt::AlignLeft);
        testo(nome("txtCampo", i), QRectF(226.7718, top, 483.77984, 22.67718), 10, Qt::AlignLeft);
    }
    r.addLine(QStringLiteral("linSepara02"), QRectF(11.33859, 1001.57545, 699.21305, 0));
    TextObject& piede =
        testo(QStringLiteral("txtCalce"), QRectF(11.33859, 1016.69357, 699.21305, 22.67718), 10, Qt::AlignHCenter);
    piede.color = Qt::white;
    piede.fill = palette::footer;
    piede.setText(QStringLiteral("Stampa eseguita in data gg/mm/aaaa alle ore hh:mm"));
    return r;
}

QList<std::pair<QString, QString>> righe(const QHash<QString, QString>& campi) {
    auto c = [&campi](const char* n) { return text::trimmed(campi.value(QLatin1String(n))); };
    const QString slash = QStringLiteral("/"), blank = QStringLiteral(" ");
    return {
        {QStringLiteral("Cognome e nome:"), c("Esecutore")},
        {QStringLiteral("Data di nascita:"), c("GG") + slash + c("MM") + slash + c("AA")},
        {QStringLiteral("Comune di nascita:"), c("ComuneNasc") + blank + c("ProvNasc")},
        {QStringLiteral("Sesso:"), c("Sesso")},
        {QStringLiteral("Recapito preferenziale:"), c("Recapito")},
        {QStringLiteral("Indirizzo di residenza:"), c("IndirizzoRes")},
        {QStringLiteral("Comune di residenza:"), c("ComuneRes") + blank + c("ProvRes")},
        {QStringLiteral("Categoria di appartenenza:"), c("Categoria")},
        {QStringLiteral("Tel. casa:"), c("TelCasa")},
        {QStringLiteral("Tel. ufficio:"), c("TelUff")},
        {QStringLiteral("Tel. cellulare:"), c("TelCel")},
        {QStringLiteral("Fax:"), c("Fax")},
        {QStringLiteral("E-mail:"), c("Email")},
        {QStringLiteral("Codice fiscale:"), c("CodFisc")},
        {QStringLiteral("Partita IVA:"), c("PartitaIva")},
        {QStringLiteral("Carta di credito:"), QStringLiteral("N. ") + c("Carta") + kScadenza + c("ScadeCarta")},
        {QStringLiteral("IBAN:"), c("Iban")},
        {QStringLiteral("Tipo documento:"), c("TipoDoc")},
        {QStringLiteral("Numero documento:"), c("NumDoc")},
        {QStringLiteral("Ente di rilascio:"), c("EnteRil")},
        {QStringLiteral("Data di rilascio:"), c("DataRil") + kScadenza + c("DataSca")},
        {QStringLiteral("C/C Postale n."), c("CCP")},
        {QStringLiteral("Causale:"), c("Causale01")},
        {QStringLiteral("Note:"), c("Note")},
    };
}

QString calce(const QDateTime& momento) {
    return QStringLiteral("Stampa eseguita in data ") + momento.toString(QStringLiteral("dd/MM/yyyy")) +
           QStringLiteral(" alle ore ") + momento.toString(QStringLiteral("HH:mm:ss"));
}

void riempi(Report& report, const TSchedaAnagrafica& scheda, const QString& testoCalce) {
    report.setOrientation(QPageLayout::Portrait);
    report.text(QStringLiteral("txtTitolo")).setText(QStringLiteral("SCHEDA ANAGRAFICA"));
    QHash<QString, QString> campi;
    forEachField(scheda, [&campi](const char* n, const auto& campo) { campi.insert(QLatin1String(n), campo.get()); });
    const auto r = righe(campi);
    for (int i = 0; i < r.size(); ++i) {
        report.text(nome("titCampo", i + 1)).setText(r[i].first);
        report.text(nome("txtCampo", i + 1)).setText(r[i].second);
    }
    report.text(QStringLiteral("txtCalce")).setText(testoCalce);
}

PdfProperties proprietaPdf() {
    const QString titolo = QStringLiteral("Scheda informativa");
    const QString autore = QStringLiteral("Nivasco Software");
    return {titolo, titolo, autore, autore};
}

} // namespace schedaInformativa
