// zav_bench_generate DIR [STATIONS POINTS]: writes DIR/report.zav and the
// same data as DIR/report.csv for the report benchmarks and the comparison
// script.
#include <iostream>

#include "ProjectGenerator.h"
#include "core/FileIO.h"
#include "core/TextFormat.h"
#include "core/UserInterface.h"

int main(int argc, char** argv) {
    if (argc != 2 && argc != 4) {
        std::cerr << "usage: zav_bench_generate DIR [STATIONS POINTS]\n";
        return 2;
    }
    zav::bench::ProjectShape shape;
    if (argc == 4) {
        shape.stations = zav::AtoI(argv[2]);
        shape.pointsPerStation = zav::AtoI(argv[3]);
    }
    const std::string dir = argv[1];
    zav::ConsoleUserInterface ui;
    zav::ZAVFieldManager store(ui);
    zav::bench::FillStore(store, shape);
    if (zav::WriteFileSafely(dir + "/report.csv", zav::bench::CsvText(store)) !=
            zav::WriteResult::kOk ||
        zav::WriteFileSafely(dir + "/report.zav", zav::bench::ProjectText(shape)) !=
            zav::WriteResult::kOk) {
        std::cerr << "zav_bench_generate: cannot write into " << dir << "\n";
        return 1;
    }
    return 0;
}
