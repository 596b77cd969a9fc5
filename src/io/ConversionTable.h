// ConversionTable: the standard unit conversions offered on the units page,
// kept in unitConversions.txt beside the program and shared by every
// project. One line per entry: multiplier, a blank, offset, a blank, name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zav {

class UserInterface;

class ConversionTable {
public:
    // A line of the file that gave no entry: 1-based number and its text.
    struct UnreadLine {
        int number;
        std::string text;
    };

    // Appends every entry of the file that can be read. The file is shared
    // by every project, so one that was not read whole (a line that cannot
    // be read, a file that exists but cannot be opened) is never written
    // back: the table remembers it, and the message names the lines. False
    // (after the message) when the file cannot be opened; a missing file
    // counts as read whole, so that saving creates it.
    bool ReadConversions(const std::string& path, UserInterface& ui);
    // Writes the table; a file that was not read whole is left as it is
    // (the caller tells the person). False after the message when it
    // cannot be written.
    bool WriteConversions(const std::string& path, UserInterface& ui) const;
    bool FileReadWhole() const { return m_fileReadWhole; }
    // The same on text, for tests and for the writer: the lines that gave
    // no entry, in order. Blank lines are no entries and no faults.
    std::vector<UnreadLine> ReadText(const std::string& text);
    std::string ToText() const;

    void AddConversion();
    bool RemoveConversion(int index);
    // Empties the table and forgets how its file was read.
    void Clear();

    int Count() const { return static_cast<int>(m_names.size()); }
    const std::string& Name(int index) const { return m_names[static_cast<size_t>(index)]; }
    double Multiplier(int index) const { return m_multipliers[static_cast<size_t>(index)]; }
    double Offset(int index) const { return m_offsets[static_cast<size_t>(index)]; }
    void SetName(int index, std::string name) {
        m_names[static_cast<size_t>(index)] = std::move(name);
    }
    void SetMultiplier(int index, double value) {
        m_multipliers[static_cast<size_t>(index)] = value;
    }
    void SetOffset(int index, double value) { m_offsets[static_cast<size_t>(index)] = value; }
    void Append(std::string name, double multiplier, double offset);

private:
    bool ReadLine(std::string_view line);

    std::vector<std::string> m_names;
    std::vector<double> m_multipliers;
    std::vector<double> m_offsets;
    bool m_fileReadWhole = true;
};

}  // namespace zav
