#include "io/ImportReport.h"

#include <algorithm>
#include <numeric>

namespace zav {

const char* const kClipboardInput = "Clipboard";

namespace {

const char* const kRuleTexts[kSkipRuleCount] = {
    "not a number",
    "date or time that cannot be read or is outside the years 1000 to 9999",
    "value on a day its month does not have",
    "value under a header cell that is not a date",
    "row without a parameter name",
    "units other than those first given for its series",
    "second value at a time its series already has",
    "row without a station name",
    "empty cell",
    "begins with a minus sign (layout 2 skips these)",
    "-999 or less (layout 3 stores nothing for these)",
    "below the detection limit (not stored with --censored skip)",
};

// A whole line pasted into a cell (a wrong separator, say) would swamp the
// message; the start of it shows the place well enough.
constexpr size_t kShownText = 40;

size_t Index(SkipRule rule) {
    return static_cast<size_t>(rule);
}

std::string Counted(size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

void AppendPlace(std::string& out, const SkipPlace& place) {
    out += "line " + std::to_string(place.line);
    if (place.column > 0) {
        out += ", column " + std::to_string(place.column);
    }
    out += ": '";
    if (place.text.size() > kShownText) {
        out.append(place.text, 0, kShownText);
        out += "...";
    } else {
        out += place.text;
    }
    out += "'";
}

// One line per rule that skipped something; true when places were shown.
bool AppendRules(std::string& out, const ImportReport::Input& input) {
    bool placesShown = false;
    for (size_t r = 0; r < kSkipRuleCount; ++r) {
        const size_t count = input.counts[r];
        if (count == 0) {
            continue;
        }
        out += "\n  ";
        out += kRuleTexts[r];
        out += ": " + std::to_string(count);
        const std::vector<SkipPlace>& places = input.places[r];
        if (places.empty()) {
            continue;
        }
        placesShown = true;
        out += " (";
        for (size_t i = 0; i < places.size(); ++i) {
            if (i > 0) {
                out += "; ";
            }
            AppendPlace(out, places[i]);
        }
        if (count > places.size()) {
            out += "; and " + std::to_string(count - places.size()) + " more";
        }
        out += ")";
    }
    return placesShown;
}

}  // namespace

const char* SkipRuleText(SkipRule rule) {
    return kRuleTexts[Index(rule)];
}

bool IsUnreadable(SkipRule rule) {
    return Index(rule) <= Index(SkipRule::kNoStation);
}

size_t ImportReport::Input::Skipped() const {
    return std::accumulate(counts.begin(), counts.end(), size_t{0});
}

void ImportReport::StartInput(std::string name) {
    m_inputs.emplace_back();
    m_inputs.back().name = std::move(name);
}

ImportReport::Input& ImportReport::Current() {
    if (m_inputs.empty()) {
        m_inputs.emplace_back();
    }
    return m_inputs.back();
}

void ImportReport::MarkFailed() {
    Current().failed = true;
}

void ImportReport::AddValues(size_t count) {
    Current().values += count;
}

void ImportReport::Skip(SkipRule rule, size_t line, size_t column, std::string_view text) {
    Input& input = Current();
    ++input.counts[Index(rule)];
    if (IsUnreadable(rule) && input.places[Index(rule)].size() < kPlacesKept) {
        input.places[Index(rule)].push_back(SkipPlace{line, column, std::string(text)});
    }
}

void ImportReport::Absorb(const ImportReport& part, size_t linesBefore) {
    if (part.m_inputs.empty()) {
        return;
    }
    const Input& from = part.m_inputs.back();
    Input& input = Current();
    input.values += from.values;
    for (size_t r = 0; r < kSkipRuleCount; ++r) {
        input.counts[r] += from.counts[r];
        for (const SkipPlace& place : from.places[r]) {
            if (input.places[r].size() < kPlacesKept) {
                input.places[r].push_back(place);
                if (place.line > 0) {
                    input.places[r].back().line += linesBefore;
                }
            }
        }
    }
}

bool ImportReport::HasPlaces() const {
    return !m_inputs.empty() &&
           std::any_of(m_inputs.back().places.begin(), m_inputs.back().places.end(),
                       [](const std::vector<SkipPlace>& kept) { return !kept.empty(); });
}

bool ImportReport::WantsPlace(SkipRule rule) const {
    return IsUnreadable(rule) &&
           (m_inputs.empty() || m_inputs.back().places[Index(rule)].size() < kPlacesKept);
}

size_t ImportReport::Count(SkipRule rule) const {
    size_t total = 0;
    for (const Input& input : m_inputs) {
        total += input.counts[Index(rule)];
    }
    return total;
}

size_t ImportReport::Unreadable() const {
    size_t total = 0;
    for (size_t r = 0; r < kSkipRuleCount; ++r) {
        if (IsUnreadable(static_cast<SkipRule>(r))) {
            total += Count(static_cast<SkipRule>(r));
        }
    }
    return total;
}

size_t ImportReport::Skipped() const {
    size_t total = 0;
    for (const Input& input : m_inputs) {
        total += input.Skipped();
    }
    return total;
}

size_t ImportReport::Values() const {
    size_t total = 0;
    for (const Input& input : m_inputs) {
        total += input.values;
    }
    return total;
}

std::string ImportMessage(const ImportReport& report) {
    std::string out;
    bool placesShown = false;
    for (const ImportReport::Input& input : report.Inputs()) {
        const size_t skipped = input.Skipped();
        if (input.failed || (skipped == 0 && input.values > 0)) {
            continue;
        }
        if (!out.empty()) {
            out += "\n";
        }
        out += input.name + ": ";
        out += input.values == 0 ? "no value read"
                                 : Counted(input.values, "value read", "values read");
        if (skipped > 0) {
            out += "; " + Counted(skipped, "cell not used:", "cells not used:");
        } else {
            out += ".";
        }
        placesShown = AppendRules(out, input) || placesShown;
    }
    if (placesShown) {
        out += "\nLines and columns are counted from 1; a column is one cell of a line.";
    }
    return out;
}

}  // namespace zav
