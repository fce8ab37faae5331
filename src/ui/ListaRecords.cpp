#include "ListaRecords.h"

#include <QKeyEvent>
#include <QStyledItemDelegate>

namespace {

constexpr int kLarghezzaRiga = 1400;

// Every row has the same size: the view then lays out 100 000 lines without measuring each.
class RigaFissa : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return QSize(kLarghezzaRiga, option.fontMetrics.height() + 4);
    }
};

} // namespace

void ModelloElenco::imposta(Elenco elenco) {
    beginResetModel();
    m_elenco = std::move(elenco);
    endResetModel();
}

int ModelloElenco::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(m_elenco.size()); }

QVariant ModelloElenco::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_elenco.size()) return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) return m_elenco.riga(index.row());
    return {};
}

ListaRecords::ListaRecords(QWidget* parent) : QListView(parent), m_modello(new ModelloElenco(this)) {
    setObjectName(QStringLiteral("lstRecords"));
    setModel(m_modello);
    setItemDelegate(new RigaFissa(this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::Monospace);
    f.setPointSize(11);
    setFont(f);
    QPalette p = palette();
    p.setColor(QPalette::Text, Qt::black);
    p.setColor(QPalette::Base, Qt::white);
    setPalette(p);
}

int ListaRecords::rigaSelezionata() const {
    const QModelIndexList sel = selectionModel()->selectedIndexes();
    return sel.isEmpty() ? -1 : sel.first().row();
}

void ListaRecords::selezionaRiga(int row) {
    const QModelIndex i = m_modello->index(row, 0);
    selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
    scrollTo(i);
}

void ListaRecords::mouseDoubleClickEvent(QMouseEvent* e) {
    QListView::mouseDoubleClickEvent(e);
    emit richiestaCaricamento();
}

void ListaRecords::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        emit richiestaCaricamento();
        return;
    }
    QListView::keyPressEvent(e);
}
