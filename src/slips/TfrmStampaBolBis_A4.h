#pragma once

#include "print/Report.h"
#include "archive/SchedaBollettino.h"

#include <QDialog>
#include <memory>

class QLabel;
class QPushButton;
namespace Ui {
class TfrmStampaBolBis_A4;
}

// Prints the whole slip, its graphics included, onto a plain A4 sheet, or previews it first.
class TfrmStampaBolBis_A4 : public QDialog {
    Q_OBJECT
public:
    // `slip` is the slip as the workspace shows it, saved or not.
    explicit TfrmStampaBolBis_A4(const TSchedaBollettino& slip, QWidget* parent = nullptr);
    ~TfrmStampaBolBis_A4() override;

    QLabel* imgA4;
    QPushButton *btnAnteprima, *btnFoglioA4, *btnAnnulla;

    Report repBollettino_Graph;

    void btnAnteprimaClick();
    void btnFoglioA4Click();
    void btnAnnullaClick();

private:
    bool prepareSlip();

    std::unique_ptr<Ui::TfrmStampaBolBis_A4> ui;
    TSchedaBollettino m_slip;
};
