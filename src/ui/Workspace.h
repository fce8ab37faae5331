#pragma once

#include "ArchivioSchede.h"
#include "Comandi.h"
#include "TfrmAllegaCartella.h"

#include <QList>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

class EntryForm;
class QPainter;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

// The record fields a workspace shows, each bound to the control that shows it: the one table that
// loads a record onto the screen, builds the record from the screen (to save or to print it) and
// clears the screen for a new one.
class RecordFields {
public:
    // `controllo` is a QLineEdit, an editable QComboBox, a QLabel, or a QCheckBox for a yes/no flag;
    // `vuoto` is what it shows on a new record. Binding a field again replaces its binding.
    void bind(const QString& nome, QWidget* controllo, const QString& vuoto = QString());
    QWidget* control(const QString& nome) const;

    QString text(const QString& nome) const;
    // A flag box changes only for the two flag texts; anything else leaves it as it was.
    void setText(const QString& nome, const QString& valore);
    void clear();

    template <class T> void load(const T& r) {
        forEachField(r, [this](const char* nome, const auto& campo) { setText(QLatin1String(nome), campo.get()); });
    }
    template <class T> T record() const {
        T r{};
        forEachField(r, [this](const char* nome, auto& campo) { campo.set(text(QLatin1String(nome))); });
        return r;
    }

private:
    struct Campo {
        QString nome;
        QWidget* controllo;
        QString vuoto;
    };
    QList<Campo> m_campi;
};

// The builders of a panel of fields, for the workspaces and for any other screen of fields alike: a
// caption in the program's blue, bold unless told otherwise, and an entry field named `nome` with its
// capacity and the name a screen reader says.
namespace panelFields {
QLabel* label(QWidget* panel, const QString& testo, QRect geometry, qreal punti = 0, bool grassetto = true);
QLineEdit* field(QWidget* panel, const QString& nome, int capacita, QRect geometry, const QString& nomeAccessibile);
} // namespace panelFields

// A long-lived workspace window: a panel of record fields with its information bar, the column of
// commands, the arrows with the position between them, and the attachments of the record on screen.
// Closing it only hides it, and the start screen comes back.
class Workspace : public QWidget {
    Q_OBJECT
public:
    using Sfondo = void (*)(QPainter&);

    QWidget* panContainer;
    QLabel* panInfo;
    // The attachments of the record on screen, hidden; and its 1-based position, empty for a new one.
    QLabel *lblFile01, *lblFile02, *lblFile03, *lblDesc01, *lblDesc02, *lblDesc03;
    QLabel* lblPosizione;
    QToolButton *cmdNuovo, *cmdDuplica, *cmdSalva, *cmdTrova, *cmdEsporta, *cmdGuida, *cmdEsci;
    QToolButton *cmdPrimo, *cmdIndietro, *cmdAvanti, *cmdUltimo;
    EntryForm* form;

    const RecordFields& fields() const { return m_campi; }
    // The attachment labels and mode text handed to the attachments dialog.
    PortaAllegati attachments();

    virtual void cmdNuovoClick() = 0;
    virtual void cmdDuplicaClick() = 0;
    virtual void cmdSalvaClick() = 0;
    virtual void cmdGuidaClick() = 0;
    virtual void cmdTrovaClick() = 0;
    virtual void cmdEsportaClick() = 0;
    virtual void cmdPrimoClick() = 0;
    virtual void cmdIndietroClick() = 0;
    virtual void cmdAvantiClick() = 0;
    virtual void cmdUltimoClick() = 0;

signals:
    void chiuso();

protected:
    // `sfondo` draws the panel behind the fields (antialiased); `modo` names the workspace to the
    // attachments dialog.
    Workspace(Sfondo sfondo, QSize dimensioni, const QString& modo, QWidget* parent);

