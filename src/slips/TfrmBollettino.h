#pragma once

#include "ui/Workspace.h"
#include "archive/SchedaBollettino.h"

class Picture;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

// The slip workspace: choose a year, compile a slip, save it into the year's archive, browse the
// saved slips, duplicate one, mark it paid, and open the screens that print, find, list and export.
class TfrmBollettino : public SchedaWorkspace<TSchedaBollettino> {
    Q_OBJECT
public:
    explicit TfrmBollettino(QWidget* parent = nullptr);

    // Shows the workspace from the start screen: year panel, current year, an empty slip.
    void mostra();

    // Year panel.
    QWidget* panAvvio;
    QLineEdit* txtAnno;
    QPushButton* btnApri;
    Picture* imgGuida;
    Picture* imgEsci;

    // Slip panel.
    QLineEdit *txtCCP, *txtImporto, *txtCents, *txtImpLettere, *txtCentLettere;
    QLineEdit *txtIntestatario, *txtIndirizzoInt, *txtCausale01, *txtCausale02;
    QLineEdit *txtEsecutore, *txtIndirizzoRes, *txtCapRes, *txtComuneRes;
    QLineEdit *txtDataScade, *txtDataPaga, *txtTimbro, *txtNote;
    QLabel* txtIntero;
    QCheckBox* chkSaldato;
    QLabel* lblFile; // the year's archive
    QToolButton *cmdAllega, *cmdStampa_su_Modulo, *cmdStampa_su_A4, *cmdDaSaldare, *cmdScaduti, *cmdEmissione;
    QToolButton *impIntestatario, *impEsecutore;

    void btnApriClick();
    void cmdSalvaClick() override;
    void cmdAllegaClick();
    void cmdGuidaClick() override;
    void cmdStampa_su_ModuloClick();
    void cmdStampa_su_A4Click();
    void cmdTrovaClick() override;
    void cmdEsportaClick() override;
    void cmdDaSaldareClick();
    void cmdScadutiClick();
    void cmdEmissioneClick();
    void impIntestatarioClick();
    void impEsecutoreClick();
    void txtImportoKeyUp();
    void txtCentsKeyUp();
    void txtCentsExit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent*) override;

private:
    void costruisciAnno();
    void normalizzaImporto();
    void apriCalendario();
};
