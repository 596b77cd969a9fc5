// Data export: the netCDF writer (CF-1.8, discrete sampling geometry
// "timeSeries" with contiguous ragged arrays). Built only where the netCDF
// library is found; elsewhere NetcdfUnavailable.cpp stands in for it.
#include <netcdf.h>
#include <unistd.h>

#include <cstdio>

#include "io/DataExport.h"
#include "store/DataSeries.h"

namespace zav {

namespace {

// Calls into the library stop at the first failure, keeping its message.
class NcFile {
public:
    bool Check(int status) {
        if (status != NC_NOERR && m_error.empty()) {
            m_error = nc_strerror(status);
        }
        return m_error.empty();
    }
    const std::string& Error() const { return m_error; }
    int id = -1;

    int DefineVariable(const char* name, nc_type type, std::vector<int> dims) {
        int var = -1;
        if (m_error.empty()) {
            Check(nc_def_var(id, name, type, static_cast<int>(dims.size()), dims.data(), &var));
        }
        return var;
    }
    void Text(int var, const char* name, const std::string& value) {
        if (m_error.empty()) {
            Check(nc_put_att_text(id, var, name, value.size(), value.c_str()));
        }
    }

private:
    std::string m_error;
};

// The longest of the texts a feature names, for the width of its char
// variable (at least 1, which netCDF requires).
size_t Widest(const std::vector<ExportSeries>& selection,
              const std::string& (*text)(const ExportSeries&)) {
    size_t width = 1;
    for (const ExportSeries& s : selection) {
        width = std::max(width, text(s).size());
    }
    return width;
}

const std::string& StationOf(const ExportSeries& s) {
    return s.series->StationName();
}
const std::string& ParameterOf(const ExportSeries& s) {
    return s.series->ParameterName();
}
const std::string& UnitsOf(const ExportSeries& s) {
    return s.units;
}

struct Layout {
    int feature = -1, obs = -1;
    int station = -1, parameter = -1, units = -1, id = -1, rowSize = -1;
    int time = -1, value = -1, mask = -1;
};

// The units every series shares, or "" when they differ.
std::string CommonUnits(const std::vector<ExportSeries>& selection) {
    for (const ExportSeries& s : selection) {
        if (s.units != selection.front().units) {
            return "";
        }
    }
    return selection.empty() ? "" : selection.front().units;
}

void DefineNames(NcFile& nc, const std::vector<ExportSeries>& selection, Layout& l) {
    struct Named {
        const char* var;
        const char* dim;
        const std::string& (*text)(const ExportSeries&);
        const char* longName;
        int* id;
    };
    for (const Named& n :
         {Named{"station_name", "station_strlen", StationOf, "station name", &l.station},
          Named{"parameter_name", "parameter_strlen", ParameterOf, "parameter name", &l.parameter},
          Named{"units_name", "units_strlen", UnitsOf, "units of the series' values", &l.units}}) {
        int dim = -1;
        nc.Check(nc_def_dim(nc.id, n.dim, Widest(selection, n.text), &dim));
        *n.id = nc.DefineVariable(n.var, NC_CHAR, {l.feature, dim});
        nc.Text(*n.id, "long_name", n.longName);
    }
    // A station has a series per parameter, and a pair may come from several
    // inputs, so only the series' number names a feature uniquely.
    l.id = nc.DefineVariable("series_id", NC_INT, {l.feature});
    nc.Text(l.id, "long_name", "number of the series, from 1");
    nc.Text(l.id, "cf_role", "timeseries_id");
}

void Define(NcFile& nc, const std::vector<ExportSeries>& selection, size_t points, Layout& l) {
    nc.Check(nc_def_dim(nc.id, "timeseries", selection.size(), &l.feature));
    nc.Check(nc_def_dim(nc.id, "obs", points, &l.obs));
    DefineNames(nc, selection, l);
    l.rowSize = nc.DefineVariable("row_size", NC_INT, {l.feature});
    nc.Text(l.rowSize, "long_name", "number of observations of the series");
    nc.Text(l.rowSize, "sample_dimension", "obs");
    // Wall-clock times as the inputs wrote them; no zone is implied.
    l.time = nc.DefineVariable("time", NC_DOUBLE, {l.obs});
    nc.Text(l.time, "standard_name", "time");
    nc.Text(l.time, "long_name", "time of the observation, as written in the input");
    nc.Text(l.time, "units", "seconds since 1970-01-01 00:00:00");
    nc.Text(l.time, "calendar", "proleptic_gregorian");
    l.value = nc.DefineVariable("value", NC_DOUBLE, {l.obs});
    nc.Text(l.value, "long_name", "observed value");
    nc.Text(l.value, "coordinates", "time station_name parameter_name");
    if (const std::string units = CommonUnits(selection); !units.empty()) {
        nc.Text(l.value, "units", units);
    }
    l.mask = nc.DefineVariable("mask", NC_INT, {l.obs});
    nc.Text(l.mask, "long_name", "mask: 0 when the value counts, otherwise set aside");
    nc.Text(NC_GLOBAL, "Conventions", "CF-1.8");
    nc.Text(NC_GLOBAL, "featureType", "timeSeries");
    nc.Text(NC_GLOBAL, "source", "ZAV");
    if (nc.Error().empty()) {
        nc.Check(nc_enddef(nc.id));
    }
}

void PutName(NcFile& nc, int var, size_t feature, const std::string& text) {
    const size_t start[2] = {feature, 0};
    const size_t count[2] = {1, text.size()};
    if (!text.empty() && nc.Error().empty()) {
        nc.Check(nc_put_vara_text(nc.id, var, start, count, text.data()));
    }
}

void PutSeries(NcFile& nc, const Layout& l, const ExportSeries& s, size_t feature, size_t& at) {
    PutName(nc, l.station, feature, s.series->StationName());
    PutName(nc, l.parameter, feature, s.series->ParameterName());
    PutName(nc, l.units, feature, s.units);
    const int number = static_cast<int>(feature + 1);
    nc.Check(nc_put_var1_int(nc.id, l.id, &feature, &number));
    const int rows = static_cast<int>(s.last - s.first);
    nc.Check(nc_put_var1_int(nc.id, l.rowSize, &feature, &rows));
    const size_t n = s.last - s.first;
    if (n == 0 || !nc.Error().empty()) {
        return;
    }
    std::vector<double> times(n);
    for (size_t i = 0; i < n; ++i) {
        times[i] = static_cast<double>(s.series->Time(s.first + i).Instant());
    }
    nc.Check(nc_put_vara_double(nc.id, l.time, &at, &n, times.data()));
    nc.Check(nc_put_vara_double(nc.id, l.value, &at, &n, s.values.data() + s.first));
    nc.Check(nc_put_vara_int(nc.id, l.mask, &at, &n, s.series->Masks().data() + s.first));
    at += n;
}

}  // namespace

bool NetcdfAvailable() {
    return true;
}

bool WriteNetcdf(const std::vector<ExportSeries>& selection, const std::string& path,
                 std::string& error, Progress& progress) {
    // Written beside the target and moved over it once complete, so a
    // failure never leaves half a file where a good one was.
    const std::string temporary = path + ".part" + std::to_string(::getpid());
    NcFile nc;
    if (!nc.Check(
            nc_create(temporary.c_str(), NC_CLOBBER | NC_NETCDF4 | NC_CLASSIC_MODEL, &nc.id))) {
        error = "cannot write " + path + ": " + nc.Error();
        return false;
    }
    Layout layout;
    Define(nc, selection, CountExport(selection).points, layout);
    size_t at = 0;
    for (size_t f = 0; f < selection.size() && nc.Error().empty() && !progress.Cancelled(); ++f) {
        progress.Report(f, selection.size());
        PutSeries(nc, layout, selection[f], f, at);
    }
    nc.Check(nc_close(nc.id));
    if (progress.Cancelled()) {
        std::remove(temporary.c_str());
        error.clear();
        return false;
    }
    if (nc.Error().empty() && std::rename(temporary.c_str(), path.c_str()) == 0) {
        return true;
    }
    error = "cannot write " + path + (nc.Error().empty() ? "" : ": " + nc.Error());
    std::remove(temporary.c_str());
    return false;
}

}  // namespace zav
