#pragma once

#include "RecordFileBase.h"

#include <QByteArray>
#include <QList>
#include <cstring>
#include <type_traits>
#include <memory>

// The typed face of a record file: T is one of the packed record structs.
template <class T> class RecordFile : public RecordFileBase {
    static_assert(std::is_trivially_copyable_v<T>);
    static_assert(kLottoDi<T> != nullptr, "every kind of archive says what its batches are called");

public:
    explicit RecordFile(const QString& path, Access access = Access::ReadWrite)
        : RecordFileBase(path, sizeof(T), *kLottoDi<T>, access) {}

    // index is 0-based; positions shown to the user are index + 1.
    T read(qint64 index) {
        T r;
        readAt(index, reinterpret_cast<char*>(&r));
        return r;
    }
    void write(qint64 index, const T& r) { writeAt(index, reinterpret_cast<const char*>(&r)); }
    // Returns the new record's 1-based position.
    qint64 append(const T& r) { return RecordFileBase::append(reinterpret_cast<const char*>(&r)); }
    // Appends all of `records` or none of them; returns the first new record's 1-based position.
    qint64 appendAll(const T* records, qint64 count) {
        return RecordFileBase::appendAll({}, [&] {
            return QByteArray::fromRawData(reinterpret_cast<const char*>(records), count * qsizetype(sizeof(T)));
        });
    }
    // Under one lock: esistente(record) for every record there, then the records nuovi() returns
    // (a QList<T>) appended all or none. Returns the first new 1-based position.
    template <class E, class N> qint64 appendAll(E&& esistente, N&& nuovi) {
        return RecordFileBase::appendAll(
            [&](const char* raw) {
                T r;
                std::memcpy(&r, raw, sizeof(T));
                esistente(r);
            },
            [&] {
                const QList<T> records = nuovi();
                return QByteArray(reinterpret_cast<const char*>(records.constData()), records.size() * qsizetype(sizeof(T)));
            });
    }

    // f(position, record) for every whole record; f returns void, or false to stop early.
    // The records are read straight into a batch of them: a scan of a large archive costs little
    // more than reading it.
    template <class F> void scan(F&& f) {
        constexpr qint64 kBatch = 256;
        const auto batch = std::make_unique_for_overwrite<T[]>(kBatch);
        RecordFileBase::scan(reinterpret_cast<char*>(batch.get()), kBatch, [&](qint64 pos, qint64 slot) {
            const T& r = batch[slot];
            if constexpr (std::is_same_v<decltype(f(pos, r)), bool>) return f(pos, r);
            else {
                f(pos, r);
                return true;
            }
        });
    }
};
