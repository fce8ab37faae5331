#include "LayoutBollettino.h"
#include "Palette.h"

#include <QPainter>
#include <QPainterPath>

// The slip picture of the A4 print, drawn from the layout tables: a box is drawn around every box
// that the reports fill, a rule under every line they fill, and the captions sit beside them.
namespace layoutBollettino {

namespace {

constexpr double kBoxPadXMm = 0.30;     // each box is drawn this much wider on both sides...
constexpr double kBoxPadYMm = 0.25;     // ...and taller, so the character has air around it

class Canvas {
public:
    Canvas(QPainter& p, const QRectF& target) : m_p(p), m_origin(target.topLeft()), m_k(target.width() / kSlipWidthMm) {}

    QRectF r(double x, double y, double w, double h) const {
        return {m_origin.x() + x * m_k, m_origin.y() + y * m_k, w * m_k, h * m_k};
    }
    QPointF pt(double x, double y) const { return {m_origin.x() + x * m_k, m_origin.y() + y * m_k}; }
    double len(double mm) const { return mm * m_k; }

    // A font whose size in points holds on paper whatever the scale of the drawing.
    QFont font(double points, bool bold = false, bool italic = false) const {
        QFont f(QStringLiteral("Arial"));
        const double dpi = m_p.device() ? m_p.device()->logicalDpiY() : 96.0;
        f.setPointSizeF(points * 25.4 * m_k / dpi);
        f.setBold(bold);
        f.setItalic(italic);
        f.setHintingPreference(QFont::PreferNoHinting);
        return f;
    }

    void caption(double x, double y, double w, double h, const QString& s, Qt::Alignment align, double points = 5.5,
                 bool bold = false, bool italic = false) {
        m_p.setFont(font(points, bold, italic));
        m_p.setPen(palette::slipInk);
        m_p.drawText(r(x, y, w, h), int(align), s);
    }

    void frame(double x, double y, double w, double h, double radius, double width, const QColor& fill) {
        m_p.setPen(QPen(palette::slipInk, len(width)));
        m_p.setBrush(fill);
        m_p.drawRoundedRect(r(x, y, w, h), len(radius), len(radius));
    }

    void rule(double x1, double x2, double y, const QColor& c, double width, Qt::PenStyle style = Qt::SolidLine) {
        QPen pen(c, len(width), style, Qt::FlatCap);
        m_p.setPen(pen);
        m_p.drawLine(pt(x1, y), pt(x2, y));
    }

