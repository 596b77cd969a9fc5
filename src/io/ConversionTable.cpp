#include "io/ConversionTable.h"

#include "core/FileIO.h"
#include "core/TextFormat.h"
#include "core/TextReader.h"
#include "core/UserInterface.h"
#include "io/StationBlocks.h"

namespace zav {

namespace {
constexpr size_t kMaxName = 199;
}

void ConversionTable::Append(std::string name, double multiplier, double offset) {
    m_names.push_back(std::move(name));
    m_multipliers.push_back(multiplier);
    m_offsets.push_back(offset);
}

void ConversionTable::ReadText(const std::string& text) {
    size_t pos = ByteOrderMarkLength(text);
    while (pos < text.size()) {
        double multiplier = 0.0;
        double offset = 0.0;
        if (!ExtractDouble(text, pos, multiplier) || !ExtractDouble(text, pos, offset)) {
            return;
        }
        size_t end = text.find('\n', pos);
        size_t next = (end == std::string::npos) ? text.size() : end + 1;
        if (end == std::string::npos) {
            end = text.size();
        }
        if (end > pos && text[end - 1] == '\r') {
            --end;
        }
        std::string name = TrimLeft(std::string_view(text).substr(pos, end - pos));
        pos = next;
        // A name too long for the line buffer is cut, and nothing after it
        // is read.
        bool tooLong = name.size() > kMaxName;
        if (tooLong) {
            name.resize(kMaxName);
        }
        Append(std::move(name), multiplier, offset);
        if (tooLong) {
            return;
        }
    }
}

bool ConversionTable::ReadConversions(const std::string& path, UserInterface& ui) {
    std::string text;
    if (!ReadFileText(path, text)) {
        ui.ShowMessage("Unable to open " + path + " for reading.");
        return false;
    }
    ReadText(text);
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
}

}  // namespace zav
