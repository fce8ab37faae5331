#include "CheckDialog.h"

#include "ui/MessageService.h"
#include "archive/Text.h"
#include "print/Palette.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kAltezzaBanda = 58;

QFont fontCampo() {
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    f.setPointSize(16);
    f.setBold(true);
    return f;
}

bool isDigitKey(const QKeyEvent* e) {
    const QString t = e->text();
    return t.size() == 1 && t[0] >= u'0' && t[0] <= u'9';
}

} // namespace

CheckDialog::CheckDialog(const Aspetto& aspetto, QWidget* parent)
    : QDialog(parent), lblTitolo(new QLabel(this)), btnControlla(new QPushButton(this)),
      btnChiudi(new QPushButton(this)), campo(new QLineEdit(this)), aspetto_(aspetto) {
    setWindowTitle(aspetto.titolo);
    setModal(true);

    lblTitolo->setObjectName(QStringLiteral("lblTitolo"));
    lblTitolo->setText(aspetto.istruzioni);
    lblTitolo->setMinimumWidth(440); // the four checks share one width unless a text needs more

    campo->setObjectName(aspetto.nomeCampo);
    campo->setAccessibleName(aspetto.intestazione);
    campo->setMaxLength(aspetto.lunghezzaMassima);
    campo->setFont(fontCampo());
    campo->setAlignment(Qt::AlignCenter);
    // Wide enough for every character the field may hold.
    const QFontMetrics fm(campo->font());
    campo->setFixedWidth(fm.horizontalAdvance(QString(aspetto.lunghezzaMassima, QLatin1Char('W'))) + 24);
    campo->setFixedHeight(fm.height() + 16);
    campo->installEventFilter(this);

    btnControlla->setObjectName(QStringLiteral("btnControlla"));
    btnControlla->setText(QStringLiteral("Controlla"));
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
    btnChiudi->setText(QStringLiteral("Chiudi"));
    // Enter in the field only moves the focus to "Controlla"; Enter on a button presses it.
    btnControlla->setAutoDefault(true);
    btnChiudi->setAutoDefault(true);
    for (QPushButton* b : {btnControlla, btnChiudi})
        b->setMinimumWidth(110);

    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(btnControlla);
    pulsanti->addWidget(btnChiudi);

    auto* riga = new QHBoxLayout;
    riga->addStretch();
    riga->addWidget(campo);
    riga->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, kAltezzaBanda + 16, 20, 16);
    layout->setSpacing(14);
    layout->addWidget(lblTitolo);
    layout->addLayout(riga);
    layout->addSpacing(4);
    layout->addLayout(pulsanti);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(campo, &QLineEdit::textEdited, this, &CheckDialog::campoTyping);
    connect(btnControlla, &QPushButton::clicked, this, &CheckDialog::btnControllaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &CheckDialog::btnChiudiClick);
}

void CheckDialog::setTesto(const QString& testo) {
    // The registry's fields are as long as these, but a tax-code field of digits opens the VAT
    // check with up to 16 characters: cutting them to 11 would judge a different number.
    campo->setMaxLength(std::max(campo->maxLength(), int(testo.size())));
    campo->setText(testo);
}

QString CheckDialog::testo() const {
    return campo->text();
}

void CheckDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void CheckDialog::FormShow() {
    campo->setFocus(Qt::OtherFocusReason);
}

bool CheckDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == campo && event->type() == QEvent::KeyPress)
        return campoKeyDown(static_cast<QKeyEvent*>(event));
    return QDialog::eventFilter(watched, event);
}

bool CheckDialog::campoKeyDown(QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        btnControlla->setFocus(Qt::OtherFocusReason);
        return true;
    }
    if (!aspetto_.soloCifre) return false;
    switch (e->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Escape: // types nothing: it is the dialog's own way out
        return false;
    default:
        break;
    }
    if (isDigitKey(e)) return false;
    // Pasting is allowed (the check judges whatever the field holds); these shortcuts type nothing.
    if (e->matches(QKeySequence::Paste) || e->matches(QKeySequence::Copy) || e->matches(QKeySequence::Cut) ||
        e->matches(QKeySequence::SelectAll))
        return false;
    return true;
}

void CheckDialog::campoTyping(const QString& testo) {
    if (!aspetto_.ripulisce) return;
    const QString pulito = text::upperAZ(text::trimmed(testo));
    if (pulito == testo) return;
    // Keep the caret where the user is typing: only leading blanks removed move it.
    qsizetype iniziali = 0;
    while (iniziali < testo.size() && testo[iniziali].unicode() <= 32)
        ++iniziali;
    const qsizetype cursore = std::clamp<qsizetype>(campo->cursorPosition() - iniziali, 0, pulito.size());
    campo->setText(pulito);
    campo->setCursorPosition(int(cursore));
}

void CheckDialog::btnControllaClick() {
    const Verdetto v = aspetto_.giudica(campo->text());
    switch (v.esito) {
    case Verdetto::Incompleto:
        msg::warning(this, v.messaggio);
        campo->setFocus(Qt::OtherFocusReason);
        return;
    case Verdetto::Valido:
        msg::information(this, v.messaggio);
        break;
    case Verdetto::Errato:
        msg::warning(this, v.messaggio);
        break;
    }
    accept();
}

void CheckDialog::btnChiudiClick() {
    reject();
}

void CheckDialog::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // The dialog's colour, much paler, at the bottom of a white background.
    const QColor& c = aspetto_.colore;
    const QColor chiaro((c.red() + 5 * 255) / 6, (c.green() + 5 * 255) / 6, (c.blue() + 5 * 255) / 6);

    QLinearGradient sfondo(0, kAltezzaBanda, 0, height());
    sfondo.setColorAt(0, Qt::white);
    sfondo.setColorAt(1, chiaro);
    p.fillRect(rect(), sfondo);

    const QRect banda(0, 0, width(), kAltezzaBanda);
    QLinearGradient fascia(banda.topLeft(), banda.topRight());
    fascia.setColorAt(0, aspetto_.colore.darker(125));
    fascia.setColorAt(1, aspetto_.colore.lighter(130));
    p.fillRect(banda, fascia);

    // A check mark in a disc beside the heading.
    const QRectF disco(16, (kAltezzaBanda - 34) / 2.0, 34, 34);
    p.setPen(Qt::NoPen);
    p.setBrush(palette::glass);
    p.drawEllipse(disco);
    QPainterPath segno;
    segno.moveTo(disco.left() + 9, disco.center().y() + 1);
    segno.lineTo(disco.left() + 15, disco.center().y() + 7);
    segno.lineTo(disco.left() + 26, disco.top() + 10);
    p.setPen(QPen(aspetto_.colore.darker(130), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(segno);

    QFont f = font();
    f.setPointSize(15);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(banda.adjusted(int(disco.right()) + 14, 0, -12, 0), Qt::AlignVCenter | Qt::AlignLeft,
               aspetto_.intestazione);
}
