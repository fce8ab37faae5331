#include "Picture.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

void caricaImmagini() {
    static const bool done = [] {
        Q_INIT_RESOURCE(pictures);
        return true;
    }();
    Q_UNUSED(done);
}

Picture::Picture(const QString& name, const QString& resource, QWidget* parent, bool clickable)
    : QWidget(parent), m_svg((caricaImmagini(), new QSvgRenderer(resource, this))), m_clickable(clickable) {
    setObjectName(name);
    if (clickable) setCursor(Qt::PointingHandCursor);
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
}

void Picture::mouseReleaseEvent(QMouseEvent* e) {
    if (m_clickable && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit clicked();
    QWidget::mouseReleaseEvent(e);
}

namespace {
const QColor kRest(0x00, 0x00, 0x8B);
const QColor kPressed(0xFF, 0xA5, 0x00);
} // namespace

Link::Link(QLabel* text, Picture* picture) : QObject(text), m_text(text) {
    QFont f(QStringLiteral("Tahoma"), 14);
    f.setUnderline(true);
    text->setFont(f);
    text->setCursor(Qt::PointingHandCursor);
    setPressed(false);
    text->installEventFilter(this);
    if (picture) {
        picture->setCursor(Qt::PointingHandCursor);
        picture->installEventFilter(this);
    }
}

void Link::setPressed(bool pressed) {
    QPalette pal = m_text->palette();
    pal.setColor(QPalette::WindowText, pressed ? kPressed : kRest);
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
