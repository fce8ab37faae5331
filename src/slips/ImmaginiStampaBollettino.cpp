#include "ImmaginiStampaBollettino.h"

#include "print/LayoutBollettino.h"
#include "print/Palette.h"

#include <QPainter>
#include <QPainterPath>

namespace immaginiStampaBollettino {

namespace {

QPixmap canvas(const QSize& size, qreal dpr) {
    QPixmap pm(size * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    return pm;
}

void arrow(QPainter& p, QPointF from, QPointF to, const QColor& color) {
    p.setPen(QPen(color, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    const QLineF line(to, from);
    QPainterPath head;
    const QLineF a = QLineF::fromPolar(7, line.angle() + 28).translated(to);
    const QLineF b = QLineF::fromPolar(7, line.angle() - 28).translated(to);
    head.moveTo(to);
    head.lineTo(a.p2());
    head.lineTo(b.p2());
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPath(head);
}

// Short rules standing for the printed data of a slip.
void dataLines(QPainter& p, const QRectF& r) {
    p.setPen(QPen(palette::slipInk, 1.4, Qt::SolidLine, Qt::RoundCap));
    const double step = r.height() / 6;
    for (int i = 0; i < 6; ++i) {
        const double y = r.top() + step * (i + 0.5);
        const double w = r.width() * (i % 3 == 0 ? 0.95 : (i % 3 == 1 ? 0.7 : 0.5));
        p.drawLine(QPointF(r.left(), y), QPointF(r.left() + w / 2 - 3, y));
        p.drawLine(QPointF(r.left() + r.width() / 2 + 3, y), QPointF(r.left() + r.width() / 2 + w / 2, y));
    }
}

} // namespace

QPixmap margini(const QSize& size, qreal dpr) {
    QPixmap pm = canvas(size, dpr);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();

    const QRectF sheet(6, 6, w - 12, h - 12);
    p.setPen(QPen(palette::paperEdge, 1));
    p.setBrush(Qt::white);
    p.drawRect(sheet);

    // Where the data would print with both margins at 0, and where the margins move it.
    const QRectF home(sheet.left() + 8, sheet.top() + 8, sheet.width() * 0.55, sheet.height() * 0.48);
    p.setPen(QPen(palette::paperEdge, 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(home);
    const QRectF moved = home.translated(sheet.width() * 0.34, sheet.height() * 0.36);
    p.setPen(QPen(palette::slipInk, 1));
    p.setBrush(palette::paperShade);
    p.drawRect(moved);
    dataLines(p, moved.adjusted(6, 5, -6, -5));

    // Near the box's left edge, so that the word beside the arrow fits on the sheet.
    const double ax = moved.left() + moved.width() * 0.28;
    arrow(p, QPointF(ax, home.top() + 2), QPointF(ax, moved.top() - 1), palette::arrow);
    const double ay = moved.top() + moved.height() * 0.62;
    arrow(p, QPointF(home.left() + 2, ay), QPointF(moved.left() - 1, ay), palette::arrow);

    QFont f = p.font();
    f.setPixelSize(11);
    f.setBold(true);
    p.setFont(f);
    p.setPen(palette::arrow);
    p.drawText(QRectF(ax + 5, home.top(), sheet.right() - ax - 7, moved.top() - home.top()),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("superiore"));
    p.drawText(QRectF(home.left(), ay + 3, moved.left() - home.left() - 4, 16), Qt::AlignHCenter | Qt::AlignTop,
               QStringLiteral("sinistro"));
    return pm;
}

QPixmap vassoio(const QSize& size, qreal dpr) {
    QPixmap pm = canvas(size, dpr);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();

    // The tray and the slip in it, seen from above the printer's front.
    const QRectF tray(w * 0.12, h * 0.50, w * 0.76, h * 0.40);
    QPainterPath trayPath;
    trayPath.moveTo(tray.left() + 14, tray.top());
    trayPath.lineTo(tray.right() - 14, tray.top());
    trayPath.lineTo(tray.right(), tray.bottom());
    trayPath.lineTo(tray.left(), tray.bottom());
    trayPath.closeSubpath();
    p.setPen(QPen(palette::paperEdge, 1));
    p.setBrush(palette::paperShade);
    p.drawPath(trayPath);

    const QRectF slip(w * 0.34, tray.top() - h * 0.12, w * 0.32, tray.height() + h * 0.06);
    p.setPen(QPen(palette::slipInk, 1));
    p.setBrush(Qt::white);
    p.drawRect(slip);
    dataLines(p, slip.adjusted(6, 6, -6, -8));

    // The printer body over the back of the tray.
    const QRectF body(w * 0.08, h * 0.06, w * 0.84, h * 0.38);
    p.setPen(QPen(palette::slipInk, 1.2));
    p.setBrush(palette::printer);
    p.drawRoundedRect(body, 8, 8);
    p.setBrush(palette::slipInk);
    p.drawRoundedRect(QRectF(body.left() + body.width() * 0.25, body.bottom() - 9, body.width() * 0.5, 4), 2, 2);
    p.setBrush(palette::printerLight);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(body.right() - 16, body.top() + 14), 4, 4);

    // The two guides closed up to the slip.
    p.setBrush(palette::arrow);
    const double gy = slip.top() + slip.height() * 0.55;
    p.drawRoundedRect(QRectF(slip.left() - 7, gy - 12, 6, 24), 2, 2);
    p.drawRoundedRect(QRectF(slip.right() + 1, gy - 12, 6, 24), 2, 2);
    arrow(p, QPointF(tray.left() + 12, gy), QPointF(slip.left() - 10, gy), palette::arrow);
    arrow(p, QPointF(tray.right() - 12, gy), QPointF(slip.right() + 10, gy), palette::arrow);
    return pm;
}

QPixmap foglioA4(const QSize& size, qreal dpr) {
    QPixmap pm = canvas(size, dpr);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();
    // A landscape A4 sheet, as large as the picture allows.
    double sw = w - 8, sh = sw * 210.0 / 297.0;
    if (sh > h - 8) {
        sh = h - 8;
        sw = sh * 297.0 / 210.0;
    }
    const QRectF sheet((w - sw) / 2, (h - sh) / 2, sw, sh);
    p.setPen(Qt::NoPen);
    p.setBrush(palette::shadow);
    p.drawRect(sheet.translated(3, 3));
    p.setPen(QPen(palette::paperEdge, 1));
    p.setBrush(Qt::white);
    p.drawRect(sheet);
    const double k = sheet.width() / 297.0;
    layoutBollettino::drawArtwork(p, QRectF(sheet.left(), sheet.top() + layoutBollettino::kA4ShiftMm * k, sheet.width(),
                                      layoutBollettino::kSlipHeightMm * k));
    return pm;
}

void carta(QPainter& p, const QRectF& r, const QString& titolo, const QColor& fascia) {
    p.setPen(QPen(palette::deep, 1.5));
    p.setBrush(palette::paper);
    p.drawRoundedRect(r, 8, 8);
    QPainterPath head;
    head.setFillRule(Qt::WindingFill);
    head.addRoundedRect(QRectF(r.left(), r.top(), r.width(), 30), 8, 8);
    head.addRect(QRectF(r.left(), r.top() + 15, r.width(), 15));
    p.fillPath(head, fascia);
    if (titolo.isEmpty()) return;
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setBold(true);
    f.setPointSize(10);
    p.setFont(f);
    p.drawText(QRectF(r.left() + 14, r.top(), r.width() - 28, 30), Qt::AlignVCenter | Qt::AlignLeft, titolo);
}

} // namespace immaginiStampaBollettino
