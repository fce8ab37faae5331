#include "Picture.h"
#include "print/Palette.h"

#include <QAccessibleWidget>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

namespace {

// What a screen reader learns of a picture: a button (with its press action) or a graphic, named
// by its accessible name or, failing that, by its tool tip.
class AccessiblePicture : public QAccessibleWidget {
public:
    explicit AccessiblePicture(Picture* p)
        : QAccessibleWidget(p, p->isClickable() ? QAccessible::Button : QAccessible::Graphic) {
        if (p->isClickable()) addControllingSignal(QStringLiteral("clicked()"));
    }
    QString text(QAccessible::Text t) const override {
        QString s = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && s.isEmpty()) s = widget()->toolTip();
        return s;
    }
    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (picture()->isClickable()) names.prepend(pressAction());
        return names;
    }
    void doAction(const QString& action) override {
        if (action == pressAction() && picture()->isClickable()) emit picture()->clicked();
        else QAccessibleWidget::doAction(action);
    }

private:
    Picture* picture() const { return static_cast<Picture*>(widget()); }
};

QAccessibleInterface* accessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("Picture") && object && object->isWidgetType())
        return new AccessiblePicture(static_cast<Picture*>(object));
    return nullptr;
}

} // namespace

void caricaImmagini() {
    static const bool done = [] {
        Q_INIT_RESOURCE(pictures);
        QAccessible::installFactory(accessibleFactory);
        return true;
    }();
    Q_UNUSED(done);
}

Picture::Picture(const QString& name, const QString& resource, QWidget* parent, bool clickable)
    : QWidget(parent), m_svg((caricaImmagini(), new QSvgRenderer(resource, this))), m_clickable(clickable) {
    setObjectName(name);
    if (clickable) {
        setCursor(Qt::PointingHandCursor);
        setFocusPolicy(Qt::TabFocus);
    }
    const QSize natural = m_svg->defaultSize();
    if (natural.isValid()) resize(natural);
}

void Picture::setResource(const QString& resource) {
    m_svg->load(resource);
    update();
}

void Picture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    m_svg->render(&p, rect());
    if (hasFocus()) {
        // Where the keyboard is: a dotted frame around the picture.
        p.setPen(QPen(palette().color(QPalette::Highlight), 1.5, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 4, 4);
    }
}

void Picture::focusInEvent(QFocusEvent* e) {
    update();
    QWidget::focusInEvent(e);
}

void Picture::focusOutEvent(QFocusEvent* e) {
    update();
    QWidget::focusOutEvent(e);
}

void Picture::keyPressEvent(QKeyEvent* e) {
    if (m_clickable && !e->isAutoRepeat() &&
        (e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)) {
        emit clicked();
        return;
    }
    QWidget::keyPressEvent(e);
}

void Picture::mouseReleaseEvent(QMouseEvent* e) {
    if (m_clickable && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit clicked();
    QWidget::mouseReleaseEvent(e);
}

Link::Link(QLabel* text, Picture* picture) : QObject(text), m_text(text) {
    QFont f(QStringLiteral("Tahoma"), 14);
    f.setUnderline(true);
    text->setFont(f);
    text->setCursor(Qt::PointingHandCursor);
    setPressed(false);
    text->installEventFilter(this);
    if (picture) {
        // The picture does what the text says, and a screen reader names it so.
        if (picture->accessibleName().isEmpty()) picture->setAccessibleName(text->text());
        picture->setCursor(Qt::PointingHandCursor);
        picture->installEventFilter(this);
        // The mouse is handled by the filter below; the keyboard (Enter, Space) and a screen
        // reader's press come through the picture's own click.
        connect(picture, &Picture::clicked, this, &Link::activated);
    }
}

void Link::setPressed(bool pressed) {
    QPalette pal = m_text->palette();
    pal.setColor(QPalette::WindowText, pressed ? palette::linkPressed : palette::linkRest);
    m_text->setPalette(pal);
}

bool Link::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        setPressed(true);
    } else if (event->type() == QEvent::MouseButtonRelease) {
        setPressed(false);
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) emit activated();
        setPressed(false);
        return true;
    }
    return false;
}
