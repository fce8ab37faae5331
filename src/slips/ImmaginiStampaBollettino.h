#pragma once

#include <QColor>
#include <QPixmap>
#include <QRectF>
#include <QSize>
#include <QString>

class QPainter;

// The instruction pictures of the two slip print dialogs, drawn at the screen's resolution.
namespace immaginiStampaBollettino {

// A form on the printer's sheet, moved by the top and left margins.
QPixmap margini(const QSize& size, qreal devicePixelRatio);
// A printer with the blank slip in its tray and the paper guides closed up to it.
QPixmap vassoio(const QSize& size, qreal devicePixelRatio);
// A landscape A4 sheet with the slip printed in its lower half.
QPixmap foglioA4(const QSize& size, qreal devicePixelRatio);

// A card of the slip screens: a white rounded card with a coloured heading band 30 pixels high
// carrying `titolo` in white (none when empty).
void carta(QPainter& p, const QRectF& r, const QString& titolo, const QColor& fascia);

} // namespace immaginiStampaBollettino
