// Pictures of the availability page at work: the report of one parameter at
// every station, and the graph windows the page opens for it (the means
// with a threshold line at 6.5, for the example's dissolved oxygen in mg/l).
#pragma once

#include <QString>

class CMainFrame;
class DataAvailPage;

// Chooses every station, the scene's parameter and year (Screenshots.h) or
// else the first of each, by months and data values on `page` (which must
// be the current tab of `frame`'s active project), and writes
// "4-data-availability-report.png", one PNG per kind of graph
// ("graph-max-mean-min.png", "graph-mean.png", "graph-availability.png";
// none for a project without points) and the export dialog
// ("export-options.png") into `dir`. False when one could not be written.
bool RenderAvailabilityScreenshots(CMainFrame& frame, DataAvailPage& page, const QString& dir);
