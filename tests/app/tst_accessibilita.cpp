#include "app/TfrmAvvio.h"
#include "app/TfrmCambiaPassword.h"
#include "app/TfrmInfo.h"
#include "app/TfrmPassword.h"
#include "app/TfrmSplash.h"
#include "registry/TfrmCarta.h"
#include "registry/TfrmExpEsecutori.h"
#include "registry/TfrmCodFisc.h"
#include "registry/TfrmEsecutori.h"
#include "registry/TfrmIban.h"
#include "registry/TfrmPartitaIva.h"
#include "slips/TfrmBollettino.h"
#include "slips/TfrmCalendario.h"
#include "slips/TfrmDaSaldare.h"
#include "slips/TfrmEmissioneBollettini.h"
#include "slips/TfrmStampaEmissione.h"
#include "slips/TfrmExpBollettini.h"
#include "slips/TfrmScadute.h"
#include "slips/TfrmTrovaBollettini.h"
#include "registry/DestinoScheda.h"
#include "registry/TfrmRicontatta.h"
#include "registry/TfrmTrovaEsecutori.h"
#include "slips/TfrmStampaBolBis.h"
#include "slips/TfrmStampaBolBis_A4.h"
#include "summary/TfrmMenuRiepCosti.h"
#include "summary/TfrmRiepCosti.h"
#include "ui/Picture.h"
#include "ui/ProgramFolder.h"
#include "ui/Shell.h"
#include "ui/TfrmAllegaCartella.h"
#include "ui/TfrmGuida.h"
#include "common/RecordingShell.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <memory>

using Apri = std::function<std::unique_ptr<QWidget>()>;
Q_DECLARE_METATYPE(Apri)

namespace {

// What a screen reader says for the widget.
QString nomeAccessibile(QWidget* w) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    return a ? a->text(QAccessible::Name) : QString();
}

// A control the user can reach with the keyboard or click on.
bool siUsa(QWidget* w) {
    if (auto* p = qobject_cast<Picture*>(w)) return p->isClickable();
    if (qobject_cast<QAbstractButton*>(w)) return true;
    return w->focusPolicy() != Qt::NoFocus;
}

// "objectName (class)" of every control without a name. The edit line inside an editable list,
// where the typing happens, must say the list's own name.
QStringList senzaNome(QWidget* window) {
    QStringList out;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (auto* elenco = qobject_cast<QComboBox*>(w->parentWidget()); elenco && w == elenco->lineEdit()) {
            if (nomeAccessibile(w) != nomeAccessibile(elenco) || nomeAccessibile(w).trimmed().isEmpty())
                out << QStringLiteral("the edit line of %1 says \"%2\"").arg(elenco->objectName(), nomeAccessibile(w));
            continue;
        }
        // Qt's own parts of a composite widget (scroll bars, calendar navigation) carry Qt's names.
        if (w->objectName().startsWith(QLatin1String("qt_"))) continue;
        // Parts kept hidden (an editable list's popup, a header the calendar does not show).
        if (!w->isVisibleTo(window)) continue;
        if (siUsa(w) && nomeAccessibile(w).trimmed().isEmpty())
            out << QStringLiteral("%1 (%2)").arg(w->objectName(), QLatin1String(w->metaObject()->className()));
    }
    return out;
}

} // namespace

// Every control a user can reach or click has a name for assistive technology.
class TstAccessibilita : public QObject {
    Q_OBJECT
    TemporaryProgramFolder m_cartella;
    std::unique_ptr<TfrmBollettino> m_bollettino;
    std::unique_ptr<TfrmEsecutori> m_esecutori;
    std::unique_ptr<DestinoFinestra> m_destino;

private slots:
    void initTestCase() {
        m_bollettino = std::make_unique<TfrmBollettino>();
        m_esecutori = std::make_unique<TfrmEsecutori>();
        m_destino = std::make_unique<DestinoFinestra>(m_bollettino.get());
    }
    void cleanupTestCase() {
        m_destino.reset();
        m_bollettino.reset();
        m_esecutori.reset();
    }

