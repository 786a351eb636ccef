#include "cli/json_writer.h"

#include <charconv>
#include <cmath>

#include "xelmor/core/film.h"

namespace xelmor {

namespace {

void Real(std::string& out, double v) {
    if (!std::isfinite(v)) {
        out += "null";
        return;
    }
    if (v == 0) {
        out += '0'; // also for -0
        return;
    }
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 17);
    out.append(buf, r.ptr);
}

void Key(std::string& out, const char* name) {
    out += '"';
    out += name;
    out += "\":";
}

void RealField(std::string& out, const char* name, double v) {
    Key(out, name);
    Real(out, v);
}

} // namespace

std::string PatternJson(const CParameterSet& p, const SimulationResult& r,
                        const CLookUpTable* lut) {
    std::string out = "{";
    Key(out, "spots");
    out += "[";
    for (std::size_t i = 0; i < r.spots.size(); ++i) {
        const CDot& s = r.spots[i];
        out += i ? ",\n" : "\n";
        out += "{\"h\":" + std::to_string(s.h) + ",\"k\":" + std::to_string(s.k) +
               ",\"l\":" + std::to_string(s.l) + ",";
        RealField(out, "x", s.x);
        out += ',';
        RealField(out, "y", s.y);
        out += ',';
        RealField(out, "lambda", s.lambda);
        out += ',';
        RealField(out, "d", s.d);
        out += ',';
        RealField(out, "intensity", s.intensity);
        out += ",\"harmonics\":[";
        for (std::size_t j = 0; j < s.harmonics.size(); ++j) {
            const Harmonic& h = s.harmonics[j];
            out += j ? ",{\"n\":" : "{\"n\":";
            out += std::to_string(h.n) + ",";
            RealField(out, "F2", h.F2);
            out += ',';
            RealField(out, "intensity", h.intensity);
            out += '}';
        }
        out += "]}";
    }
    out += "],\n";
    RealField(out, "Imax", p.m_Imax);
    out += ',';
    RealField(out, "Isat", p.m_Isat);
    out += ',';
    RealField(out, "Itrunc", p.m_Itrunc);
    out += ',';
    RealField(out, "saturate", p.m_Saturate);
    out += ',';
    RealField(out, "truncate", p.m_Truncate);
    out += ",\n";
    Key(out, "spot000");
    if (Spot000OnFilm(r.spot000X, r.spot000Y)) {
        out += '[';
        Real(out, r.spot000X);
        out += ',';
        Real(out, r.spot000Y);
        out += ']';
    } else {
        out += "null";
    }
    out += ",\n";
    Key(out, "orient");
    out += '[';
    for (int row = 0; row < 3; ++row) {
        out += row ? ",[" : "[";
        for (int col = 0; col < 3; ++col) {
            if (col)
                out += ',';
            Real(out, r.orient[row][col]);
        }
        out += ']';
    }
    out += ']';
    if (lut) {
        out += ",\n";
        Key(out, "lut");
        out += '{';
        RealField(out, "angle", lut->m_AngleDeg);
        out += ',';
        Key(out, "pairs");
        out += '[';
        for (int i = 0; i < lut->m_PairFirst.Count(); ++i) {
            const HklTriple& a = lut->m_PairFirst[i];
            const HklTriple& b = lut->m_PairSecond[i];
            out += i ? ",\n[" : "\n[";
            out += std::to_string(a.h) + ',' + std::to_string(a.k) + ',' + std::to_string(a.l) +
                   ',' + std::to_string(b.h) + ',' + std::to_string(b.k) + ',' +
                   std::to_string(b.l) + ']';
        }
        out += "]}";
    }
    out += "}\n";
    return out;
}

} // namespace xelmor
