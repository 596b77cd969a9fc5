#include "app/rules/SpreadsheetChoices.h"

#include "core/StringArray.h"
#include "io/ParsedColumns.h"
#include "store/ZAVFieldManager.h"

namespace zav {

std::vector<ParameterChoice> ParameterChoices(const ZAVFieldManager& store) {
    std::vector<IndexInfo> entries;
    store.GetInfoList(entries, kParameterType);
    std::vector<ParameterChoice> choices;
    for (const IndexInfo& entry : entries) {
        choices.push_back({entry.name, entry.units, entry.name + " (" + entry.units + ")"});
    }
    return choices;
}

ParseColumns ParseColumnChoices(const std::string& parseString) {
    StringArray tokens;
    tokens.Split(parseString, false, "\t");
    ParseColumns choices;
    choices.fill(-1);
    for (size_t column = 0; column < choices.size() && column < tokens.size(); ++column) {
        for (int token = 0; token < kParseTokenCount; ++token) {
            if (tokens.Entries()[column] == kParseTokens[token]) {
                choices[column] = token;
            }
        }
    }
    return choices;
}

std::string BuildParseString(const ParseColumns& choices) {
    std::string text;
    for (size_t column = 0; column < choices.size(); ++column) {
        const int token = choices[column];
        if (column > 0) {
            text += '\t';
        }
        text += token >= 0 && token < kParseTokenCount ? kParseTokens[token] : "SKIP";
    }
    return text;
}

}  // namespace zav
