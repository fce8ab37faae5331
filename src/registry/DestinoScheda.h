#pragma once

#include "archive/SchedaAnagrafica.h"

#include <QList>
#include <QString>
#include <functional>
#include <utility>

class QWidget;

// The window that opened the registry picker or the to-recontact list, as those screens see it:
// the card chosen there is written into its fields.
class DestinoScheda {
public:
    virtual ~DestinoScheda() = default;
    // Sets the opener's field named `campo` ("txtCCP", "txtEsecutore", ...) to `valore`.
    virtual void impostaCampo(const QString& campo, const QString& valore) = 0;
    // The whole card with its 1-based position in the registry (the registry workspace).
    virtual void caricaScheda(const TSchedaAnagrafica& scheda, qint64 posizione) = 0;
};

// A window whose fields are edit fields named as the picker names them; the whole card goes to
// `carica`, where the window takes one.
class DestinoFinestra : public DestinoScheda {
public:
    explicit DestinoFinestra(QWidget* finestra,
                             std::function<void(const TSchedaAnagrafica&, qint64)> carica = nullptr)
        : m_finestra(finestra), m_carica(std::move(carica)) {}
    void impostaCampo(const QString& campo, const QString& valore) override;
    void caricaScheda(const TSchedaAnagrafica& scheda, qint64 posizione) override;

private:
    QWidget* m_finestra;
    std::function<void(const TSchedaAnagrafica&, qint64)> m_carica;
};

// What the picker writes into its opener for a card in each mode but "esecutori" (the whole card):
// (field of the opener, value) pairs; nothing for a mode it does not know.
//   "esecutore"     the payer's name and address into the slip
//   "intestatario"  account, holder, holder's address and reason into the slip
//   "riepilogo"     the account into the payment summary query
QList<std::pair<QString, QString>> campiImportati(const QString& modo, const TSchedaAnagrafica& scheda);
