#include "Comandi.h"

#include "EntryForm.h"

#include <QToolButton>

namespace {
QToolButton* pulsante(QWidget* panel, EntryForm* form, const Comando& c) {
    auto* b = new QToolButton(panel);
    b->setObjectName(QLatin1String(c.name));
    b->setIcon(QIcon(QStringLiteral(":/pictures/%1.svg").arg(QLatin1String(c.picture))));
    b->setAutoRaise(true);
    b->setCursor(Qt::PointingHandCursor);
    form->hint(b, c.hint);
    *c.button = b;
    return b;
}
} // namespace

void colonnaComandi(QWidget* panel, EntryForm* form, const QList<Comando>& comandi, QPoint topLeft, int passo) {
    int y = topLeft.y();
    for (const Comando& c : comandi) {
        QToolButton* b = pulsante(panel, form, c);
        b->setText(QLatin1String(c.caption));
        b->setIconSize(QSize(32, 32));
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setGeometry(topLeft.x(), y, 180, 44);
        b->setStyleSheet(QStringLiteral("QToolButton { text-align: left; font-weight: bold; color: #1f3f5f; "
                                        "border-radius: 6px; padding-left: 6px; }"
                                        "QToolButton:hover { background: rgba(255,255,255,0.75); }"));
        y += passo;
    }
}

void pulsantiImmagine(QWidget* panel, EntryForm* form, const QList<Comando>& comandi) {
    for (const Comando& c : comandi) {
        QToolButton* b = pulsante(panel, form, c);
        b->setIconSize(c.geometry.size() - QSize(6, 6));
        b->setGeometry(c.geometry);
        b->setFocusPolicy(Qt::NoFocus);
    }
}
