#include "PannelliElenco.h"

#include "Picture.h"
#include "print/Palette.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace pannelliElenco {

void sfondo(QWidget* panel, int altezzaFascia) {
    QPainter p(panel);
    QLinearGradient g(0, 0, 0, altezzaFascia);
    g.setColorAt(0, palette::deep);
    g.setColorAt(1, palette::steel);
    p.fillRect(QRect(0, 0, panel->width(), altezzaFascia), g);
    p.fillRect(QRect(0, altezzaFascia, panel->width(), panel->height() - altezzaFascia), palette::page);
    p.setPen(palette::rule);
    p.drawLine(0, altezzaFascia, panel->width(), altezzaFascia);
}

void icona(QWidget* panel, const QString& name, const QString& resource) {
    auto* img = new Picture(name, resource, panel);
    img->setGeometry(20, 14, 48, 48);
}

QList<QLabel*> istruzioni(QWidget* panel, const QStringList& righe) {
    QList<QLabel*> out;
    int y = 10;
    for (int i = 0; i < righe.size(); ++i) {
        auto* l = new QLabel(righe[i], panel);
        l->setObjectName(QStringLiteral("lblIstruzioni%1").arg(i + 1));
        QFont f = l->font();
        f.setPointSize(10);
        f.setBold(i == 0);
        l->setFont(f);
        l->setStyleSheet(QStringLiteral("color: white;"));
        l->setWordWrap(true);
        // A line too long for the band goes on below, and the next one after it.
        const int h = std::max(20, l->heightForWidth(760));
        l->setGeometry(84, y, 760, h);
        y += h;
        out.append(l);
    }
    return out;
}

QPushButton* pulsante(QWidget* panel, const char* name, const QString& caption, const QRect& geometry) {
    auto* b = new QPushButton(caption, panel);
    b->setObjectName(QLatin1String(name));
    b->setAccessibleName(caption);
    b->setGeometry(geometry);
    b->setCursor(Qt::PointingHandCursor);
    QFont f = b->font();
    f.setBold(true);
    b->setFont(f);
    return b;
}

} // namespace pannelliElenco
