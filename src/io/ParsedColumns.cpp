#include "io/ParsedColumns.h"

#include <cstdio>
#include <vector>

#include "core/KTRTime.h"
#include "core/StringArray.h"
#include "core/TextFormat.h"
#include "core/TextReader.h"
#include "core/UserInterface.h"

namespace zav {

const char* const kParseTokens[kParseTokenCount] = {"VALUE",
                                                    "MM/DD/[YY]YY HH:MM:SS",
                                                    "MM/DD/[YY]YY HH:MM",
                                                    "YYYY.MM.DD HH:MM",
                                                    "MM/DD/[YY]YY",
                                                    "HH:MM:SS",
                                                    "HH:MM",
                                                    "SKIP"};

namespace {

// In the order of kParseTokens.
enum class Token {
    kValue,
    kDateTimeSeconds,
    kDateTimeMinutes,
    kDottedDateTime,
    kDate,
    kTimeSeconds,
    kTimeMinutes,
    kSkip
};

// Text that is no token (a hand-edited project, say) reads as "SKIP".
Token TokenOf(std::string_view text) {
    for (int i = 0; i < kParseTokenCount; ++i) {
        if (text == kParseTokens[i]) {
            return static_cast<Token>(i);
        }
    }
    return Token::kSkip;
}

std::vector<Token> TokensOf(const std::string& parseString) {
    StringArray texts;
    texts.Split(parseString, false, "\t");
    std::vector<Token> tokens;
    for (const std::string& text : texts) {
        tokens.push_back(TokenOf(text));
    }
    return tokens;
}

bool IsTwoFieldToken(Token token) {
    return token == Token::kDateTimeSeconds || token == Token::kDateTimeMinutes ||
           token == Token::kDottedDateTime;
}

// The calendar fields the date and time tokens read, and the first value.
struct ParsedRow : CalendarFields {
    double value = -999.0;
};

// Scans what a date or time token reads; false when too few items are there.
bool ScanToken(Token token, const std::string& text, ParsedRow& r) {
    const char* s = text.c_str();
    switch (token) {
        case Token::kDateTimeSeconds:
            return std::sscanf(s, "%d/%d/%d %d:%d:%d", &r.month, &r.day, &r.year, &r.hour,
                               &r.minute, &r.second) >= 5;
        case Token::kDateTimeMinutes:
            return std::sscanf(s, "%d/%d/%d %d:%d", &r.month, &r.day, &r.year, &r.hour,
                               &r.minute) == 5;
        case Token::kDottedDateTime:
            return std::sscanf(s, "%d.%d.%d %d:%d", &r.year, &r.month, &r.day, &r.hour,
                               &r.minute) == 5;
        case Token::kDate:
            return std::sscanf(s, "%d/%d/%d", &r.month, &r.day, &r.year) == 3;
        case Token::kTimeSeconds:
            return std::sscanf(s, "%d:%d:%d", &r.hour, &r.minute, &r.second) >= 2;
        case Token::kTimeMinutes:
            return std::sscanf(s, "%d:%d", &r.hour, &r.minute) == 2;
        case Token::kValue:
        case Token::kSkip:
            break;
    }
    return true;
}

enum class RowResult { kRead, kAbandoned, kBadFormat };

// Token i reads field i, moved one field further for each two-field token
// before it. Fields past the last token are passed over; a token past the
// last field reads nothing, so a row without its value stores nothing.
RowResult ReadRow(const std::vector<Token>& tokens, const StringArray& fields, int valueColumn,
                  ParsedRow& row) {
    const size_t count = fields.size();
    size_t shift = 0;
    int values = 0;
    for (size_t i = 0; i < tokens.size() && i + shift < count; ++i) {
        const size_t f = i + shift;
        const Token token = tokens[i];
        if (token == Token::kValue) {
            if (++values == valueColumn) {
                row.value = AtoF(fields[f]);
            }
        } else if (IsTwoFieldToken(token)) {
            if (f + 1 >= count) {
                return RowResult::kBadFormat;
            }
            if (!ScanToken(token, fields[f] + " " + fields[f + 1], row)) {
                return RowResult::kAbandoned;
            }
            ++shift;
        } else if (!ScanToken(token, fields[f], row)) {
            return RowResult::kAbandoned;
        }
    }
    return RowResult::kRead;
}

}  // namespace

bool IsParseToken(std::string_view token) {
    for (const char* known : kParseTokens) {
        if (token == known) {
            return true;
        }
    }
    return false;
}

int CountValueColumns(const std::string& parseString) {
    int count = 0;
    for (Token token : TokensOf(parseString)) {
        count += token == Token::kValue ? 1 : 0;
    }
    return count;
}

bool ImportParsedColumn(ZAVFieldManager& store, const std::string& station,
                        const std::string& parameter, const std::string& parseString,
                        int valueColumn, const std::string& text) {
    DataSeries* series = store.FindSeries(station, parameter);
    if (series == nullptr) {
        return false;
    }
    const std::vector<Token> tokens = TokensOf(parseString);
    TextReader in(text);
    StringArray fields;
    std::string line;
    while (in.ReadLine(line)) {
        fields.Split(line);
        ParsedRow row;
        switch (ReadRow(tokens, fields, valueColumn, row)) {
            case RowResult::kBadFormat:
                store.UI().ShowMessage("Bad spreadsheet format.");
                return false;
            case RowResult::kAbandoned:
                continue;
            case RowResult::kRead:
                break;
        }
        if (row.value <= -999.0) {
            continue;
        }
        KTRTime time(row.year, row.month, row.day, row.hour, row.minute, row.second);
        if (time.IsValid()) {
            series->InsertPoint(time, row.value, 0);
        }
    }
    return true;
}

}  // namespace zav
