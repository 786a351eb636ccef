// The batch simulator end to end: arguments or a pattern document in, JSON, pattern text and
// pattern documents out, errors on stderr.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

constexpr double kPrinted = 5e-3; // the reference values are printed to about six digits
// A read document's run recomputes Isat as Imax times the saturation fraction it saved.
constexpr double kLevelRounding = 1e-14;

struct Outcome {
    int exitCode = -1;
    std::string out, err;
};

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Runs xelmor-sim with the arguments (already quoted for the shell).
Outcome Sim(const std::string& args) {
    const std::string dir = ::testing::TempDir();
    const std::string err = dir + "/xelmor_sim_stderr.txt";
    const std::string cmd = std::string("'") + XELMOR_SIM + "' " + args + " 2>'" + err + "'";
    Outcome o;
    FILE* pipe = popen(cmd.c_str(), "r");
    if (pipe == nullptr)
        return o;
    std::array<char, 4096> buf;
    std::size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), pipe)) > 0)
        o.out.append(buf.data(), n);
    const int status = pclose(pipe);
    o.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    o.err = Slurp(err);
    return o;
}

std::string Data(const char* name) {
    return std::string("'") + XELMOR_TEST_DATA + "/sim/" + name + "'";
}

// The reference case: silicon a = 5.431, flat spectrum 0.2..2.19 A, ranges 4, defaults otherwise.
std::string ReferenceArgs() {
    return "--crystal " + Data("silicon-5.431.struct") + " --spectrum " +
           Data("flat-0.2-2.19.spct") + " --range 4 4 4";
}

TEST(XelmorSim, ReferencePatternAsJson) {
    const Outcome o = Sim(ReferenceArgs() + " --json -");
    ASSERT_EQ(o.exitCode, 0) << o.err;
    EXPECT_EQ(o.err, "");
    const nlohmann::json j = nlohmann::json::parse(o.out);
    ASSERT_EQ(j["spots"].size(), 20u);
    EXPECT_NEAR(j["Imax"].get<double>(), 5952.43, kPrinted);
    EXPECT_NEAR(j["Isat"].get<double>(), 5952.43, kPrinted);
    EXPECT_NEAR(j["Itrunc"].get<double>(), 59.5243, kPrinted);
    EXPECT_NEAR(j["saturate"].get<double>(), 1, 1e-9);
    const auto& first = j["spots"][0];
    EXPECT_EQ(std::abs(first["h"].get<int>()) + std::abs(first["k"].get<int>()), 4);
    EXPECT_NEAR(first["lambda"].get<double>(), 0.9874545, 1e-6);
    ASSERT_EQ(first["harmonics"].size(), 1u);
    EXPECT_EQ(first["harmonics"][0]["n"], 1);
    EXPECT_NEAR(first["harmonics"][0]["F2"].get<double>(), 2129.19, kPrinted);
    EXPECT_EQ(j["spot000"], nlohmann::json::parse("[0, 0]"));
    EXPECT_NEAR(j["orient"][2][2].get<double>(), 1 / 5.431, 1e-15);
    // Reals keep 17 significant digits.
    EXPECT_NE(o.out.find("\"lambda\":0.98745454"), std::string::npos);
}

TEST(XelmorSim, PatternTextAndOptionValues) {
    const std::string pdat = ::testing::TempDir() + "/xelmor_sim_test.pdat";
    std::filesystem::remove(pdat);
    const Outcome o = Sim(ReferenceArgs() +
                          " --shift -5 2.5 --spot 2.5 2 --tilt 90 --json - --pdat '" + pdat + "'");
    ASSERT_EQ(o.exitCode, 0) << o.err;
    const std::string text = Slurp(pdat);
    EXPECT_NE(text.find("\r\n2.5, 2  ! Spot width and height (mm)\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n-5, 2.5  ! Film Shift X, Y (mm)\r\n"), std::string::npos);
    // A film tilted by 90 degrees runs parallel to the beam: spot 000 is off the film.
    EXPECT_TRUE(nlohmann::json::parse(o.out)["spot000"].is_null());
}

