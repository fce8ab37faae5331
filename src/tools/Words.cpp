#include "Subcommands.h"

#include "archive/Amounts.h"
#include "print/AmountWords.h"

namespace {

int run(const QStringList& args) {
    if (args.size() != 1) return usageError(kWords, QStringLiteral("give exactly one amount"));
    const auto value = amounts::parse(args.first());
    // Only the plain characters of an amount: no blanks around it, no stray signs.
    if (!value || args.first() != args.first().trimmed())
        return usageError(kWords, QStringLiteral("not an amount: %1").arg(args.first()));
    out() << ImportoInLettere(*value) << "\n";
    return 0;
}

} // namespace

const Subcommand kWords = {"words", "words AMOUNT             the amount in words (1234, 12,50, 12.50, -5)", run};
