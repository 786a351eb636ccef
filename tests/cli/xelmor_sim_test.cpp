// The batch simulator end to end: arguments or a pattern document in, JSON, pattern text and
// pattern documents out, errors on stderr.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

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

} // namespace
