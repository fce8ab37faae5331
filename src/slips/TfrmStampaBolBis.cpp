#include "TfrmStampaBolBis.h"

#include "ui/ReportOutput.h"
#include "print/LayoutBollettino.h"
#include "ImmaginiStampaBollettino.h"
#include "ui/Clock.h"
#include "ui/MessageService.h"
#include "ui/ProgramFolder.h"
#include "archive/MarginSettings.h"
#include "archive/Text.h"
#include "ui_TfrmStampaBolBis.h"

#include <QShowEvent>

namespace {
const QString kScritturaFallita = QStringLiteral(
    "Attenzione: non è stato possibile salvare il margine nel file Bollettini.ini.\n\r\n\r"
    "Accertarsi che il disco non sia pieno e di possedere i privilegi di scrittura nella cartella di installazione "
    "del programma.");
}

TfrmStampaBolBis::TfrmStampaBolBis(const TSchedaBollettino& slip, QWidget* parent)
    : QDialog(parent), repBollettino_Blank(layoutBollettino::blankReport()), ui(std::make_unique<Ui::TfrmStampaBolBis>()),
      m_slip(slip) {
    ui->setupUi(this);
    // No window buttons: the dialog is left through its own buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    imgMargini = ui->imgMargini;
    imgVassoio = ui->imgVassoio;
    txtTop = ui->txtTop;
    txtLeft = ui->txtLeft;
    btnTopMinus = ui->btnTopMinus;
    btnTopPlus = ui->btnTopPlus;
    btnLeftMinus = ui->btnLeftMinus;
    btnLeftPlus = ui->btnLeftPlus;
    btnApplicaTop = ui->btnApplicaTop;
    btnApplicaLeft = ui->btnApplicaLeft;
    btnAnnulla = ui->btnAnnulla;
    btnStampa = ui->btnStampa;

    QFont big = ui->lblMargini->font();
    big.setPointSizeF(big.pointSizeF() * 1.1);
    ui->lblMargini->setFont(big);
    ui->lblVassoio->setFont(big);
    const qreal dpr = devicePixelRatioF();
    imgMargini->setPixmap(immaginiStampaBollettino::margini(imgMargini->minimumSize(), dpr));
    imgVassoio->setPixmap(immaginiStampaBollettino::vassoio(imgVassoio->minimumSize(), dpr));

    connect(btnTopMinus, &QPushButton::clicked, this, &TfrmStampaBolBis::btnTopMinusClick);
    connect(btnTopPlus, &QPushButton::clicked, this, &TfrmStampaBolBis::btnTopPlusClick);
    connect(btnLeftMinus, &QPushButton::clicked, this, &TfrmStampaBolBis::btnLeftMinusClick);
    connect(btnLeftPlus, &QPushButton::clicked, this, &TfrmStampaBolBis::btnLeftPlusClick);
    connect(btnApplicaTop, &QPushButton::clicked, this, &TfrmStampaBolBis::btnApplicaTopClick);
    connect(btnApplicaLeft, &QPushButton::clicked, this, &TfrmStampaBolBis::btnApplicaLeftClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmStampaBolBis::btnAnnullaClick);
    connect(btnStampa, &QPushButton::clicked, this, &TfrmStampaBolBis::btnStampaClick);
}

TfrmStampaBolBis::~TfrmStampaBolBis() = default;

void TfrmStampaBolBis::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TfrmStampaBolBis::FormShow() {
    const marginiStampa::Texts t = marginiStampa::load(programFolder::path());
    txtTop->setText(t.top);
    txtLeft->setText(t.left);
}

void TfrmStampaBolBis::step(QLineEdit* field, int delta) {
    const auto value = marginiStampa::parseWhole(field->text());
    if (!value) {
        msg::error(this, marginiStampa::notWholeMessage(field->text()));
        return;
    }
    field->setText(QString::number(qint64(*value) + delta));
}

void TfrmStampaBolBis::apply(QLineEdit* field, const QString& key) {
    QString why;
    if (!marginiStampa::store(programFolder::path(), key, field->text(), &why)) msg::error(this, kScritturaFallita);
}

void TfrmStampaBolBis::btnApplicaTopClick() { apply(txtTop, marginiStampa::kSuperiore); }
void TfrmStampaBolBis::btnApplicaLeftClick() { apply(txtLeft, marginiStampa::kSinistro); }

void TfrmStampaBolBis::btnAnnullaClick() { reject(); }

void TfrmStampaBolBis::btnStampaClick() {
    const auto top = marginiStampa::parseMm(txtTop->text());
    if (!top) {
        msg::error(this, marginiStampa::notNumberMessage(txtTop->text()));
        return;
    }
    const auto left = marginiStampa::parseMm(txtLeft->text());
    if (!left) {
        msg::error(this, marginiStampa::notNumberMessage(txtLeft->text()));
        return;
    }
    repBollettino_Blank.setTopMargin(*top);
    repBollettino_Blank.setLeftMargin(*left);
    if (!reportOutput::prepara(this, [this] {
            layoutBollettino::fill(repBollettino_Blank, m_slip);
            repBollettino_Blank.prepare(Clock::now());
        }))
        return;
    reportOutput::print(this, repBollettino_Blank);
    accept();
}
