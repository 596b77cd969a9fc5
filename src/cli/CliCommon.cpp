#include "cli/CliCommon.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "core/Calendar.h"
#include "core/FileIO.h"
#include "core/ProgramFiles.h"
#include "core/TextFormat.h"

namespace zav::cli {

namespace {
bool Contains(const std::vector<std::string>& list, const std::string& word) {
    return std::find(list.begin(), list.end(), word) != list.end();
}
}  // namespace

Arguments::Arguments(const std::vector<std::string>& words, const std::vector<std::string>& flags,
                     const std::vector<std::string>& valueOptions) {
    for (size_t i = 0; i < words.size() && m_error.empty(); ++i) {
        const std::string& word = words[i];
        if (word.size() < 2 || word[0] != '-') {
            m_positional.push_back(word);
        } else if (Contains(flags, word)) {
            m_options.emplace_back(word, "");
        } else if (!Contains(valueOptions, word)) {
            m_error = "unknown option " + word;
            std::vector<std::string> known = flags;
            known.insert(known.end(), valueOptions.begin(), valueOptions.end());
            if (std::string nearest = NearestWord(word, known); !nearest.empty()) {
                m_error += " (did you mean " + nearest + "?)";
            }
        } else if (i + 1 < words.size() && !Contains(flags, words[i + 1]) &&
                   !Contains(valueOptions, words[i + 1])) {
            m_options.emplace_back(word, words[++i]);
        } else {
            m_error = "option " + word + " needs a value";
        }
    }
}

bool Arguments::Has(const std::string& option) const {
    return std::any_of(m_options.begin(), m_options.end(),
                       [&](const auto& o) { return o.first == option; });
}

std::optional<std::string> Arguments::Value(const std::string& option) const {
    for (auto it = m_options.rbegin(); it != m_options.rend(); ++it) {
        if (it->first == option) {
            return it->second;
        }
    }
    return std::nullopt;
}

std::vector<std::string> Arguments::Values(const std::string& option) const {
    std::vector<std::string> values;
    for (const auto& o : m_options) {
        if (o.first == option) {
            values.push_back(o.second);
        }
    }
    return values;
}

DocumentEnvironment CliEnvironment() {
    DocumentEnvironment environment;
    environment.programDir = ProgramDirectory();
    environment.userDataHome = UserDataHome();
    environment.applyWorkingDirectory = false;
    return environment;
}

std::unique_ptr<CZAVDoc> OpenProject(UserInterface& ui, const std::string& path) {
    auto doc = std::make_unique<CZAVDoc>(ui, CliEnvironment());
    if (!doc->OnOpenDocument(path)) {
        return nullptr;
    }
    return doc;
}

int Usage(std::ostream& err, const std::string& message) {
    err << "zav-cli: " << message << "\n"
        << "Run zav-cli --help for the commands.\n";
    return kUsage;
}

bool ParseWholeInt(std::string_view text, int& value) {
    size_t pos = 0;
    return !text.empty() && !IsBlank(text.front()) && ExtractInt(text, pos, value) &&
           pos == text.size();
}

bool SaveProject(CZAVDoc& doc, const Arguments& args) {
    return doc.OnSaveDocument(args.Value("-o").value_or(args.Positional().front()));
}

bool ImportMaySave(std::ostream& err, const ImportReport& report, bool strict, bool allRead) {
    if (const std::string message = ImportMessage(report); !message.empty()) {
        err << message << "\n";
    }
    if (report.Values() == 0) {
        err << "No data were read from the files given; the project was not saved.\n";
        return false;
    }
    if (strict && report.Unreadable() > 0) {
        const size_t cells = report.Unreadable();
        err << "zav-cli: --strict: " << cells << (cells == 1 ? " cell" : " cells")
            << " could not be read; the project was not saved.\n";
        return false;
    }
    if (strict && !allRead) {
        err << "zav-cli: --strict: not every file could be read; the project was not saved.\n";
        return false;
    }
    return true;
}

std::string ReadOutputFormat(const Arguments& args, OutputFormat& format) {
    const std::string value = args.Value("--format").value_or("text");
    if (value == "text") {
        format = OutputFormat::kText;
    } else if (value == "csv") {
        format = OutputFormat::kCsv;
    } else if (value == "json") {
        format = OutputFormat::kJson;
    } else {
        return "--format takes text, csv or json";
    }
    return std::string();
}

std::string CsvRecord(const std::vector<std::string>& fields) {
    std::string record;
    for (size_t i = 0; i < fields.size(); ++i) {
        const std::string& field = fields[i];
        if (i > 0) {
            record += ',';
        }
        if (field.find_first_of(",\"\r\n") == std::string::npos) {
            record += field;
            continue;
        }
        record += '"';
        for (char c : field) {
            record += c == '"' ? std::string("\"\"") : std::string(1, c);
        }
        record += '"';
    }
    return record + "\n";
}

namespace {
// Optimal string alignment distance: insertions, deletions, substitutions
// and swaps of neighbouring characters each cost one.
size_t EditDistance(const std::string& a, const std::string& b) {
    std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
    for (size_t i = 0; i <= a.size(); ++i) {
        d[i][0] = i;
    }
    for (size_t j = 0; j <= b.size(); ++j) {
        d[0][j] = j;
    }
    for (size_t i = 1; i <= a.size(); ++i) {
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return d[a.size()][b.size()];
}
}  // namespace

std::string NearestWord(const std::string& word, const std::vector<std::string>& candidates) {
    // Two slips in a long word, one in a short one; more is another word.
    const size_t allowed = word.size() >= 6 ? 2 : 1;
    std::string nearest;
    size_t best = allowed + 1;
    for (const std::string& candidate : candidates) {
        const size_t distance = EditDistance(word, candidate);
        if (distance < best) {
            best = distance;
            nearest = candidate;
        }
    }
    return nearest;
}

bool ParseDate(const std::string& text, int& year, int& month, int& day) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return false;
    }
    std::string_view view(text);
    return ParseWholeInt(view.substr(0, 4), year) && ParseWholeInt(view.substr(5, 2), month) &&
           ParseWholeInt(view.substr(8, 2), day) && year >= 1000 && month >= 1 && month <= 12 &&
           day >= 1 && day <= MonthLength(year, month);
}

