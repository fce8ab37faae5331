#include "Subcommands.h"

#include "archive/Text.h"
#include "checks/Verdetto.h"

namespace {

struct Tipo {
    const char* nome;
    Verdetto (*giudica)(const QString&);
};

constexpr Tipo kTipi[] = {
    {"cf", verdettoCodFisc},
    {"piva", verdettoPartitaIva},
    {"carta", verdettoCarta},
    {"iban", verdettoIban},
};

int run(const QStringList& args) {
    CommandLine cl(kCheck);
    cl.addArgument(QStringLiteral("KIND"),
                   QStringLiteral("cf (tax code), piva (VAT number), carta (card number) or iban"));
    cl.addArgument(QStringLiteral("TEXT"),
                   QStringLiteral("the number to check, quoted when it holds blanks"));
    if (const auto stop = cl.parse(args)) return *stop;
    const QStringList given = cl.arguments();
    if (given.size() != 2)
        return usageError(kCheck, given.size() < 2
                                      ? QStringLiteral("give the kind of number and the TEXT")
                                      : QStringLiteral("too many arguments (quote a TEXT with blanks)"));
    for (const Tipo& t : kTipi) {
        if (given[0] != QLatin1String(t.nome)) continue;
        // The text reaches the check as the registry hands it over: trimmed, otherwise untouched.
        const Verdetto v = t.giudica(text::trimmed(given[1]));
        const bool valido = v.esito == Verdetto::Valido;
        out() << (valido ? "VALIDO" : "ERRATO");
        if (!v.dettaglio.isEmpty()) out() << ' ' << v.dettaglio;
        out() << '\n';
        return valido ? 0 : 1;
    }
    return usageError(kCheck, QStringLiteral("unknown kind %1 (cf, piva, carta or iban)").arg(given[0]));
}

} // namespace

// One line out: "VALIDO", "VALIDO " + the issuing VAT office or the card network, "ERRATO", or
// "ERRATO " + what is missing when the text has the wrong length for its check.
const Subcommand kCheck = {
    "check",
    "check cf|piva|carta|iban TEXT  one line: VALIDO [VAT office or card type], or ERRATO "
    "[what is missing, when the length is wrong]",
    run};
