// A slip or card record of any bytes, decoded and printed as one JSON line the way
// `versalio-tool dump` prints it: the line must be valid JSON holding every field as decoded,
// and the same bytes must always give the same line.
#include "FuzzCheck.h"
#include "Json.h"
#include "archive/SchedaAnagrafica.h"
#include "archive/SchedaBollettino.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <cstdint>
#include <cstring>

namespace {

template <class Record> QString dumpLine(qint64 pos, const Record& r) {
    return QString::fromUtf8(recordLine(pos, r));
}

template <class Record> void checkRecord(const uint8_t* data, size_t size) {
    Record r;
    std::memset(&r, 0, sizeof r);
    std::memcpy(&r, data, std::min(size, sizeof r));
    const QString line = dumpLine(7, r);
    FUZZ_REQUIRE(line == dumpLine(7, r));
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(line.toUtf8(), &error);
    FUZZ_REQUIRE(error.error == QJsonParseError::NoError && doc.isObject());
    const QJsonObject o = doc.object();
    FUZZ_REQUIRE(o.value(QStringLiteral("pos")).toInt() == 7);
    int fields = 0;
    forEachField(r, [&](const char* name, const auto& field) {
        const QString value = field.get();
        FUZZ_REQUIRE(value.size() <= field.capacity);
        FUZZ_REQUIRE(o.value(QLatin1String(name)).toString() == value);
        ++fields;
    });
    FUZZ_REQUIRE(o.size() == fields + 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first byte chooses the kind of record; the rest are its bytes, cut or padded with zeros.
    if (size == 0) return 0;
    if (data[0] & 1) checkRecord<TSchedaAnagrafica>(data + 1, size - 1);
    else checkRecord<TSchedaBollettino>(data + 1, size - 1);
    return 0;
}