namespace {
// Two digits making a number from 0 to `largest`.
bool TwoDigits(std::string_view text, int largest, int& value) {
    if (text.size() != 2 || !std::isdigit(static_cast<unsigned char>(text[0])) ||
        !std::isdigit(static_cast<unsigned char>(text[1]))) {
        return false;
    }
    value = (text[0] - '0') * 10 + (text[1] - '0');
    return value <= largest;
}
}  // namespace

bool ParseDate(const std::string& text, DayEnd end, KTRTime& time) {
    int year = 0;
    int month = 0;
    int day = 0;
    if (!ParseDate(text.substr(0, 10), year, month, day)) {
        return false;
    }
    int hour = end == DayEnd::kEnd ? 23 : 0;
    int minute = end == DayEnd::kEnd ? 59 : 0;
    int second = end == DayEnd::kEnd ? 59 : 0;
    if (text.size() > 10) {
        // "THH:MM" or "THH:MM:SS", each field two digits.
        const std::string_view clock = std::string_view(text).substr(10);
        const bool withSeconds = clock.size() == 9;
        if ((clock.size() != 6 && !withSeconds) || clock[0] != 'T' || clock[3] != ':' ||
            (withSeconds && clock[6] != ':') || !TwoDigits(clock.substr(1, 2), 23, hour) ||
            !TwoDigits(clock.substr(4, 2), 59, minute)) {
            return false;
        }
        second = 0;
        if (withSeconds && !TwoDigits(clock.substr(7, 2), 59, second)) {
            return false;
        }
    }
    time = KTRTime(year, month, day, hour, minute, second);
    return time.IsValid();
}

bool ParseNumber(const std::string& text, double& value) {
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && !IsBlank(text.front()) && end == text.c_str() + text.size() &&
           std::isfinite(value);
}

std::vector<std::string> SplitItems(const std::string& text) {
    std::vector<std::string> items;
    size_t begin = 0;
    for (;;) {
        size_t comma = text.find(',', begin);
        items.push_back(text.substr(begin, comma - begin));
        if (comma == std::string::npos) {
            return items;
        }
        begin = comma + 1;
    }
}

std::string IsoDate(int year, int month, int day) {
    return Format("%04d-%02d-%02d", year, month, day);
}

}  // namespace zav::cli
