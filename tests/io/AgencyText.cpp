#include "AgencyText.h"

#include <cstdio>

namespace zav::test {

namespace {
std::string PadTo(std::string text, size_t width) {
    if (text.size() < width) {
        text.append(width - text.size(), ' ');
    }
    return text;
}

std::string RightIn(const std::string& text, size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}
}  // namespace

std::string MolvanHeading(const std::vector<std::string>& columns) {
    std::string line(26, ' ');
    for (const std::string& column : columns) {
        line += PadTo(column, 8);
    }
    return line;
}

std::string MolvanHeadings(const std::vector<std::string>& first,
                           const std::vector<std::string>& second,
                           const std::vector<std::string>& units) {
    return "Test export\r\n" + MolvanHeading(first) + "\r\n" + MolvanHeading(second) + "\r\n" +
           MolvanHeading(units) + "\r\n";
}

std::string MolvanLine(const std::string& stamp, const std::string& station,
                       const std::vector<std::string>& values) {
    std::string line = stamp + PadTo(station, 15);
    for (const std::string& value : values) {
        line += " " + value;
    }
    return line + "\r\n";
}

std::string PellidorHeader(const std::string& number, const std::string& name,
                           const std::string& parameter, const std::string& units, int waterYear) {
    std::string text;
    text += "  UNITED STATES OFFICE OF TALVERENE - HYDROMETRIC ARCHIVES\r\n";
    text += PadTo("STATION NUMBER AND NAME:", 28) + number + " " + name + "\r\n";
    text += "LOCATION: test bench\r\n";
    text += "\r\n";
    text += "DAILY VALUES\r\n";
    text += parameter + "," + units + "," + PadTo(" DAILY MEAN VALUES FOR WATER YEAR", 38) +
            std::to_string(waterYear) + "\r\n";
    text += "\r\n";
    text +=
        "DAY                      OCT      NOV      DEC      JAN      FEB      MAR      APR"
        "      MAY      JUN      JUL      AUG      SEP\r\n";
    text += "\r\n";
    return text;
}

std::string PellidorRow(int day, const std::vector<std::string>& cells) {
    std::string row = PadTo("  " + std::to_string(day), 20);
    for (const std::string& cell : cells) {
        row += RightIn(cell, 9);
    }
    return row + "\r\n";
}

std::string PellidorBlock(const std::string& number, const std::string& name,
                          const std::string& parameter, const std::string& units, int waterYear,
                          const std::vector<PellidorCell>& cells) {
    std::string text = PellidorHeader(number, name, parameter, units, waterYear);
    for (int day = 1; day <= 31; ++day) {
        std::vector<std::string> row(12, "---");
        for (const PellidorCell& cell : cells) {
            if (cell.day == day) {
                row[static_cast<size_t>(cell.field)] = cell.text;
            }
        }
        text += PellidorRow(day, row);
    }
    return text;
}

}  // namespace zav::test
