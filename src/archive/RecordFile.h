#pragma once

#include "RecordFileBase.h"

#include <QByteArray>
#include <QList>
#include <cstring>
#include <exception>
#include <thread>
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
    template <class F> void scan(F&& f) { scan(0, -1, std::forward<F>(f)); }
    // The same over the records from index `from` up to `to` excluded (-1: the end).
    template <class F> void scan(qint64 from, qint64 to, F&& f) {
        constexpr qint64 kBatch = 256;
        const auto batch = std::make_unique_for_overwrite<T[]>(kBatch);
        RecordFileBase::scan(reinterpret_cast<char*>(batch.get()), kBatch, [&](qint64 pos, qint64 slot) {
            const T& r = batch[slot];
            if constexpr (std::is_same_v<decltype(f(pos, r)), bool>) return f(pos, r);
            else {
                f(pos, r);
                return true;
            }
        }, from, to);
    }

    // The records as scan() gives them, a large file's in two halves at once: visit(0, position,
    // record) for the first half on this thread, and visit(1, position, record) for the second on
    // another, through a handle of its own. What the second half gathered belongs after what the
    // first gathered: join() is called to put it there, once both are done, when the first half was
    // read whole. A failure in the first half throws once the second has stopped, and join() is not
    // called; one in the second throws after join(), which then has the records before it.
    template <class F, class J> void scanInHalves(F&& visit, J&& join) {
        constexpr qint64 kSplit = 8192; // below this, one reader is as fast
        const qint64 n = count();
        if (n < kSplit) return scan([&](qint64 pos, const T& r) { visit(0, pos, r); });
        const qint64 half = n / 2;
        std::exception_ptr failure;
        std::thread second([&] {
            try {
                RecordFile<T>(path(), Access::ReadOnly).scan(half, n, [&](qint64 pos, const T& r) { visit(1, pos, r); });
            } catch (...) {
                failure = std::current_exception();
            }
        });
        qint64 first = 0;
        try {
            scan(0, half, [&](qint64 pos, const T& r) { visit(0, pos, r), ++first; });
        } catch (...) {
            second.join();
            throw;
        }
        second.join();
        if (first == half) join(); // else the file shrank under the first half
        if (failure) std::rethrow_exception(failure);
    }
};