    QPainter& painter() { return m_p; }

private:
    QPainter& m_p;
    QPointF m_origin;
    double m_k; // device units per millimetre
};

void section(Canvas& c, double x, double w, const QString& subtitle) {
    c.frame(x, 1.0, w, 100.5, 2.0, 0.35, Qt::white);
    // The header strip, clipped to the frame's rounded top.
    QPainterPath clip;
    clip.addRoundedRect(c.r(x, 1.0, w, 100.5), c.len(2.0), c.len(2.0));
    c.painter().save();
    c.painter().setClipPath(clip);
    c.painter().fillRect(c.r(x, 1.0, w, 5.6), palette::slipTint);
    c.painter().fillRect(c.r(x, 93.6, w, 7.9), palette::slipTint);
    c.painter().restore();
    c.rule(x, x + w, 6.6, palette::slipInk, 0.2);
    c.rule(x, x + w, 93.6, palette::slipInk, 0.2);
    c.caption(x + 2.5, 1.0, w - 5, 5.6, QStringLiteral("CONTI CORRENTI POSTALI"), Qt::AlignLeft | Qt::AlignVCenter, 7.5,
              true);
    c.caption(x + 2.5, 1.0, w - 5, 5.6, subtitle, Qt::AlignRight | Qt::AlignVCenter, 6.5, false, true);
}

void stampZone(Canvas& c, double x, double y, double w, double h) {
    QPen pen(palette::slipRule, c.len(0.25), Qt::DashLine);
    c.painter().setPen(pen);
    c.painter().setBrush(Qt::NoBrush);
    c.painter().drawRoundedRect(c.r(x, y, w, h), c.len(1.5), c.len(1.5));
    c.caption(x, y + 1.0, w, 2.6, QStringLiteral("BOLLO DELL'UFFICIO POSTALE"), Qt::AlignHCenter | Qt::AlignTop, 5.5);
}

void boxes(Canvas& c) {
    c.painter().setPen(QPen(palette::slipInk, c.len(0.18)));
    c.painter().setBrush(Qt::white);
    for (const BoxRow& row : boxRows())
        for (int k = 1; k <= row.count(); ++k) {
            const QRectF b = row.boxMm(k).adjusted(-kBoxPadXMm, -kBoxPadYMm, kBoxPadXMm, kBoxPadYMm);
            c.painter().drawRect(c.r(b.x(), b.y(), b.width(), b.height()));
        }
}

void writingRules(Canvas& c) {
    for (const LineField& f : lineFields()) {
        const double y = f.topMm + f.heightMm + 0.35;
        c.rule(f.leftMm, f.leftMm + f.widthMm, y, palette::slipRule, 0.18);
    }
}

const BoxRow& row(const QString& prefix, const QString& suffix = QString()) {
    for (const BoxRow& r : boxRows())
        if (r.prefix == prefix && r.suffix == suffix) return r;
    return boxRows().first();
}

const LineField& line(const QString& name) {
    for (const LineField& f : lineFields())
        if (f.name == name) return f;
    return lineFields().first();
}

// The euro sign before the amount and the comma between euros and cents.
void amountMarks(Canvas& c, const QString& suffix) {
    const BoxRow& importo = row(QStringLiteral("txtImporto"), suffix);
    const BoxRow& cents = row(QStringLiteral("txtCents"), suffix);
    const double top = importo.topMm, h = importo.heightMm;
    const double euroRight = importo.leftsMm.first() - kBoxPadXMm - 1.0;
    c.caption(euroRight - 5.0, top - 0.6, 5.0, h + 1.2, QStringLiteral("€"), Qt::AlignRight | Qt::AlignVCenter, 11, true);
    const double gapLeft = importo.leftsMm.last() + kBoxWidthMm, gapRight = cents.leftsMm.first();
    c.caption(gapLeft, top, gapRight - gapLeft, h + 0.9, QStringLiteral(","), Qt::AlignHCenter | Qt::AlignBottom, 10,
              true);
}

} // namespace

void drawArtwork(QPainter& painter, const QRectF& target) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    Canvas c(painter, target);

    // The two sections and the fold between them.
    section(c, 1.5, 129.0, QStringLiteral("Ricevuta di versamento"));
    section(c, 133.0, 162.5, QStringLiteral("Bollettino di versamento"));
    {
        QPen fold(palette::slipRule, c.len(0.3), Qt::DashLine, Qt::FlatCap);
        painter.setPen(fold);
        painter.drawLine(c.pt(131.75, 0.3), c.pt(131.75, 102.7));
    }

    writingRules(c);
    boxes(c);

    const Qt::Alignment rightMid = Qt::AlignRight | Qt::AlignVCenter;
    const Qt::Alignment above = Qt::AlignLeft | Qt::AlignBottom;

