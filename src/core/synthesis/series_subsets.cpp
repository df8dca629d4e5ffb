#include "core/synthesis/series_subsets.h"

#include <algorithm>
#include <limits>
#include <string>

#include "core/host/allocation.h"

namespace mirovale {
namespace {

constexpr std::uint32_t kMaxCount = std::numeric_limits<std::uint16_t>::max();

// The fields of one table kind: the subsets, or the alphabets with lpAlphabet as the tail of
// the sizes block.
struct Table {
    std::uint16_t& wMaxRows;
    std::uint16_t& wRows;
    std::uint16_t& wMaxLength;
    std::vector<std::int16_t>& sizes;
    std::vector<std::vector<std::int16_t>>& list;
    std::vector<std::int16_t>* tail;
    const char* caption;
    const char* noSizes;
    const char* noList;
};

Table subsetTable(SeriesHeader& s) {
    return {s.wMaxSubsets,
            s.wSubsets,
            s.wMaxSubsetLength,
            s.selectedSubsetSize,
            s.selectedSubsetList,
            nullptr,
            " addSomeSelectedSubsetToSeriesHeader ",
            "Нет памяти для lpSeriesHeader->selectedSubsetSize!",
            "Нет памяти для lpSeriesHeader->selectedSubsetList!"};
}

Table alphabetTable(SeriesHeader& s) {
    return {s.wMaxAlphabets,
            s.wAlphabets,
            s.wMaxAlphabetLength,
            s.selectedAlphabetSize,
            s.selectedAlphabetList,
            &s.lpAlphabet,
            " addSelectedAlphabetsToSeriesHeader ",
            "Нет памяти для lpSeriesHeader->selectedAlphabetSize!",
            "Нет памяти для lpSeriesHeader->selectedAlphabetList!"};
}

void release(Table& t) {
    std::vector<std::int16_t>().swap(t.sizes);
    std::vector<std::vector<std::int16_t>>().swap(t.list);
    if (t.tail) std::vector<std::int16_t>().swap(*t.tail);
    t.wMaxRows = t.wRows = t.wMaxLength = 0;
}

// The panel's selection as it can be copied: no more rows than both arrays hold, and each
// row's length no more than its low 16 bits and the entries it has.
struct Selection {
    std::span<const std::uint32_t> sizes;
    std::span<const std::vector<std::uint32_t>> rows;
    std::uint32_t count = 0;
    [[nodiscard]] std::uint16_t length(std::size_t k) const {
        return static_cast<std::uint16_t>(
            std::min<std::size_t>(sizes[k] & 0xFFFFu, rows[k].size()));
    }
};

// Makes room for the selection: R by K as asked, grown to hold every row, reusing a table that
// is large enough. Returns false after the message, with no table left.
bool prepare(Host& host, Table& t, const Selection& sel, std::uint32_t R, std::uint32_t K) {
    std::uint32_t longest = 0;
    for (std::size_t k = 0; k < sel.count; ++k)
        longest = std::max<std::uint32_t>(longest, sel.length(k));
    const auto rows = static_cast<std::uint16_t>(std::min(std::max(R, sel.count), kMaxCount));
    const auto columns = static_cast<std::uint16_t>(std::min(std::max(K, longest), kMaxCount));
    if (!t.sizes.empty() && (t.wMaxRows < rows || t.wMaxLength < columns || t.list.size() < rows))
        release(t);
    if (!t.sizes.empty()) return true;
    if (!tryAllocate([&] {
            t.sizes.assign(rows, 0);
            if (t.tail) t.tail->assign(columns, 0);
        })) {
        release(t);
        host.messageBox(t.noSizes, t.caption, MessageIcon::None);
        return false;
    }
    if (!tryAllocate([&] { t.list.assign(rows, std::vector<std::int16_t>(columns, 0)); })) {
        release(t);
        host.messageBox(t.noList, t.caption, MessageIcon::None);
        return false;
    }
    t.wMaxRows = rows;
    t.wMaxLength = columns;
    return true;
}

// Copies the selection into the table; returns the 0-based current row (the last one when
// `current` is 0 or beyond the count).
std::size_t fill(Table& t, const Selection& sel, std::uint32_t current) {
    t.wRows = static_cast<std::uint16_t>(sel.count);
    for (std::size_t k = 0; k < sel.count; ++k) {
        const std::uint16_t length = sel.length(k);
        t.sizes[k] = static_cast<std::int16_t>(length);
        for (std::size_t j = 0; j < length; ++j)
            t.list[k][j] = static_cast<std::int16_t>(sel.rows[k][j]);
    }
    return current >= 1 && current <= sel.count ? current - 1 : sel.count - 1;
}

Selection selectionOf(std::span<const std::uint32_t> sizes,
                      std::span<const std::vector<std::uint32_t>> rows, std::uint32_t count) {
    const auto usable = std::min<std::size_t>({count, sizes.size(), rows.size(), kMaxCount});
    return {sizes, rows, static_cast<std::uint32_t>(usable)};
}

}  // namespace

int setSubset(std::span<const std::uint32_t> entries, std::uint32_t count, std::uint16_t mode,
              std::uint16_t position, SeriesHeader* series) {
    if (series == nullptr) return 1;
    // Only the entries kept count: a size beyond them would have the random modes pick entries
    // that were never written.
    const std::size_t kept =
        std::min<std::size_t>({count, entries.size(), series->wMaxPulses, series->lpSubset.size()});
    for (std::size_t k = 0; k < kept; ++k)
        series->lpSubset[k] = static_cast<std::int16_t>(entries[k]);
    series->wSubsetSize = static_cast<std::uint16_t>(kept);
    series->wSubsetMode = mode;
    series->wSubsetPosition = position;
    return 1;
}

int addSomeSelectedSubsetToSeriesHeader(Host& host, std::span<const std::uint32_t> sizes,
                                        std::span<const std::vector<std::uint32_t>> rows,
                                        std::uint32_t count, std::uint32_t R, std::uint32_t K,
                                        std::uint32_t current, std::uint16_t mode,
                                        std::uint16_t position, SeriesHeader* series) {
    const Selection sel = selectionOf(sizes, rows, count);
    if (sel.count < 1) return 0;
    if (series == nullptr) return 1;
    Table t = subsetTable(*series);
    if (!prepare(host, t, sel, R, K)) return 0;
    const std::size_t c = fill(t, sel, current);
    const std::size_t kept =
        std::min<std::size_t>({sel.length(c), series->wMaxPulses, series->lpSubset.size()});
    for (std::size_t j = 0; j < kept; ++j) series->lpSubset[j] = t.list[c][j];
    series->wSubsetSize = static_cast<std::uint16_t>(kept);
    series->wSubsetMode = mode;
    series->wSubsetPosition = position;
    return 1;
}

int addSelectedAlphabetsToSeriesHeader(Host& host, std::span<const std::uint32_t> sizes,
                                       std::span<const std::vector<std::uint32_t>> rows,
                                       std::uint32_t count, std::uint32_t R, std::uint32_t K,
                                       std::uint32_t current, SeriesHeader* series) {
    const Selection sel = selectionOf(sizes, rows, count);
    if (sel.count < 1) return 0;
    if (series == nullptr) return 1;
    Table t = alphabetTable(*series);
    if (!prepare(host, t, sel, R, K)) {
        series->wCurrentAlphabetSize = 0;  // lpAlphabet went with the table
        series->wCurrentAlphabet = 0;
        return 0;
    }
    const std::size_t c = fill(t, sel, current);
    // lpAlphabet has a full row's room, so the whole row is taken.
    const std::size_t kept = std::min<std::size_t>(sel.length(c), series->lpAlphabet.size());
    for (std::size_t j = 0; j < kept; ++j) series->lpAlphabet[j] = t.list[c][j];
    series->wCurrentAlphabetSize = static_cast<std::uint16_t>(kept);
    series->wCurrentAlphabet = static_cast<std::uint16_t>(c + 1);
    return 1;
}

void applySubset(GeneratorStates& states, std::uint16_t n, std::span<std::uint16_t> sequence,
                 const SeriesHeader& series) {
    const std::size_t c = std::min<std::size_t>(series.wSubsetSize, series.lpSubset.size());
    if (c == 0) return;  // modes 3 and 5 reduce by the subset size
    // A position of 0 would lay the subset from before the sequence's start; it is taken as 1.
    std::size_t p = series.wSubsetPosition > 0 ? series.wSubsetPosition - 1u : 0u;
    const std::size_t end = std::min<std::size_t>(n, sequence.size());
    auto entry = [&](std::size_t k) { return static_cast<std::uint16_t>(series.lpSubset[k]); };
    auto layOnce = [&](std::size_t from) {
        for (std::size_t j = 0; j < c && from + j < end; ++j) sequence[from + j] = entry(j);
    };
    switch (series.wSubsetMode) {
        case SUBSET_SINGLE_RANDOM: {
            const auto room = static_cast<std::int64_t>(n) - static_cast<std::int64_t>(p) -
                              static_cast<std::int64_t>(c) + 1;
            if (room > 0)
                p += static_cast<std::size_t>((nextUniform(states.wSubsetStartSeed) >> 1) % room);
            layOnce(p);
            break;
        }
        case SUBSET_SINGLE_FIXED:
            layOnce(p);
            break;
        case SUBSET_MULTIPLE_RANDOM:
            for (std::size_t i = p; i < end; ++i)
                sequence[i] =
                    entry(static_cast<std::size_t>(nextUniform(states.wSubsetPickSeed) >> 1) % c);
            break;
        case SUBSET_COMPLETE:
            for (std::size_t i = p; i < end; ++i) sequence[i] = entry((i - p) % c);
            break;
        case SUBSET_SHIFTED_COMPLETE: {
            const auto k0 = static_cast<std::size_t>(nextUniform(states.wSubsetStartSeed) >> 1) % c;
            for (std::size_t i = p; i < end; ++i) sequence[i] = entry((k0 + i - p) % c);
            break;
        }
        default:
            break;
    }
}

}  // namespace mirovale
