#pragma once

#include "formats/ImportazioneSchede.h"

#include <QAbstractTableModel>
#include <QDialog>

class EntryForm;
class QLabel;
class QTableView;
class QToolButton;

// The rows of a planned import as the preview shows them: what becomes of each row, the card's
// main fields, and the reason of a refusal or the warnings.
class ModelloImportazione : public QAbstractTableModel {
public:
    ModelloImportazione(const importazioneSchede::Piano& piano, QObject* parent);

    // The rows changed (the import has given them their numbers).
    void aggiorna();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const importazioneSchede::Piano& m_piano;
};

// The preview of an import of cards from a spreadsheet's CSV file: every row with what becomes of
// it, the counts, the ignored columns; "Importa" appends every accepted card, or none.
class TfrmImportaSchede : public QDialog {
    Q_OBJECT
public:
    // `registro` is the registry archive; `file` the CSV chosen by the user.
    TfrmImportaSchede(QWidget* parent, const QString& registro, const QString& file);

    // Reads and judges the file. When it cannot be imported at all (or the registry cannot be
    // read) says so and returns false: the dialog is then not to be shown.
    bool prepara();

    QToolButton *cmdImporta, *cmdGuida, *cmdEsci;
    QLabel *lblFile, *lblConteggi, *lblColonne, *lblDettaglio, *panInfo;
    QTableView* grdRighe;

    const importazioneSchede::Piano& piano() const { return m_piano; }
    // The number of the first card added, 0 while none was.
    qint64 primaAggiunta() const { return m_prima; }

    void cmdImportaClick();
    void cmdGuidaClick();
    void grdRigheRowChanged(int riga);

private:
    void mostraPiano();

    QString m_registro, m_file;
    importazioneSchede::Piano m_piano;
    ModelloImportazione* m_modello;
    EntryForm* m_form;
    qint64 m_prima = 0;
};