    void everyControlHasAName_data() {
        QTest::addColumn<Apri>("apri");
        auto* b = &m_bollettino;
        auto* e = &m_esecutori;
        QTest::newRow("start screen") << Apri([] { return std::make_unique<TfrmAvvio>(); });
        QTest::newRow("password") << Apri([] { return std::make_unique<TfrmPassword>(); });
        QTest::newRow("change password") << Apri([] { return std::make_unique<TfrmCambiaPassword>(); });
        QTest::newRow("slips, year panel and slip") << Apri([b] {
            auto w = std::make_unique<TfrmBollettino>();
            w->panContainer->show();
            return std::unique_ptr<QWidget>(std::move(w));
        });
        QTest::newRow("registry") << Apri([] { return std::make_unique<TfrmEsecutori>(); });
        QTest::newRow("about") << Apri([] { return std::make_unique<TfrmInfo>(nullptr); });
        QTest::newRow("splash") << Apri([] { return std::make_unique<TfrmSplash>(nullptr); });
        QTest::newRow("help") << Apri([] { return std::make_unique<TfrmGuida>("t", "testo", nullptr); });
        QTest::newRow("date picker") << Apri([b] { return std::make_unique<TfrmCalendario>(b->get()); });
        QTest::newRow("print on the form")
            << Apri([b] { return std::make_unique<TfrmStampaBolBis>((*b)->scheda()); });
        QTest::newRow("print on A4") << Apri([b] { return std::make_unique<TfrmStampaBolBis_A4>((*b)->scheda()); });
        QTest::newRow("tax code") << Apri([] { return std::make_unique<TfrmCodFisc>(); });
        QTest::newRow("VAT number") << Apri([] { return std::make_unique<TfrmPartitaIva>(); });
        QTest::newRow("card number") << Apri([] { return std::make_unique<TfrmCarta>(); });
        QTest::newRow("IBAN") << Apri([] { return std::make_unique<TfrmIban>(); });
        // The lists and pickers, on an empty year and an empty registry.
        auto anno = [] { return DestinoBollettino{programFolder::path() + QStringLiteral("2025.bol"), {}}; };
        auto* d = &m_destino;
        QTest::newRow("slip search") << Apri([anno] { return std::make_unique<TfrmTrovaBollettini>(nullptr, anno()); });
        QTest::newRow("unpaid slips") << Apri([anno] { return std::make_unique<TfrmDaSaldare>(nullptr, anno()); });
        QTest::newRow("expired slips") << Apri([anno] { return std::make_unique<TfrmScadute>(nullptr, anno()); });
        QTest::newRow("dues for a group")
            << Apri([anno] { return std::make_unique<TfrmEmissioneBollettini>(anno().archivio, nullptr); });
        QTest::newRow("dues printout") << Apri([] {
            return std::make_unique<TfrmStampaEmissione>(QList<TSchedaBollettino>(2), 1, nullptr);
        });
        QTest::newRow("registry picker") << Apri([d] { return std::make_unique<TfrmTrovaEsecutori>(nullptr, **d); });
        QTest::newRow("to recontact") << Apri([d] { return std::make_unique<TfrmRicontatta>(nullptr, **d); });
        QTest::newRow("summary query") << Apri([] { return std::make_unique<TfrmMenuRiepCosti>(); });
        QTest::newRow("summary result") << Apri([anno] {
            return std::make_unique<TfrmRiepCosti>(
                RichiestaRiepilogo{anno().archivio, QStringLiteral("01/01/2025"), QStringLiteral("31/12/2025"), {}, {}},
                nullptr, nullptr);
        });
        QTest::newRow("slip export") << Apri([anno] { return std::make_unique<TfrmExpBollettini>(anno().archivio, nullptr); });
        QTest::newRow("registry export") << Apri([] { return std::make_unique<TfrmExpEsecutori>(nullptr); });
        QTest::newRow("attachments") << Apri([e] { return std::make_unique<TfrmAllegaCartella>((*e)->attachments()); });
    }
    void everyControlHasAName() {
        QFETCH(Apri, apri);
        std::unique_ptr<QWidget> w = apri();
        const QStringList missing = senzaNome(w.get());
        QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("without a name: ") + missing.join(QStringLiteral(", "))));
    }

    // A picture that acts as a button is one for the keyboard and for screen readers.
    void pictureButtonsWorkWithoutAMouse() {
        Picture p(QStringLiteral("imgProva"), QStringLiteral(":/pictures/icon_guida.svg"), nullptr, true);
        p.setToolTip(QStringLiteral("Guida"));
        QSignalSpy clicked(&p, &Picture::clicked);
        QVERIFY(p.focusPolicy() & Qt::TabFocus);
        QTest::keyClick(&p, Qt::Key_Space);
        QTest::keyClick(&p, Qt::Key_Return);
        QCOMPARE(clicked.count(), 2);

        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&p);
        QVERIFY(a);
        QCOMPARE(a->role(), QAccessible::Button);
        QCOMPARE(a->text(QAccessible::Name), QStringLiteral("Guida"));
        QVERIFY(a->actionInterface());
        a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(clicked.count(), 3);

        Picture graphic(QStringLiteral("imgLogo"), QStringLiteral(":/pictures/title.svg"), nullptr);
        QCOMPARE(QAccessible::queryAccessibleInterface(&graphic)->role(), QAccessible::Graphic);
        QCOMPARE(graphic.focusPolicy(), Qt::NoFocus);
    }

    // The picture beside a link opens it from the keyboard and for a screen reader as a click does.
    void linkPicturesOpenWithoutAMouse_data() {
        QTest::addColumn<Apri>("apri");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("opened");
        const QString guida = QLatin1Char('"') + programFolder::path() + QStringLiteral("Guida.pdf") + QLatin1Char('"');
        QTest::newRow("help") << Apri([] { return std::make_unique<TfrmGuida>("t", "testo", nullptr); })
                              << "imgPDF" << guida;
        QTest::newRow("about") << Apri([] { return std::make_unique<TfrmInfo>(nullptr); }) << "imgEmail"
                               << TfrmInfo::indirizzoPosta();
        QTest::newRow("splash") << Apri([] { return std::make_unique<TfrmSplash>(nullptr); }) << "imgWeb"
                                << QString(kSitoWeb);
    }
    void linkPicturesOpenWithoutAMouse() {
        QFETCH(Apri, apri);
        QFETCH(QString, picture);
        QFETCH(QString, opened);
        RecordingShell shell;
        std::unique_ptr<QWidget> w = apri();
        auto* p = w->findChild<Picture*>(picture);
        QVERIFY(p);
        QVERIFY(p->focusPolicy() & Qt::TabFocus);
        QTest::keyClick(p, Qt::Key_Return);
        QTest::keyClick(p, Qt::Key_Enter);
        QTest::keyClick(p, Qt::Key_Space);
        QAccessible::queryAccessibleInterface(p)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTest::mouseClick(p, Qt::LeftButton);
        QCOMPARE(shell.opened, QList<QUrl>(5, Shell::urlFor(opened)));
    }
};

QTEST_MAIN(TstAccessibilita)
#include "tst_accessibilita.moc"
