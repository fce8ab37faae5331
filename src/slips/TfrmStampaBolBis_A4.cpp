#include "TfrmStampaBolBis_A4.h"

#include "ui/ReportOutput.h"
#include "print/LayoutBollettino.h"
#include "ImmaginiStampaBollettino.h"
#include "ui/Clock.h"
#include "ui_TfrmStampaBolBis_A4.h"

TfrmStampaBolBis_A4::TfrmStampaBolBis_A4(const TSchedaBollettino& slip, QWidget* parent)
    : QDialog(parent), repBollettino_Graph(layoutBollettino::graphReport()),
      ui(std::make_unique<Ui::TfrmStampaBolBis_A4>()), m_slip(slip) {
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    imgA4 = ui->imgA4;
    btnAnteprima = ui->btnAnteprima;
    btnFoglioA4 = ui->btnFoglioA4;
    btnAnnulla = ui->btnAnnulla;

    QFont heading = ui->lblTitoloA4->font();
    heading.setPointSizeF(heading.pointSizeF() * 1.4);
    heading.setBold(true);
    ui->lblTitoloA4->setFont(heading);
    imgA4->setPixmap(immaginiStampaBollettino::foglioA4(imgA4->minimumSize(), devicePixelRatioF()));
    for (QPushButton* b : {btnAnteprima, btnFoglioA4, btnAnnulla}) b->setMinimumHeight(34);

    connect(btnAnteprima, &QPushButton::clicked, this, &TfrmStampaBolBis_A4::btnAnteprimaClick);
    connect(btnFoglioA4, &QPushButton::clicked, this, &TfrmStampaBolBis_A4::btnFoglioA4Click);
    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmStampaBolBis_A4::btnAnnullaClick);
}

TfrmStampaBolBis_A4::~TfrmStampaBolBis_A4() = default;

bool TfrmStampaBolBis_A4::prepareSlip() {
    return reportOutput::prepara(this, [this] {
        layoutBollettino::fill(repBollettino_Graph, m_slip);
        repBollettino_Graph.prepare(Clock::now());
    });
}

void TfrmStampaBolBis_A4::btnAnteprimaClick() {
    if (!prepareSlip()) return;
    reportOutput::preview(this, repBollettino_Graph);
    accept();
}

void TfrmStampaBolBis_A4::btnFoglioA4Click() {
    if (!prepareSlip()) return;
    reportOutput::print(this, repBollettino_Graph);
    accept();
}

void TfrmStampaBolBis_A4::btnAnnullaClick() { reject(); }
