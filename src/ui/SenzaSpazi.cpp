#include "SenzaSpazi.h"

#include <QLineEdit>

void senzaSpazi(QLineEdit* field) {
    const int capacita = field->maxLength();
    // Room for the blanks, which are gone before the text is judged against the real capacity.
    field->setMaxLength(capacita * 2);
    QObject::connect(field, &QLineEdit::textEdited, field, [field, capacita] {
        // Read the field, not the signal's text: other edit rules may have run first.
        const QString t = field->text();
        QString compatto;
        compatto.reserve(t.size());
        int cursore = field->cursorPosition();
        for (qsizetype i = 0; i < t.size(); ++i) {
            if (t[i].unicode() <= 32 || t[i] == QChar(0xA0)) {
                if (i < field->cursorPosition()) --cursore;
                continue;
            }
            compatto.append(t[i]);
        }
        compatto.truncate(capacita);
        if (compatto == t) return;
        field->setText(compatto);
        field->setCursorPosition(std::clamp(cursore, 0, int(compatto.size())));
    });
}
