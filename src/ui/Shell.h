#pragma once

#include <QStringList>

// The desktop shell's "open": a web address, a mailto link, or a document path between double
// quotes. Nothing is reported when no program can open the target.
class TMisc {
public:
    static void Open(const QString& target);

    // Tests record what would be opened instead of starting programs.
    static void recordInstead(QStringList* sink);
};
