#pragma once

#include "RecordFileBase.h"

#include <type_traits>
#include <memory>

// The typed face of a record file: T is one of the packed record structs.
template <class T> class RecordFile : public RecordFileBase {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    explicit RecordFile(const QString& path, Access access = Access::ReadWrite)
        : RecordFileBase(path, sizeof(T), access) {}

    // index is 0-based; positions shown to the user are index + 1.
    T read(qint64 index) {
        T r;
        readAt(index, reinterpret_cast<char*>(&r));
        return r;
    }
    void write(qint64 index, const T& r) { writeAt(index, reinterpret_cast<const char*>(&r)); }
    // Returns the new record's 1-based position.
    qint64 append(const T& r) { return RecordFileBase::append(reinterpret_cast<const char*>(&r)); }

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
