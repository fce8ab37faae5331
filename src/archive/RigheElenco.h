#pragma once

#include <QString>

struct TSchedaAnagrafica;
struct TSchedaBollettino;

// The fixed-width one-line forms of the records, shown one per line by the result lists and
// printed by the list printout. Columns stand under one another in a fixed-width font; a character
// that cannot be shown on one line (a control character of a damaged or foreign record) is shown
// as "?", so a line is always one line.

// A slip: "CCP " account (12), "  Scad. " due date (10), "  € " amount (11), "  A: " holder (cut
// to 24), " DA: " payer (24), two blanks and the first line of the reason, whole.
QString rigaBollettino(const TSchedaBollettino& r);

// A registry card: name (23), "  C.F. " tax code (16), two blanks, town and province (20),
// "  Tel. " preferred contact (20), "  CCP: " account (12), two blanks and the note, whole.
QString RigaScheda(const TSchedaAnagrafica& r);

namespace righe {
// The text padded with blanks or cut to exactly `n` characters (fields come trimmed).
QString fit(const QString& text, int n);
} // namespace righe
