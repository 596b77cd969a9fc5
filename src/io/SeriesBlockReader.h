// Reads the station data blocks of a project on all cores. The blocks of a
// piece of the file are found by their first line, parsed side by side, and
// then taken in file order, each exactly where a reading one after another
// would have begun it. A block that does not parse cleanly on its own is
// read again in place by ReadSeriesBlock, so every message, every skipped
// value and the first error are what a reading one after another gives.
#pragma once

#include <cstddef>
#include <vector>

#include "core/TextReader.h"
#include "io/ImportReport.h"
#include "store/DataSeries.h"

namespace zav {

class SeriesBlockReader {
public:
    // How much of the file is cut into blocks at a time.
    static constexpr size_t kPieceBytes = size_t{32} << 20;

    // `threads` 0 uses every core.
    explicit SeriesBlockReader(unsigned threads = 0, size_t pieceBytes = kPieceBytes);

    // As ReadSeriesBlock(in, series, report).
    void Read(TextReader& in, DataSeries& series, ImportReport& report);

private:
    struct Block {
        size_t start = 0;     // in the whole file
        size_t length = 0;    // what its reading took
        size_t lineEnds = 0;  // in that length
        size_t end = 0;       // in the piece: where the next block begins
        bool clean = false;
        DataSeries series;
        ImportReport report;
    };

    Block* Find(TextReader& in);
    void ParsePiece(TextReader& in);

    unsigned m_threads;
    size_t m_pieceBytes;
    std::vector<Block> m_blocks;
    size_t m_next = 0;
};

}  // namespace zav
