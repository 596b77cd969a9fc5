// zav_bench_large: the figures of large projects, each in a fresh process
// so that its peak memory is its own.
//
//   zav_bench_large generate DIR [STATIONS POINTS]   DIR/large.zav and DIR/layout3.txt
//   zav_bench_large open FILE          seconds to open, peak and held bytes per point
//   zav_bench_large save FILE OUT      seconds to save, beside formatting plus writing
//   zav_bench_large layout3 FILE       seconds to add a two-column layout-3 file
//
// The generator's project is 100 stations of 100,000 hourly points unless
// told otherwise; the layout-3 file is half as many rows of two values.
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "ProjectGenerator.h"
#include "core/FileIO.h"
#include "core/KTRTime.h"
#include "core/TextFormat.h"
#include "core/UserInterface.h"
#include "io/CZAVDoc.h"
#include "io/ImportReport.h"
#include "io/ProjectFile.h"

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Resident memory now, from /proc, in bytes.
double ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE));
}

double PeakResidentBytes() {
    struct rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) * 1024.0;
}

zav::DocumentEnvironment QuietEnvironment() {
    zav::DocumentEnvironment env;
    env.programDir = "/tmp/zav-bench-large-";
    env.applyWorkingDirectory = false;
    return env;
}

int Generate(const std::string& dir, zav::bench::ProjectShape shape) {
    if (zav::WriteFileSafely(dir + "/large.zav", zav::bench::ProjectText(shape)) !=
        zav::WriteResult::kOk) {
        return 1;
    }
    // Rows an hour apart with two values: "M/D/YYYY H:00, v1, v2".
    const long long rows = static_cast<long long>(shape.stations) * shape.pointsPerStation / 2;
    std::string text;
    text.reserve(static_cast<size_t>(rows) * 36);
    zav::KTRTime time(1990, 1, 1, 0, 0, 0);
    char line[96];
    for (long long i = 0; i < rows; ++i, time = time + 3600) {
        int n = std::snprintf(line, sizeof line, "%d/%d/%d %d:00, %.2f, %.2f\r\n", time.Month(),
                              time.Day(), time.Year(), time.Hour(),
                              static_cast<double>(i * 7919 % 40000) / 100.0,
                              static_cast<double>(i * 104729 % 1400) / 100.0);
        text.append(line, static_cast<size_t>(n));
    }
    return zav::WriteFileSafely(dir + "/layout3.txt", text) == zav::WriteResult::kOk ? 0 : 1;
}

int Open(const std::string& path) {
    zav::ConsoleUserInterface ui;
    const double before = ResidentBytes();
    zav::CZAVDoc doc(ui, QuietEnvironment());
    const Clock::time_point start = Clock::now();
    if (!doc.OnOpenDocument(path)) {
        return 1;
    }
    const double seconds = SecondsSince(start);
    const double points = static_cast<double>(doc.FieldManager().PointCount());
    std::printf("open %.0f points: %.3f s, peak %.1f B/point, held %.1f B/point\n", points, seconds,
                (PeakResidentBytes() - before) / points, (ResidentBytes() - before) / points);
    return 0;
}

int Save(const std::string& path, const std::string& out) {
    zav::ConsoleUserInterface ui;
    zav::CZAVDoc doc(ui, QuietEnvironment());
    if (!doc.OnOpenDocument(path)) {
        return 1;
    }
    Clock::time_point start = Clock::now();
    if (!doc.OnSaveDocument(out)) {
        return 1;
    }
    const double save = SecondsSince(start);
    // The least a save can cost: formatting the text and writing its bytes.
    start = Clock::now();
    const std::string text = doc.ProjectText();
    const double format = SecondsSince(start);
    start = Clock::now();
    if (zav::WriteFileSafely(out, text) != zav::WriteResult::kOk) {
        return 1;
    }
    const double write = SecondsSince(start);
    std::printf("save %zu points: %.3f s; formatting %.3f s + writing %.3f s; ratio %.2f\n",
                doc.FieldManager().PointCount(), save, format, write, save / (format + write));
    return 0;
}

int Layout3(const std::string& path) {
    zav::ConsoleUserInterface ui;
    zav::CZAVDoc doc(ui, QuietEnvironment());
    doc.SetParseString("MM/DD/[YY]YY HH:MM\tVALUE\tVALUE");
    doc.FieldManager().AddNewParameters(1, "DO", "mg/l");
    doc.FieldManager().AddNewParameters(1, "pH", "su");
    zav::ImportReport report;
    const Clock::time_point start = Clock::now();
    if (!doc.AddParsedSpreadsheetFiles({path}, {"DO", "pH"}, &report)) {
        return 1;
    }
    const double seconds = SecondsSince(start);
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    const double megabytes = static_cast<double>(file.tellg()) / 1e6;
    std::printf("layout 3, %zu values: %.3f s, %.0f MB/s\n", doc.FieldManager().PointCount(),
                seconds, megabytes / seconds);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "generate" && (argc == 3 || argc == 5)) {
        zav::bench::ProjectShape shape;
        if (argc == 5) {
            shape.stations = zav::AtoI(argv[3]);
            shape.pointsPerStation = zav::AtoI(argv[4]);
        }
        return Generate(argv[2], shape);
    }
    if (mode == "open" && argc == 3) {
        return Open(argv[2]);
    }
    if (mode == "save" && argc == 4) {
        return Save(argv[2], argv[3]);
    }
    if (mode == "layout3" && argc == 3) {
        return Layout3(argv[2]);
    }
    std::cerr << "usage: zav_bench_large generate DIR [STATIONS POINTS] | open FILE |"
                 " save FILE OUT | layout3 FILE\n";
    return 2;
}
