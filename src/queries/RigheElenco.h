#pragma once

#include <QByteArrayView>
#include <QString>
#include <algorithm>
#include <initializer_list>
#include <string>

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

// The same lines as Windows-1252 text, appended to `out`: what the lists keep, built straight from
// the stored bytes. The two functions above decode these.
void bollettino(const TSchedaBollettino& r, std::string& out);
void scheda(const TSchedaAnagrafica& r, std::string& out);

// Builds one line at the end of `out`, piece by piece; fields come trimmed, as the records give
// them. fine() shows what cannot be shown on one line as "?".
class Componi {
public:
    explicit Componi(std::string& out) : m_out(out), m_inizio(out.size()) {}
    // A piece as it is.
    Componi& testo(QByteArrayView t) {
        m_out.append(t.data(), size_t(t.size()));
        return *this;
    }
    // A piece padded with blanks or cut to exactly `n` characters.
    Componi& colonna(QByteArrayView t, int n) {
        const size_t k = std::min(size_t(t.size()), size_t(n));
        m_out.append(t.data(), k);
        m_out.append(size_t(n) - k, ' ');
        return *this;
    }
    // Pieces joined, then padded or cut.
    Componi& colonna(std::initializer_list<QByteArrayView> pezzi, int n);
    void fine();

private:
    std::string& m_out;
    size_t m_inizio;
};

} // namespace righe
