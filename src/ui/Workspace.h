#pragma once

#include <QWidget>

// A long-lived workspace window: closing it only hides it, and the start screen comes back.
class Workspace : public QWidget {
    Q_OBJECT
public:
    explicit Workspace(QWidget* parent = nullptr);

signals:
    void chiuso();

protected:
    void closeEvent(QCloseEvent* e) override;
    void paintEvent(QPaintEvent*) override; // the program's steel-blue to white background
};

// Moves `panel` to the middle of `host`, never above or left of its corner.
void centra(QWidget* panel, QWidget* host);