TEST(XelmorSim, FailuresPrintTheProgramsMessage) {
    struct Case {
        std::string args;
        std::string err;
    } const cases[] = {
        {"--crystal /nonexistent/x.struct", "Cannot open the file  x.struct! \n"},
        {ReferenceArgs() + " --surface 0 0 0",
         "At least one of the HKL indexes should be nonzero!\n"},
        {ReferenceArgs() + " --distance 0.0001", "Invalid imaging distance!\n"},
        {ReferenceArgs() + " --film 10 100", "--film: Enter a number between 20 and 5000.\n"},
        {"--crystal " + Data("silicon-5.431.struct") + " --spectrum /nonexistent/s.spct",
         "Spectrum /nonexistent/s.spct not found!\n"},
    };
    for (const Case& c : cases) {
        const Outcome o = Sim(c.args + " --json -");
        EXPECT_NE(o.exitCode, 0) << c.args;
        EXPECT_EQ(o.err, c.err) << c.args;
        EXPECT_EQ(o.out, "") << c.args;
    }
}

TEST(XelmorSim, DeliveredFilesMakeAPattern) {
    const Outcome o =
        Sim("--crystal '" + std::string(XELMOR_BIN_DIR) + "/Silicon.struct' --json -");
    ASSERT_EQ(o.exitCode, 0) << o.err;
    EXPECT_GT(nlohmann::json::parse(o.out)["spots"].size(), 10u);
}

std::string Temp(const std::string& name) {
    return ::testing::TempDir() + "/xelmor_sim_test_" + name;
}

