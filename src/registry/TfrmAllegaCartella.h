#pragma once

#include <QDialog>

class Picture;
class QLabel;
class QLineEdit;
class QPushButton;
class TfrmBollettino;
class TfrmEsecutori;

// Up to three attached files for the card or slip on screen, each with a description. Chosen files
// are copied at once into the attachments folder under the program folder; the names and
// descriptions go back to the opening window only on "Applica e chiudi", and reach the archive when
// that window saves.
class TfrmAllegaCartella : public QDialog {
    Q_OBJECT
public:
    // Each opener hands over its window: the dialog takes the six attachment texts from it, trimmed,
    // and sets its mode text ("esecutori" or "bollettino").
    explicit TfrmAllegaCartella(TfrmEsecutori* esecutori);
    explicit TfrmAllegaCartella(TfrmBollettino* bollettino);

    // The attachments folder, with the platform's separators and no trailing one.
    static QString cartella();
    // True for a bare file name that stays inside the attachments folder.
    static bool nomeSicuro(const QString& nome);

    QLabel* lblMemory;
    QLineEdit *txtFile01, *txtFile02, *txtFile03;
    QLineEdit *txtDesc01, *txtDesc02, *txtDesc03;
    QPushButton *btnSfoglia01, *btnSfoglia02, *btnSfoglia03;
    QPushButton *btnApri01, *btnApri02, *btnApri03;
    Picture *imgCancella01, *imgCancella02, *imgCancella03;
    QPushButton *btnApplica, *btnAnnulla;

    // slot is 0, 1 or 2.
    void btnSfogliaClick(int slot);
    void btnApriClick(int slot);
    void imgCancellaClick(int slot);
    void btnApplicaClick();
    void btnAnnullaClick();

private:
    explicit TfrmAllegaCartella(QWidget* parent);
    void costruisci();
    void carica(QLabel* const (&etichette)[6]);

    TfrmEsecutori* m_esecutori = nullptr;
    TfrmBollettino* m_bollettino = nullptr;
    QLineEdit* m_file[3];
    QLineEdit* m_desc[3];
    QPushButton* m_apri[3];
};
