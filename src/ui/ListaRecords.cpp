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
    m_spunte = QList<bool>(m_conSpunte ? m_elenco.size() : 0, true);
    m_spuntate = int(m_spunte.size());
    endResetModel();
    if (m_conSpunte) emit spunteCambiate();
}

void ModelloElenco::conSpunte(bool si) {
    m_conSpunte = si;
    imposta(std::move(m_elenco));
}

void ModelloElenco::spunta(int row, bool si) {
    if (!m_conSpunte || row < 0 || row >= m_spunte.size() || m_spunte[row] == si) return;
    m_spunte[row] = si;
    m_spuntate += si ? 1 : -1;
    emit dataChanged(index(row), index(row), {Qt::CheckStateRole});
    emit spunteCambiate();
}

void ModelloElenco::spuntaTutte(bool si) {
    if (!m_conSpunte || m_spunte.isEmpty()) return;
    m_spunte.fill(si);
    m_spuntate = si ? int(m_spunte.size()) : 0;
    emit dataChanged(index(0), index(int(m_spunte.size()) - 1), {Qt::CheckStateRole});
    emit spunteCambiate();
}

Qt::ItemFlags ModelloElenco::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractListModel::flags(index);
    if (m_conSpunte && index.isValid()) f |= Qt::ItemIsUserCheckable;
    return f;
}

bool ModelloElenco::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!m_conSpunte || role != Qt::CheckStateRole || !index.isValid()) return false;
    spunta(index.row(), value.toInt() == Qt::Checked);
    return true;
}

int ModelloElenco::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(m_elenco.size()); }

QVariant ModelloElenco::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_elenco.size()) return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) return m_elenco.riga(index.row());
    if (role == Qt::CheckStateRole && m_conSpunte) return m_spunte[index.row()] ? Qt::Checked : Qt::Unchecked;
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
