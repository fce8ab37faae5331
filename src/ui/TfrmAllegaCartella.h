#pragma once

#include <QDialog>
#include <QString>

#include <array>

class Picture;
class QLabel;
class QLineEdit;
class QPushButton;

// What the dialog needs of the window that opens it: the window, its mode text ("bollettino" or
// "esecutori"), and the six hidden labels that carry the attachments of the record on screen, in
// the order File01, Desc01, File02, Desc02, File03, Desc03.
struct PortaAllegati {
    QWidget* finestra;
    QString modo;
    std::array<QLabel*, 6> etichette;
};

// Up to three attached files for the card or slip on screen, each with a description. Chosen files
// are copied at once into the attachments folder under the program folder; the names and
// descriptions go back to the opening window only on "Applica e chiudi", and reach the archive when
// that window saves.
class TfrmAllegaCartella : public QDialog {
    Q_OBJECT
public:
    // The dialog takes the six attachment texts from the opener, trimmed, and its mode text.
    explicit TfrmAllegaCartella(const PortaAllegati& porta);

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
    void costruisci();

    PortaAllegati m_porta;
    QLineEdit* m_file[3];
    QLineEdit* m_desc[3];
    QPushButton* m_apri[3];
};
