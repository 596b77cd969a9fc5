#include "io/ConversionTable.h"

#include <cmath>

#include "core/FileIO.h"
#include "core/TextFormat.h"
#include "core/TextReader.h"
#include "core/UserInterface.h"
#include "io/StationBlocks.h"

namespace zav {

namespace {

// How many unreadable lines a message lists, and how much of each.
constexpr size_t kLinesShown = 5;
constexpr size_t kTextShown = 80;

// A number of the line layout: it must end at a blank or the line end, so
// that "1,5" or "1e-32\xff..." is a bad number, not a number and a name.
bool ReadNumber(std::string_view line, size_t& pos, double& value) {
    return ExtractDouble(line, pos, value) && std::isfinite(value) &&
           (pos == line.size() || IsBlank(line[pos]));
}

std::string UnreadLinesMessage(const std::string& path,
                               const std::vector<ConversionTable::UnreadLine>& lines) {
    std::string text = "Unable to read " + std::to_string(lines.size()) +
                       (lines.size() == 1 ? " line of " : " lines of ") + path + ":";
    for (size_t i = 0; i < lines.size() && i < kLinesShown; ++i) {
        const std::string& line = lines[i].text;
        text += "\nline " + std::to_string(lines[i].number) + ": " + line.substr(0, kTextShown);
        if (line.size() > kTextShown) {
            text += "...";
        }
    }
    if (lines.size() > kLinesShown) {
        text += "\n(and " + std::to_string(lines.size() - kLinesShown) + " more)";
    }
    return text + "\nThe file will be left as it is when a project is saved.";
}

}  // namespace

void ConversionTable::Append(std::string name, double multiplier, double offset) {
    m_names.push_back(std::move(name));
    m_multipliers.push_back(multiplier);
    m_offsets.push_back(offset);
}

// "MULTIPLIER OFFSET NAME": the name is the rest of the line, whatever its
// length, without its leading blanks.
bool ConversionTable::ReadLine(std::string_view line) {
    size_t pos = 0;
    double multiplier = 0.0;
    double offset = 0.0;
    if (!ReadNumber(line, pos, multiplier) || !ReadNumber(line, pos, offset)) {
        return false;
    }
    Append(TrimLeft(line.substr(pos)), multiplier, offset);
    return true;
}

std::vector<ConversionTable::UnreadLine> ConversionTable::ReadText(const std::string& text) {
    std::vector<UnreadLine> unread;
    TextReader in(text);
    std::string line;
    for (int number = 1; in.ReadWholeLine(line); ++number) {
        if (!TrimView(line).empty() && !ReadLine(line)) {
            unread.push_back({number, line});
        }
    }
    return unread;
}

bool ConversionTable::ReadConversions(const std::string& path, UserInterface& ui) {
    std::string text;
    ReadResult result = ReadWholeFile(path, text);
    if (result != ReadResult::kOk) {
        m_fileReadWhole = m_fileReadWhole && result == ReadResult::kMissing;
        ui.ShowMessage(
            ReadFailureMessage(result, path, "Unable to open " + path + " for reading."));
        return false;
    }
    std::vector<UnreadLine> unread = ReadText(text);
    if (!unread.empty()) {
        m_fileReadWhole = false;
        ui.ShowMessage(UnreadLinesMessage(path, unread));
    }
    return true;
}

std::string ConversionTable::ToText() const {
    std::string out;
    for (size_t i = 0; i < m_names.size(); ++i) {
        AppendExact(out, m_multipliers[i]);
        out += ' ';
        AppendExact(out, m_offsets[i]);
        out += ' ';
        AppendLineValue(out, m_names[i]);
        out += "\r\n";
    }
    return out;
}

bool ConversionTable::WriteConversions(const std::string& path, UserInterface& ui) const {
    if (!m_fileReadWhole) {
        return true;
    }
    if (WriteFileSafely(path, ToText()) != WriteResult::kOk) {
        ui.ShowMessage("Unable to open " + path + " for writing.");
        return false;
    }
    return true;
}

void ConversionTable::AddConversion() {
    Append("<new entry>", 1.0, 0.0);
}

bool ConversionTable::RemoveConversion(int index) {
    if (index < 0 || index >= Count()) {
        return false;
    }
    m_names.erase(m_names.begin() + index);
    m_multipliers.erase(m_multipliers.begin() + index);
    m_offsets.erase(m_offsets.begin() + index);
    return true;
}

void ConversionTable::Clear() {
    m_names.clear();
    m_multipliers.clear();
    m_offsets.clear();
    m_fileReadWhole = true;
}

}  // namespace zav
