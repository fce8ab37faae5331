#include "TfrmAvvio.h"

#include "GuidaProgramma.h"
#include "ui/Picture.h"
#include "ui/Shell.h"
#include "ui/TfrmGuida.h"
#include "TfrmInfo.h"
#include "TfrmSplash.h"
#include "print/Palette.h"

#include <QCloseEvent>
#include <QPainter>

namespace {
constexpr QSize kPanel(995, 692);
}

TfrmAvvio::TfrmAvvio(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmAvvio"));
    setWindowTitle(QStringLiteral(" Versalio"));
    setWindowIcon(QIcon(QStringLiteral(":/pictures/app_icon.svg")));

    m_panel = new QWidget(this);
    m_panel->setObjectName(QStringLiteral("panAvvio"));
    m_panel->resize(kPanel);

    auto pic = [this](const char* name, const char* res, QRect geo, bool clickable = true) {
        auto* p = new Picture(QLatin1String(name), QStringLiteral(":/pictures/%1.svg").arg(QLatin1String(res)),
                              m_panel, clickable);
        p->setGeometry(geo);
        return p;
    };
    pic("imgTitolo", "title", QRect(197, 30, 600, 70), false)->setAccessibleName(QStringLiteral("Versalio"));
    pic("imgSottotitolo", "subtitle", QRect(197, 108, 600, 36), false)
        ->setAccessibleName(QStringLiteral("Compilazione, stampa e archivio dei bollettini postali"));

    struct Tile {
        Picture **img, **btn, **inf;
        const char *imgName, *btnName, *infName, *key;
        int x;
        void (TfrmAvvio::*open)();
    };
    const Tile tiles[] = {
        {&imgAnagrafica, &btnAnagrafica, &infAnagrafica, "imgAnagrafica", "btnAnagrafica", "infAnagrafica",
         "anagrafica", 24, &TfrmAvvio::apriAnagrafica},
        {&imgBollettino, &btnBollettino, &infBollettino, "imgBollettino", "btnBollettino", "infBollettino",
         "bollettino", 352, &TfrmAvvio::apriBollettino},
        {&imgRiepilogo, &btnRiepilogo, &infRiepilogo, "imgRiepilogo", "btnRiepilogo", "infRiepilogo", "riepilogo",
         682, &TfrmAvvio::apriRiepilogo},
    };
    for (const Tile& t : tiles) {
        const QString key = QLatin1String(t.key);
        *t.img = pic(t.imgName, qPrintable(QStringLiteral("tile_") + key), QRect(t.x, 180, 289, 253));
        *t.btn = pic(t.btnName, qPrintable(QStringLiteral("caption_") + key), QRect(t.x + 4, 440, 281, 42));
        *t.inf = pic(t.infName, qPrintable(QStringLiteral("desc_") + key), QRect(t.x, 492, 288, 102));
        for (Picture* p : {*t.img, *t.btn, *t.inf}) connect(p, &Picture::clicked, this, t.open);
        // One stop per tile for the keyboard: its caption.
        for (Picture* p : {*t.img, *t.inf}) p->setFocusPolicy(Qt::NoFocus);
    }
    // Screen readers name each tile's three pictures by the tile's caption, and tell what it holds.
    const QString nomi[] = {QStringLiteral("Archivio anagrafico"), QStringLiteral("Bollettini postali"),
                            QStringLiteral("Riepilogo versamenti")};
    const QString descrizioni[] = {
        QStringLiteral("Beneficiari ed esecutori: schede, controlli e allegati, importabili nei bollettini."),
        QStringLiteral("Compila, stampa e archivia i bollettini postali TD 123 in archivi annuali."),
        QStringLiteral("I versamenti di un periodo, per esecutore o conto, con il totale degli importi.")};
    for (int i = 0; i < 3; ++i) {
        const Tile& t = tiles[i];
        for (Picture* p : {*t.img, *t.btn, *t.inf}) {
            p->setAccessibleName(nomi[i]);
            p->setAccessibleDescription(descrizioni[i]);
        }
    }

    imgSito = pic("imgSito", "banner_sito", QRect(17, 628, 961, 22));
    imgInfo = pic("imgInfo", "icon_info", QRect(12, 12, 40, 40));
    imgGuida = pic("imgGuida", "icon_guida", QRect(943, 12, 40, 40));
    imgCopyright = pic("imgCopyright", "icon_copyright", QRect(12, 654, 34, 34));
    imgEsci = pic("imgEsci", "icon_esci", QRect(949, 654, 34, 34));
    imgSito->setToolTip(kSitoWeb);
    imgEsci->setToolTip(QStringLiteral("Esci"));
    imgGuida->setToolTip(QStringLiteral("Guida"));
    imgInfo->setToolTip(QStringLiteral("Informazioni su Versalio"));
    imgCopyright->setToolTip(QStringLiteral("Copyright"));

    connect(imgGuida, &Picture::clicked, this, &TfrmAvvio::imgGuidaClick);
    connect(imgInfo, &Picture::clicked, this, &TfrmAvvio::imgInfoClick);
    connect(imgCopyright, &Picture::clicked, this, &TfrmAvvio::imgCopyrightClick);
    connect(imgSito, &Picture::clicked, this, &TfrmAvvio::imgSitoClick);
    connect(imgEsci, &Picture::clicked, this, &TfrmAvvio::esci);
}

void TfrmAvvio::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, palette::steel);
    g.setColorAt(1, Qt::white);
    p.fillRect(rect(), g);
}

void TfrmAvvio::resizeEvent(QResizeEvent*) {
    m_panel->move(std::max(0, (width() - kPanel.width()) / 2), std::max(0, (height() - kPanel.height()) / 2));
}

void TfrmAvvio::closeEvent(QCloseEvent* e) {
    e->accept();
    emit esci();
}

void TfrmAvvio::imgGuidaClick() { mostraGuida(this, guidaProgramma::titolo(), guidaProgramma::testo()); }

void TfrmAvvio::imgInfoClick() {
    TfrmInfo info(this);
    info.exec();
}

void TfrmAvvio::imgCopyrightClick() {
    TfrmSplash splash(this);
    splash.exec();
}

void TfrmAvvio::imgSitoClick() { TMisc::Open(kSitoWeb); }
