#include "store/DataSeries.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <numeric>

#include "core/Pages.h"

namespace zav {

DataSeries::Points& DataSeries::Edit() {
    if (!m_points) {
        m_points = std::make_shared<Points>();
    } else if (m_points.use_count() > 1) {
        m_points = std::make_shared<Points>(*m_points);
    }
    return *m_points;
}

const DataSeries::Points& DataSeries::EmptyPoints() {
    static const Points empty;
    return empty;
}

void DataSeries::InsertAt(size_t index, const KTRTime& time, double value, int32_t mask) {
    Points& p = Edit();
    p.times.insert(p.times.begin() + static_cast<std::ptrdiff_t>(index), time);
    p.values.insert(p.values.begin() + static_cast<std::ptrdiff_t>(index), value);
    p.masks.insert(p.masks.begin() + static_cast<std::ptrdiff_t>(index), mask);
}

void DataSeries::InsertPoints(const DataSeries& from) {
    const std::vector<KTRTime>& add = from.P().times;
    const std::vector<KTRTime>& times = P().times;
    if (add.empty() || &from == this) {
        return;  // a series inserted into itself changes nothing
    }
    if (m_needsSort) {
        for (size_t i = 0; i < from.Size(); ++i) {
            InsertPoint(add[i], from.Value(i), from.Mask(i));
        }
        return;
    }
    const bool increasing =
        !from.m_needsSort &&
        std::adjacent_find(add.begin(), add.end(), std::greater_equal<KTRTime>()) == add.end();
    if (!increasing || (!times.empty() && !(times.back() < add[0]))) {
        MergePoints(from);
        return;
    }
    if (times.empty() && times.capacity() < add.size()) {
        m_points = from.m_points;  // nothing here to keep: share
        return;
    }
    Points& p = Edit();
    const Points& q = from.P();
    p.times.insert(p.times.end(), q.times.begin(), q.times.end());
    p.values.insert(p.values.end(), q.values.begin(), q.values.end());
    p.masks.insert(p.masks.end(), q.masks.begin(), q.masks.end());
}

// Inserting one by one would move the points after each new one: a
// quadratic cost when many land among many. Instead the added points are
// put in time order (stably, so that of several at one time the last one
// added stays, as it would replace the others), and merged with this
// series' points from the first of them on, where an added point replaces
// a point at its time.
void DataSeries::MergePoints(const DataSeries& from) {
    const Points& q = from.P();
    std::vector<size_t> order(q.times.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&q](size_t a, size_t b) { return q.times[a] < q.times[b]; });
    Points& p = Edit();
    const auto at = std::lower_bound(p.times.begin(), p.times.end(), q.times[order.front()]);
    const size_t first = static_cast<size_t>(at - p.times.begin());
    Points tail;
    tail.times.assign(p.times.begin() + static_cast<std::ptrdiff_t>(first), p.times.end());
    tail.values.assign(p.values.begin() + static_cast<std::ptrdiff_t>(first), p.values.end());
    tail.masks.assign(p.masks.begin() + static_cast<std::ptrdiff_t>(first), p.masks.end());
    p.times.resize(first);
    p.values.resize(first);
    p.masks.resize(first);
    auto take = [&p](const Points& source, size_t i) {
        p.times.push_back(source.times[i]);
        p.values.push_back(source.values[i]);
        p.masks.push_back(source.masks[i]);
    };
    size_t i = 0;
    for (size_t k = 0; k < order.size() || i < tail.times.size();) {
        if (k == order.size() || (i < tail.times.size() && tail.times[i] < q.times[order[k]])) {
            take(tail, i++);
            continue;
        }
        const KTRTime time = q.times[order[k]];
        while (k + 1 < order.size() && q.times[order[k + 1]] == time) {
            ++k;
        }
        if (i < tail.times.size() && tail.times[i] == time) {
            ++i;  // replaced
        }
        take(q, order[k++]);
    }
}

