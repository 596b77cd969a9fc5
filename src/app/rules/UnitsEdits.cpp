#include "app/rules/UnitsEdits.h"

#include <cctype>
#include <cmath>
#include <string_view>

#include "core/TextFormat.h"
#include "io/ConversionTable.h"
#include "io/DocumentEdits.h"
#include "store/IndexRecords.h"

namespace zav {

const char* const kNotANumberMessage = "Please enter a number.";

namespace {

// "nan", "inf" or "infinity", with or without a sign, in any case: a
// number reader of the C library would take them, the cell rule reads 0,
// and neither is what was meant.
bool SpellsNoNumber(std::string_view text) {
    std::string_view rest = TrimView(text);
    if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
        rest.remove_prefix(1);
    }
    auto startsWith = [rest](std::string_view word) {
        if (rest.size() < word.size()) {
            return false;
        }
        for (size_t i = 0; i < word.size(); ++i) {
            if (std::tolower(static_cast<unsigned char>(rest[i])) != word[i]) {
                return false;
            }
        }
        return true;
    };
    return startsWith("nan") || startsWith("inf");
}

}  // namespace

CellEdit ReadNumberCell(const std::string& text, double& value) {
    value = ReadDecimal(text);
    if (!std::isfinite(value) || SpellsNoNumber(text)) {
        return {false, std::string(), kNotANumberMessage};
    }
    return {true, FormatG(value), std::string()};
}

CellEdit EditUnitsField(UnitsRecord& record, int column, const std::string& text) {
    double value = 0.0;
    switch (column) {
        case kUnitsMultiplier:
        case kUnitsOffset: {
            CellEdit edit = ReadNumberCell(text, value);
            if (edit.accepted) {
                (column == kUnitsMultiplier ? record.multiplier : record.offset) = value;
            }
            return edit;
        }
        case kUnitsAlias:
            record.alias = text;
            return {true, text, std::string()};
        case kUnitsComment:
            record.comment = text;
            return {true, text, std::string()};
        default:  // the name is not edited here
            return {false, std::string(), std::string()};
    }
}

CellEdit EditConversionField(ConversionTable& table, int index, int column,
                             const std::string& text) {
    if (index < 0 || index >= table.Count()) {
        return {false, std::string(), std::string()};
    }
    double value = 0.0;
    switch (column) {
        case kConversionName:
            table.SetName(index, text);
            return {true, text, std::string()};
        case kConversionMultiplier:
        case kConversionOffset: {
            CellEdit edit = ReadNumberCell(text, value);
            if (edit.accepted) {
                if (column == kConversionMultiplier) {
                    table.SetMultiplier(index, value);
                } else {
                    table.SetOffset(index, value);
                }
            }
            return edit;
        }
        default:
            return {false, std::string(), std::string()};
    }
}

std::string ApplyButtonText(bool chosen, const std::string& conversion, const std::string& units) {
    if (!chosen) {
        return "Apply";
    }
    return "Apply " + conversion + " conversion to " + units;
}

void ApplyConversion(UnitsRecord& record, const std::string& name,
                     const std::string& multiplierText, const std::string& offsetText) {
    ApplyConversionTo(record, name, ReadDecimal(multiplierText), ReadDecimal(offsetText));
}

}  // namespace zav
