// The error that readers of the program's own text formats raise for a
// missing item; the project-open operation shows its message.
#pragma once

#include <string>

namespace zav {

class InputError {
public:
    explicit InputError(std::string message) : m_message(std::move(message)) {}
    const std::string& Message() const { return m_message; }

    // "Parse error: unable to find header '<header>'", header with its "=".
    static InputError MissingHeader(const std::string& header);

private:
    std::string m_message;
};

}  // namespace zav
