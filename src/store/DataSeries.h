// DataSeries: the points of one station/parameter pair with the scaling that
// applies to them. Points are kept in time order in three parallel arrays
// (times, values, masks), so a scan over one column stays in cache.
//
// A mask of 0 means the point counts; any other value sets it aside.
//
// Copies of a series share their points until one of them changes them
// (the change works on a copy of its own), so the undo steps of a document
// can keep the series an operation touched without copying the others.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/KTRTime.h"

namespace zav {

class DataSeries {
public:
    const std::string& StationName() const { return m_stationName; }
    const std::string& StationLocation() const { return m_stationLocation; }
    const std::string& ParameterName() const { return m_parameterName; }
    const std::string& Units() const { return m_units; }
    double Multiplier() const { return m_multiplier; }
    double Offset() const { return m_offset; }
    bool NeedsSort() const { return m_needsSort != 0; }
    // Undo puts the flag back as it was before an edit.
    void SetNeedsSort(bool needsSort) { m_needsSort = needsSort ? 1 : 0; }

    void SetStationName(std::string name) { m_stationName = std::move(name); }
    void SetStationLocation(std::string text) { m_stationLocation = std::move(text); }
    void SetParameterName(std::string name) { m_parameterName = std::move(name); }
    void SetUnits(std::string units) { m_units = std::move(units); }
    void SetMultiplier(double multiplier) { m_multiplier = multiplier; }
    void SetOffset(double offset) { m_offset = offset; }

    size_t Size() const { return P().times.size(); }
    bool Empty() const { return P().times.empty(); }
    const std::vector<KTRTime>& Times() const { return P().times; }
    const std::vector<double>& Values() const { return P().values; }
    const std::vector<int32_t>& Masks() const { return P().masks; }
    const KTRTime& Time(size_t i) const { return P().times[i]; }
    double Value(size_t i) const { return P().values[i]; }
    int32_t Mask(size_t i) const { return P().masks[i]; }
    void SetValue(size_t i, double value) { Edit().values[i] = value; }
    void SetMask(size_t i, int32_t mask) { Edit().masks[i] = mask; }

    // The series' own scaling of point i: value x multiplier + offset.
    double Scaled(size_t i) const { return P().values[i] * m_multiplier + m_offset; }

    // Adds a point in time order; a point at an equal time has its value
    // and mask replaced. A point after the last of points this series
    // holds alone is appended here, without a call: readers add tens of
    // millions so.
    void InsertPoint(const KTRTime& time, double value, int32_t mask) {
        if (!m_needsSort && m_points && m_points.use_count() == 1 &&
            (m_points->times.empty() || m_points->times.back() < time)) {
            m_points->times.push_back(time);
            m_points->values.push_back(value);
            m_points->masks.push_back(mask);
            return;
        }
        InsertPointAnywhere(time, value, mask);
    }
    // Every point of `from` in its order, as InsertPoint one by one would
    // add them; points that all come after this series' last are taken in
    // one go (shared, when this series has neither points nor room
    // reserved for them), others merged into this series' points from the
    // first they reach.
    void InsertPoints(const DataSeries& from);
    // Appends without looking at order; readers that cannot promise order
    // call SortByTime(1) afterwards.
    void AppendPoint(const KTRTime& time, double value, int32_t mask);
    void RemovePoint(size_t index);
    // Removes the points at `positions` (ascending, each once) in one pass:
    // the points kept move forward over them, so that deleting half of a
    // long series costs no more than copying it, where removing one point
    // at a time would move the rest of the series each time.
    void RemovePoints(const std::vector<size_t>& positions);
    // Overwrites point `index`; 0 when the index is out of range or another
    // point already has `time`. Order is restored by the next SortByTime.
    int ReplacePoint(size_t index, const KTRTime& time, double value, int32_t mask);
    // Stable sort by time when `force` is non-zero or a point was replaced.
    void SortByTime(int force);

    // Widens a running calendar-date range (years -1: nothing yet) by this
    // series' first and last points.
    void GetDateRange(int& firstDay, int& firstMonth, int& firstYear, int& lastDay, int& lastMonth,
                      int& lastYear) const;
    // Moves every point whose calendar year is at most `lastYear` forward
    // by 100 years, then sorts. A point moved onto the time of a point that
    // stayed replaces that point's value and mask, as InsertPoint does, so
    // no two points share a time; returns how many were merged so.
    size_t AddCentury(int lastYear);

    void Reserve(size_t n);
    // No points, the room for them kept: for a reader that fills a series
    // again and again.
    void ClearPoints();
    void ShrinkToFit();
    // Index of the first point at or after `time`.
    size_t LowerBound(const KTRTime& time) const;

    // The order SortByTime would put the points in, as the old position of
    // each new one, from the first position that moves to the last; `first`
    // is set to that first position. Empty when the order stays.
    std::vector<size_t> SortedOrder(size_t& first) const;
    // Points [first, first + order.size()) become the points at order[k];
    // UnReorder puts them back.
    void ReorderRange(size_t first, const std::vector<size_t>& order);
    void UnReorderRange(size_t first, const std::vector<size_t>& order);

    // True when this series and `other` share their points.
    bool SharesPointsWith(const DataSeries& other) const { return m_points == other.m_points; }

private:
    void InsertPointAnywhere(const KTRTime& time, double value, int32_t mask);
    void InsertOutOfOrder(const KTRTime& time, double value, int32_t mask);
    // Puts the points in the order `order` lists their positions.
    void Reorder(const std::vector<size_t>& order);
    // Sorts by time and merges each point `moved` flags (by position) into
    // a point that stayed at the same time. Returns the number merged.
    size_t SortKeepingMovedPoints(const std::vector<char>& moved);
    void InsertAt(size_t index, const KTRTime& time, double value, int32_t mask);
    // InsertPoints for points in any order into a series in time order.
    void MergePoints(const DataSeries& from);

    // On cache lines of its own: series filled side by side on several
    // threads would otherwise slow each other down at every point added.
    struct alignas(64) Points {
        std::vector<double> values;
        std::vector<KTRTime> times;
        std::vector<int32_t> masks;
    };
    const Points& P() const { return m_points ? *m_points : EmptyPoints(); }
    // The points, made this series' own first when they are shared.
    Points& Edit();
    static const Points& EmptyPoints();

public:
    // Appends points one after another without looking at their order, the
    // series' points made its own once rather than at every point: for
    // readers filling a new series. The series must outlive it and not be
    // touched otherwise meanwhile.
    class Appender {
    public:
        explicit Appender(DataSeries& series) : m_points(series.Edit()) {}
        void operator()(const KTRTime& time, double value, int32_t mask) {
            m_points.times.push_back(time);
            m_points.values.push_back(value);
            m_points.masks.push_back(mask);
        }

    private:
        Points& m_points;
    };

private:
    std::shared_ptr<Points> m_points;
    std::string m_stationName;
    std::string m_stationLocation;
    std::string m_parameterName;
    std::string m_units;
    int32_t m_needsSort = 0;
    double m_offset = 0.0;
    double m_multiplier = 1.0;
};

}  // namespace zav
