#pragma once

#include "Text.h"

#include <QString>
#include <cstdint>
#include <cstring>

// A counted text field of a record: one length byte, then N bytes of Windows-1252 text of
// which the first `len` count.
template <int N> struct ShortString {
    static_assert(N > 0 && N < 256);
    static constexpr int capacity = N;

    std::uint8_t len;
    char data[N];

    // Stores the text trimmed, encoded and cut to N characters; the bytes after it become zeros.
    void set(const QString& value) {
        const QByteArray bytes = text::toCp1252(text::trimmed(value));
        const int n = std::min<int>(N, int(bytes.size()));
        std::memcpy(data, bytes.constData(), n);
        std::memset(data + n, 0, N - n);
        len = std::uint8_t(n);
    }

    // A damaged length byte larger than N reads as the whole field.
    QString get() const { return text::fromCp1252(bytes()); }
    // The same text as stored, Windows-1252, trimmed: for scans that need not decode it.
    QByteArrayView bytes() const { return text::bytes::trimmed(QByteArrayView(data, std::min<int>(len, N))); }

    void clear() { set(QString()); }
};
