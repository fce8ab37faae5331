#pragma once

#include <QRect>
#include <QSize>
#include <QStringList>

class QLabel;
class QPushButton;
class QWidget;

// The look the list screens share: a steel-blue band with the picture and the instructions at the
// top, a light body below, and plain captioned buttons.
namespace pannelliElenco {

inline constexpr QSize kDimensione(862, 560);

// Paints the band (`altezzaFascia` pixels high) and the body of `panel`.
void sfondo(QWidget* panel, int altezzaFascia);
// The picture at the band's left.
void icona(QWidget* panel, const QString& name, const QString& resource);
// The instruction lines in the band, right of the picture, one label each, wrapped where they are
// too long; the last label's bottom tells where the band's content ends.
QList<QLabel*> istruzioni(QWidget* panel, const QStringList& righe);
QPushButton* pulsante(QWidget* panel, const char* name, const QString& caption, const QRect& geometry);

} // namespace pannelliElenco
