// Build step: turns the user guide's HTML into "Guida.pdf". The pictures of the screens are taken
// here, from the program's own windows built on the offscreen platform, so the guide always shows
// the screens as they are. Chapters and sections are numbered, listed in a table of contents with
// their pages, and every page but the cover carries its number.
//
//   versalio-guida GUIDE.html OUT.pdf
//
// In the HTML, <img src="schermata:NAME" width="W"> is the picture of a screen, <img
// src="risorsa:NAME"> one of the program's SVG pictures, <!-- INDICE --> the place of the table
// of contents, and %VERSIONE%, %SITO% and %EMAIL% the program's version and the maker's addresses.
// A name this program does not know stops the build.
#include "QuietDesktop.h"
#include "app/GuidaProgramma.h"
#include "archive/Archivi.h"
#include "app/TfrmAvvio.h"
#include "app/TfrmCambiaPassword.h"
#include "app/TfrmInfo.h"
#include "app/TfrmPassword.h"
#include "app/TfrmSplash.h"
#include "registry/TfrmCarta.h"
#include "registry/TfrmCodFisc.h"
#include "registry/TfrmExpEsecutori.h"
#include "registry/TfrmEsecutori.h"
#include "registry/TfrmIban.h"
#include "registry/TfrmImportaSchede.h"
#include "registry/TfrmPartitaIva.h"
#include "registry/TfrmRicontatta.h"
#include "registry/TfrmTrovaEsecutori.h"
#include "slips/TfrmBollettino.h"
#include "slips/TfrmCalendario.h"
#include "slips/TfrmDaSaldare.h"
#include "slips/TfrmEmissioneBollettini.h"
#include "slips/TfrmStampaEmissione.h"
#include "slips/TfrmExpBollettini.h"
#include "slips/TfrmScadute.h"
#include "slips/TfrmStampaBolBis.h"
#include "slips/TfrmStampaBolBis_A4.h"
#include "slips/TfrmTrovaBollettini.h"
#include "summary/TfrmMenuRiepCosti.h"
#include "summary/TfrmRiepCosti.h"
#include "ui/MessageService.h"
#include "ui/Picture.h"
#include "ui/Traduzioni.h"
#include "ui/ProgramFolder.h"
#include "ui/Shell.h"
#include "ui/TfrmAllegaCartella.h"
#include "ui/TfrmGuida.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTextBlock>
#include <QTemporaryDir>
#include <QTextDocument>

#include <cstdio>
#include <functional>
#include <map>

namespace {

constexpr double kScala = 2.0; // pictures are taken at twice the screen's resolution

// Page geometry in 1/96 inch: A4 with 20 mm margins and room for the page number below.
constexpr double kMm = 96.0 / 25.4;
const QSizeF kFoglio(210 * kMm, 297 * kMm);
constexpr double kMargine = 20 * kMm;
constexpr double kPiede = 26 * kMm;
const QSizeF kCorpo(kFoglio.width() - 2 * kMargine, kFoglio.height() - kMargine - kPiede);

const QString kTitoloGuida = QStringLiteral("Versalio - Guida all'utilizzo del software");

[[noreturn]] void fallisci(const QString& perche) {
    std::fprintf(stderr, "versalio-guida: %s\n", qPrintable(perche));
    std::exit(1);
}

// A window as the user sees it: its content under a title bar carrying its title.
QImage incornicia(const QImage& contenuto, const QString& titolo) {
    const QSize s = contenuto.deviceIndependentSize().toSize();
    constexpr int barra = 26;
    QImage out(QSize(s.width() + 2, s.height() + barra + 1) * kScala, QImage::Format_ARGB32_Premultiplied);
    out.setDevicePixelRatio(kScala);
    out.fill(Qt::transparent);
    QPainter p(&out);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF tutto(0.5, 0.5, s.width() + 1, s.height() + barra);
    QLinearGradient g(0, 0, 0, barra);
    g.setColorAt(0, QColor(0x58, 0x91, 0xC3));
    g.setColorAt(1, QColor(0x2F, 0x5F, 0x8F));
    QPainterPath cornice;
    cornice.addRoundedRect(tutto, 6, 6);
    p.fillPath(cornice, g);
    p.drawImage(QPointF(1, barra), contenuto);
    QSvgRenderer(QStringLiteral(":/pictures/app_icon.svg")).render(&p, QRectF(6, 5, 16, 16));
    QFont f(QStringLiteral("Liberation Sans"), 9, QFont::Bold);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(28, 0, s.width() - 34, barra), Qt::AlignVCenter | Qt::AlignLeft, titolo.trimmed());
    p.setPen(QPen(QColor(0x2F, 0x5F, 0x8F), 1));
    p.drawPath(cornice);
    return out;
}