void Write(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

TEST(XelmorSim, SavedPatternReadsBackAsTheSamePattern) {
    const std::string ptn = Temp("saved.ptn"), again = Temp("again.ptn");
    const std::string pdat1 = Temp("flags.pdat"), pdat2 = Temp("document.pdat");
    for (const std::string& f : {ptn, again, pdat1, pdat2})
        std::filesystem::remove(f);
    const Outcome made = Sim(ReferenceArgs() +
                             " --rotate 3 -2 1.25 --shift 12 -4.5 --tilt 4 --saturate 60 "
                             "--json - --pdat '" +
                             pdat1 + "' --save '" + ptn + "'");
    ASSERT_EQ(made.exitCode, 0) << made.err;
    EXPECT_EQ(Slurp(ptn).substr(0, 4), std::string("\xFF\xFE\xFF\x0C"));

    const Outcome read =
        Sim("'" + ptn + "' --json - --pdat '" + pdat2 + "' --save '" + again + "'");
    ASSERT_EQ(read.exitCode, 0) << read.err;
    EXPECT_EQ(read.err, "");
    nlohmann::json a = nlohmann::json::parse(made.out), b = nlohmann::json::parse(read.out);
    ASSERT_GT(a["spots"].size(), 20u);
    EXPECT_EQ(a["spots"], b["spots"]);
    EXPECT_NEAR(b["Isat"].get<double>(), a["Isat"].get<double>(),
                kLevelRounding * a["Isat"].get<double>());
    a.erase("Isat");
    b.erase("Isat");
    EXPECT_EQ(a, b);
    EXPECT_EQ(Slurp(pdat1), Slurp(pdat2));

    // The document saved by the pattern form reads back too.
    const Outcome third = Sim("'" + again + "' --json -");
    ASSERT_EQ(third.exitCode, 0) << third.err;
    EXPECT_EQ(nlohmann::json::parse(third.out)["spots"], b["spots"]);
}

TEST(XelmorSim, PatternFailuresPrintTheProgramsMessages) {
    const std::string ptn = Temp("reference.ptn");
    ASSERT_EQ(Sim(ReferenceArgs() + " --save '" + ptn + "'").exitCode, 0);
    const std::string truncated = Temp("truncated.ptn");
    Write(truncated, Slurp(ptn).substr(0, 300));
    const std::string previous = Temp("previous.ptn");
    Write(previous, "\x10Xelmorscope.File" + Slurp(ptn).substr(28));
    const std::string missing = Temp("missing.ptn");
    std::filesystem::remove(missing);
    const std::string empty = "Failed to open the file. An empty pattern is created.\n";
    struct Case {
        std::string args;
        std::string err;
    } const cases[] = {
        {"'" + missing + "'", "Failed to open " + missing + "!\n"},
        {"'" + truncated + "'", empty},
        {"'" + previous + "'", "No Version Two Files are allowed anymore!\n" + empty},
        {"'" + ptn + "' --crystal x.struct",
         "PATTERN.ptn excludes --crystal\nRun with --help for more information.\n"},
        {"", "PATTERN.ptn or --crystal is required\nRun with --help for more information.\n"},
        {"'" + ptn + "' --save /nonexistent/x.ptn", "Failed to open /nonexistent/x.ptn!\n"},
        {ReferenceArgs() + " --save /nonexistent/x.ptn", "Failed to open /nonexistent/x.ptn!\n"},
    };
    for (const Case& c : cases) {
        const Outcome o = Sim(c.args + " --json -");
        EXPECT_NE(o.exitCode, 0) << c.args;
        EXPECT_EQ(o.err, c.err) << c.args;
    }
}

// The look-up table in batch: silicon turned by 10 5 0, the Major spot on (-1 3 1) and the 2nd
// spot on (-3 1 1), written with 17 digits as a user would copy them from the JSON.
std::string LutArgs() {
    return ReferenceArgs() + " --rotate 10 5 0";
}

struct SpotXY {
    int h, k, l;
    double x, y;
};

std::vector<SpotXY> Spots(const nlohmann::json& j) {
    std::vector<SpotXY> out;
    for (const auto& s : j["spots"])
        out.push_back({s["h"], s["k"], s["l"], s["x"], s["y"]});
    return out;
}

std::string Mm(double v) {
    std::ostringstream s;
    s.precision(17);
    s << v / 10;
    return s.str();
}

TEST(XelmorSim, LookUpTablePairsAndPickedOrientation) {
    const Outcome plain = Sim(LutArgs() + " --json -");
    ASSERT_EQ(plain.exitCode, 0) << plain.err;
    const std::vector<SpotXY> before = Spots(nlohmann::json::parse(plain.out));
    const SpotXY* major = nullptr;
    const SpotXY* second = nullptr;
    for (const SpotXY& s : before) {
        if (s.h == -1 && s.k == 3 && s.l == 1)
            major = &s;
        if (s.h == -3 && s.k == 1 && s.l == 1)
            second = &s;
    }
    ASSERT_TRUE(major && second);
    const std::string lut =
        " --lut " + Mm(major->x) + "," + Mm(major->y) + " " + Mm(second->x) + "," + Mm(second->y);
    // A position that starts with a minus sign is a value.
    ASSERT_EQ(lut.substr(0, 8), " --lut -");
    const Outcome search = Sim(LutArgs() + lut + " --json -");
    ASSERT_EQ(search.exitCode, 0) << search.err;
    const nlohmann::json j = nlohmann::json::parse(search.out);
    const auto& pairs = j["lut"]["pairs"];
    int row = 0;
    for (std::size_t i = 0; i < pairs.size(); ++i)
        if (pairs[i] == nlohmann::json::parse("[-1, 3, 1, -3, 1, 1]"))
            row = static_cast<int>(i) + 1;
    ASSERT_GT(row, 0);
    const double cosAngle = (3.0 + 3 + 1) / 11.0; // (-1 3 1).(-3 1 1) / 11
    EXPECT_NEAR(j["lut"]["angle"].get<double>(), std::acos(cosAngle) * 180 / std::acos(-1.0), 1e-9);
    EXPECT_EQ(j["spots"].size(), before.size()); // the pattern itself is unchanged

    const Outcome picked = Sim(LutArgs() + lut + " --pick " + std::to_string(row) + " --json -");
    ASSERT_EQ(picked.exitCode, 0) << picked.err;
    const std::vector<SpotXY> after = Spots(nlohmann::json::parse(picked.out));
    ASSERT_EQ(after.size(), before.size());
    for (const SpotXY& a : before) {
        bool found = false;
        for (const SpotXY& b : after) {
            if (a.h == b.h && a.k == b.k && a.l == b.l) {
                found = true;
                EXPECT_NEAR(b.x, a.x, 0.1) << a.h << ' ' << a.k << ' ' << a.l;
                EXPECT_NEAR(b.y, a.y, 0.1) << a.h << ' ' << a.k << ' ' << a.l;
            }
        }
        EXPECT_TRUE(found) << a.h << ' ' << a.k << ' ' << a.l;
    }
}

TEST(XelmorSim, LookUpTableMessages) {
    // Too many pairs goes to stderr and the run goes on with the 20 000 rows.
    const Outcome many = Sim(LutArgs() + " --lut 10,5 -20,8 --limits 13 13 13 --json -");
    EXPECT_EQ(many.exitCode, 0);
    EXPECT_EQ(many.err, "Too many pairs! Try to reduce Hmax, Kmax, Lmax and Angular tolerance.\n");
    EXPECT_EQ(nlohmann::json::parse(many.out)["lut"]["pairs"].size(), 20000u);

    struct Case {
        std::string args;
        std::string err;
    } const cases[] = {
        {" --lut 0,0 10,10",
         "The point (0,0) you selected corresponds to the exact forward direction, not allowed! "
         "Please select another point.\n"},
        {" --lut 10,5 -20,8 --limits 0 0 -4", "Hmax, Kmax, Lmax must not be all zero!\n"},
        {" --lut 10,5 -20,8 --tolerance 0.0001 --limits 1 1 1 --pick 1",
         "--pick: the look-up table lists 0 pairs.\n"},
        {" --tolerance 0.3", "--tolerance requires --lut\nRun with --help for more information.\n"},
    };
    for (const Case& c : cases) {
        const Outcome o = Sim(LutArgs() + c.args + " --json -");
        EXPECT_NE(o.exitCode, 0) << c.args;
        EXPECT_EQ(o.err, c.err) << c.args;
        EXPECT_EQ(o.out, "") << c.args;
    }
    // In back reflection the centre of the film is a direction like any other.
    const Outcome back = Sim(LutArgs() + " --back --lut 0,0 10,10 --json -");
    EXPECT_EQ(back.exitCode, 0) << back.err;
}

std::uint32_t LittleEndian(const std::string& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = v << 8 | static_cast<std::uint8_t>(b[at + static_cast<std::size_t>(i)]);
    return v;
}

TEST(XelmorSim, ImageOfThePattern) {
    const std::string dir = ::testing::TempDir();
    const std::string png = dir + "/xelmor_sim_pattern.png";
    const std::string bmp = dir + "/xelmor_sim_pattern.bmp";
    std::filesystem::remove(png);
    std::filesystem::remove(bmp);

    // Default width: 10 pixels per mm of film.
    const Outcome drawn = Sim(ReferenceArgs() + " --image '" + png + "'");
    ASSERT_EQ(drawn.exitCode, 0) << drawn.err;
    const std::string p = Slurp(png);
    ASSERT_GT(p.size(), 24u);
    EXPECT_EQ(p.substr(1, 3), "PNG");
    const auto bigEndian = [&p](std::size_t at) {
        return static_cast<std::uint32_t>(static_cast<std::uint8_t>(p[at])) << 24 |
               static_cast<std::uint8_t>(p[at + 1]) << 16 |
               static_cast<std::uint8_t>(p[at + 2]) << 8 | static_cast<std::uint8_t>(p[at + 3]);
    };
    EXPECT_EQ(bigEndian(16), 2000u);
    EXPECT_EQ(bigEndian(20), 1500u);

    // A 24-bit bitmap 400 pixels wide: the strongest spot is full red at its film position.
    const Outcome o = Sim(ReferenceArgs() + " --image '" + bmp + "' --width 400 --json -");
    ASSERT_EQ(o.exitCode, 0) << o.err;
    const nlohmann::json j = nlohmann::json::parse(o.out);
    const std::string b = Slurp(bmp);
    ASSERT_GT(b.size(), 54u);
    EXPECT_EQ(b.substr(0, 2), "BM");
    const std::uint32_t width = LittleEndian(b, 18, 4), height = LittleEndian(b, 22, 4);
    EXPECT_EQ(width, 400u);
    EXPECT_EQ(height, 300u);
    EXPECT_EQ(LittleEndian(b, 28, 2), 24u);
    const double q = 400.0 / 2000.0; // pixels per 0.1 mm
    const int x = 200 + static_cast<int>(q * j["spots"][0]["x"].get<double>());
    const int y = 150 - static_cast<int>(q * j["spots"][0]["y"].get<double>());
    const std::size_t stride = (width * 3 + 3) / 4 * 4;
    const std::size_t at = LittleEndian(b, 10, 4) + (height - 1 - static_cast<std::size_t>(y)) *
                                                        stride +
                           static_cast<std::size_t>(x) * 3;
    ASSERT_LT(at + 2, b.size());
    EXPECT_EQ(static_cast<std::uint8_t>(b[at]), 0);       // blue
    EXPECT_EQ(static_cast<std::uint8_t>(b[at + 1]), 0);   // green
    EXPECT_EQ(static_cast<std::uint8_t>(b[at + 2]), 255); // red

    const Outcome narrow = Sim(ReferenceArgs() + " --image '" + bmp + "' --width 1");
    EXPECT_NE(narrow.exitCode, 0);
    EXPECT_EQ(narrow.err, "--width: Enter a number between2 and 10000.\n");
    const Outcome alone = Sim(ReferenceArgs() + " --width 100");
    EXPECT_NE(alone.exitCode, 0);
    EXPECT_EQ(alone.err, "--width requires --image\nRun with --help for more information.\n");
}

} // namespace
