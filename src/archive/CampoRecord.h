#pragma once

#include "Text.h"

#include <QByteArrayView>
#include <QString>
#include <optional>

// One counted text field of a packed record, found by its stored name: where it starts in the
// record and how many bytes it holds. Lets a routine read a field chosen at run time (a filter
// typed by the user, an option on the command line) without decoding the whole record.
struct CampoRecord {
    int offset = 0;
    int capacity = 0;

    // The field's text as ShortString::get() gives it: decoded and trimmed, a damaged length
    // byte read as the whole field.
    QString leggi(const char* record) const;
    // The same text as stored (Windows-1252), trimmed.
    QByteArrayView bytes(const char* record) const {
        const int len = static_cast<unsigned char>(record[offset]);
        return text::bytes::trimmed(QByteArrayView(record + offset + 1, len < capacity ? len : capacity));
    }
};

// The field named `name` of Record, or nothing when Record has no such field.
template <class Record> std::optional<CampoRecord> campoRecord(const QString& name) {
    static const Record layout{};
    std::optional<CampoRecord> found;
    forEachField(layout, [&](const char* n, const auto& field) {
        if (!found && name == QLatin1String(n))
            found = CampoRecord{int(reinterpret_cast<const char*>(&field) - reinterpret_cast<const char*>(&layout)),
                                field.capacity};
    });
    return found;
}

// Whether `bytes`, the beginning of a file, can be the beginning of a Record, whole or cut short: no
// length byte among them says more than its field holds. A file of another kind (a text, a picture)
// fails at once; an archive with a trailing piece, or an empty one, passes.
template <class Record> bool iniziaComeRecord(QByteArrayView bytes) {
    static const Record layout{};
    bool ok = true;
    forEachField(layout, [&](const char*, const auto& field) {
        const qsizetype at = reinterpret_cast<const char*>(&field) - reinterpret_cast<const char*>(&layout);
        if (at < bytes.size() && quint8(bytes[at]) > field.capacity) ok = false;
    });
    return ok;
}
