#pragma once

#include "checks/Verdetto.h"

#include <QColor>
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The common frame of the four identity-number checks: a heading band, the instruction, one edit
// field and the buttons "Controlla" and "Chiudi". Each check tells it its texts, its key and
// typing rules and the routine that judges the field. The dialogs only report; nothing is written
// back to the opener.
class CheckDialog : public QDialog {
    Q_OBJECT
public:
    // The opener's text, as given: it is not filtered, put in capitals or cut to the field's
    // length, so the check judges exactly what the opener holds.
    void setTesto(const QString& testo);
    QString testo() const;

    QLabel* const lblTitolo;
    QPushButton* const btnControlla;
    QPushButton* const btnChiudi;

protected:
    struct Aspetto {
        QString titolo;       // window title
        QString intestazione; // heading drawn in the band
        QString istruzioni;   // text of lblTitolo
        QString nomeCampo;    // objectName of the edit field
        int lunghezzaMassima;
        bool soloCifre; // key rule: digits and the editing keys only
        bool ripulisce; // typing rule: trimmed and in capitals after every edit
        QColor colore;  // the band and the background gradient
        Verdetto (*giudica)(const QString& campo);
    };

    CheckDialog(const Aspetto& aspetto, QWidget* parent);

    QLineEdit* const campo;

    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    bool campoKeyDown(QKeyEvent* event); // true when the key is consumed
    void campoTyping(const QString& testo);
    void btnControllaClick();
    void btnChiudiClick();

    const Aspetto aspetto_;
};
