#pragma once

#include <QByteArrayView>
#include <QString>
#include <cstdio>
#include <type_traits>

// Standard output or standard error as the tool writes them: UTF-8 text through the C library's
// buffered stream, every failure kept with the system's reason ("No space left on device", "Broken
// pipe"), so that a subcommand can stop early and the tool can exit 1. (QFile reports a write cut
// short by a full disk without a reason.)
class Output {
public:
    explicit Output(std::FILE* stream);

    Output& operator<<(QByteArrayView bytes);
    Output& operator<<(const QByteArray& bytes) { return *this << QByteArrayView(bytes); }
    Output& operator<<(const QString& text) { return *this << QByteArrayView(text.toUtf8()); }
    Output& operator<<(const char* text) { return *this << QByteArrayView(text); }
    Output& operator<<(char c) { return *this << QByteArrayView(&c, 1); }
    template <class N>
    requires(std::is_integral_v<N> && !std::is_same_v<N, char> && !std::is_same_v<N, bool>) Output&
    operator<<(N n) {
        return *this << QByteArrayView(QByteArray::number(n));
    }

    // Hands everything written so far to the system; false when any of it could not be written.
    bool flush();
    bool failed() const { return !m_error.isEmpty(); }
    const QString& errorString() const { return m_error; }

private:
    void fail(int error);

    std::FILE* m_stream;
    QString m_error;
};
