// Pictures of the availability page at work on the example project: the
// report of dissolved oxygen at its stations, and the graph windows the page
// opens for it (the means with a threshold line at 6.5 mg/l).
#pragma once

#include <QString>

class CMainFrame;
class DataAvailPage;

// Chooses the stations, "Dissolved oxygen", 1995 by months and data values
// on `page` (which must be the current tab of `frame`'s active project),
// and writes "4-data-availability-report.png" and one PNG per kind of graph
// ("graph-max-mean-min.png", "graph-mean.png", "graph-availability.png")
// and the export dialog ("export-options.png") into `dir`. False when one could not be written.
bool RenderAvailabilityScreenshots(CMainFrame& frame, DataAvailPage& page, const QString& dir);
