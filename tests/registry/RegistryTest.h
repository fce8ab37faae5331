#pragma once

#include "archive/SchedaAnagrafica.h"
#include "common/GuiTest.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>

// A card written the way another program would: every field set, bytes after each length left dirty.
inline QByteArray rawCard(const QList<std::pair<QString, QByteArray>>& fields) {
    QByteArray raw(2997, char(0x5a));
    int offset = 0;
    TSchedaAnagrafica layout{};
    forEachField(layout, [&](const char* name, auto& f) {
        for (const auto& [n, value] : fields) {
            if (n == QLatin1String(name)) {
                raw[offset] = char(value.size());
                raw.replace(offset + 1, value.size(), value);
            }
        }
        if (std::none_of(fields.begin(), fields.end(), [&](const auto& p) { return p.first == QLatin1String(name); }))
            raw[offset] = 0;
        offset += int(sizeof(f));
    });
    return raw;
}

inline void appendRaw(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::Append));
    QCOMPARE(f.write(bytes), bytes.size());
}

inline QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The counted text at `offset` of a raw record: its length byte and that many bytes.
inline QByteArray fieldAt(const QByteArray& record, int offset) {
    return record.mid(offset + 1, quint8(record[offset]));
}
