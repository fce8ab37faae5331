#pragma once

#include "print/Report.h"
#include "archive/SchedaBollettino.h"

#include <QDialog>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
namespace Ui {
class TfrmStampaBolBis;
}

// Prints the slip's data onto the blank pre-printed form, one character per printed box, moved
// by the top and left margins that the user steps and applies for the printer at hand.
class TfrmStampaBolBis : public QDialog {
    Q_OBJECT
public:
    // `slip` is the slip as the workspace shows it, saved or not.
    explicit TfrmStampaBolBis(const TSchedaBollettino& slip, QWidget* parent = nullptr);
    ~TfrmStampaBolBis() override;

    QLabel *imgMargini, *imgVassoio;
    QLineEdit *txtTop, *txtLeft;
    QPushButton *btnTopMinus, *btnTopPlus, *btnLeftMinus, *btnLeftPlus, *btnApplicaTop, *btnApplicaLeft;
    QPushButton *btnAnnulla, *btnStampa;

    Report repBollettino_Blank;

    void FormShow();
    void btnTopMinusClick() { step(txtTop, -1); }
    void btnTopPlusClick() { step(txtTop, +1); }
    void btnLeftMinusClick() { step(txtLeft, -1); }
    void btnLeftPlusClick() { step(txtLeft, +1); }
    void btnApplicaTopClick();
    void btnApplicaLeftClick();
    void btnAnnullaClick();
    void btnStampaClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void step(QLineEdit* field, int delta);
    void apply(QLineEdit* field, const QString& key);

    std::unique_ptr<Ui::TfrmStampaBolBis> ui;
    TSchedaBollettino m_slip;
};
