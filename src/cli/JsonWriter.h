// A small JSON writer for zav-cli's machine-readable output.
#pragma once

#include <string>
#include <vector>

namespace zav::cli {

class JsonWriter {
public:
    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    JsonWriter& Key(const std::string& key);
    JsonWriter& String(const std::string& value);
    JsonWriter& Number(double value);
    JsonWriter& Null();
    const std::string& Text() const { return m_text; }

    static std::string Quote(const std::string& text);

private:
    void BeforeValue();

    std::string m_text;
    std::vector<bool> m_first;  // per open container: nothing written yet
    bool m_afterKey = false;
};

}  // namespace zav::cli