void attendi() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

QImage fotografa(QWidget* w) {
    if (!w->isVisible()) w->show();
    attendi();
    QImage img(w->size() * kScala, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(kScala);
    img.fill(Qt::white);
    QPainter p(&img);
    w->render(&p);
    p.end();
    return incornicia(img, w->windowTitle());
}

QImage risorsa(const QString& nome) {
    QSvgRenderer svg(QStringLiteral(":/pictures/%1.svg").arg(nome));
    if (!svg.isValid()) fallisci(QStringLiteral("no picture named \"%1\"").arg(nome));
    const QSize s = svg.defaultSize() * 3;
    QImage img(s * kScala, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(kScala);
    img.fill(Qt::transparent);
    QPainter p(&img);
    svg.render(&p, QRectF(QPointF(), s));
    return img;
}

void digita(QLineEdit* e, const QString& t) {
    e->setText(t);
    emit e->textEdited(t);
}

// A few slips and cards as a new user would fill them in; the last of each stays on screen.
struct Versamento {
    const char *ccp, *euro, *cents, *intestatario, *indirizzoInt, *causale1, *causale2, *esecutore, *indirizzo,
        *cap, *comune, *scadenza;
    bool saldato;
};

void compilaBollettino(TfrmBollettino* b) {
    b->txtAnno->setText(QStringLiteral("2025"));
    b->btnApriClick();
    const Versamento versamenti[] = {
        {"12345678", "25", "00", "ASSOCIAZIONE AMICI DEL LIBRO", "VIA DANTE 12 - 40121 BOLOGNA", "QUOTA MENSILE GENNAIO",
         "SOCIO N. 97", "LUCA VERDI", "CORSO FRANCIA 40", "10138", "TORINO (TO)", "31/01/2025", true},
        {"87654321", "48", "90", "COMUNE DI MILANO", "PIAZZA DELLA SCALA 2 - 20121 MILANO", "TASSA RIFIUTI PRIMA RATA",
         "", "MARIA BIANCHI", "VIA GARIBALDI 5", "20121", "MILANO (MI)", "30/04/2025", false},
        {"11223344", "120", "00", "CIRCOLO TENNIS LE PALME", "VIA DEL MARE 3 - 00122 ROMA", "ISCRIZIONE CORSO INVERNALE",
         "", "GIULIA ROSSI", "VIA APPIA NUOVA 210", "00183", "ROMA (RM)", "15/02/2025", false},
        {"12345678", "125", "50", "ASSOCIAZIONE AMICI DEL LIBRO", "VIA DANTE 12 - 40121 BOLOGNA",
         "QUOTA ASSOCIATIVA ANNO 2025", "SOCIO N. 148", "MARIA BIANCHI", "VIA GARIBALDI 5", "20121", "MILANO (MI)",
         "31/03/2025", false},
    };
    for (const Versamento& v : versamenti) {
        b->cmdNuovoClick();
        digita(b->txtCCP, QLatin1String(v.ccp));
        digita(b->txtImporto, QLatin1String(v.euro));
        b->txtImportoKeyUp();
        digita(b->txtCents, QLatin1String(v.cents));
        b->txtCentsKeyUp();
        digita(b->txtIntestatario, QLatin1String(v.intestatario));
        digita(b->txtIndirizzoInt, QLatin1String(v.indirizzoInt));
        digita(b->txtCausale01, QLatin1String(v.causale1));
        digita(b->txtCausale02, QLatin1String(v.causale2));
        digita(b->txtEsecutore, QLatin1String(v.esecutore));
        digita(b->txtIndirizzoRes, QLatin1String(v.indirizzo));
        digita(b->txtCapRes, QLatin1String(v.cap));
        digita(b->txtComuneRes, QLatin1String(v.comune));
        digita(b->txtDataScade, QLatin1String(v.scadenza));
        b->chkSaldato->setChecked(v.saldato);
        b->cmdSalvaClick();
    }
}

struct Persona {
    const char *nome, *gg, *mm, *aa, *comuneNasc, *provNasc, *sesso, *indirizzo, *comune, *prov, *cap, *categoria,
        *cellulare, *email, *codFisc, *note;
    bool ricontatta;
};

void compilaScheda(TfrmEsecutori* e) {
    const Persona persone[] = {
        {"LUCA VERDI", "02", "11", "1965", "TORINO", "TO", "M", "CORSO FRANCIA 40", "TORINO", "TO", "10138",
         "SOCIO ORDINARIO", "347 7654321", "luca.verdi@esempio.it", "VRDLCU65S02L219K",
         "RICHIAMARE PER IL RINNOVO DELLA TESSERA", true},
        {"GIULIA ROSSI", "21", "07", "1988", "ROMA", "RM", "F", "VIA APPIA NUOVA 210", "ROMA", "RM", "00183",
         "ISCRITTA AI CORSI", "339 1122334", "giulia.rossi@esempio.it", "RSSGLI88L61H501T", "", false},
        {"MARIA BIANCHI", "14", "05", "1972", "PAVIA", "PV", "F", "VIA GARIBALDI 5", "MILANO", "MI", "20121",
         "SOCIO ORDINARIO", "333 1234567", "maria.bianchi@esempio.it", "BNCMRA72E54G388X",
         "CHIEDE LA RICEVUTA PER POSTA ELETTRONICA", false},
    };
    for (const Persona& p : persone) {
        e->cmdNuovoClick();
        digita(e->txtEsecutore, QLatin1String(p.nome));
        digita(e->txtGG, QLatin1String(p.gg));
        digita(e->txtMM, QLatin1String(p.mm));
        digita(e->txtAA, QLatin1String(p.aa));
        digita(e->txtComuneNasc, QLatin1String(p.comuneNasc));
        e->txtProvNasc->setCurrentText(QLatin1String(p.provNasc));
        digita(e->txtSesso, QLatin1String(p.sesso));
        digita(e->txtIndirizzoRes, QLatin1String(p.indirizzo));
        digita(e->txtComuneRes, QLatin1String(p.comune));
        e->txtProvRes->setCurrentText(QLatin1String(p.prov));
        digita(e->txtCapRes, QLatin1String(p.cap));
        digita(e->txtCategoria, QLatin1String(p.categoria));
        digita(e->txtTelCel, QLatin1String(p.cellulare));
        digita(e->txtEmail, QLatin1String(p.email));
        digita(e->txtRecapito, QStringLiteral("CELLULARE"));
        digita(e->txtCodFisc, QLatin1String(p.codFisc));
        digita(e->txtCCP, QStringLiteral("12345678"));
        digita(e->txtCausale01, QStringLiteral("QUOTA ASSOCIATIVA"));
        digita(e->txtNote, QLatin1String(p.note));
        e->chkRicontatta->setChecked(p.ricontatta);
        e->cmdSalvaClick();
    }
}

// Every screen the guide may show, by name.
class Schermate {
public:
    Schermate() : registro(&esecutori) {
        bollettino.mostra();
        bollettino.showNormal();
        bollettino.resize(1170, 680);
        compilaBollettino(&bollettino);
        esecutori.mostra();
        esecutori.showNormal();
        esecutori.resize(1170, 710);
        compilaScheda(&esecutori);

        m_foto = {
            {"password", [] {
                 TfrmPassword w;
                 w.txtPassword->setText(QStringLiteral("chiave"));
                 return fotografa(&w);
             }},
            {"cambiapassword", [] {
                 TfrmCambiaPassword w;
                 w.show();
                 w.txtPasswordOld->setText(QStringLiteral("chiave"));
                 w.txtPasswordNew->setText(QStringLiteral("nuova"));
                 return fotografa(&w);
             }},
            {"avvio", [] {
                 TfrmAvvio w;
                 w.resize(1060, 720);
                 return fotografa(&w);
             }},
            {"anno", [this] {
                 bollettino.mostra();
                 bollettino.showNormal();
                 return fotografa(&bollettino);
             }},
            {"bollettino", [this] {
                 apriAnno();
                 bollettino.cmdUltimoClick();
                 return fotografa(&bollettino);
             }},
            {"trovabollettini", [this] {
                 TfrmTrovaBollettini w(&bollettino, elenchi());
                 w.show();
                 w.txtEsecutore->setText(QStringLiteral("bianchi"));
                 return fotografa(&w);
             }},
            {"trovabollettini_elenco", [this] {
                 TfrmTrovaBollettini w(&bollettino, elenchi());
                 w.show();
                 w.btnCercaClick();
                 return fotografa(&w);
             }},
            {"dasaldare", [this] {
                 TfrmDaSaldare w(&bollettino, elenchi());
                 return fotografa(&w);
             }},
            {"scaduti", [this] {
                 TfrmScadute w(&bollettino, elenchi());
                 return fotografa(&w);
             }},
            {"trovaesecutori", [this] {
                 TfrmTrovaEsecutori w(&esecutori, registro);
                 w.lblMemory->setText(QStringLiteral("esecutori"));
                 w.show();
                 w.btnCercaClick();
                 return fotografa(&w);
             }},
            {"ricontatta", [this] {
                 TfrmRicontatta w(&esecutori, registro);
                 return fotografa(&w);
             }},
            {"emissione", [this] {
                 apriAnno();
                 TfrmEmissioneBollettini w(bollettino.lblFile->text(), &bollettino);
                 w.show();
                 w.filtri[1]->setText(QStringLiteral("socio"));
                 w.btnCercaClick();
                 digita(w.txtCCP, QStringLiteral("12345678"));
                 digita(w.txtImporto, QStringLiteral("125"));
                 digita(w.txtCents, QStringLiteral("50"));
                 digita(w.txtIntestatario, QStringLiteral("ASSOCIAZIONE AMICI DEL LIBRO"));
                 digita(w.txtIndirizzoInt, QStringLiteral("VIA DANTE 12 - 40121 BOLOGNA"));
                 digita(w.txtCausale01, QStringLiteral("QUOTA ASSOCIATIVA ANNO 2025"));
                 digita(w.txtCausale02, QStringLiteral("SOCIO ORDINARIO"));
                 w.txtDataScade->setText(QStringLiteral("31/03/2025"));
                 return fotografa(&w);
             }},
            {"stampaemissione", [this] {
                 apriAnno();
                 TfrmStampaEmissione w(QList<TSchedaBollettino>(2), 5, &bollettino);
                 return fotografa(&w);
             }},
            {"calendario", [this] {
                 TfrmCalendario w(&bollettino);
                 return fotografa(&w);
             }},
            {"stampamodulo", [this] {
                 TfrmStampaBolBis w(bollettino.scheda(), &bollettino);
                 return fotografa(&w);
             }},
            {"stampaa4", [this] {
                 TfrmStampaBolBis_A4 w(bollettino.scheda(), &bollettino);
                 return fotografa(&w);
             }},
            {"allegati", [this] {
                 TfrmAllegaCartella w(bollettino.attachments());
                 w.txtDesc01->setText(QStringLiteral("RICEVUTA DEL VERSAMENTO"));
                 w.txtFile01->setText(QStringLiteral("ricevuta_148.pdf"));
                 return fotografa(&w);
             }},
            {"esecutori", [this] {
                 esecutori.cmdUltimoClick();
                 return fotografa(&esecutori);
             }},
            {"codfisc", [this] {
                 TfrmCodFisc w(&esecutori, QStringLiteral("BNCMRA72E54G388X"));
                 return fotografa(&w);
             }},
            {"partitaiva", [this] {
                 TfrmPartitaIva w(&esecutori, QStringLiteral("01234567897"));
                 return fotografa(&w);
             }},
            {"carta", [this] {
                 TfrmCarta w(&esecutori, QStringLiteral("4111111111111111"));
                 return fotografa(&w);
             }},
            {"iban", [this] {
                 TfrmIban w(&esecutori, QStringLiteral("IT60X0542811101000000123456"));
                 return fotografa(&w);
             }},
            {"riepilogo", [this] {
                 riepilogo.mostra();
                 riepilogo.showNormal();
                 riepilogo.resize(1010, 520);
                 riepilogo.txtAnno->setText(QStringLiteral("2025"));
                 riepilogo.txtGiornoInizio->setCurrentIndex(0);
                 riepilogo.txtMeseInizio->setCurrentIndex(0);
                 riepilogo.txtGiornoFine->setCurrentIndex(30);
                 riepilogo.txtMeseFine->setCurrentIndex(11);
                 return fotografa(&riepilogo);
             }},
            {"riepilogo_elenco", [this] {
                 apriAnno();
                 TfrmRiepCosti w({bollettino.lblFile->text(), QStringLiteral("01/01/2025"), QStringLiteral("31/12/2025"),
                                  QString(), QString()},
                                 nullptr, &riepilogo);
                 w.setWindowState(Qt::WindowNoState);
                 w.resize(1100, 600);
                 return fotografa(&w);
             }},
            {"esportabollettini", [this] {
                 apriAnno();
                 TfrmExpBollettini w(bollettino.lblFile->text(), &bollettino);
                 return fotografa(&w);
             }},
            {"esportaesecutori", [this] {
                 TfrmExpEsecutori w(&esecutori);
                 return fotografa(&w);
             }},
            {"importaschede", [this] {
                 // A member list as a spreadsheet saves it: one member already in the registry, one
                 // without a name, one street too long for the card, one tax code mistyped.
                 QTemporaryDir dir;
                 const QString csv = dir.filePath(QStringLiteral("soci.csv"));
                 QFile f(csv);
                 f.open(QIODevice::WriteOnly);
                 f.write(QStringLiteral(
                             "Cognome e nome;Indirizzo;CAP;Comune;Prov.;Codice fiscale;Categoria\r\n"
                             "Conti Paolo;Via Mazzini 8;40121;Bologna;BO;CNTPLA70A01A944Z;Socio ordinario\r\n"
                             "Luca Verdi;Corso Francia 40;10138;Torino;TO;VRDLCU65S02L219K;Socio ordinario\r\n"
                             "Greco Anna;Via Roma 1;184;Roma;RM;GRCNNA80A41H501K;Socio sostenitore\r\n"
                             ";Via Verdi 3;20121;Milano;MI;;\r\n"
                             "Esposito Carla;Viale della Repubblica Partigiana 17;80121;Napoli;NA;;Socio ordinario\r\n"
                             "Romano Marco;Piazza Duomo 2;20122;Milano;MI;RMNMRC75C12F205X;Socio ordinario\r\n")
                             .toUtf8());
                 f.close();
                 TfrmImportaSchede w(&esecutori, archivi::anagrafica(programFolder::path()), csv);
                 w.prepara();
                 return fotografa(&w);
             }},
            {"guida", [] {
                 TfrmGuida w(guidaProgramma::titolo(), guidaProgramma::testo(), nullptr);
                 return fotografa(&w);
             }},
            {"info", [] {
                 TfrmInfo w(nullptr);
                 return fotografa(&w);
             }},
            {"splash", [] {
                 TfrmSplash w(nullptr);
                 return fotografa(&w);
             }},
        };
    }

    QImage foto(const QString& nome) {
        const auto it = m_foto.find(nome.toStdString());
        if (it == m_foto.end()) fallisci(QStringLiteral("no screen named \"%1\"").arg(nome));
        return it->second();
    }

private:
    void apriAnno() {
        bollettino.txtAnno->setText(QStringLiteral("2025"));
        bollettino.btnApriClick();
    }
    // The lists show the archive of 2025 and load nothing.
    DestinoBollettino elenchi() {
        apriAnno();
        return {bollettino.lblFile->text(), [](const TSchedaBollettino&, qint64) {}};
    }

    TfrmBollettino bollettino;
    TfrmEsecutori esecutori;
    TfrmMenuRiepCosti riepilogo;
    DestinoFinestra registro;
    std::map<std::string, std::function<QImage()>> m_foto;
};

// Numbers the chapters (h1) and their sections (h2) in the text of their headings.
QString numera(const QString& html) {
    static const QRegularExpression titolo(QStringLiteral("<h([12])>"));
    QString out;
    int capitolo = 0, sezione = 0;
    qsizetype da = 0;
    auto it = titolo.globalMatch(html);
    while (it.hasNext()) {
        const auto m = it.next();
        out += html.mid(da, m.capturedEnd() - da);
        da = m.capturedEnd();
        if (m.captured(1) == QLatin1String("1")) {
            ++capitolo;
            sezione = 0;
            out += QStringLiteral("%1. ").arg(capitolo);
        } else {
            out += QStringLiteral("%1.%2 ").arg(capitolo).arg(++sezione);
        }
    }
    return out + html.mid(da);
}

// The pictures stay with the document however often its HTML is set again.
class Documento : public QTextDocument {
public:
    QHash<QUrl, QImage> immagini;

protected:
    QVariant loadResource(int type, const QUrl& name) override {
        if (type == QTextDocument::ImageResource && immagini.contains(name)) return immagini.value(name);
        return QTextDocument::loadResource(type, name);
    }
};

struct Voce {
    int livello;
    QString testo;
    int pagina;
};

QList<Voce> voci(const QTextDocument& doc) {
    QList<Voce> out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const int livello = b.blockFormat().headingLevel();
        if (livello < 1 || livello > 2) continue;
        // Where its first line is drawn: a line that does not fit is moved below the block's own top.
        double y = doc.documentLayout()->blockBoundingRect(b).top();
        if (b.layout() && b.layout()->lineCount() > 0) y += b.layout()->lineAt(0).y();
        // A block moved to the top of a page may sit a hair above its edge.
        out.append({livello, b.text(), int((y + 1) / kCorpo.height()) + 1});
    }
    return out;
}

QString indice(const QList<Voce>& voci) {
    QString html = QStringLiteral("<p class=\"indice\">Indice</p><table width=\"100%\" cellspacing=\"0\" "
                                  "cellpadding=\"2\">");
    for (const Voce& v : voci) {
        const bool capitolo = v.livello == 1;
        html += QStringLiteral("<tr><td class=\"%1\">%2</td><td class=\"%1\" align=\"right\">%3</td></tr>")
                    .arg(capitolo ? QStringLiteral("capitolo") : QStringLiteral("sezione"),
                         (capitolo ? QString() : QStringLiteral("&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;")) +
                             v.testo.toHtmlEscaped(),
                         QString::number(v.pagina));
    }
    return html + QStringLiteral("</table>");
}

void componi(QTextDocument& doc, const QString& html, const QList<Voce>& elenco) {
    QString completo = html;
    completo.replace(QStringLiteral("<!-- INDICE -->"), indice(elenco));
    doc.setHtml(completo);
    doc.setPageSize(kCorpo);
    doc.documentLayout()->documentSize(); // lays the whole document out
}

void stampa(QTextDocument& doc, const QString& pdf) {
    QPdfWriter writer(pdf);
    writer.setTitle(kTitoloGuida);
    writer.setCreator(QStringLiteral("Versalio"));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(1200);
    QPainter p;
    if (!p.begin(&writer)) fallisci(QStringLiteral("cannot write %1").arg(pdf));
    const double scala = writer.resolution() / 96.0;
    const int pagine = doc.pageCount();
    for (int i = 0; i < pagine; ++i) {
        if (i > 0) writer.newPage();
        p.save();
        p.scale(scala, scala);
        p.translate(kMargine, kMargine - i * kCorpo.height());
        // A picture carried over to the next page starts right at the edge: keep its top line there.
        const QRectF vista(0, i * kCorpo.height(), kCorpo.width(), kCorpo.height() - 2);
        p.setClipRect(vista);
        doc.drawContents(&p, vista);
        p.restore();
        if (i == 0) continue; // the cover
        p.save();
        p.scale(scala, scala);
        const double y = kFoglio.height() - kPiede + 8 * kMm;
        p.setPen(QPen(QColor(0x2F, 0x5F, 0x8F), 0.8));
        p.drawLine(QPointF(kMargine, y), QPointF(kFoglio.width() - kMargine, y));
        QFont piede(QStringLiteral("Liberation Sans"));
        piede.setPixelSize(11); // in the page's 1/96 inch, like the rest of the drawing
        p.setFont(piede);
        p.setPen(QColor(0x40, 0x40, 0x40));
        const QRectF riga(kMargine, y + 2, kCorpo.width(), 20);
        p.drawText(riga, Qt::AlignLeft | Qt::AlignVCenter, kTitoloGuida);
        p.drawText(riga, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Pagina %1 di %2").arg(i + 1).arg(pagine));
        p.restore();
    }
    if (!p.end()) fallisci(QStringLiteral("cannot finish %1").arg(pdf));
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: versalio-guida GUIDE.html OUT.pdf\n");
        return 2;
    }
    QFile sorgente(args[1]);
    if (!sorgente.open(QIODevice::ReadOnly)) fallisci(QStringLiteral("cannot read %1").arg(args[1]));
    // The version and the maker's addresses come from the program, never retyped in the text.
    const QString html = numera(QString::fromUtf8(sorgente.readAll())
                                    .replace(QStringLiteral("%VERSIONE%"), QStringLiteral(VERSALIO_VERSIONE))
                                    .replace(QStringLiteral("%SITO%"), kSitoWeb)
                                    .replace(QStringLiteral("%EMAIL%"), kEmail));

    // The screens work in a folder of their own: nothing reaches the real program folder, no
    // message box waits for an answer and no program is started.
    TemporaryProgramFolder cartella;
    QuietDesktop quiete;
    formatiItaliani();
    caricaImmagini();

    Documento doc;
    doc.setDocumentMargin(0);
    doc.setDefaultFont(QFont(QStringLiteral("Liberation Sans"), 10));
    {
        Schermate schermate;
        static const QRegularExpression immagine(QStringLiteral("src=\"(schermata|risorsa):([a-z0-9_]+)\""));
        auto it = immagine.globalMatch(html);
        while (it.hasNext()) {
            const auto m = it.next();
            const QUrl url(m.captured(1) + QLatin1Char(':') + m.captured(2));
            if (doc.immagini.contains(url)) continue;
            const QImage img = m.captured(1) == QLatin1String("schermata") ? schermate.foto(m.captured(2))
                                                                            : risorsa(m.captured(2));
            doc.immagini.insert(url, img);
        }
    }

    // The table of contents takes room before the chapters it lists: lay out until its page
    // numbers no longer move.
    QList<Voce> elenco;
    componi(doc, html, elenco);
    for (int giro = 0; giro < 4; ++giro) {
        const QList<Voce> nuovo = voci(doc);
        bool uguali = nuovo.size() == elenco.size();
        for (qsizetype i = 0; uguali && i < nuovo.size(); ++i) uguali = nuovo[i].pagina == elenco[i].pagina;
        if (uguali) break;
        elenco = nuovo;
        componi(doc, html, elenco);
    }
    stampa(doc, args[2]);
    return 0;
}
