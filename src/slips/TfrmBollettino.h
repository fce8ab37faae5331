#pragma once

#include "ui/ArchivioSchede.h"
#include "ui/TfrmAllegaCartella.h"
#include "ui/Workspace.h"
#include "archive/SchedaBollettino.h"
#include "print/SlipValues.h"

#include <QHash>
#include <QList>
#include <memory>

class EntryForm;
class Picture;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

// The slip workspace: choose a year, compile a slip, save it into the year's archive, browse the
// saved slips, duplicate one, mark it paid, and open the screens that print, find, list and export.
class TfrmBollettino : public Workspace {
    Q_OBJECT
public:
    explicit TfrmBollettino(QWidget* parent = nullptr);

    // Shows the workspace from the start screen: year panel, current year, an empty slip.
    void mostra();
    // Puts a slip read from the archive on screen with its 1-based position.
    void caricaScheda(const TSchedaBollettino& r, qint64 posizione);
    // The slip's texts as the fields show them, saved or not.
    SlipValues valoriSchermo() const;

    // Year panel.
    QWidget* panAvvio;
    QLineEdit* txtAnno;
    QPushButton* btnApri;
    Picture* imgGuida;
    Picture* imgEsci;

    // Slip panel.
    QWidget* panContainer;
    QLineEdit *txtCCP, *txtImporto, *txtCents, *txtImpLettere, *txtCentLettere;
    QLineEdit *txtIntestatario, *txtIndirizzoInt, *txtCausale01, *txtCausale02;
    QLineEdit *txtEsecutore, *txtIndirizzoRes, *txtCapRes, *txtComuneRes;
    QLineEdit *txtDataScade, *txtDataPaga, *txtTimbro, *txtNote;
    QLabel* txtIntero;
    QCheckBox* chkSaldato;
    QLabel *lblFile01, *lblFile02, *lblFile03, *lblDesc01, *lblDesc02, *lblDesc03;
    QLabel* lblFile;
    QLabel* lblPosizione;
    QLabel* panInfo;
    QToolButton *cmdNuovo, *cmdDuplica, *cmdSalva, *cmdAllega, *cmdTrova, *cmdStampa_su_Modulo, *cmdStampa_su_A4,
        *cmdDaSaldare, *cmdScaduti, *cmdEsporta, *cmdGuida, *cmdEsci;
    QToolButton *cmdPrimo, *cmdIndietro, *cmdAvanti, *cmdUltimo;
    QToolButton *impIntestatario, *impEsecutore;

    EntryForm* form;
    // The attachment labels and mode text handed to the attachments dialog.
    PortaAllegati allegati();

    void btnApriClick();
    void cmdNuovoClick();
    void cmdSalvaClick();
    void cmdDuplicaClick();
    void cmdAllegaClick();
    void cmdPrimoClick();
    void cmdUltimoClick();
    void cmdAvantiClick();
    void cmdIndietroClick();
    void cmdGuidaClick();
    void cmdStampa_su_ModuloClick();
    void cmdStampa_su_A4Click();
    void cmdTrovaClick();
    void cmdDaSaldareClick();
    void cmdScadutiClick();
    void impIntestatarioClick();
    void impEsecutoreClick();
    void txtImportoKeyUp();
    void txtCentsKeyUp();
    void txtCentsExit();
    void txtDataScadeKeyDown(QKeyEvent* e);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent*) override;

private:
    void costruisciAnno();
    void costruisciScheda();
    void svuota();
    void normalizzaImporto();
    void apriCalendario();
    std::unique_ptr<ArchivioSchede<TSchedaBollettino>> m_archivio;
    QHash<QString, QWidget*> m_campi; // record field name -> control, all but the paid box
    QList<QLineEdit*> campiTesto() const;
};
