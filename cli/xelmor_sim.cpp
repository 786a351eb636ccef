// xelmor-sim: simulates a Laue pattern without a window, from a pattern document or from a
// crystal and the options, and writes it as JSON, pattern text or a pattern document.
#include <CLI/CLI.hpp>

#include <array>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/json_writer.h"
#include "structfile/struct_file.h"
#include "structfile/text_file.h"
#include "xelmor/core/geometry.h"
#include "xelmor/core/lattice.h"
#include "xelmor/core/lut.h"
#include "xelmor/core/params.h"
#include "xelmor/core/prompts.h"
#include "xelmor/core/simulation.h"
#include "xelmor/files/pattern_doc.h"
#include "xelmor/files/pattern_text.h"
#include "xelmor/files/settings.h"
#include "xelmor/files/spectrum_file.h"

#ifdef XELMOR_SIM_IMAGE
#include "cli/image_output.h"
#endif

namespace xelmor {
namespace {

// Limits of the detector and spot sizes in mm, as the size dialogs take them.
constexpr double kFilmMin = 20, kFilmMax = 5000;
constexpr double kSpotMin = 0.01, kSpotMax = 20;
constexpr double kAngleLimit = 360; // rotation angles lie in the open interval -360..360

struct Options {
    std::string pattern; // the pattern form: a document replaces every option below
    std::string crystal;
    std::string spectrum;
    bool back = false;
    std::optional<double> distance;
    std::vector<double> surface, horizontal;
    std::vector<int> range;
    std::string sequence;
    std::vector<double> rotate, shift, film, spot;
    std::optional<double> tilt;
    std::optional<double> saturate, truncate;
    std::string json, pdat, save;
    // The image: its file and its width in pixels (0: 10 pixels per mm of film).
    std::string image;
    int width = 0;
    // The look-up table: the two marked spots "x,y" in mm, the tolerance in degrees, the
    // limits and the 1-based row whose orientation is simulated.
    std::vector<std::string> lut;
    std::optional<double> tolerance;
    std::vector<int> limits;
    std::optional<int> pick;
};

// A step's failure: the program's own message, printed on stderr with a non-zero exit.
using Failure = std::optional<std::string>;

std::string ProgramDir(const char* argv0) {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        exe = std::filesystem::absolute(argv0, ec);
    return exe.parent_path().string();
}

int SequenceIndex(const std::string& name) {
    for (int i = 0; i < kRotationSequenceCount; ++i)
        if (RotationSequenceName(i) == name)
            return i;
    return -1;
}

Failure CheckRange(const char* option, double v, double lo, double hi) {
    if (!(v >= lo && v <= hi))
        return std::string(option) + ": " + NumberRangePrompt(lo, hi);
    return {};
}

Failure SetUpCrystal(CParameterSet& p, const Options& o) {
    const StructReadResult read = ReadStructureFile(o.crystal, StructDialect::Xelmor);
    if (!read.data)
        return read.message.text;
    const StructureData& d = *read.data;
    TakeOverCrystal(p, {d.name, d.a, d.b, d.c, d.alpha, d.beta, d.gamma, d.atoms});
    MarkCrystalChanged(p);
    return {};
}

Failure SetUpSpectrum(CParameterSet& p, const Options& o, const std::string& programDir) {
    if (o.spectrum.empty()) {
        // No stored settings in batch: the delivered default spectrum of the program folder.
        const MemorySettingsStore noSettings;
        if (auto message = LoadDefaultSpectrum(p, noSettings, programDir))
            return message->text;
    } else {
        SpectrumReadResult read = ReadSpectrumFile(o.spectrum);
        if (!read.spectrum)
            return read.message.text;
        InstallSpectrum(p, std::move(*read.spectrum), o.spectrum);
    }
    return {};
}

Failure SetUpGeometry(CParameterSet& p, const Options& o) {
    GeometryValues g;
    g.transOrBack = o.back ? 1 : 0;
    g.D = o.distance.value_or(p.m_D / 10);
    if (!o.surface.empty())
        g.H = o.surface[0], g.K = o.surface[1], g.L = o.surface[2];
    if (!o.horizontal.empty())
        g.h = o.horizontal[0], g.k = o.horizontal[1], g.l = o.horizontal[2];
    if (!o.range.empty()) {
        for (int limit : o.range)
            if (limit < 0 || limit > 999)
                return "--range: " + IntegerRangePrompt(0, 999);
        g.Hmax = o.range[0], g.Kmax = o.range[1], g.Lmax = o.range[2];
    } else {
        g.Hmax = DefaultIndexLimit(p.m_a);
        g.Kmax = DefaultIndexLimit(p.m_b);
        g.Lmax = DefaultIndexLimit(p.m_c);
    }
    const GeometryCheck check = CheckGeometry(p.m_Recip, g);
    if (check.kind != GeometryCheck::Accepted)
        return check.message.text;
    p.m_TransOrBack = g.transOrBack;
    p.m_D = g.D * 10;
    p.m_H = g.H, p.m_K = g.K, p.m_L = g.L;
    p.m_h = g.h, p.m_k = g.k, p.m_l = g.l;
    p.m_Hmax = g.Hmax, p.m_Kmax = g.Kmax, p.m_Lmax = g.Lmax;
    MarkGeometryConfirmed(p);
    return {};
}

Failure SetUpDetectorAndRotation(CParameterSet& p, const Options& o) {
    if (!o.sequence.empty()) {
        p.m_RotCrystSeq = SequenceIndex(o.sequence);
        if (p.m_RotCrystSeq < 0)
            return "--sequence: use one of YXZ, YZX, XYZ, XZY, ZXY, ZYX.";
    }
    if (!o.rotate.empty()) {
        for (double angle : o.rotate)
            if (!(std::fabs(angle) < kAngleLimit))
                return "--rotate: angles lie between -360 and 360 degrees.";
        p.m_Rot1 = o.rotate[0], p.m_Rot2 = o.rotate[1], p.m_Rot3 = o.rotate[2];
    }
    if (o.tilt) {
        if (!std::isfinite(*o.tilt))
            return "--tilt: " + std::string(kNumberPrompt);
        p.m_Tilt = *o.tilt;
    }
    if (!o.shift.empty()) {
        for (double v : o.shift)
            if (!std::isfinite(v))
                return "--shift: " + std::string(kNumberPrompt);
        p.m_ShiftX = o.shift[0] * 10, p.m_ShiftY = o.shift[1] * 10;
    }
    if (!o.film.empty()) {
        if (Failure f = CheckRange("--film", o.film[0], kFilmMin, kFilmMax))
            return f;
        if (Failure f = CheckRange("--film", o.film[1], kFilmMin, kFilmMax))
            return f;
        p.m_FilmWidth = o.film[0] * 10, p.m_FilmHeight = o.film[1] * 10;
    }
    if (!o.spot.empty()) {
        if (Failure f = CheckRange("--spot", o.spot[0], kSpotMin, kSpotMax))
            return f;
        if (Failure f = CheckRange("--spot", o.spot[1], kSpotMin, kSpotMax))
            return f;
        p.m_SpotWidth = o.spot[0] * 10, p.m_SpotHeight = o.spot[1] * 10;
    }
    if (o.saturate) {
        if (Failure f = CheckRange("--saturate", *o.saturate, 0.1, 100))
            return f;
        p.m_Saturate = *o.saturate / 100;
    }
    if (o.truncate) {
        if (Failure f = CheckRange("--truncate", *o.truncate, 0, 100))
            return f;
        p.m_Truncate = *o.truncate / 100;
        if (!(p.m_Truncate < p.m_Saturate))
            return "--truncate: the truncation level must lie below the saturation.";
    }
    return {};
}

// The shortest text that reads back as exactly this number.
std::string ExactText(double v) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

// The look-up table on the simulated pattern: the spots are marked where the options say, the
// pair search runs as the table's "Search Pairs" does, and with --pick the orientation of that
// row is simulated as "Simulate Pattern" sets it. A message that stops the table's work is a
// failure; "Too many pairs! ..." is printed and the work goes on with the rows found.
Failure RunLookUpTable(CParameterSet& p, SimulationResult& r, const Options& o,
                       CLookUpTable& table) {
    ParseSpotPosition(o.lut[0], p.m_MajorX, p.m_MajorY);
    ParseSpotPosition(o.lut[1], p.m_SecondX, p.m_SecondY);
    PairSearchTexts texts;
    texts.tolerance = ExactText(o.tolerance.value_or(kStartTolDeg));
    for (std::size_t i = 0; i < 3; ++i)
        texts.limits[i] = std::to_string(o.limits.empty() ? kStartSearchLimit : o.limits[i]);
    const PairSearchOutcome out = table.SearchPairs(p, texts);
    if (out.message) {
        if (out.end != PairSearchEnd::TooMany || !out.listed)
            return out.message->text;
        std::cerr << out.message->text << '\n';
    }
    if (!o.pick)
        return {};
    const int rows = table.ShownCount();
    if (*o.pick < 1 || *o.pick > rows)
        return "--pick: the look-up table lists " + std::to_string(rows) + " pairs.";
    if (!table.ApplyRow(p, *o.pick - 1))
        return ParallelRowMessage().text;
    RunSimulation(p, r);
    return {};
}

Failure WriteOutputs(const CParameterSet& p, const SimulationResult& r, const Options& o,
                     const CLookUpTable* lut) {
    if (!o.json.empty()) {
        const std::string json = PatternJson(p, r, lut);
        if (o.json == "-") {
            std::fwrite(json.data(), 1, json.size(), stdout);
            std::fflush(stdout);
        } else if (auto message = SaveFile(o.json, json)) {
            return message->text;
        }
    }
    if (!o.pdat.empty()) {
        if (auto message = SavePatternText(o.pdat, r.spots, p.m_SpotWidth, p.m_SpotHeight,
                                           p.m_ShiftX, p.m_ShiftY))
            return message->text;
    }
    if (!o.save.empty()) {
        if (auto message = SavePatternDocument(o.save, p))
            return message->text;
    }
    if (!o.image.empty()) {
#ifdef XELMOR_SIM_IMAGE
        if (auto message = WritePatternImage(p, r, o.image, o.width))
            return *message;
#else
        return "--image: this xelmor-sim was built without the Qt image output.";
#endif
    }
    return {};
}

// The pattern form: the document is read as the program opens one, including its run. A file
// that cannot be read leaves an empty pattern, which is a failure here.
Failure OpenPattern(CParameterSet& p, SimulationResult& r, const Options& o,
                    const std::string& programDir) {
    const MemorySettingsStore noSettings;
    const PatternOpenResult open = OpenPatternDocument(o.pattern, p, r, noSettings, programDir);
    if (open.status == PatternOpenStatus::Read)
        return {};
    std::string text;
    for (const Message& m : open.messages)
        text += (text.empty() ? "" : "\n") + m.text;
    return text;
}

int Run(int argc, char** argv) {
    CLI::App app{"xelmor-sim: simulates the Laue pattern of a pattern document (*.ptn) or of a "
                 "crystal and writes it as JSON, pattern text or a pattern document. Lengths in "
                 "mm, angles in degrees."};
    app.get_formatter()->column_width(36);
    Options o;
    CLI::Option* pattern =
        app.add_option("PATTERN.ptn", o.pattern,
                       "pattern document to read and simulate, in place of the options up to "
                       "--truncate");
    app.add_option("--crystal", o.crystal, "crystal structure file (*.struct)")
        ->option_text("FILE.struct");
    app.add_option("--spectrum", o.spectrum,
                   "incident spectrum (*.spct or *.spectrum); default: the delivered NSLS-BM.spct")
        ->option_text("FILE");
    app.add_flag("--back", o.back, "back reflection (default: transmission)");
    app.add_option("--distance", o.distance, "imaging distance (default 50)")->option_text("MM");
    app.add_option("--surface", o.surface, "surface plane facing the beam (default 0 0 1)")
        ->expected(3)
        ->option_text("H K L");
    app.add_option("--horizontal", o.horizontal, "plane facing the viewer (default 1 0 0)")
        ->expected(3)
        ->option_text("h k l");
    app.add_option("--range", o.range, "index ranges (default: 3 x the lattice constants)")
        ->expected(3)
        ->option_text("HMAX KMAX LMAX");
    app.add_option("--sequence", o.sequence, "rotation sequence (default YXZ)")
        ->option_text("YXZ|YZX|XYZ|XZY|ZXY|ZYX");
    app.add_option("--rotate", o.rotate, "the three rotation angles")
        ->expected(3)
        ->option_text("R1 R2 R3");
    app.add_option("--tilt", o.tilt, "tilt of the detector about its x axis")->option_text("DEG");
    app.add_option("--shift", o.shift, "shift of the film centre")->expected(2)->option_text("X Y");
    app.add_option("--film", o.film, "detector size (default 200 150)")
        ->expected(2)
        ->option_text("W H");
    app.add_option("--spot", o.spot, "drawn spot size (default 3 3)")
        ->expected(2)
        ->option_text("W H");
    app.add_option("--saturate", o.saturate, "saturation level, percent (default 100)")
        ->option_text("PCT");
    app.add_option("--truncate", o.truncate, "truncation level, percent (default 1)")
        ->option_text("PCT");
    // Every option so far describes the pattern, which a document already holds.
    std::vector<const CLI::Option*> patternOptions;
    for (const CLI::Option* option : app.get_options()) {
        if (option != pattern && option->get_name() != "--help")
            patternOptions.push_back(option);
    }
    app.add_option("--json", o.json, "write the pattern as JSON (- for standard output)")
        ->option_text("FILE|-");
    app.add_option("--pdat", o.pdat, "write the pattern text file")->option_text("FILE.pdat");
    app.add_option("--save", o.save, "write the pattern document")->option_text("FILE.ptn");
    CLI::Option* image =
        app.add_option("--image", o.image,
                       "draw the pattern as the image export does (labels off, information line "
                       "on)")
            ->option_text("FILE.png|.bmp|.jpg|.tif");
    app.add_option("--width", o.width, "width of the image (default: 10 pixels per mm of film)")
        ->needs(image)
        ->option_text("PX");
    CLI::Option* lut =
        app.add_option("--lut", o.lut,
                       "mark the Major and the 2nd spot at these film positions (mm) and search "
                       "the look-up table's plane pairs; adds \"lut\" to the JSON")
            ->expected(2)
            ->option_text("X1,Y1 X2,Y2");
    app.add_option("--tolerance", o.tolerance,
                   "angular tolerance of the look-up table (default 0.2)")
        ->needs(lut)
        ->option_text("DEG");
    app.add_option("--limits", o.limits, "index limits of the look-up table (default 5 5 5)")
        ->expected(3)
        ->needs(lut)
        ->option_text("HMAX KMAX LMAX");
    app.add_option("--pick", o.pick,
                   "simulate the orientation of this row of the look-up table (1 = first)")
        ->needs(lut)
        ->option_text("N");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e);
    }
    if (o.pattern.empty() && o.crystal.empty())
        return app.exit(CLI::RequiredError("PATTERN.ptn or --crystal"));
    if (!o.pattern.empty()) {
        for (const CLI::Option* option : patternOptions) {
            if (option->count() > 0)
                return app.exit(CLI::ExcludesError(pattern->get_name(), option->get_name()));
        }
    }

    CParameterSet p;
    ResetParameters(p, DocumentDefaults{});
    SimulationResult result;
    const std::string programDir = ProgramDir(argv[0]);
    Failure failure;
    if (!o.pattern.empty()) {
        failure = OpenPattern(p, result, o, programDir);
    } else {
        failure = SetUpSpectrum(p, o, programDir);
        if (!failure)
            failure = SetUpCrystal(p, o);
        if (!failure)
            failure = SetUpGeometry(p, o);
        if (!failure)
            failure = SetUpDetectorAndRotation(p, o);
        if (!failure)
            RunSimulation(p, result);
    }
    CLookUpTable table;
    if (!failure && !o.lut.empty())
        failure = RunLookUpTable(p, result, o, table);
    if (!failure)
        failure = WriteOutputs(p, result, o, o.lut.empty() ? nullptr : &table);
    if (failure) {
        std::cerr << *failure << '\n';
        return 1;
    }
    return 0;
}

} // namespace
} // namespace xelmor

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C");
    return xelmor::Run(argc, argv);
}
