#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QWidget>
#include <functional>

class QAbstractButton;
class QLabel;
class QLineEdit;
class QWidget;

// The behaviour every entry screen shares, built once: the yellow frame behind the focused field,
// Enter moving to the next field of a ring, the digit and upper-case typing rules, and the
// information bar that describes the command under the mouse.
class EntryForm : public QObject {
    Q_OBJECT
public:
    EntryForm(QWidget* form, QLabel* infoBar);

    // A frame named like the field with "eff" for "txt", 4 pixels outside it, shown while it has the focus.
    QWidget* addFrame(QWidget* field);
    // Enter in `field` moves the focus to `next`; the key does nothing else.
    void addEnter(QWidget* field, QWidget* next);
    // Enter on `command` while it has the focus presses it, as Space does (a picture command that
    // the keyboard reaches, which is no dialog's default button).
    void enterPresses(QAbstractButton* command);
    // Typing refuses every printable character but 0-9; the editing and selection keys (arrows, Home,
    // End, Ctrl+A, Shift+arrows, Backspace...) act as usual, and pasting cannot bring in anything else.
    void digitsOnly(QLineEdit* field);
    // After each edit the text is upper-cased (a-z only); `trim` also drops blanks at its ends.
    void upperCase(QLineEdit* field, bool trim = false);
    // A date chosen in a picker: the field is read-only, centred, and its tip says how it works.
    // Backspace and Delete empty it; Tab, Shift+Tab, the first half of a key combination and, in a
    // dialog, Esc (which closes it) do what they always do; any other key calls `pick`.
    void pickedDate(QLineEdit* field, std::function<void()> pick);
    // The information bar shows `text` while the mouse is over `command`.
    void hint(QWidget* command, const QString& text);
    // Moving the mouse over any of these empties the information bar.
    void clearsHints(QWidget* background);

    // Every move of the focus the program makes goes through here: the field's text comes selected,
    // so what the user types replaces it.
    static void focusField(QWidget* field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_form;
    QPointer<QLabel> m_info;
    QHash<QWidget*, QWidget*> m_frames;
    QHash<QWidget*, QWidget*> m_next;
    QSet<QObject*> m_digits;
    QSet<QObject*> m_presses;
    QHash<QObject*, std::function<void()>> m_pickers;
    QHash<QObject*, QString> m_hints;
    QSet<QObject*> m_backgrounds;
};

// The focus frame: a yellow fill whose border shades from yellow to white.
class FocusFrame : public QWidget {
public:
    explicit FocusFrame(QWidget* parent);

protected:
    void paintEvent(QPaintEvent*) override;
};
