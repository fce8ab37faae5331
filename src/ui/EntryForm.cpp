#include "EntryForm.h"

#include "archive/Text.h"
#include "print/Palette.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>

namespace {
constexpr int kFrame = 4;

bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

// Keys that do not open the picker from a picked date: moving on, the first half of a key
// combination, and Esc where it closes the window.
bool leavesPickedDate(int key, const QWidget* field) {
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
    case Qt::Key_AltGr: return true;
    case Qt::Key_Escape: return qobject_cast<const QDialog*>(field->window()) != nullptr;
    default: return false;
    }
}
} // namespace

FocusFrame::FocusFrame(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TransparentForMouseEvents); }

void FocusFrame::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRectF r = rect();
    // Border rings fading from white outside to yellow at the field's edge.
    for (int i = 0; i < kFrame; ++i) {
        const double t = double(i) / (kFrame - 1);
        p.fillRect(r.adjusted(i, i, -i, -i), QColor::fromRgbF(1.0, 1.0, 1.0 - 0.75 * t));
    }
    p.fillRect(r.adjusted(kFrame, kFrame, -kFrame, -kFrame), palette::focus);
}

EntryForm::EntryForm(QWidget* form, QLabel* infoBar) : QObject(form), m_form(form), m_info(infoBar) {}

QWidget* EntryForm::addFrame(QWidget* field) {
    auto* frame = new FocusFrame(field->parentWidget());
    QString name = field->objectName();
    if (name.startsWith(QLatin1String("txt"))) name = name.mid(3);
    frame->setObjectName(QStringLiteral("eff") + name);
    frame->setGeometry(field->geometry().adjusted(-kFrame, -kFrame, kFrame, kFrame));
    // Beneath its field and beneath a label it reaches (a caption just above the field), so that
    // the caption's descenders are not painted over while the field is framed.
    QWidget* sopra = field;
    for (QObject* o : field->parentWidget()->children()) {
        if (o == field) break;
        auto* l = qobject_cast<QLabel*>(o);
        if (l && !l->isHidden() && l->geometry().intersects(frame->geometry())) {
            sopra = l;
            break;
        }
    }
    frame->stackUnder(sopra);
    frame->hide();
    m_frames.insert(field, frame);
    field->installEventFilter(this);
    return frame;
}

void EntryForm::addEnter(QWidget* field, QWidget* next) {
    m_next.insert(field, next);
    field->installEventFilter(this);
}

void EntryForm::enterPresses(QAbstractButton* command) {
    m_presses.insert(command);
    command->installEventFilter(this);
}

void EntryForm::digitsOnly(QLineEdit* field) {
    m_digits.insert(field);
    field->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), field));
    field->installEventFilter(this);
}

void EntryForm::upperCase(QLineEdit* field, bool trim) {
    connect(field, &QLineEdit::textEdited, field, [field, trim](const QString& typed) {
        QString t = typed;
        int cursor = field->cursorPosition();
        if (trim) {
            const QString kept = text::trimmed(t);
            cursor -= int(t.indexOf(kept.isEmpty() ? t : kept)); // blanks removed before the caret
            if (kept.isEmpty()) cursor = 0;
            t = kept;
        }
        t = text::upperAZ(t);
        if (t == typed) return;
        field->setText(t);
        field->setCursorPosition(std::clamp(cursor, 0, int(t.size())));
    });
}

void EntryForm::focusField(QWidget* field) {
    if (!field) return;
    field->setFocus(Qt::OtherFocusReason);
    if (auto* e = qobject_cast<QLineEdit*>(field)) e->selectAll();
    else if (auto* c = qobject_cast<QComboBox*>(field); c && c->lineEdit()) c->lineEdit()->selectAll();
}

void EntryForm::pickedDate(QLineEdit* field, std::function<void()> pick) {
    field->setReadOnly(true);
    field->setAlignment(Qt::AlignCenter);
    field->setToolTip(QStringLiteral("Premere un tasto per scegliere la data; Canc per cancellarla."));
    m_pickers.insert(field, std::move(pick));
    field->installEventFilter(this);
}

void EntryForm::hint(QWidget* command, const QString& text) {
    m_hints.insert(command, text);
    command->installEventFilter(this);
}

void EntryForm::clearsHints(QWidget* background) {
    m_backgrounds.insert(background);
    background->setMouseTracking(true);
    background->installEventFilter(this);
}

bool EntryForm::eventFilter(QObject* watched, QEvent* event) {
    auto* w = qobject_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::FocusIn:
        if (QWidget* f = m_frames.value(w)) {
            f->setGeometry(w->geometry().adjusted(-kFrame, -kFrame, kFrame, kFrame));
            f->show();
        }
        break;
    case QEvent::FocusOut:
        if (QWidget* f = m_frames.value(w)) f->hide();
        break;
    case QEvent::Move:
    case QEvent::Resize:
        if (QWidget* f = m_frames.value(w)) f->setGeometry(w->geometry().adjusted(-kFrame, -kFrame, kFrame, kFrame));
        break;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (auto pick = m_pickers.find(watched); pick != m_pickers.end()) {
            if (leavesPickedDate(key->key(), w)) break;
            if (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete) qobject_cast<QLineEdit*>(w)->clear();
            else (*pick)();
            return true;
        }
        if (isEnter(key->key()) && !key->isAutoRepeat() && m_presses.contains(watched)) {
            if (auto* b = qobject_cast<QAbstractButton*>(watched); b && b->isEnabled()) b->click();
            return true;
        }
        if (isEnter(key->key()) && m_next.contains(w)) {
            // As with Tab, the next field's text comes selected, so typing replaces it (the cents' "00").
            m_next.value(w)->setFocus(Qt::TabFocusReason);
            return true;
        }
        if (m_digits.contains(watched)) {
            // A character that would be typed in is refused unless it is a digit; keys without text
            // and key combinations (Ctrl+A, Ctrl+V, which the validator still guards) go through.
            const QString t = key->text();
            const bool typed = t.size() == 1 && t[0].isPrint() &&
                               !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
            return typed && !(t[0] >= u'0' && t[0] <= u'9');
        }
        break;
    }
    case QEvent::Enter:
        if (m_hints.contains(watched) && m_info) m_info->setText(m_hints.value(watched));
        break;
    case QEvent::MouseMove:
        if (m_backgrounds.contains(watched) && m_info) {
            QWidget* under = w->childAt(static_cast<QMouseEvent*>(event)->position().toPoint());
            if (!under || m_backgrounds.contains(under)) m_info->clear();
        }
        break;
    default:
        break;
    }
    return false;
}
