#include "ScriptedUserInterface.h"

namespace zav {

void ScriptedUserInterface::ShowMessage(const std::string& text) {
    messages.push_back(text);
}

void ScriptedUserInterface::ShowWarning(const std::string& text) {
    messages.push_back(text);
    warnings.push_back(text);
}

bool ScriptedUserInterface::AskYesNo(const std::string& text) {
    questions.push_back(text);
    if (yesNoAnswers.empty()) {
        return true;
    }
    bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
}

UserInterface::Answer ScriptedUserInterface::AskYesNoCancel(const std::string& text) {
    questions.push_back(text);
    if (yesNoCancelAnswers.empty()) {
        return Answer::kYes;
    }
    Answer answer = yesNoCancelAnswers.front();
    yesNoCancelAnswers.pop_front();
    return answer;
}

std::optional<int> ScriptedUserInterface::ChooseOne(const std::string& caption,
                                                    const std::vector<std::string>&) {
    captions.push_back(caption);
    if (oneAnswers.empty()) {
        return std::nullopt;
    }
    auto answer = oneAnswers.front();
    oneAnswers.pop_front();
    return answer;
}

std::optional<std::vector<int>> ScriptedUserInterface::ChooseSeveral(
    const std::string& caption, const std::vector<std::string>&) {
    captions.push_back(caption);
    if (severalAnswers.empty()) {
        return std::nullopt;
    }
    auto answer = severalAnswers.front();
    severalAnswers.pop_front();
    return answer;
}

std::optional<std::vector<int>> ScriptedUserInterface::ChooseToDelete(
    const std::vector<std::string>& texts) {
    return ChooseSeveral("Choose Items to Delete", texts);
}

std::optional<std::string> ScriptedUserInterface::AskText(const std::string& title,
                                                          const std::string& prompt,
                                                          const std::string& initial) {
    textPrompts.push_back(title + "|" + prompt + "|" + initial);
    if (textAnswers.empty()) {
        return std::nullopt;
    }
    auto answer = textAnswers.front();
    textAnswers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedUserInterface::GetClipboardText() {
    return clipboard;
}

bool ScriptedUserInterface::SetClipboardText(const std::string& text) {
    if (!clipboard) {
        return false;
    }
    clipboard = text;
    return true;
}

}  // namespace zav
