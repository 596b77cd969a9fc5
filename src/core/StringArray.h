// StringArray: the field splitter of every line-oriented reader. Unlike a
// plain tokenizer it keeps empty fields between explicit delimiters (as a
// single blank) so that spreadsheet columns keep their positions.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zav {

class UserInterface;

class StringArray {
public:
    // Entries that stand for a nested array begin with this prefix; the
    // program never makes them, it only recognises them in lists it takes over.
    static constexpr std::string_view kCookiePrefix = "_StringArrayCookie_";
    static constexpr int kMaxCookies = 152;

    // `ui` receives the out-of-range and cookie messages; without one they
    // are not shown.
    explicit StringArray(UserInterface* ui = nullptr) : m_ui(ui) {}
    StringArray(const std::vector<std::string>& entries, UserInterface* ui = nullptr);
    StringArray& operator=(const std::vector<std::string>& entries);

    // Replaces the entries by the fields of `text`. With `delimiters` empty
    // the default set (blank, comma, tab, line feed) applies and runs of
    // delimiters count as one. With `numeric` each field becomes its number
    // written with "%g".
    void Split(std::string_view text, bool numeric = false, std::string_view delimiters = {});

    // The entry at `index`; out of range it reports and yields "".
    const std::string& operator[](size_t index) const;
    size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }
    void push_back(std::string entry) { m_entries.push_back(std::move(entry)); }
    void RemoveAll();
    void Resync();

    int NextCookie() const { return m_nextCookie; }
    const std::vector<std::string>& Entries() const { return m_entries; }
    auto begin() const { return m_entries.begin(); }
    auto end() const { return m_entries.end(); }

private:
    std::vector<std::string> m_entries;
    int m_nextCookie = 0;
    UserInterface* m_ui = nullptr;
};

}  // namespace zav
