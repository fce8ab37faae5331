#pragma once

#include <QList>
#include <QString>
#include <utility>

using Fields = QList<std::pair<QString, QString>>;

// A record with the named fields set and every other field empty.
template <class T> T record(const Fields& fields) {
    T r;
    forEachField(r, [&](const char* name, auto& f) {
        f.clear();
        for (const auto& [n, v] : fields)
            if (n == QLatin1String(name)) f.set(v);
    });
    return r;
}
