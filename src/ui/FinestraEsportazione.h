#pragma once

#include "formats/Esportazione.h"

#include <QAbstractTableModel>
#include <QDialog>

class EntryForm;
class QLabel;
class QTableView;
class QToolButton;

// The cells of an export grid: a row-number column, then one column per exported field. The cells
// stay as the records hold their text and are decoded only when shown. The columns the worksheet
// marks as editable accept changes, which stay here and reach only the file.
class ModelloFoglio : public QAbstractTableModel {
public:
    explicit ModelloFoglio(const Foglio& foglio, QObject* parent = nullptr);

    void imposta(CelleFoglio righe);
    const CelleFoglio& righe() const { return m_righe; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const Foglio& m_foglio;
    CelleFoglio m_righe;
};

// The screen both exports share: the archive in a grid, three picture buttons above it (export,
// help, exit) and an information bar below. The export writes the grid's cells into the
// worksheet in the program folder and offers to open it.
class FinestraEsportazione : public QDialog {
    Q_OBJECT
public:
    struct Guida {
        QString titolo;
        QString primoParagrafo;
    };
    FinestraEsportazione(const Foglio& foglio, const QString& caption, Guida guida, QWidget* parent);

    QTableView* grdRecords;
    QToolButton *cmdEsporta, *cmdGuida, *cmdEsci;
    QLabel* panInfo;

    ModelloFoglio* modello() const { return m_modello; }
    QString percorsoFile() const;

protected:
    // Appends the archive's rows; throws ArchiveError, keeping the rows read.
    virtual void leggi(CelleFoglio& righe) = 0;
    void showEvent(QShowEvent* e) override;

private:
    void riempi();
    void cmdEsportaClick();
    void cmdGuidaClick();

    const Foglio& m_foglio;
    Guida m_guida;
    ModelloFoglio* m_modello;
    EntryForm* m_form;
    bool m_riempita = false;
};
