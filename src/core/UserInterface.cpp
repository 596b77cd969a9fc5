#include "core/UserInterface.h"

#include <cstdio>

namespace zav {

void ConsoleUserInterface::ShowMessage(const std::string& text) {
    ++m_messageCount;
    std::fputs(text.c_str(), stderr);
    if (text.empty() || text.back() != '\n') {
        std::fputc('\n', stderr);
    }
}

bool ConsoleUserInterface::AskYesNo(const std::string& text) {
    std::fprintf(stderr, "%s %s\n", text.c_str(), m_answerYes ? "Yes" : "No");
    return m_answerYes;
}

std::optional<int> ConsoleUserInterface::ChooseOne(const std::string&,
                                                   const std::vector<std::string>&) {
    return std::nullopt;
}

std::optional<std::vector<int>> ConsoleUserInterface::ChooseSeveral(
    const std::string&, const std::vector<std::string>&) {
    return std::nullopt;
}

std::optional<std::vector<int>> ConsoleUserInterface::ChooseToDelete(
    const std::vector<std::string>&) {
    return std::nullopt;
}

std::optional<std::string> ConsoleUserInterface::GetClipboardText() {
    return m_clipboard;
}

bool ConsoleUserInterface::SetClipboardText(const std::string& text) {
    m_clipboard = text;
    return true;
}

}  // namespace zav
