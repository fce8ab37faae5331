#pragma once

#include "ui/Workspace.h"
#include "archive/SchedaAnagrafica.h"
#include "print/Report.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

// The registry of payers and beneficiaries: one card at a time, created, duplicated, saved and
// browsed, with the identity-number checks, an e-mail to the person, the attachments and the
// card's printout.
class TfrmEsecutori : public SchedaWorkspace<TSchedaAnagrafica> {
    Q_OBJECT
public:
    explicit TfrmEsecutori(QWidget* parent = nullptr);

    // Shows the workspace from the start screen with an empty new card.
    void mostra();

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

    QToolButton *cmdFile, *cmdAnteprima, *cmdStampa, *cmdPDF, *cmdRicontatta, *cmdImporta;
    QToolButton *btnEmail, *btnCodFisc, *btnPartitaIva, *btnCarta, *btnIban;

    // The card printout, filled from the screen before every print, preview or PDF.
    Report repScheda;

    void cmdSalvaClick() override;
    void cmdFileClick();
    void cmdAnteprimaClick();
    void cmdStampaClick();
    void cmdPDFClick();
    void cmdGuidaClick() override;
    void cmdTrovaClick() override;
    void cmdEsportaClick() override;
    void cmdRicontattaClick();
    void cmdImportaClick();
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
    QLineEdit* campoSotto(const char* nome, int capacita, const QString& titolo, int x, int y, int w);
    QComboBox* provincia(const char* nome, int x, int y);
    QToolButton* controlla(const char* nome, const char* picture, const QString& hint, int x, int y);
    bool riempiScheda();
};
