#pragma once

#include <QWidget>

class QSvgRenderer;

// Registers the program's pictures; the resources live in a static library, so a screen calls this
// before it needs them.
void caricaImmagini();

// A picture drawn from one of the program's SVG resources, scaled to its size; pictures that act
// as buttons emit clicked() and show a pointing hand.
class Picture : public QWidget {
    Q_OBJECT
public:
    Picture(const QString& name, const QString& resource, QWidget* parent, bool clickable = false);
    void setResource(const QString& resource);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QSvgRenderer* m_svg;
    bool m_clickable;
};

// A link: an underlined text with a small picture beside it, both reacting alike. Dark blue at
// rest, orange while the mouse button is held down on it.
class Link : public QObject {
    Q_OBJECT
public:
    Link(class QLabel* text, Picture* picture);

signals:
    void activated();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setPressed(bool pressed);
    class QLabel* m_text;
};
