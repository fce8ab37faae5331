#include "Json.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>

namespace {

// Qt writes whole documents only: write the value as the one item of an array and keep the item.
QByteArray written(const QJsonValue& value) {
    const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

} // namespace

QByteArray jsonText(const QJsonValue& value) {
    if (value.isString()) return jsonText(value.toString());
    if (!value.isArray()) return written(value);
    QByteArray r = "[";
    const QJsonArray items = value.toArray();
    for (qsizetype i = 0; i < items.size(); ++i)
        r += (i ? ", " : "") + jsonText(items[i]);
    return r + ']';
}

QByteArray jsonText(const QString& text) {
    // Most texts of a record hold nothing that JSON escapes; they go out as they are, which keeps a
    // dump of a large archive about as quick as reading it.
    const bool plain = std::none_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() < 0x20 || c == QLatin1Char('"') || c == QLatin1Char('\\') || c.isSurrogate();
    });
    return plain ? '"' + text.toUtf8() + '"' : written(text);
}

JsonLine& JsonLine::addJson(QLatin1StringView key, const QByteArray& json) {
    if (m_text.size() > 1) m_text += ", ";
    m_text += '"';
    m_text += QByteArrayView(key.data(), key.size());
    m_text += "\": ";
    m_text += json;
    return *this;
}