    // The information bar at `geometry`; whenever the panel is shown it says `pronto`.
    void infoBar(QRect geometry, const QString& stile, const QString& pronto);
    // A bold caption on the panel; moving the mouse over it clears the information bar.
    QLabel* label(const QString& testo, QRect geometry, qreal punti = 0);
    // An entry field named "txt" + the record field it shows, bound to that field, with the label
    // beside it as the name a screen reader says.
    QLineEdit* field(const char* nome, int capacita, QRect geometry, QLabel* etichetta);
    // The same for a field without a label of its own (a second line, the cents).
    QLineEdit* field(const char* nome, int capacita, QRect geometry, const QString& nomeAccessibile);
    // An entry field with a list of choices (an editable combo box) named "txt" + the record field,
    // bound to that field; it accepts texts that are not in the list. A screen reader says
    // `nomeAccessibile` both for the box and for the edit line inside it, where the typing happens.
    QComboBox* comboField(const char* nome, const QStringList& voci, int capacita, QRect geometry,
                           const QString& nomeAccessibile);
    // A yes/no flag named "chk" + the record field.
    QCheckBox* checkBox(const char* nome, const QString& testo, QRect geometry);
    // Binds a control built otherwise to a record field.
    void bind(const QString& nome, QWidget* controllo, const QString& vuoto = QString());
    // The column of commands: Nuovo, Duplica, Salva, the attachments button `allega`, Trova, then the
    // workspace's own commands, Esporta with its caption, Guida and Esci. The common ones answer to
    // the handlers above.
    void commandColumn(QToolButton** allega, const char* nomeAllega, const QList<Comando>& propri, const char* esporta,
                 QPoint topLeft, int passo);
    // The four arrows with the position label between them.
    void arrows(QPoint topLeft, QSize pulsante, QSize etichetta);

    // A field no record is saved without: when it is blank, says `avviso` and puts the focus in it.
    bool filled(QLineEdit* campo, const QString& avviso);
    // Opens the attachments dialog on the record on screen.
    void openAttachments();
    // The screen ready for a new record.
    void clear();

    void closeEvent(QCloseEvent* e) override;
    void paintEvent(QPaintEvent*) override; // the program's steel-blue to white background
    bool eventFilter(QObject* watched, QEvent* event) override;

    RecordFields m_campi;

private:
    QString m_modo;
    QString m_pronto;
};

// A workspace over an archive of records of type T: the record on screen goes through the table of
// fields, the archive through ArchivioSchede.
template <class T> class SchedaWorkspace : public Workspace {
public:
    void cmdNuovoClick() override;
    void cmdDuplicaClick() override;
    void cmdPrimoClick() override { archivio().primo(); }
    void cmdIndietroClick() override { archivio().indietro(); }
    void cmdAvantiClick() override { archivio().avanti(); }
    void cmdUltimoClick() override { archivio().ultimo(); }

    // Puts a record read from the archive on screen with its 1-based position.
    void caricaScheda(const T& r, qint64 posizione) {
        this->m_campi.load(r);
        lblPosizione->setText(QString::number(posizione));
    }
    // The record as the screen shows it, saved or not.
    T scheda() const { return this->m_campi.template record<T>(); }

protected:
    // `percorso` names the archive at the moment of each command.
    SchedaWorkspace(Sfondo sfondo, QSize dimensioni, const QString& modo, std::function<QString()> percorso,
                    QWidget* parent)
        : Workspace(sfondo, dimensioni, modo, parent), m_percorso(std::move(percorso)) {}

    // Where the focus goes on a new record, and after Duplica.
    void campiIniziali(QWidget* nuovo, QWidget* duplicato) {
        m_nuovo = nuovo;
        m_duplicato = duplicato;
    }
    void salvaScheda(MessageService::Kind failure) { archivio().salva(scheda(), failure); }

private:
    ArchivioSchede<T>& archivio() {
        if (!m_archivio)
            m_archivio = std::make_unique<ArchivioSchede<T>>(
                this, lblPosizione, m_percorso, [this](const T& r, qint64 posizione) { caricaScheda(r, posizione); });
        return *m_archivio;
    }

    std::function<QString()> m_percorso;
    std::unique_ptr<ArchivioSchede<T>> m_archivio;
    QWidget* m_nuovo = nullptr;
    QWidget* m_duplicato = nullptr;
};

// Moves `panel` to the middle of `host`, never above or left of its corner.
void centra(QWidget* panel, QWidget* host);

#include "EntryForm.h"

template <class T> void SchedaWorkspace<T>::cmdNuovoClick() {
    clear();
    EntryForm::focusField(m_nuovo);
}

template <class T> void SchedaWorkspace<T>::cmdDuplicaClick() {
    if (!archivio().duplica({lblFile01, lblFile02, lblFile03, lblDesc01, lblDesc02, lblDesc03})) return;
    EntryForm::focusField(m_duplicato);
    archivio().duplicato();
}