void DataSeries::InsertPointAnywhere(const KTRTime& time, double value, int32_t mask) {
    if (m_needsSort) {
        InsertOutOfOrder(time, value, mask);
        return;
    }
    const std::vector<KTRTime>& times = P().times;
    if (times.empty() || times.back() < time) {
        AppendPoint(time, value, mask);
        return;
    }
    // Sorted: the first point after `time`; an equal one sits just before.
    size_t at =
        static_cast<size_t>(std::upper_bound(times.begin(), times.end(), time) - times.begin());
    if (at > 0 && times[at - 1] == time) {
        Points& p = Edit();
        p.values[at - 1] = value;
        p.masks[at - 1] = mask;
        return;
    }
    InsertAt(at, time, value, mask);
}

// After a replacement the order is broken until the next sort, so a point at
// an equal time may stand anywhere: it is looked for first, lest the series
// end up with two points at one time. Otherwise the point goes after the
// last earlier one, walking back from the end.
void DataSeries::InsertOutOfOrder(const KTRTime& time, double value, int32_t mask) {
    Points& p = Edit();
    auto equal = std::find(p.times.begin(), p.times.end(), time);
    if (equal != p.times.end()) {
        const size_t i = static_cast<size_t>(equal - p.times.begin());
        p.values[i] = value;
        p.masks[i] = mask;
        return;
    }
    for (size_t i = p.times.size(); i-- > 0;) {
        if (p.times[i] < time) {
            InsertAt(i + 1, time, value, mask);
            return;
        }
    }
    InsertAt(0, time, value, mask);
}

void DataSeries::AppendPoint(const KTRTime& time, double value, int32_t mask) {
    Points& p = Edit();
    p.times.push_back(time);
    p.values.push_back(value);
    p.masks.push_back(mask);
}

void DataSeries::RemovePoint(size_t index) {
    if (index >= Size()) {
        return;
    }
    Points& p = Edit();
    p.times.erase(p.times.begin() + static_cast<std::ptrdiff_t>(index));
    p.values.erase(p.values.begin() + static_cast<std::ptrdiff_t>(index));
    p.masks.erase(p.masks.begin() + static_cast<std::ptrdiff_t>(index));
}

void DataSeries::RemovePoints(const std::vector<size_t>& positions) {
    if (positions.empty() || positions.front() >= Size()) {
        return;
    }
    Points& p = Edit();
    size_t kept = positions.front();
    size_t next = 0;
    for (size_t i = kept; i < p.times.size(); ++i) {
        if (next < positions.size() && positions[next] == i) {
            ++next;
            continue;
        }
        p.times[kept] = p.times[i];
        p.values[kept] = p.values[i];
        p.masks[kept] = p.masks[i];
        ++kept;
    }
    p.times.resize(kept);
    p.values.resize(kept);
    p.masks.resize(kept);
}

int DataSeries::ReplacePoint(size_t index, const KTRTime& time, double value, int32_t mask) {
    const std::vector<KTRTime>& times = P().times;
    if (index >= times.size()) {
        return 0;
    }
    for (size_t i = 0; i < times.size(); ++i) {
        if (i != index && times[i] == time) {
            return 0;
        }
    }
    Points& p = Edit();
    p.times[index] = time;
    p.values[index] = value;
    p.masks[index] = mask;
    m_needsSort = 1;
    return 1;
}

void DataSeries::SortByTime(int force) {
    if (!force && !m_needsSort) {
        return;
    }
    m_needsSort = 0;
    const std::vector<KTRTime>& times = P().times;
    if (std::is_sorted(times.begin(), times.end())) {
        return;
    }
    std::vector<size_t> order(times.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&times](size_t a, size_t b) { return times[a] < times[b]; });
    Reorder(order);
}

void DataSeries::Reorder(const std::vector<size_t>& order) {
    Points& p = Edit();
    std::vector<KTRTime> times(order.size());
    std::vector<double> values(order.size());
    std::vector<int32_t> masks(order.size());
    for (size_t i = 0; i < order.size(); ++i) {
        times[i] = p.times[order[i]];
        values[i] = p.values[order[i]];
        masks[i] = p.masks[order[i]];
    }
    p.times.swap(times);
    p.values.swap(values);
    p.masks.swap(masks);
}

