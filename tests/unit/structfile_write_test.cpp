// Tests of the two structure file writers: exact output and round trips through the readers.
#include "structfile/elements.h"
#include "structfile/struct_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace xelmor {
namespace {

// GaAs with As listed before Ga, an angle that is not 90, and numbers that show the formatter's
// forms (trailing zeros dropped, %g below 1e-4, rounding at 8 decimals).
StructureData GaAsFixture() {
    StructureData d;
    d.name = "GaAs  zinc blende";
    d.a = d.b = d.c = 5.6533;
    d.alpha = 90.0;
    d.beta = 90.0;
    d.gamma = 120.0;
    d.atoms = {{33, 0.25, 0.25, 0.25, 1.0},
               {31, 0.0, 0.0, 0.0, 0.5},
               {31, 0.5, 0.00001, 0.123456789, 1.0}};
    d.temperatures = {240.0, 280.5};
    return d;
}

constexpr const char* kGaAsXelmor =
    "! Crystal Structure File\r\n"
    "\r\n"
    "GaAs  zinc blende\t\t\t! Crystal Name\r\n"
    "5.6533\t5.6533\t5.6533\t! Lattice constants a, b, c (Angstrom)\r\n"
    "90\t90\t120\t! alpha, beta, gamma (degrees)\r\n"
    "\r\n"
    "3\t! Totoal number of atoms in Unit cell\r\n"
    "\r\n"
    "! Atoms\tX\tY\tZ\tOccupancy\r\n"
    "As\t0.25\t0.25\t0.25\t1\r\n"
    "Ga\t0\t0\t0\t0.5\r\n"
    "Ga\t0.5\t1e-05\t0.12345679\t1\r\n";

constexpr const char* kGaAsTessalune = "! Crystal Structure File\r\n"
                                       "! Version 3.1\r\n"
                                       "\r\n"
                                       "GaAs  zinc blende\t\t\t! Crystal Name\r\n"
                                       "5.6533\t5.6533\t5.6533\t! Lattice constants a, b, c (A)\r\n"
                                       "90\t90\t120\t! alpha, beta, gamma (degrees)\r\n"
                                       "\r\n"
                                       "3\t! Total number of atoms in unit cell\r\n"
                                       "\r\n"
                                       "! Atom\tX\tY\tZ\tOccupancy\r\n"
                                       "As\t0.25\t0.25\t0.25\t1\r\n"
                                       "Ga\t0\t0\t0\t0.5\r\n"
                                       "Ga\t0.5\t1e-05\t0.12345679\t1\r\n"
                                       "\r\n"
                                       "240\t! Ga, Debye-Waller temperature(K)\r\n"
                                       "280.5\t! As, Debye-Waller temperature(K)\r\n"
                                       "\r\n"
                                       "! You can add any references below.\r\n";

// A structure whose numbers survive the writers' 8 decimals exactly.
StructureData RoundTripFixture() {
    StructureData d;
    d.name = "Perovskite test cell";
    d.a = 3.905;
    d.b = 3.91;
    d.c = 12.5;
    d.alpha = 90.0;
    d.beta = 89.75;
    d.gamma = 120.0;
    d.atoms = {{38, 0.5, 0.5, 0.5, 1.0},
               {22, 0.0, 0.0, 0.0, 0.75},
               {8, 0.5, 0.0, -0.125, 1.0},
               {8, 0.00001, 0.5, 1.25, 0.5}};
    d.temperatures = {350.0, 400.25, 500.0}; // O, Ti, Sr
    return d;
}

std::vector<std::string> TemperatureLines(const std::string& file) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < file.size()) {
        const std::size_t end = file.find("\r\n", start);
        const std::string line = file.substr(start, end - start);
        if (line.find("Debye-Waller") != std::string::npos)
            lines.push_back(line);
        start = end + 2;
    }
    return lines;
}

TEST(StructfileWrite, BothWritersProduceTheirExactBytes) {
    EXPECT_EQ(FormatStructureXelmor(GaAsFixture()), kGaAsXelmor);
    EXPECT_EQ(FormatStructureTessalune(GaAsFixture()), kGaAsTessalune);
}

