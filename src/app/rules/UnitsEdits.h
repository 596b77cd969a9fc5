// The rules of the units page, apart from its widgets: what an edited cell
// of the units table or of the standard conversions changes, what the cell
// then shows, when an edit is refused, and what applying a conversion does
// to a units record.
#pragma once

#include <string>

namespace zav {

class ConversionTable;
struct UnitsRecord;

// Columns of the units table and of the conversions table.
enum UnitsColumn { kUnitsName, kUnitsMultiplier, kUnitsOffset, kUnitsAlias, kUnitsComment };
enum ConversionColumn { kConversionName, kConversionMultiplier, kConversionOffset };

extern const char* const kNotANumberMessage;

// The outcome of an edited cell: refused with a message (the cell keeps its
// old text), or accepted with the text the cell shows from now on.
struct CellEdit {
    bool accepted = true;
    std::string shown;
    std::string message;
};

// A number typed into a cell, read as ReadDecimal reads it: accepted with
// its "%g" text, or refused with "Please enter a number." when it is too
// large for a double or spells not-a-number or infinity ("nan", "-inf"),
// since such a multiplier, offset or value would turn every result it
// enters into nonsense.
CellEdit ReadNumberCell(const std::string& text, double& value);

// Number cells go through ReadNumberCell.
CellEdit EditUnitsField(UnitsRecord& record, int column, const std::string& text);
CellEdit EditConversionField(ConversionTable& table, int index, int column,
                             const std::string& text);

// "Apply F to C conversion to deg F"; plain "Apply" until a conversion and
// a units row are both chosen.
std::string ApplyButtonText(bool chosen, const std::string& conversion, const std::string& units);

// A conversion, as its row of the conversions table shows it, applied to a
// record: its multiplier and offset replace the record's, its name becomes
// the alias and is added to the comment after an arrow.
void ApplyConversion(UnitsRecord& record, const std::string& name,
                     const std::string& multiplierText, const std::string& offsetText);

}  // namespace zav
