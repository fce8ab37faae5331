#pragma once

#include "archive/GiornaleLotto.h"

#include <QByteArray>

// A batch stopped at one of its moments as a crash would stop it, inside the test's own process:
// nothing after that moment runs and nothing is put back or removed; only the lock goes, as the
// system drops it when a process dies. (The tool's tests kill a real process at the same moments.)
struct Interrotto {};

// Runs `batch`, which must reach `momento`; true when it stopped there.
template <class F> bool interrompiA(const char* momento, F&& batch) {
    const QByteArray dove(momento);
    giornaleLotto::osserva([dove](const char* m) {
        if (dove == m) throw Interrotto{};
    });
    bool fermato = false;
    try {
        batch();
    } catch (const Interrotto&) {
        fermato = true;
    }
    giornaleLotto::osserva({});
    return fermato;
}