    // Left section: the receipt, holder and payer on whole lines.
    {
        const BoxRow& ccp = row(QStringLiteral("txtCCP"), QStringLiteral("_A"));
        const BoxRow& imp = row(QStringLiteral("txtImporto"), QStringLiteral("_A"));
        c.caption(4.0, ccp.topMm, ccp.leftsMm.first() - kBoxPadXMm - 4.8, ccp.heightMm, QStringLiteral("sul C/C n."),
                  rightMid, 6);
        c.caption(imp.leftsMm.first() - kBoxPadXMm, 6.7, 30, ccp.topMm - kBoxPadYMm - 6.9, QStringLiteral("di Euro"),
                  above, 5.5);
        amountMarks(c, QStringLiteral("_A"));

        const LineField& words = line(QStringLiteral("txtImpLettere"));
        c.caption(4.0, words.topMm, words.leftMm - 5.0, words.heightMm, QStringLiteral("IMPORTO IN LETTERE"), rightMid);
        const LineField& holder = line(QStringLiteral("txtIntestatario"));
        c.caption(holder.leftMm, holder.topMm - 2.7, 60, 2.5, QStringLiteral("INTESTATO A"), above);
        const LineField& cause = line(QStringLiteral("txtCausale01"));
        c.caption(cause.leftMm, cause.topMm - 2.7, 60, 2.5, QStringLiteral("CAUSALE"), above);
        const LineField& payer = line(QStringLiteral("txtEsecutore"));
        c.caption(payer.leftMm, payer.topMm - 2.7, 60, 2.5, QStringLiteral("ESEGUITO DA"), above);
        for (const auto& [name, caption] : {std::pair{QStringLiteral("txtIndirizzoRes"), QStringLiteral("VIA - PIAZZA")},
                                            std::pair{QStringLiteral("txtCapRes"), QStringLiteral("CAP")},
                                            std::pair{QStringLiteral("txtComuneRes"), QStringLiteral("LOCALITA'")}}) {
            const LineField& f = line(name);
            c.caption(4.0, f.topMm, f.leftMm - 4.8, f.heightMm, caption, rightMid);
        }
        stampZone(c, 76.0, 50.0, 51.5, 41.0);
    }

    // Right section: one character per box.
    {
        const BoxRow& ccp = row(QStringLiteral("txtCCP"), QStringLiteral("_B"));
        const BoxRow& imp = row(QStringLiteral("txtImporto"), QStringLiteral("_B"));
        c.caption(136.0, ccp.topMm, ccp.leftsMm.first() - kBoxPadXMm - 136.8, ccp.heightMm,
                  QStringLiteral("sul C/C n."), rightMid, 6);
        const double ccpEnd = ccp.leftsMm.last() + kBoxWidthMm + kBoxPadXMm;
        c.caption(ccpEnd + 2.0, ccp.topMm, imp.leftsMm.first() - ccpEnd - 8.5, ccp.heightMm, QStringLiteral("di Euro"),
                  rightMid, 6);
        amountMarks(c, QStringLiteral("_B"));

        const LineField& words = line(QStringLiteral("txtImpLettere_B"));
        c.caption(136.0, words.topMm, words.leftMm - 137.0, words.heightMm, QStringLiteral("IMPORTO IN LETTERE"),
                  rightMid);
        const BoxRow& holder = row(QStringLiteral("txtIntesta"));
        c.caption(holder.leftsMm.first(), holder.topMm - kBoxPadYMm - 2.6, 60, 2.4, QStringLiteral("INTESTATO A"),
                  above);
        const LineField& cause = line(QStringLiteral("txtCausale01_B"));
        c.caption(cause.leftMm, cause.topMm - 2.7, 60, 2.5, QStringLiteral("CAUSALE"), above);
        const BoxRow& payer = row(QStringLiteral("txtEsecutore"));
        c.caption(payer.leftsMm.first(), payer.topMm - kBoxPadYMm - 2.6, 60, 2.4, QStringLiteral("ESEGUITO DA"), above);
        const BoxRow& street = row(QStringLiteral("txtIndirizzoRes"));
        c.caption(street.leftsMm.first(), street.topMm - kBoxPadYMm - 2.6, 60, 2.4, QStringLiteral("VIA - PIAZZA"),
                  above);
        const BoxRow& cap = row(QStringLiteral("txtCapRes"));
        c.caption(cap.leftsMm.first(), cap.topMm - kBoxPadYMm - 2.6, 20, 2.4, QStringLiteral("CAP"), above);
        const BoxRow& town = row(QStringLiteral("txtComuneRes"));
        c.caption(town.leftsMm.first(), town.topMm - kBoxPadYMm - 2.6, 40, 2.4, QStringLiteral("LOCALITA'"), above);
        stampZone(c, 136.0, 50.0, 48.5, 41.0);
        c.caption(188.0, 90.9, 105.0, 2.5, QStringLiteral("IMPORTANTE: NON SCRIVERE NELLA ZONA SOTTOSTANTE"), above,
                  5);
        c.caption(136.0, 93.6, 157.0, 7.4, QStringLiteral("TD 123"), Qt::AlignRight | Qt::AlignBottom, 5.5, true);
    }
    painter.restore();
}

} // namespace layoutBollettino
