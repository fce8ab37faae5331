#include "Workspace.h"

#include "Picture.h"

#include <QCloseEvent>
#include <QPainter>

Workspace::Workspace(QWidget* parent) : QWidget(parent) { caricaImmagini(); }

void Workspace::closeEvent(QCloseEvent* e) {
    e->ignore();
    hide();
    emit chiuso();
}

void Workspace::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(0x46, 0x82, 0xB4));
    g.setColorAt(1, Qt::white);
    p.fillRect(rect(), g);
}

void centra(QWidget* panel, QWidget* host) {
    panel->move(std::max(0, (host->width() - panel->width()) / 2),
                std::max(0, (host->height() - panel->height()) / 2));
}
