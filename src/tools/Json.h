#pragma once

#include <QByteArray>
#include <QJsonValue>

// One value as JSON text, encoded by Qt's JSON writer; the items of an array are separated by ", ".
QByteArray jsonText(const QJsonValue& value);
QByteArray jsonText(const QString& text);

// One JSON object on one line, its members in the order they were added: a record's own field
// order, which QJsonObject (kept sorted by key) would lose. Members are separated by ", " and a key
// is followed by ": ", as the tool has always written them. Keys are the tool's own plain names.
class JsonLine {
public:
    JsonLine& add(QLatin1StringView key, const QJsonValue& value) { return addJson(key, jsonText(value)); }
    JsonLine& add(QLatin1StringView key, const QString& text) { return addJson(key, jsonText(text)); }
    // The object and its line break.
    QByteArray text() const { return m_text + "}\n"; }

private:
    JsonLine& addJson(QLatin1StringView key, const QByteArray& json);

    QByteArray m_text = "{";
};

// A record as one JSON line: "pos" (1-based), then every field in record order.
template <class Record> QByteArray recordLine(qint64 pos, const Record& r) {
    JsonLine line;
    line.add(QLatin1StringView("pos"), pos);
    forEachField(
        r, [&](const char* name, const auto& field) { line.add(QLatin1StringView(name), field.get()); });
    return line.text();
}
