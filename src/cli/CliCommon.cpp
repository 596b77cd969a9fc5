#include "cli/CliCommon.h"

#include <algorithm>

#include "core/Calendar.h"
#include "core/FileIO.h"
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

bool ParseDate(const std::string& text, int& year, int& month, int& day) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return false;
    }
    std::string_view view(text);
    return ParseWholeInt(view.substr(0, 4), year) && ParseWholeInt(view.substr(5, 2), month) &&
           ParseWholeInt(view.substr(8, 2), day) && year >= 1000 && month >= 1 && month <= 12 &&
           day >= 1 && day <= MonthLength(year, month);
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
