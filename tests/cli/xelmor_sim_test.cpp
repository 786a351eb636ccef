// The batch simulator end to end: arguments in, JSON and pattern text out, errors on stderr.
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

} // namespace
