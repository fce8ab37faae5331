#include "Json.h"
#include "Subcommands.h"

#include "archive/ArchiveError.h"
#include "archive/Dates.h"
#include "queries/Elenco.h"

#include <QDate>

namespace {

constexpr auto kReadOnly = elenchi::Accesso::ReadOnly;

struct Lista {
    const char* nome;
    bool registro;   // the FILE is the registry, and may be left out
    bool filtri;     // takes the ten filters of its search
    const char* descrizione;
};

constexpr Lista kListe[] = {
    {"search", false, true, "the slips whose fields hold the given texts (all slips with none)"},
    {"unpaid", false, false, "the slips not marked as paid"},
    {"expired", false, false, "the slips not marked as paid and due today (--today) or earlier"},
    {"cards", true, true, "the registry cards whose fields hold the given texts (all cards with none)"},
    {"recontact", true, false, "the registry cards flagged to be recontacted"},
};

const QString kToday = QStringLiteral("today");

int run(const QStringList& args) {
    const QString nome = args.value(0);
    const Lista* lista = nullptr;
    for (const Lista& l : kListe)
        if (nome == QLatin1String(l.nome)) lista = &l;

    CommandLine cl(kList);
    if (!lista) {
        // Only --help (anywhere) gets past here: anything else is a list this tool does not have.
        if (const auto stop = cl.parse(nome.startsWith(QLatin1Char('-')) ? args : QStringList())) return *stop;
        return usageError(kList, nome.isEmpty()
                                     ? QStringLiteral("give the list: search, unpaid, expired, cards or recontact")
                                     : QStringLiteral("unknown list %1").arg(nome));
    }
    const QStringList campi = !lista->filtri ? QStringList()
                              : lista->registro ? elenchi::kFiltriSchede
                                                : elenchi::kFiltriBollettini;
    for (const QString& campo : campi)
        cl.addOption({campo, QStringLiteral("text to look for in the field %1, as typed").arg(campo),
                      QStringLiteral("T")});
    if (nome == QLatin1String("expired"))
        cl.addOption({kToday, QStringLiteral("the day to compare with instead of today"), QStringLiteral("dd/mm/yyyy")});
    cl.addArgument(QStringLiteral("FILE"), lista->registro
                                               ? QStringLiteral("the registry (Esecutori.pro in the current folder)")
                                               : QStringLiteral("a yearly archive of slips (2024.bol)"));
    if (const auto stop = cl.parse(args.mid(1))) return *stop;

    const QStringList files = cl.arguments();
    if (files.size() > 1 || (files.isEmpty() && !lista->registro))
        return usageError(kList, QStringLiteral("give exactly one archive file"));
    const QString path = files.isEmpty() ? QStringLiteral("Esecutori.pro") : files.first();

    QDate oggi = QDate::currentDate();
    if (nome == QLatin1String("expired") && cl.isSet(kToday)) {
        const auto d = dates::parse(cl.value(kToday));
        if (!d) return usageError(kList, QStringLiteral("--today takes a date dd/mm/yyyy, not %1").arg(cl.value(kToday)));
        oggi = *d;
    }
    QList<std::pair<QString, QString>> testi;
    for (const QString& campo : campi)
        if (cl.isSet(campo)) testi.append({campo, cl.value(campo)});

    Elenco elenco;
    try {
        FiltriTesto filtri;
        if (nome == QLatin1String("search")) {
            elenchi::filtriBollettini(testi, filtri);
            elenchi::cercaBollettini(path, filtri, elenco, kReadOnly);
        } else if (nome == QLatin1String("unpaid")) {
            elenchi::bollettiniDaSaldare(path, elenco, kReadOnly);
        } else if (nome == QLatin1String("expired")) {
            elenchi::bollettiniScaduti(path, oggi, elenco, kReadOnly);
        } else if (nome == QLatin1String("cards")) {
            elenchi::filtriSchede(testi, filtri);
            elenchi::cercaSchede(path, filtri, elenco, kReadOnly);
        } else {
            elenchi::schedeDaRicontattare(path, elenco, kReadOnly);
        }
    } catch (const ArchiveError& e) {
        err() << "versalio-tool list: " << e.what() << "\n";
        return 1;
    }
    for (const VoceElenco& v : elenco.voci()) {
        JsonLine line;
        line.add(QLatin1StringView("pos"), v.posizione).add(QLatin1StringView("line"), v.riga);
        if ((out() << line.text()).failed()) break;
    }
    return 0;
}

} // namespace

// One JSON object per line, {"pos": N, "line": "..."}, in the order the program's lists show them.
const Subcommand kList = {
    "list",
    "list search|unpaid|expired FILE.bol [--Intero T ... --Note T] [--today dd/mm/yyyy], "
    "list cards|recontact [Esecutori.pro] [--Esecutore T ... --Note T]   the program's lists, one JSON "
    "object per line",
    run};
