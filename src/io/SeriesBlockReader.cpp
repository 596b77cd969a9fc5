#include "io/SeriesBlockReader.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "core/SideBySide.h"
#include "core/TextFormat.h"
#include "io/StationBlocks.h"

namespace zav {

namespace {
// Every block begins with this line (see WriteSeriesBlock).
constexpr std::string_view kBlockStart = "\nstation name =";
// Blanks between where a reading stands and a block it may take: far fewer
// than a header search looks through.
constexpr size_t kMaxGap = 64;

// Where the next block's first line begins its line end, or npos. A search
// that stops at every line end, as a plain find does for a needle that
// begins with one, would cost more than parsing the points.
size_t FindBlockStart(std::string_view text, size_t from) {
    const void* hit =
        ::memmem(text.data() + from, text.size() - from, kBlockStart.data(), kBlockStart.size());
    return hit == nullptr ? std::string_view::npos
                          : static_cast<size_t>(static_cast<const char*>(hit) - text.data());
}
}  // namespace

SeriesBlockReader::SeriesBlockReader(unsigned threads, size_t pieceBytes)
    : m_threads(ThreadsFor(threads)), m_pieceBytes(pieceBytes) {}

// The block that a reading at `in`'s position takes next: one that begins
// there, or after nothing but the line end of the item before it, which the
// block's first header search passes over just the same.
SeriesBlockReader::Block* SeriesBlockReader::Find(TextReader& in) {
    const size_t offset = in.Offset();
    while (m_next < m_blocks.size() && m_blocks[m_next].start < offset) {
        ++m_next;
    }
    if (m_next == m_blocks.size()) {
        return nullptr;
    }
    const size_t gap = m_blocks[m_next].start - offset;
    if (gap > kMaxGap) {
        return nullptr;
    }
    const std::string_view between = in.Window(gap).substr(0, gap);
    const bool blanks =
        between.size() == gap && std::all_of(between.begin(), between.end(), IsBlank);
    return blanks ? &m_blocks[m_next] : nullptr;
}

void SeriesBlockReader::Read(TextReader& in, DataSeries& series, ImportReport& report) {
    Block* block = Find(in);
    if (block == nullptr) {
        ParsePiece(in);
        block = Find(in);
    }
    if (block == nullptr || !block->clean) {
        ReadSeriesBlock(in, series, report);
        return;
    }
    series = std::move(block->series);
    // The block counted its lines from its own start. The reading counts
    // only the few bytes up to it and takes the block's count over.
    in.Skip(block->start - in.Offset());
    report.Absorb(block->report, in.LineNumber() - 1);
    in.Skip(block->length, block->lineEnds);
    ++m_next;
}

// Cuts the next piece of the file into blocks, each from one block's first
// line to the next one's, and parses them side by side. The last block of
// a piece that does not reach the end of the file may be cut short, so it
// waits for the next piece.
void SeriesBlockReader::ParsePiece(TextReader& in) {
    m_blocks.clear();
    m_next = 0;
    const size_t base = in.Offset();
    const std::string_view piece = in.Window(m_pieceBytes);
    const bool toTheEnd = piece.size() >= in.Remaining();
    // The first block begins where the reading stands, often at the line
    // end of the item before it; the next begins after its first line.
    size_t start = 0;
    size_t from = std::min(piece.find_first_not_of(" \t\r\n\v\f"), piece.size());
    for (;;) {
        const size_t found = FindBlockStart(piece, from);
        if (found == std::string_view::npos && !toTheEnd) {
            break;
        }
        Block block;
        block.start = start;
        block.end = found == std::string_view::npos ? piece.size() : found + 1;
        m_blocks.push_back(std::move(block));
        if (found == std::string_view::npos) {
            break;
        }
        start = found + 1;
        from = start;
    }
    RunSideBySide(m_blocks.size(), m_threads, [&](size_t i) {
        Block& block = m_blocks[i];
        TextReader part;
        part.SetPart(piece, block.start, block.end, 1);
        block.report.StartInput(std::string());
        try {
            ReadSeriesBlock(part, block.series, block.report);
            block.clean = !part.Failed();
        } catch (...) {
            block.clean = false;  // read again in place, where it fails as it should
        }
        block.length = part.Offset() - block.start;
        block.lineEnds = part.LineNumber() - 1;
        block.start += base;
    });
}

}  // namespace zav
