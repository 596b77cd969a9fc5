#include "AgencyGenerators.h"

#include <cstdint>
#include <cstdio>

namespace zav::bench {

namespace {

// A small linear congruential generator: the texts must not depend on the
// standard library's choice of distributions.
class Random {
public:
    explicit Random(uint32_t seed) : m_state(seed) {}
    uint32_t Next() {
        m_state = m_state * 1664525u + 1013904223u;
        return m_state >> 8;
    }
    double Uniform(double low, double high) {
        return low + (high - low) * (Next() % 10000) / 10000.0;
    }

private:
    uint32_t m_state;
};

bool IsLeap(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int MonthLength(int year, int month) {
    static const int kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return kLengths[month - 1] + (month == 2 && IsLeap(year) ? 1 : 0);
}

void AppendMolvanLine(std::string& out, int station, int hourIndex, Random& random) {
    // Hour index from 1 January 1990 00:00, calendar walked by hand.
    int day = hourIndex / 24;
    int year = 1990;
    int month = 1;
    while (day >= MonthLength(year, month)) {
        day -= MonthLength(year, month);
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
    char line[160];
    int n = std::snprintf(line, sizeof line, "%04d%02d%02d%02d00BNCH-STN-%06d", year, month,
                          day + 1, hourIndex % 24, station);
    out.append(line, static_cast<size_t>(n));
    for (int column = 0; column < 7; ++column) {
        if (random.Next() % 50 == 0) {
            out += "      -9";
        } else {
            n = std::snprintf(line, sizeof line, "%8.2f", random.Uniform(0.0, 400.0));
            out.append(line, static_cast<size_t>(n));
        }
    }
    out += "\r\n";
}

std::string Padded(std::string text, size_t width) {
    text.resize(width, ' ');
    return text;
}

void AppendPellidorBlock(std::string& out, int station, const char* parameter, const char* units,
                         int waterYear, Random& random) {
    char number[16];
    std::snprintf(number, sizeof number, "%08d", 3000000 + station);
    out += "          UNITED STATES OFFICE OF TALVERENE - HYDROMETRIC ARCHIVES\r\n";
    out += Padded("  STATION NUMBER AND NAME:", 28) + number + " BENCH RIVER NO " +
           std::to_string(station) + "\r\n";
    out += "  LOCATION: SYNTHETIC\r\n  DRAINAGE AREA: 100 KM2\r\n\r\n";
    out += std::string(parameter) + ", " + units + "," +
           Padded(" DAILY MEAN VALUES FOR WATER YEAR", 38) + std::to_string(waterYear) + "\r\n";
    out +=
        "\r\nDAY                       OCT      NOV      DEC      JAN      FEB      MAR      APR"
        "      MAY      JUN      JUL      AUG      SEP\r\n\r\n";
    char cell[32];
    for (int day = 1; day <= 31; ++day) {
        std::snprintf(cell, sizeof cell, "  %2d", day);
        std::string row = Padded(cell, 20);
        for (int k = 0; k < 12; ++k) {
            int month = (k + 9) % 12 + 1;
            int year = month >= 10 ? waterYear - 1 : waterYear;
            if (day > MonthLength(year, month)) {
                row += "         ";
            } else if (random.Next() % 40 == 0) {
                row += "      ---";
            } else {
                std::snprintf(cell, sizeof cell, "%9.1f", random.Uniform(1.0, 900.0));
                row += cell;
            }
        }
        out += row + "\r\n";
        if (day % 5 == 0 && day < 31) {
            out += "\r\n";
        }
    }
    out += "\r\nPROVISIONAL DATA SUBJECT TO REVISION\r\n\f\r\n";
}

}  // namespace

std::string MolvanText(int stations, int linesPerStation, bool interleaved) {
    std::string out;
    out.reserve(static_cast<size_t>(stations) * static_cast<size_t>(linesPerStation) * 86 + 400);
    out += "SYNTHETIC WATER QUALITY EXPORT\r\n";
    out += "DATE/TIME   STATION       WATER   DISSOLVDPH      SPECIFICSUSP    NITRATE TOTAL\r\n";
    out += "                          TEMP    OXYGEN          CONDUCT SOLIDS  N       PHOS P\r\n";
    out += "                          DEG C   MG/L    SU      US/CM   MG/L    MG/L    MG/L\r\n";
    Random random(12345);
    if (interleaved) {
        for (int line = 0; line < linesPerStation; ++line) {
            for (int station = 0; station < stations; ++station) {
                AppendMolvanLine(out, station, line, random);
            }
        }
    } else {
        for (int station = 0; station < stations; ++station) {
            for (int line = 0; line < linesPerStation; ++line) {
                AppendMolvanLine(out, station, line, random);
            }
        }
    }
    return out;
}

std::string PellidorText(int stations, int waterYears) {
    std::string out = "SYNTHETIC DAILY VALUES REPORT\r\n\f\r\n";
    Random random(54321);
    for (int station = 0; station < stations; ++station) {
        for (int year = 0; year < waterYears; ++year) {
            AppendPellidorBlock(out, station, "DISCHARGE", "CFS", 1990 + year, random);
            AppendPellidorBlock(out, station, "WATER TEMPERATURE", "DEG C", 1990 + year, random);
        }
    }
    return out;
}

}  // namespace zav::bench
