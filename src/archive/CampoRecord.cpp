#include "CampoRecord.h"

#include "Text.h"

#include <algorithm>

QString CampoRecord::leggi(const char* record) const {
    const auto len = static_cast<unsigned char>(record[offset]);
    return text::trimmed(text::fromCp1252(record + offset + 1, std::min<int>(len, capacity)));
}
