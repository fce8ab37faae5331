#include "RadixOrder.h"

#include "archive/Text.h"

#include <algorithm>
#include <array>

namespace {
const unsigned char* bytesOf(QByteArrayView t) { return reinterpret_cast<const unsigned char*>(t.data()); }
} // namespace

void RadixOrder::reserve(qsizetype n) {
    if (m_keys.size() != size_t(m_count)) return;
    m_keys.reserve(size_t(n));
    m_takenAfter.reserve(size_t(n));
}

void RadixOrder::add(const Lines& lines) {
    const qsizetype i = m_count++;
    const QByteArrayView line = lines.line(i);
    // What every line begins with (A-Z folded) says nothing of their order: the keys begin after it.
    if (m_common < 0) {
        m_common = line.size();
    } else {
        const auto& rank = text::bytes::ranksAZ();
        const unsigned char *x = bytesOf(lines.line(0)), *y = bytesOf(line);
        qsizetype k = 0;
        const qsizetype n = std::min(m_common, line.size());
        while (k < n && (x[k] == y[k] || rank[x[k]] == rank[y[k]])) ++k;
        m_common = k;
    }
    if (m_keys.size() == size_t(i)) {
        m_keys.push_back(key(line, qint32(i), m_common));
        m_takenAfter.push_back(qint32(m_common));
    }
}

RadixOrder::Key RadixOrder::key(QByteArrayView line, qint32 index, qsizetype from) {
    const auto& rank = text::bytes::ranksAZ();
    Key c{0, 0, index};
    const qsizetype n = std::clamp<qsizetype>(line.size() - from, 0, kKey);
    if (n == 0) return c;
    const unsigned char* y = bytesOf(line) + from;
    for (qsizetype k = 0; k < std::min<qsizetype>(n, 8); ++k) c.high |= quint64(rank[y[k]]) << (56 - 8 * k);
    for (qsizetype k = 8; k < n; ++k) c.low |= quint32(rank[y[k]]) << (24 - 8 * (k - 8));
    return c;
}

void RadixOrder::sortKeys(std::vector<Key>& keys) {
    // One pass for each byte of the keys from the last, skipping the bytes that every key has alike:
    // it keeps the order of equal keys and needs no comparison.
    const size_t n = keys.size();
    auto digit = [](const Key& c, int d) -> unsigned {
        return d < 4 ? (c.low >> (8 * d)) & 0xFF : unsigned(c.high >> (8 * (d - 4))) & 0xFF;
    };
    std::vector<std::array<quint32, 256>> count(kKey);
    for (const Key& c : keys)
        for (int d = 0; d < kKey; ++d) ++count[size_t(d)][digit(c, d)];
    std::vector<Key> other(n);
    for (int d = 0; d < kKey; ++d) {
        auto& place = count[size_t(d)];
        if (n == 0 || place[digit(keys[0], d)] == n) continue;
        quint32 before = 0;
        for (quint32& k : place) before += std::exchange(k, before);
        for (const Key& c : keys) other[place[digit(c, d)]++] = c;
        keys.swap(other);
    }
}

void RadixOrder::orderTies(const Lines& lines, std::vector<Key>& keys, qsizetype first, qsizetype last, qsizetype from,
                           Order& order) {
    // The lines [first, last) are alike up to `from`, A-Z folded. Those that end there come first,
    // shorter before longer (rank 0 past an end stands only for the byte 0): equal lengths are
    // equal lines.
    auto length = [&](const Key& c) { return lines.line(c.index).size(); };
    const auto ended = std::stable_partition(keys.begin() + first, keys.begin() + last,
                                             [&](const Key& c) { return length(c) <= from; });
    std::stable_sort(keys.begin() + first, ended, [&](const Key& x, const Key& y) { return length(x) < length(y); });
    const qsizetype end = ended - keys.begin();
    for (qsizetype i = first; i < end;) {
        qsizetype j = i + 1;
        while (j < end && length(keys[size_t(j)]) == length(keys[size_t(i)])) ++j;
        if (j - i > 1) order.equal.emplace_back(i, j);
        i = j;
    }
    // The others by their next bytes, keeping their order where those are alike too.
    for (qsizetype k = end; k < last; ++k) {
        const qint32 i = keys[size_t(k)].index;
        keys[size_t(k)] = key(lines.line(i), i, from);
    }
    std::sort(keys.begin() + end, keys.begin() + last, [](const Key& x, const Key& y) {
        return x.high != y.high ? x.high < y.high : x.low != y.low ? x.low < y.low : x.index < y.index;
    });
    orderRuns(lines, keys, end, last, from + kKey, order);
}

void RadixOrder::orderRuns(const Lines& lines, std::vector<Key>& keys, qsizetype first, qsizetype last, qsizetype from,
                           Order& order) {
    // Runs of lines whose keys (taken before `from`) are alike are ordered by what follows.
    for (qsizetype i = first; i < last;) {
        qsizetype j = i + 1;
        while (j < last && keys[size_t(j)].high == keys[size_t(i)].high && keys[size_t(j)].low == keys[size_t(i)].low) ++j;
        if (j - i > 1) orderTies(lines, keys, i, j, from, order);
        i = j;
    }
}

RadixOrder::Order RadixOrder::sort(const Lines& lines) {
    const qsizetype n = m_count;
    std::vector<Key> keys = std::exchange(m_keys, {});
    const std::vector<qint32> takenAfter = std::exchange(m_takenAfter, {});
    // Keys for the lines that have none, and again for those taken after a longer beginning.
    for (qsizetype i = 0; i < n; ++i) {
        if (size_t(i) < keys.size() && takenAfter[size_t(i)] == m_common) continue;
        const Key k = key(lines.line(i), qint32(i), m_common);
        if (size_t(i) == keys.size()) keys.push_back(k);
        else keys[size_t(i)] = k;
    }
    sortKeys(keys);
    Order order;
    orderRuns(lines, keys, 0, n, m_common + kKey, order);
    order.lines.resize(size_t(n));
    for (qsizetype k = 0; k < n; ++k) order.lines[size_t(k)] = keys[size_t(k)].index;
    return order;
}
