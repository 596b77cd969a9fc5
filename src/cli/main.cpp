// zav-cli: the program's own operations from the shell, for batch work.
#include <iostream>

#include "cli/CommandTable.h"

int main(int argc, char** argv) {
#ifdef ZAV_WITH_PLOT
    zav::cli::RegisterCommand(
        {"plot",
         "PROJECT.zav --main stations|parameters\n"
         "(--items NAME[,NAME...] | --item NAME...) --other NAME\n"
         "--start YYYY-MM-DD --end YYYY-MM-DD\n"
         "--unit years|months|weeks|days|hours|minutes [--every N]\n"
         "[--values] [--fill-gaps] [--style max-mean-min|mean|points|heatmap]\n"
         "[--threshold X] -o OUT.png|OUT.svg|OUT.pdf [--size WIDTHxHEIGHT]",
         "Draws the graph of a selection, as the graph window does, into a PNG,\n"
         "SVG or PDF file, without a display. --style points draws every value,\n"
         "heatmap the availability as cells.",
         "zav-cli plot sample.zav --main stations --item \"South Outlet\" \\\n"
         "    --other \"Dissolved oxygen\" --start 1995-01-01 --end 1995-12-31 \\\n"
         "    --unit days --values --style points -o oxygen.svg --size 1600x900",
         &zav::cli::PlotCommand});
#endif
    return zav::cli::RunCommandLine(zav::cli::Words(argv + 1, argv + argc), std::cout, std::cerr);
}
