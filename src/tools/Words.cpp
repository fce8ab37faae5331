#include "Subcommands.h"

#include "archive/Amounts.h"
#include "archive/ImportoInLettere.h"

namespace {

int run(const QStringList& args) {
    CommandLine cl(kWords);
    cl.addArgument(QStringLiteral("AMOUNT"),
                   QStringLiteral("euros, with a decimal comma or point for the cents"));
    if (const auto stop = cl.parse(args)) return *stop;
    const QStringList amount = cl.arguments();
    if (amount.size() != 1) return usageError(kWords, QStringLiteral("give exactly one amount"));
    const auto value = amounts::parse(amount.first());
    // Only the plain characters of an amount: no blanks around it, no stray signs.
    if (!value || amount.first() != amount.first().trimmed())
        return usageError(kWords, QStringLiteral("not an amount: %1").arg(amount.first()));
    out() << ImportoInLettere(*value) << "\n";
    return 0;
}

} // namespace

const Subcommand kWords = {"words", "words AMOUNT             the amount in words (1234, 12,50, 12.50, -5)",
                           run};
