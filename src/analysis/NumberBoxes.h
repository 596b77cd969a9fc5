// The number boxes of the pages and dialogs, as text: the availability
// page's threshold takes a number; its "Every" box, the edit page's counts
// and the spreadsheet import's first column an integer. A box that does not
// hold one leaves the setting as it was, after the message.
#pragma once

#include <optional>
#include <string_view>

namespace zav {

extern const char* const kEnterNumberMessage;   // "Please enter a number."
extern const char* const kEnterIntegerMessage;  // "Please enter an integer."

// A number with nothing but blanks around it that a single-precision value
// can hold; nothing otherwise (an empty box included).
std::optional<float> ReadNumberBox(std::string_view text);
// An int with nothing but blanks around it; nothing otherwise.
std::optional<int> ReadIntegerBox(std::string_view text);

}  // namespace zav
