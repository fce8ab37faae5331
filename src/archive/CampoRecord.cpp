#include "CampoRecord.h"

#include "Text.h"

#include <algorithm>

QByteArrayView CampoRecord::bytes(const char* record) const {
    const auto len = static_cast<unsigned char>(record[offset]);
    return text::bytes::trimmed(QByteArrayView(record + offset + 1, std::min<int>(len, capacity)));
}

QString CampoRecord::leggi(const char* record) const { return text::fromCp1252(bytes(record)); }
