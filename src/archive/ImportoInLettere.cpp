#include "ImportoInLettere.h"

#include "Text.h"

namespace {

const char* const kUnits[] = {"",     "uno", "due",   "tre",  "quattro", "cinque", "sei", "sette", "otto",
                              "nove", "dieci", "undici", "dodici", "tredici", "quattordici", "quindici",
                              "sedici", "diciassette", "diciotto", "diciannove"};
const char* const kTens[] = {"", "", "venti", "trenta", "quaranta", "cinquanta", "sessanta", "settanta",
                             "ottanta", "novanta"};
const char* const kHundreds[] = {"",         "cento",     "duecento",  "trecento",  "quattrocento",
                                 "cinquecento", "seicento", "settecento", "ottocento", "novecento"};

struct Scale {
    const char* one;
    const char* many;
};
// Groups of three digits from the second up; groups past the fourth are not spelled.
const Scale kScales[] = {{"mille", "mila"}, {"unmilione", "milioni"}, {"unmiliardo", "miliardi"}};

} // namespace

QString GruppoInLettere(int n) {
    if (n <= 0 || n > 999) return {};
    const int h = n / 100, t = (n / 10) % 10, u = n % 10;
    QString w;
    if (t == 1) {
        w = QLatin1String(kUnits[10 + u]);
    } else if (t >= 2) {
        // The tens lose their last vowel before a unit that begins with one: ventuno, ventotto.
        QString tens = QLatin1String(kTens[t]);
        if (u == 1 || u == 8) tens.chop(1);
        w = tens + QLatin1String(kUnits[u]);
    } else {
        w = QLatin1String(kUnits[u]);
    }
    return QLatin1String(kHundreds[h]) + w;
}

QString ImportoInLettere(qint64 value) {
    const bool negative = value < 0;
    // Work unsigned so that the most negative value does not overflow.
    const quint64 magnitude = negative ? quint64(0) - quint64(value) : quint64(value);
    const quint64 whole = magnitude / 10000;
    const quint64 rest = magnitude % 10000;
    quint64 cents = rest / 100;
    const quint64 remainder = rest % 100;
    if (remainder > 50 || (remainder == 50 && cents % 2 == 1)) ++cents; // ties go to the even cent

    QString words;
    if (whole == 0) {
        words = QStringLiteral("zero");
    } else {
        words = GruppoInLettere(int(whole % 1000));
        quint64 higher = whole / 1000;
        for (const Scale& scale : kScales) {
            if (higher == 0) break;
            const QString g = GruppoInLettere(int(higher % 1000));
            if (!g.isEmpty())
                words.prepend(g == QLatin1String("uno") ? QLatin1String(scale.one) : g + QLatin1String(scale.many));
            higher /= 1000;
        }
    }
    // 99.5 cents round to the even 100, which the cents rule spells as CENTO CENTESIMI.
    if (cents != 0) words += QStringLiteral(" e ") + GruppoInLettere(int(cents)) + QStringLiteral(" centesimi");
    if (negative) words.prepend(QStringLiteral("- "));
    return text::upperAZ(words);
}
