#include "TfrmCalendario.h"

#include "TfrmBollettino.h"
#include "ui/Clock.h"
#include "archive/Dates.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TfrmCalendario::TfrmCalendario(TfrmBollettino* bollettino) : TfrmCalendario(bollettino, bollettino->txtDataScade) {}

TfrmCalendario::TfrmCalendario(QWidget* parent, QLineEdit* destinazione)
    : QDialog(parent), m_destinazione(destinazione) {
    setObjectName(QStringLiteral("frmCalendario"));
    setWindowTitle(QStringLiteral(" Importazione data"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(360, 330);

    auto* prompt = new QLabel(QStringLiteral("Importare una data:"), this);
    QFont f = prompt->font();
    f.setBold(true);
    prompt->setFont(f);
    prompt->setGeometry(16, 10, 328, 26);

    lblMemory = new QLabel(this);
    lblMemory->setObjectName(QStringLiteral("lblMemory"));
    lblMemory->hide();

    calAppuntamenti = new QCalendarWidget(this);
    calAppuntamenti->setObjectName(QStringLiteral("calAppuntamenti"));
    calAppuntamenti->setAccessibleName(QStringLiteral("Calendario"));
    calAppuntamenti->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    calAppuntamenti->setFirstDayOfWeek(Qt::Monday);
    calAppuntamenti->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calAppuntamenti->setGeometry(16, 40, 328, 230);
    const QDate oggi = Clock::today();
    calAppuntamenti->setSelectedDate(oggi);
    calAppuntamenti->setCurrentPage(oggi.year(), oggi.month());

    btnAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    btnAnnulla->setObjectName(QStringLiteral("btnAnnulla"));
    btnAnnulla->setGeometry(136, 284, 100, 32);
    btnImportaData = new QPushButton(QStringLiteral("Importa"), this);
    btnImportaData->setObjectName(QStringLiteral("btnImportaData"));
    btnImportaData->setGeometry(244, 284, 100, 32);
    btnImportaData->setDefault(true);
    connect(btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnImportaData, &QPushButton::clicked, this, &TfrmCalendario::btnImportaDataClick);
    // A double click on a day imports it at once.
    connect(calAppuntamenti, &QCalendarWidget::activated, this, &TfrmCalendario::btnImportaDataClick);
}

void TfrmCalendario::btnImportaDataClick() {
    if (lblMemory->text() != QLatin1String("datascade")) return;
    m_destinazione->setText(dates::format(calAppuntamenti->selectedDate()));
    accept();
}
