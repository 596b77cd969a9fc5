#include "core/StringArray.h"

#include <cstdio>

#include "core/TextFormat.h"
#include "core/UserInterface.h"

namespace zav {

namespace {
const std::string kEmpty;
constexpr std::string_view kDefaultDelimiters = " ,\t\n";

// Every empty field between two explicit delimiters, or after a trailing
// one, becomes a single blank so the tokenizer below cannot lose it.
std::string FillEmptyFields(std::string_view text, std::string_view delimiters) {
    std::string out;
    out.reserve(text.size() + 8);
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        out.push_back(c);
        bool isDelim = delimiters.find(c) != std::string_view::npos;
        // A blank cannot stand for an empty field when the blank itself is a
        // delimiter; such fields are simply merged.
        if (isDelim && c != ' ' && i + 1 < text.size() && text[i + 1] == c) {
            out.push_back(' ');
        }
    }
    if (!text.empty()) {
        char last = text.back();
        if (last != ' ' && delimiters.find(last) != std::string_view::npos) {
            out.push_back(' ');
        }
    }
    return out;
}
}  // namespace

StringArray::StringArray(const std::vector<std::string>& entries, UserInterface* ui)
    : m_entries(entries), m_ui(ui) {
    Resync();
}

StringArray& StringArray::operator=(const std::vector<std::string>& entries) {
    m_entries = entries;
    Resync();
    return *this;
}

void StringArray::Split(std::string_view text, bool numeric, std::string_view delimiters) {
    RemoveAll();
    std::string work;
    std::string_view cutAt = kDefaultDelimiters;
    if (delimiters.empty()) {
        work.assign(text);
    } else {
        work = FillEmptyFields(text, delimiters);
        cutAt = delimiters;
    }
    size_t i = 0;
    while (i < work.size()) {
        while (i < work.size() && cutAt.find(work[i]) != std::string_view::npos) {
            ++i;
        }
        if (i >= work.size()) {
            break;
        }
        size_t start = i;
        while (i < work.size() && cutAt.find(work[i]) == std::string_view::npos) {
            ++i;
        }
        std::string token = work.substr(start, i - start);
        if (numeric) {
            token = FormatG(AtoF(token));
        }
        m_entries.push_back(std::move(token));
    }
}

const std::string& StringArray::operator[](size_t index) const {
    if (index >= m_entries.size()) {
        if (m_ui) {
            m_ui->ShowMessage("[StringArray::operator[]] Request out of range.\n");
        }
        return kEmpty;
    }
    return m_entries[index];
}

void StringArray::RemoveAll() {
    m_entries.clear();
    m_nextCookie = 0;
}

void StringArray::Resync() {
    for (const std::string& entry : m_entries) {
        if (entry.compare(0, kCookiePrefix.size(), kCookiePrefix) != 0) {
            continue;
        }
        int n = 0;
        if (std::sscanf(entry.c_str() + kCookiePrefix.size(), "%d", &n) != 1) {
            continue;
        }
        if (n < m_nextCookie) {
            continue;
        }
        if (n >= kMaxCookies) {
            // Such an entry is not a nested array the program could hold; it
            // stays an ordinary text.
            if (m_ui) {
                m_ui->ShowMessage("[StringArray::Resync] Out of array delimiters!");
            }
            continue;
        }
        m_nextCookie = n + 1;
    }
}

}  // namespace zav
