#include "Comandi.h"

#include "EntryForm.h"
#include "print/Palette.h"

#include <QLabel>
#include <QToolButton>

namespace {
QToolButton* pulsante(QWidget* panel, EntryForm* form, const Comando& c) {
    auto* b = new QToolButton(panel);
    b->setObjectName(QLatin1String(c.name));
    b->setIcon(QIcon(QStringLiteral(":/pictures/%1.svg").arg(QLatin1String(c.picture))));
    b->setAutoRaise(true);
    b->setCursor(Qt::PointingHandCursor);
    form->hint(b, c.hint);
    // Screen readers say the caption; a picture-only button is named by what it does.
    b->setAccessibleName(*c.caption ? QString::fromUtf8(c.caption) : c.hint);
    b->setAccessibleDescription(c.hint);
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
        b->setStyleSheet(palette::sheet(QStringLiteral("QToolButton { text-align: left; font-weight: bold; color: @ink; "
                                        "border-radius: 6px; padding-left: 6px; }"
                                        "QToolButton:hover { background: rgba(255,255,255,0.75); }")));
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

namespace comandi {
Comando nuovo(QToolButton** b) {
    return {b, "cmdNuovo", "Nuovo", "cmd_nuovo",
            QStringLiteral("Prepara la schermata per la registrazione di una nuova scheda.")};
}
Comando duplica(QToolButton** b) {
    return {b, "cmdDuplica", "Duplica", "cmd_duplica",
            QStringLiteral("Prepara la schermata per la registrazione di una nuova scheda duplicando i dati correnti.")};
}
Comando salva(QToolButton** b) {
    return {b, "cmdSalva", "Salva", "cmd_salva", QStringLiteral("Salva la scheda corrente in archivio.")};
}
Comando allega(QToolButton** b, const char* name) {
    return {b, name, "Allega file", "cmd_allega", QStringLiteral("Allega file alla scheda corrente.")};
}
Comando trova(QToolButton** b) {
    return {b, "cmdTrova", "Trova", "cmd_trova", QStringLiteral("Trova una scheda in archivio.")};
}
Comando esporta(QToolButton** b, const char* caption) {
    return {b, "cmdEsporta", caption, "cmd_esporta",
            QStringLiteral("Esporta le schede in archivio in un file di Microsoft Excel.")};
}
Comando guida(QToolButton** b) {
    return {b, "cmdGuida", "Guida", "cmd_guida", QStringLiteral("Visualizza la pagina della guida sensibile al contesto.")};
}
Comando esci(QToolButton** b) {
    return {b, "cmdEsci", "Esci", "cmd_esci", QStringLiteral("Esci da questa schermata di lavoro.")};
}
} // namespace comandi

void barraNavigazione(QWidget* panel, EntryForm* form, const Frecce& f, QPoint topLeft, QSize pulsante,
                      QSize etichetta) {
    constexpr int kGap = 4;
    const int y = topLeft.y();
    int x = topLeft.x();
    auto next = [&](int width) {
        const int at = x;
        x += width + kGap;
        return at;
    };
    const QRect primo(QPoint(next(pulsante.width()), y), pulsante);
    const QRect indietro(QPoint(next(pulsante.width()), y), pulsante);
    const QRect posizione(QPoint(next(etichetta.width()), y + (pulsante.height() - etichetta.height()) / 2), etichetta);
    const QRect avanti(QPoint(next(pulsante.width()), y), pulsante);
    const QRect ultimo(QPoint(next(pulsante.width()), y), pulsante);
    pulsantiImmagine(panel, form,
                     {
                         {f.primo, "cmdPrimo", "", "arrow_primo",
                          QStringLiteral("Visualizza la prima scheda in archivio."), primo},
                         {f.indietro, "cmdIndietro", "", "arrow_indietro",
                          QStringLiteral("Visualizza la scheda precedente in archivio."), indietro},
                         {f.avanti, "cmdAvanti", "", "arrow_avanti",
                          QStringLiteral("Visualizza la scheda successiva in archivio."), avanti},
                         {f.ultimo, "cmdUltimo", "", "arrow_ultimo",
                          QStringLiteral("Visualizza l'ultima scheda in archivio."), ultimo},
                     });
    auto* l = new QLabel(panel);
    l->setObjectName(QStringLiteral("lblPosizione"));
    QFont font = l->font();
    font.setBold(true);
    font.setPointSize(14);
    l->setFont(font);
    l->setAlignment(Qt::AlignCenter);
    l->setGeometry(posizione);
    l->setStyleSheet(palette::sheet(QStringLiteral("QLabel { background: white; border: 1px solid @rule; border-radius: 4px; "
                                    "color: @ink; }")));
    *f.posizione = l;
}
