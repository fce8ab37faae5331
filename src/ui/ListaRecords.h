#pragma once

#include "queries/Elenco.h"

#include <QAbstractListModel>
#include <QListView>

// The lines of a result list as a model: one row per line, in the list's order (sorted once, when
// the list is filled). Each row keeps the record behind it.
class ModelloElenco : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    void imposta(Elenco elenco);
    void svuota() { imposta(Elenco()); }
    const Elenco& elenco() const { return m_elenco; }

    // A list that chooses records: a tick box on every row, all ticked whenever the lines are set.
    void conSpunte(bool si);
    bool spuntata(int row) const { return row >= 0 && row < m_spunte.size() && m_spunte[row]; }
    void spunta(int row, bool si);
    void spuntaTutte(bool si);
    int spuntate() const { return m_spuntate; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    void spunteCambiate();

private:
    Elenco m_elenco;
    bool m_conSpunte = false;
    QList<bool> m_spunte;
    int m_spuntate = 0;
};

// The list control `lstRecords`: one fixed-width line per record in "Courier New" 11 points, so
// the columns of the lines stand under one another; rows 1400 pixels wide, with scroll bars. One
// line can be selected. A double click, or Enter, asks for the selected line to be loaded.
class ListaRecords : public QListView {
    Q_OBJECT
public:
    explicit ListaRecords(QWidget* parent = nullptr);

    ModelloElenco* modello() const { return m_modello; }
    // The selected row, or -1.
    int rigaSelezionata() const;
    void selezionaRiga(int row);

signals:
    // A double click anywhere on the list (also where no line is), or Enter on it.
    void richiestaCaricamento();

protected:
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    ModelloElenco* m_modello;
};
