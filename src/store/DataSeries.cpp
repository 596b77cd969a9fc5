#include "store/DataSeries.h"

#include <algorithm>
#include <cstddef>
#include <numeric>

namespace zav {

void DataSeries::InsertAt(size_t index, const KTRTime& time, double value, int32_t mask) {
    m_times.insert(m_times.begin() + static_cast<std::ptrdiff_t>(index), time);
    m_values.insert(m_values.begin() + static_cast<std::ptrdiff_t>(index), value);
    m_masks.insert(m_masks.begin() + static_cast<std::ptrdiff_t>(index), mask);
}

void DataSeries::InsertPoint(const KTRTime& time, double value, int32_t mask) {
    if (m_needsSort) {
        InsertOutOfOrder(time, value, mask);
        return;
    }
    if (m_times.empty() || m_times.back() < time) {
        AppendPoint(time, value, mask);
        return;
    }
    // Sorted: the first point after `time`; an equal one sits just before.
    size_t at = static_cast<size_t>(std::upper_bound(m_times.begin(), m_times.end(), time) -
                                    m_times.begin());
    if (at > 0 && m_times[at - 1] == time) {
        m_values[at - 1] = value;
        m_masks[at - 1] = mask;
        return;
    }
    InsertAt(at, time, value, mask);
}

// After a replacement the order is broken until the next sort, so a point at
// an equal time may stand anywhere: it is looked for first, lest the series
// end up with two points at one time. Otherwise the point goes after the
// last earlier one, walking back from the end.
void DataSeries::InsertOutOfOrder(const KTRTime& time, double value, int32_t mask) {
    auto equal = std::find(m_times.begin(), m_times.end(), time);
    if (equal != m_times.end()) {
        const size_t i = static_cast<size_t>(equal - m_times.begin());
        m_values[i] = value;
        m_masks[i] = mask;
        return;
    }
    for (size_t i = m_times.size(); i-- > 0;) {
        if (m_times[i] < time) {
            InsertAt(i + 1, time, value, mask);
            return;
        }
    }
    InsertAt(0, time, value, mask);
}

void DataSeries::AppendPoint(const KTRTime& time, double value, int32_t mask) {
    m_times.push_back(time);
    m_values.push_back(value);
    m_masks.push_back(mask);
}

void DataSeries::RemovePoint(size_t index) {
    if (index >= m_times.size()) {
        return;
    }
    m_times.erase(m_times.begin() + static_cast<std::ptrdiff_t>(index));
    m_values.erase(m_values.begin() + static_cast<std::ptrdiff_t>(index));
    m_masks.erase(m_masks.begin() + static_cast<std::ptrdiff_t>(index));
}

int DataSeries::ReplacePoint(size_t index, const KTRTime& time, double value, int32_t mask) {
    if (index >= m_times.size()) {
        return 0;
    }
    for (size_t i = 0; i < m_times.size(); ++i) {
        if (i != index && m_times[i] == time) {
            return 0;
        }
    }
    m_times[index] = time;
    m_values[index] = value;
    m_masks[index] = mask;
    m_needsSort = 1;
    return 1;
}

void DataSeries::SortByTime(int force) {
    if (!force && !m_needsSort) {
        return;
    }
    m_needsSort = 0;
    if (std::is_sorted(m_times.begin(), m_times.end())) {
        return;
    }
    std::vector<size_t> order(m_times.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [this](size_t a, size_t b) { return m_times[a] < m_times[b]; });
    Reorder(order);
}

void DataSeries::Reorder(const std::vector<size_t>& order) {
    std::vector<KTRTime> times(order.size());
    std::vector<double> values(order.size());
    std::vector<int32_t> masks(order.size());
    for (size_t i = 0; i < order.size(); ++i) {
        times[i] = m_times[order[i]];
        values[i] = m_values[order[i]];
        masks[i] = m_masks[order[i]];
    }
    m_times.swap(times);
    m_values.swap(values);
    m_masks.swap(masks);
}

namespace {
bool DateBefore(int y1, int m1, int d1, int y2, int m2, int d2) {
    if (y1 != y2) {
        return y1 < y2;
    }
    if (m1 != m2) {
        return m1 < m2;
    }
    return d1 < d2;
}
}  // namespace

void DataSeries::GetDateRange(int& firstDay, int& firstMonth, int& firstYear, int& lastDay,
                              int& lastMonth, int& lastYear) const {
    if (m_times.empty()) {
        return;
    }
    CalendarFields first = m_times.front().Fields();
    CalendarFields last = m_times.back().Fields();
    if (firstYear == -1) {
        firstDay = first.day;
        firstMonth = first.month;
        firstYear = first.year;
        lastDay = last.day;
        lastMonth = last.month;
        lastYear = last.year;
        return;
    }
    if (DateBefore(first.year, first.month, first.day, firstYear, firstMonth, firstDay)) {
        firstYear = first.year;
        firstMonth = first.month;
        firstDay = first.day;
    }
    if (DateBefore(lastYear, lastMonth, lastDay, last.year, last.month, last.day)) {
        lastYear = last.year;
        lastMonth = last.month;
        lastDay = last.day;
    }
}

size_t DataSeries::AddCentury(int lastYear) {
    std::vector<char> moved(m_times.size(), 0);
    for (size_t i = 0; i < m_times.size(); ++i) {
        KTRTime& time = m_times[i];
        int year = time.Year();
        if (year > lastYear) {
            continue;
        }
        // A year the time value cannot hold leaves the point where it was
        // rather than making its time invalid.
        KTRTime later = time;
        later.SetYear(year + 100);
        if (later.IsValid()) {
            time = later;
            moved[i] = 1;
        }
    }
    m_needsSort = 0;
    const bool strictlyAscending =
        std::adjacent_find(m_times.begin(), m_times.end(), [](const KTRTime& a, const KTRTime& b) {
            return !(a < b);
        }) == m_times.end();
    if (strictlyAscending) {
        return 0;
    }
    return SortKeepingMovedPoints(moved);
}

size_t DataSeries::SortKeepingMovedPoints(const std::vector<char>& moved) {
    // In time order, a moved point after a point that stayed at its time:
    // merging then keeps the moved one, as inserting it would have.
    std::vector<size_t> order(m_times.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return m_times[a] < m_times[b] || (m_times[a] == m_times[b] && moved[a] < moved[b]);
    });
    Reorder(order);
    size_t kept = 0;
    for (size_t i = 0; i < order.size(); ++i) {
        if (kept > 0 && moved[order[i]] && m_times[kept - 1] == m_times[i]) {
            m_values[kept - 1] = m_values[i];
            m_masks[kept - 1] = m_masks[i];
            continue;
        }
        m_times[kept] = m_times[i];
        m_values[kept] = m_values[i];
        m_masks[kept] = m_masks[i];
        ++kept;
    }
    const size_t merged = m_times.size() - kept;
    m_times.resize(kept);
    m_values.resize(kept);
    m_masks.resize(kept);
    return merged;
}

void DataSeries::Reserve(size_t n) {
    m_times.reserve(n);
    m_values.reserve(n);
    m_masks.reserve(n);
}

void DataSeries::ShrinkToFit() {
    m_times.shrink_to_fit();
    m_values.shrink_to_fit();
    m_masks.shrink_to_fit();
}

size_t DataSeries::LowerBound(const KTRTime& time) const {
    return static_cast<size_t>(std::lower_bound(m_times.begin(), m_times.end(), time) -
                               m_times.begin());
}

}  // namespace zav
