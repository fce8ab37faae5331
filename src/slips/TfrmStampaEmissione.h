#pragma once

#include "archive/SchedaBollettino.h"

#include <QDialog>
#include <QList>

class QLabel;
class QPushButton;

// After a batch is in the archive: prints its slips on the blank form (the stored margins, one
// printer dialog) or on A4 into one PDF, as often as wanted, until "Chiudi".
class TfrmStampaEmissione : public QDialog {
    Q_OBJECT
public:
    TfrmStampaEmissione(const QList<TSchedaBollettino>& bollettini, qint64 primo, QWidget* parent);

    QLabel* lblEsito;
    QPushButton *btnModulo, *btnA4, *btnChiudi;

    void btnModuloClick();
    void btnA4Click();

private:
    QList<TSchedaBollettino> m_bollettini;
};
