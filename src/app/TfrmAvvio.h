#pragma once

#include <QWidget>

class Picture;

// The start screen: three tiles open the workspaces; the small pictures open help, about, the
// notice and the web site, or end the program.
class TfrmAvvio : public QWidget {
    Q_OBJECT
public:
    explicit TfrmAvvio(QWidget* parent = nullptr);

    Picture *imgBollettino, *infBollettino, *btnBollettino;
    Picture *imgAnagrafica, *infAnagrafica, *btnAnagrafica;
    Picture *imgRiepilogo, *infRiepilogo, *btnRiepilogo;
    Picture *imgGuida, *imgInfo, *imgCopyright, *imgSito, *imgEsci;

signals:
    void apriBollettino();
    void apriAnagrafica();
    void apriRiepilogo();
    void esci();

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void closeEvent(QCloseEvent*) override;

private:
    void imgGuidaClick();
    void imgInfoClick();
    void imgCopyrightClick();
    void imgSitoClick();

    QWidget* m_panel;
};

// The maker's site and contact address.
inline const QString kSitoWeb = QStringLiteral("www.versalio.it");
inline const QString kEmail = QStringLiteral("info@versalio.it");
