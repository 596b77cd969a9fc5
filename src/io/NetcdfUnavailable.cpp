// Data export: what stands in for the netCDF writer in a build made without
// the netCDF library.
#include "io/DataExport.h"

namespace zav {

bool NetcdfAvailable() {
    return false;
}

bool WriteNetcdf(const std::vector<ExportSeries>&, const std::string& path, std::string& error,
                 Progress&) {
    error = "cannot write " + path + ": this build of ZAV was made without netCDF";
    return false;
}

}  // namespace zav
