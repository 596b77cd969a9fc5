#include "app/rules/GridText.h"

#include "core/TextFormat.h"

namespace zav {

std::string BuildCopyText(const TextBlock& block) {
    std::string out;
    for (size_t r = 0; r < block.size(); ++r) {
        if (r > 0) {
            out += '\n';
        }
        for (size_t c = 0; c < block[r].size(); ++c) {
            if (c > 0) {
                out += '\t';
            }
            out += block[r][c];
        }
    }
    return out;
}

namespace {

// Cuts at every delimiter, keeping empty fields. StringArray merges some
// runs of delimiters and drops a leading empty field, which would move
// pasted cells into the wrong columns.
std::vector<std::string_view> SplitKeepingEmpty(std::string_view text, std::string_view cuts) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || cuts.find(text[i]) != std::string_view::npos) {
            parts.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

}  // namespace

TextBlock SplitPasteText(std::string_view text) {
    TextBlock block;
    if (text.empty()) {
        return block;
    }
    std::vector<std::string_view> lines = SplitKeepingEmpty(text, "\n");
    if (lines.size() > 1 && TrimView(lines.back()).empty()) {
        lines.pop_back();
    }
    for (std::string_view line : lines) {
        std::vector<std::string> cells;
        for (std::string_view cell : SplitKeepingEmpty(line, "\t,")) {
            cells.push_back(Trim(cell));
        }
        block.push_back(std::move(cells));
    }
    return block;
}

}  // namespace zav
