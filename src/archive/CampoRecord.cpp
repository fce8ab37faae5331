#include "CampoRecord.h"

#include "Text.h"

QString CampoRecord::leggi(const char* record) const { return text::fromCp1252(bytes(record)); }
