#pragma once

class QCoreApplication;

// Qt's own dialogs (file dialog, printer dialog, message-box buttons) speak Italian: installs Qt's
// Italian translations, looked for first in the "translations" folder beside the program (a copied
// program folder carries its own), then where Qt is installed. False when none was found, and the
// dialogs stay in English.
bool caricaTraduzioniQt(QCoreApplication* app);

// Dates, amounts and the printer's paper measures are read and written the Italian way, whatever the
// system's region says: the process's default locale is Italian (Italy). Called once, before any window.
void formatiItaliani();