TEST(StructfileWrite, RoundTripsThroughTheReaders) {
    const StructureData d = RoundTripFixture();
    StructureData withoutTemperatures = d;
    withoutTemperatures.temperatures.clear();

    const std::string xelmorFile = FormatStructureXelmor(d);
    const std::string tessaluneFile = FormatStructureTessalune(d);
    EXPECT_EQ(ParseStructure(xelmorFile, StructDialect::Xelmor), withoutTemperatures);
    EXPECT_EQ(ParseStructure(tessaluneFile, StructDialect::Tessalune), d);
    EXPECT_EQ(ParseStructure(tessaluneFile, StructDialect::Xelmor), withoutTemperatures);
    // Xelmor writes no temperature lines, which Tessalune requires.
    EXPECT_FALSE(ParseStructure(xelmorFile, StructDialect::Tessalune).has_value());
}

TEST(StructfileWrite, SymbolsComeFromTheTableWhateverTheInputHad) {
    const auto d = ParseStructure("x\n1 1 1\n90 90 90\n3\nsi 0 0 0\nGA 0 0 0 1\naS 0 0 0 1\n",
                                  StructDialect::Xelmor);
    ASSERT_TRUE(d.has_value());
    const std::string file = FormatStructureXelmor(*d);
    EXPECT_NE(file.find("\r\nSi\t0\t0\t0\t1\r\nGa\t0\t0\t0\t1\r\nAs\t0\t0\t0\t1\r\n"),
              std::string::npos)
        << file;
}

TEST(StructfileWrite, TessaluneWritesTemperaturesOnlyForTheKindsItHolds) {
    StructureData d = RoundTripFixture();
    const int Zs[] = {92, 1, 6, 8, 26, 14, 11, 17}; // eight kinds, listed out of order
    d.atoms.clear();
    for (int Z : Zs)
        d.atoms.push_back({Z, 0.0, 0.0, 0.0, 1.0});
    d.temperatures = {10, 20, 30, 40, 50, 60};
    const std::vector<std::string> expected = {
        "10\t! H, Debye-Waller temperature(K)",  "20\t! C, Debye-Waller temperature(K)",
        "30\t! O, Debye-Waller temperature(K)",  "40\t! Na, Debye-Waller temperature(K)",
        "50\t! Si, Debye-Waller temperature(K)", "60\t! Cl, Debye-Waller temperature(K)"};
    const std::string file = FormatStructureTessalune(d);
    EXPECT_EQ(TemperatureLines(file), expected);
    const auto back = ParseStructure(file, StructDialect::Xelmor);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->atoms, d.atoms);

    // Kinds without a given temperature get 0, so the file still reads back in Tessalune.
    d.atoms.resize(3);
    d.temperatures = {77.0};
    const std::string shortFile = FormatStructureTessalune(d);
    EXPECT_EQ(TemperatureLines(shortFile),
              (std::vector<std::string>{"77\t! H, Debye-Waller temperature(K)",
                                        "0\t! C, Debye-Waller temperature(K)",
                                        "0\t! U, Debye-Waller temperature(K)"}));
    const auto reread = ParseStructure(shortFile, StructDialect::Tessalune);
    ASSERT_TRUE(reread.has_value());
    EXPECT_EQ(reread->temperatures, (std::vector<double>{77.0, 0.0, 0.0}));
}

TEST(StructfileWrite, NeitherAnUnknownElementNorALineBreakInTheNameCorruptsTheFile) {
    StructureData d = RoundTripFixture();
    d.name = "two\r\nlines\nname";
    d.atoms.insert(d.atoms.begin() + 1, AtomSite{0, 0.1, 0.1, 0.1, 1.0});
    d.atoms.push_back(AtomSite{kElementCount + 1, 0.2, 0.2, 0.2, 1.0});
    const std::string xelmor = FormatStructureXelmor(d);
    const std::string tessalune = FormatStructureTessalune(d);
    EXPECT_NE(xelmor.find("two  lines name\t\t\t! Crystal Name\r\n"), std::string::npos);
    EXPECT_NE(xelmor.find("\r\n4\t! Totoal number"), std::string::npos);
    EXPECT_NE(tessalune.find("\r\n4\t! Total number"), std::string::npos);

    StructureData expected = RoundTripFixture();
    expected.name = "two  lines name";
    EXPECT_EQ(ParseStructure(tessalune, StructDialect::Tessalune), expected);
}

} // namespace
} // namespace xelmor
