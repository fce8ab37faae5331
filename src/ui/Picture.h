#pragma once

#include <QWidget>

class QSvgRenderer;

// Registers the program's pictures; the resources live in a static library, so a screen calls this
// before it needs them.
void caricaImmagini();

// A picture drawn from one of the program's SVG resources, scaled to its size; pictures that act
// as buttons emit clicked() and show a pointing hand. They are buttons for the keyboard too (Tab
// reaches them, Space or Enter presses them) and for screen readers, which read the accessible
// name, or the tool tip when there is none.
class Picture : public QWidget {
    Q_OBJECT
public:
    Picture(const QString& name, const QString& resource, QWidget* parent, bool clickable = false);
    void setResource(const QString& resource);
    bool isClickable() const { return m_clickable; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    QSvgRenderer* m_svg;
    bool m_clickable;
};

// A link: an underlined text with a small picture beside it, both reacting alike. Dark blue at
// rest, orange while the mouse button is held down on it. The picture takes the focus, and Enter
// or Space on it opens the link as a click does.
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