std::vector<size_t> DataSeries::SortedOrder(size_t& first) const {
    const std::vector<KTRTime>& times = P().times;
    std::vector<size_t> order(times.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&times](size_t a, size_t b) { return times[a] < times[b]; });
    size_t begin = 0;
    size_t end = order.size();
    while (begin < end && order[begin] == begin) {
        ++begin;
    }
    while (end > begin && order[end - 1] == end - 1) {
        --end;
    }
    first = begin;
    return std::vector<size_t>(order.begin() + static_cast<std::ptrdiff_t>(begin),
                               order.begin() + static_cast<std::ptrdiff_t>(end));
}

void DataSeries::ReorderRange(size_t first, const std::vector<size_t>& order) {
    Points& p = Edit();
    const Points old = p;
    for (size_t k = 0; k < order.size(); ++k) {
        p.times[first + k] = old.times[order[k]];
        p.values[first + k] = old.values[order[k]];
        p.masks[first + k] = old.masks[order[k]];
    }
}

void DataSeries::UnReorderRange(size_t first, const std::vector<size_t>& order) {
    Points& p = Edit();
    const Points sorted = p;
    for (size_t k = 0; k < order.size(); ++k) {
        p.times[order[k]] = sorted.times[first + k];
        p.values[order[k]] = sorted.values[first + k];
        p.masks[order[k]] = sorted.masks[first + k];
    }
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
    const Points& c = P();
    if (c.times.empty()) {
        return;
    }
    CalendarFields first = c.times.front().Fields();
    CalendarFields last = c.times.back().Fields();
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
    // A series with nothing to move is left untouched, so that it stays
    // shared with the copies an undo step keeps.
    const std::vector<KTRTime>& before = P().times;
    if (!m_needsSort && std::none_of(before.begin(), before.end(), [lastYear](const KTRTime& t) {
            return t.Year() <= lastYear;
        })) {
        return 0;
    }
    Points& p = Edit();
    std::vector<char> moved(p.times.size(), 0);
    for (size_t i = 0; i < p.times.size(); ++i) {
        KTRTime& time = p.times[i];
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
        std::adjacent_find(p.times.begin(), p.times.end(), [](const KTRTime& a, const KTRTime& b) {
            return !(a < b);
        }) == p.times.end();
    if (strictlyAscending) {
        return 0;
    }
    return SortKeepingMovedPoints(moved);
}

size_t DataSeries::SortKeepingMovedPoints(const std::vector<char>& moved) {
    Points& p = Edit();
    // In time order, a moved point after a point that stayed at its time:
    // merging then keeps the moved one, as inserting it would have.
    std::vector<size_t> order(p.times.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return p.times[a] < p.times[b] || (p.times[a] == p.times[b] && moved[a] < moved[b]);
    });
    Reorder(order);
    size_t kept = 0;
    for (size_t i = 0; i < order.size(); ++i) {
        if (kept > 0 && moved[order[i]] && p.times[kept - 1] == p.times[i]) {
            p.values[kept - 1] = p.values[i];
            p.masks[kept - 1] = p.masks[i];
            continue;
        }
        p.times[kept] = p.times[i];
        p.values[kept] = p.values[i];
        p.masks[kept] = p.masks[i];
        ++kept;
    }
    const size_t merged = p.times.size() - kept;
    p.times.resize(kept);
    p.values.resize(kept);
    p.masks.resize(kept);
    return merged;
}

void DataSeries::Reserve(size_t n) {
    Points& p = Edit();
    p.times.reserve(n);
    p.values.reserve(n);
    p.masks.reserve(n);
    // Readers reserve what a whole file may hold and then fill it.
    PrepareReserved(p.times);
    PrepareReserved(p.values);
    PrepareReserved(p.masks);
}

void DataSeries::ClearPoints() {
    Points& p = Edit();
    p.times.clear();
    p.values.clear();
    p.masks.clear();
    m_needsSort = 0;
}

void DataSeries::ShrinkToFit() {
    Points& p = Edit();
    p.times.shrink_to_fit();
    p.values.shrink_to_fit();
    p.masks.shrink_to_fit();
}

size_t DataSeries::LowerBound(const KTRTime& time) const {
    const Points& c = P();
    return static_cast<size_t>(std::lower_bound(c.times.begin(), c.times.end(), time) -
                               c.times.begin());
}

}  // namespace zav
