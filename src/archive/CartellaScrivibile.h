#pragma once

#include <QString>

// Whether the program folder can take the archives. Only a real attempt tells: permission bits say
// nothing to root, a read-only disk or a full one answer only to a write.
namespace cartellaScrivibile {

// Empty when a new file can be created, written and removed in `folder`; otherwise why not, in
// Italian words that complete "perché ...".
QString motivo(const QString& folder);

} // namespace cartellaScrivibile
