#pragma once

#include "PannelloFiltri.h"
#include "queries/Elenco.h"

#include <QDialog>
#include <QString>

class ListaRecords;
class PannelloRisultati;
class QLabel;
class QLineEdit;
class QPushButton;

// A list screen: a modal window of fixed size (862 x 560) centred on the screen, showing the result
// panel, and for the two search screens the filter panel first. It prints its lines as the list
// printout under its own title and loads the record behind a double-clicked line into the window
// that opened it, then closes. Each screen gives its selection, its title and its loading.
class FinestraElenco : public QDialog {
    Q_OBJECT
public:
    struct Aspetto {
        QString caption;
        QString titoloStampa;
        bool pulsantiFinestra; // false: a title bar without window buttons
        bool conConteggio;     // the count line under the list
    };
    FinestraElenco(QWidget* parent, const Aspetto& aspetto);

    PannelloRisultati* panContainer;
    QLineEdit* txtTrova;
    QPushButton* btnTrova;
    ListaRecords* lstRecords;
    QLabel* lblTrovate;
    QPushButton* btnStampa;
    QPushButton* btnChiudi;

    void btnTrovaClick();
    void btnStampaClick();
    void btnChiudiClick();
    void lstRecordsDblClick();

    const Elenco& elenco() const;

protected:
    // Loads the record behind `voce` into the opener; may throw (the screen then just closes).
    virtual void carica(const VoceElenco& voce) = 0;
    // Called once per opening, when the screen is first shown: the lists fill themselves here. The
    // window system showing it again (un-minimised, back from another desktop) calls nothing, so the
    // lines, the selection and the find text stay as the user left them.
    virtual void alMostrare() {}
    // Shows the lines, with the count line where there is one, and puts the focus in the find box.
    void mostraElenco(Elenco elenco);
    void mostraRisultati();
    void showEvent(QShowEvent* e) override;
    void done(int r) override;

private:
    QString m_titoloStampa;
    bool m_aperta = false; // shown since the last opening began
};

// A search screen: the filter panel `panAvvio` first, then, after Cerca, the result panel; there is
// no way back. Cerca counts the filters given, runs the screen's search and shows the lines; an
// archive that cannot be read is reported and leaves the filters showing.
class FinestraRicerca : public FinestraElenco {
    Q_OBJECT
public:
    FinestraRicerca(QWidget* parent, const Aspetto& aspetto, const QList<PannelloFiltri::Campo>& campi);

    PannelloFiltri* panAvvio;
    QLabel* lblConta;
    QLabel* lblAttendere;
    QPushButton* btnAnnulla;
    QPushButton* btnCerca;

    void btnCercaClick();

protected:
    // Fills `out` with the lines of the records the filters take, sorted; throws ArchiveError.
    virtual void cerca(const QList<std::pair<QString, QString>>& filtri, Elenco& out) = 0;
    void alMostrare() override;
};
