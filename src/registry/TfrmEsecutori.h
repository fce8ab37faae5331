#pragma once

#include "ui/ArchivioSchede.h"
#include "ui/TfrmAllegaCartella.h"
#include "ui/Workspace.h"
#include "archive/SchedaAnagrafica.h"
#include "print/Report.h"

#include <QHash>
#include <QList>
#include <memory>

class EntryForm;
class Picture;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

// The registry of payers and beneficiaries: one card at a time, created, duplicated, saved and
// browsed, with the identity-number checks, an e-mail to the person, the attachments and the
// card's printout.
class TfrmEsecutori : public Workspace {
    Q_OBJECT
public:
    explicit TfrmEsecutori(QWidget* parent = nullptr);

    // Shows the workspace from the start screen with an empty new card.
    void mostra();
    // Puts card `numero` (1-based), as read from the archive, on screen.
    void caricaScheda(const TSchedaAnagrafica& r, qint64 numero);
    // The card as the screen shows it, keyed by record field name, saved or not.
    QHash<QString, QString> valoriSchermo() const;

    QLineEdit *txtEsecutore, *txtGG, *txtMM, *txtAA, *txtComuneNasc;
    QComboBox* txtProvNasc;
    QLineEdit *txtSesso, *txtRecapito, *txtIndirizzoRes;
    QComboBox* txtProvRes;
    QLineEdit *txtComuneRes, *txtCapRes, *txtCategoria;
    QLineEdit *txtTelCasa, *txtTelUff, *txtTelCel, *txtFax, *txtEmail;
    QLineEdit *txtCodFisc, *txtCarta, *txtScadeCarta, *txtPartitaIva, *txtIban;
    QLineEdit *txtTipoDoc, *txtNumDoc, *txtEnteRil, *txtDataRil, *txtDataSca, *txtCCP;
    QLineEdit *txtCausale01, *txtCausale02, *txtNote;
    QCheckBox* chkRicontatta;
    QLabel *lblFile01, *lblFile02, *lblFile03, *lblDesc01, *lblDesc02, *lblDesc03;
    QLabel* lblPosizione;
    QLabel* panInfo;
    QWidget* panContainer;

    QToolButton *cmdNuovo, *cmdDuplica, *cmdSalva, *cmdFile, *cmdTrova, *cmdAnteprima, *cmdStampa, *cmdPDF,
        *cmdRicontatta, *cmdEsporta, *cmdGuida, *cmdEsci;
    QToolButton *cmdPrimo, *cmdIndietro, *cmdAvanti, *cmdUltimo;
    QToolButton *btnEmail, *btnCodFisc, *btnPartitaIva, *btnCarta, *btnIban;

    EntryForm* form;
    // The attachment labels and mode text handed to the attachments dialog.
    PortaAllegati allegati();
    // The card printout, filled from the screen before every print, preview or PDF.
    Report repScheda;

    void cmdNuovoClick();
    void cmdDuplicaClick();
    void cmdSalvaClick();
    void cmdFileClick();
    void cmdAnteprimaClick();
    void cmdStampaClick();
    void cmdPDFClick();
    void cmdGuidaClick();
    void cmdTrovaClick();
    void cmdRicontattaClick();
    void cmdPrimoClick();
    void cmdIndietroClick();
    void cmdAvantiClick();
    void cmdUltimoClick();
    void btnEmailClick();
    void btnCodFiscClick();
    void btnPartitaIvaClick();
    void btnCartaClick();
    void btnIbanClick();
    void txtProvCanFocus(QComboBox* prov);
    void txtProvExit(QComboBox* prov);
    void txtEmailTyping();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent*) override;

private:
    void costruisci();
    void svuota();
    std::unique_ptr<ArchivioSchede<TSchedaAnagrafica>> m_archivio;
    // The 32 edit fields in record order, each with its record field name.
    QList<std::pair<QString, QWidget*>> m_campi;
    QString testo(QWidget* campo) const;
    void imposta(QWidget* campo, const QString& valore);
    void riempiScheda(bool conCalce);
};
