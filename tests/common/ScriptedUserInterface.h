// ScriptedUserInterface: the person at the screen as the tests play it. It
// records every message and question in order and answers from queues that
// a test fills beforehand, so a test can drive any operation that asks.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/UserInterface.h"

namespace zav {

// Empty queues answer Yes, or cancel a choice or a text, as set below.
class ScriptedUserInterface : public UserInterface {
public:
    void ShowMessage(const std::string& text) override;
    void ShowWarning(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    Answer AskYesNoCancel(const std::string& text) override;
    std::optional<int> ChooseOne(const std::string& caption,
                                 const std::vector<std::string>& texts) override;
    std::optional<std::vector<int>> ChooseSeveral(const std::string& caption,
                                                  const std::vector<std::string>& texts) override;
    std::optional<std::vector<int>> ChooseToDelete(const std::vector<std::string>& texts) override;
    std::optional<std::string> AskText(const std::string& title, const std::string& prompt,
                                       const std::string& initial) override;
    std::optional<std::string> GetClipboardText() override;
    bool SetClipboardText(const std::string& text) override;

    // What was shown, in order; questions are recorded as well.
    std::vector<std::string> messages;
    std::vector<std::string> warnings;
    std::vector<std::string> questions;
    std::vector<std::string> captions;  // of every choice asked
    // Every text asked for, as title, "|", prompt, "|", initial text.
    std::vector<std::string> textPrompts;

    std::deque<bool> yesNoAnswers;                               // empty: Yes
    std::deque<Answer> yesNoCancelAnswers;                       // empty: Yes
    std::deque<std::optional<int>> oneAnswers;                   // empty: cancel
    std::deque<std::optional<std::vector<int>>> severalAnswers;  // empty: cancel
    std::deque<std::optional<std::string>> textAnswers;          // empty: cancel
    std::optional<std::string> clipboard = std::string();        // nothing: cannot open
};

}  // namespace zav
