#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>

// Runs `act` on the modal dialog that the next call opens, so no test waits on a window.
template <class F> void onNextModal(F act) {
    QTimer::singleShot(0, [act] {
        QWidget* w = QApplication::activeModalWidget();
        QVERIFY(w);
        act(w);
    });
}

// Types any text, accented letters included, as key presses and releases.
inline void typeText(QWidget* w, const QString& text) {
    for (QChar c : text) {
        const int key = c.unicode() < 128 && c.isLetterOrNumber() ? c.toUpper().unicode() : 0;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}
