// ConversionTable: the standard unit conversions offered on the units page,
// kept in unitConversions.txt beside the program and shared by every
// project. One line per entry: multiplier, a blank, offset, a blank, name.
#pragma once

#include <string>
#include <vector>

namespace zav {

class UserInterface;

class ConversionTable {
public:
    // Appends the file's entries; false (after the message) when it cannot
    // be opened.
    bool ReadConversions(const std::string& path, UserInterface& ui);
    bool WriteConversions(const std::string& path, UserInterface& ui) const;
    // The same on text, for tests and for the writer.
    void ReadText(const std::string& text);
    std::string ToText() const;

    void AddConversion();
    bool RemoveConversion(int index);
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
    std::vector<std::string> m_names;
    std::vector<double> m_multipliers;
    std::vector<double> m_offsets;
};

}  // namespace zav
