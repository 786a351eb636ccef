// Tests of the structure file grammar and the tolerances of the two readers.
#include "structfile/elements.h"
#include "structfile/struct_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

namespace xelmor {
namespace {

constexpr StructDialect kBothDialects[] = {StructDialect::Xelmor, StructDialect::Tessalune};

const char* DialectName(StructDialect d) {
    return d == StructDialect::Xelmor ? "Xelmor" : "Tessalune";
}

// A cell header with a valid name, lattice, angles; the count and the rest follow.
std::string Header(const std::string& count) {
    return "Test\n5.4309 5.4309 5.4309\n90 90 90\n" + count + "\n";
}

TEST(StructfileParse, ReadsNameCellAndAtomsSkippingCommentsAndBlankLines) {
    const std::string text = "! Crystal Structure File\n"
                             "\n"
                             "   # another comment\n"
                             "GaAs, zinc blende ! comment\n"
                             "\t\n"
                             "5.6533,5.6533,5.6533 extra\t! a b c\n"
                             "90 90.5 120 ! angles\n"
                             "! between\n"
                             "2 atoms\n"
                             "! Atom X Y Z Occupancy\n"
                             "As\t0.25\t0.25\t0.25\t1\n"
                             "\n"
                             "ga,0,0.5,0.5,0.75 ! occupancy kept\n";
    for (StructDialect dialect : kBothDialects) {
        const std::string withTemperatures =
            dialect == StructDialect::Tessalune ? text + "240\n280\n" : text;
        const auto d = ParseStructure(withTemperatures, dialect);
        ASSERT_TRUE(d.has_value()) << DialectName(dialect);
        EXPECT_EQ(d->name, "GaAs  zinc blende");
        EXPECT_EQ(d->a, 5.6533);
        EXPECT_EQ(d->b, 5.6533);
        EXPECT_EQ(d->c, 5.6533);
        EXPECT_EQ(d->alpha, 90.0);
        EXPECT_EQ(d->beta, 90.5);
        EXPECT_EQ(d->gamma, 120.0);
        const std::vector<AtomSite> atoms = {{33, 0.25, 0.25, 0.25, 1.0},
                                             {31, 0.0, 0.5, 0.5, 0.75}};
        EXPECT_EQ(d->atoms, atoms);
    }
}

TEST(StructfileParse, CellAndCountToleranceDiffersBetweenDialects) {
    struct Case {
        std::string lengths, angles, count;
        bool xelmor, tessalune;
    };
    const Case cases[] = {
        {"5.4309 5.4309 5.4309", "90 90 90", "1", true, true},
        {"5.4309 5.4309", "90 90 90", "1", false, false}, // c is 0
        {"5.4309,5.4309,5.4309 extra", "90 90 90", "1", true, true},
        {"0.001 0.001 5000", "90 90 90", "1", true, true},
        {"0.0005 1 1", "90 90 90", "1", true, false},
        {"1 1 5000.5", "90 90 90", "1", true, false},
        {"1 1 -1", "90 90 90", "1", false, false},
        {"1 1 0", "90 90 90", "1", false, false},
        {"1 1 1e999", "90 90 90", "1", false, false}, // infinity is no length
        {"nan 1 1", "90 90 90", "1", false, false},   // reads 0
        {"1 inf 1", "90 90 90", "1", false, false},   // reads 0
        {"1 1 1", "0.001 90 179.999", "1", true, true},
        {"1 1 1", "90 90 179.9995", "1", true, false},
        {"1 1 1", "0.0005 90 90", "1", true, false},
        {"1 1 1", "90 90 180", "1", false, false},
        {"1 1 1", "0 90 90", "1", false, false},
        {"1 1 1", "90 -90 90", "1", false, false},
        {"1 1 1", "90 90 1e999", "1", false, false},
        {"1 1 1", "90 90", "1", false, false},
        {"1 1 1", "90 90 90", "0", false, false},
        {"1 1 1", "90 90 90", "-3", false, false},
        {"1 1 1", "90 90 90", "x", false, false},
        {"1 1 1", "90 90 90", "9999", true, true},
        {"1 1 1", "90 90 90", "10000", true, false},
        {"1 1 1", "90 90 90", "2000000000", true, false},
        {"1 1 1", "90 90 90", "99999999999999999999", true, false},
    };
    for (const Case& c : cases) {
        // As many atoms as the count asks for (up to one past Tessalune's limit), so that the
        // temperature line follows the N-th atom.
        const long long wanted = std::clamp(std::atoll(c.count.c_str()), 1LL, 10000LL);
        std::string atoms;
        for (long long i = 0; i < wanted; ++i)
            atoms += "Si 0 0 0 1\n";
        const std::string text =
            "Test\n" + c.lengths + "\n" + c.angles + "\n" + c.count + "\n" + atoms + "300 ! Si\n";
        EXPECT_EQ(ParseStructure(text, StructDialect::Xelmor).has_value(), c.xelmor)
            << "Xelmor: " << c.lengths << " / " << c.angles << " / " << c.count;
        EXPECT_EQ(ParseStructure(text, StructDialect::Tessalune).has_value(), c.tessalune)
            << "Tessalune: " << c.lengths << " / " << c.angles << " / " << c.count;
    }
}

TEST(StructfileParse, AtomLinesAndOccupancyTolerance) {
    struct Case {
        std::string line;
        bool isAtom;
        AtomSite xelmor, tessalune;
    };
    const Case cases[] = {
        {"si 0 0 0", true, {14, 0, 0, 0, 1.0}, {14, 0, 0, 0, 1.0}},
        {"Si 0 0 0 1.5", true, {14, 0, 0, 0, 1.0}, {14, 0, 0, 0, 1.0}},
        {"Si 0.1 0.2 0.3 0", true, {14, 0.1, 0.2, 0.3, 1.0}, {14, 0.1, 0.2, 0.3, 1.0}},
        {"Si 0 0 0 -0.5", true, {14, 0, 0, 0, 1.0}, {14, 0, 0, 0, 1.0}},
        {"Si 0 0 0 1", true, {14, 0, 0, 0, 1.0}, {14, 0, 0, 0, 1.0}},
        {"Si 0 0 0 1e-20", true, {14, 0, 0, 0, 1e-20}, {14, 0, 0, 0, 1e-20}},
        {"Si 0 0 0 1e-31", true, {14, 0, 0, 0, 1e-31}, {14, 0, 0, 0, 1.0}},
        {"Si 0 0 0 1e999", true, {14, 0, 0, 0, 1.0}, {14, 0, 0, 0, 1.0}},
        {"Si 0 0 0 0.5 and a remark", true, {14, 0, 0, 0, 0.5}, {14, 0, 0, 0, 0.5}},
        {"Si 0.25 0.25", true, {14, 0.25, 0.25, 0, 1.0}, {14, 0.25, 0.25, 0, 1.0}},
        {"O,-1.5,2.5,7x,0.25", true, {8, -1.5, 2.5, 7, 0.25}, {8, -1.5, 2.5, 7, 0.25}},
        {"Fe nan inf 0", true, {26, 0, 0, 0, 1.0}, {26, 0, 0, 0, 1.0}},
        {"u", true, {92, 0, 0, 0, 1.0}, {92, 0, 0, 0, 1.0}},
        {"Xx 0 0 0 1", false, {}, {}},
        {"300 ! Si", false, {}, {}},
        {"Sil 0 0 0 1", false, {}, {}},
        {"0.5 Si 0 0 0", false, {}, {}},
    };
    for (const Case& c : cases) {
        // A valid atom follows, so a skipped line still leaves one atom to read.
        const std::string text = Header("1") + c.line + "\nC 0.5 0.5 0.5 1\n300\n";
        const auto x = ParseStructure(text, StructDialect::Xelmor);
        const auto t = ParseStructure(text, StructDialect::Tessalune);
        ASSERT_TRUE(x.has_value() && t.has_value()) << c.line;
        ASSERT_EQ(x->atoms.size(), 1u);
        ASSERT_EQ(t->atoms.size(), 1u);
        if (c.isAtom) {
            EXPECT_EQ(x->atoms[0], c.xelmor) << "Xelmor: " << c.line;
            EXPECT_EQ(t->atoms[0], c.tessalune) << "Tessalune: " << c.line;
        } else {
            const AtomSite carbon{6, 0.5, 0.5, 0.5, 1.0};
            EXPECT_EQ(x->atoms[0], carbon) << c.line;
            EXPECT_EQ(t->atoms[0], carbon) << c.line;
        }
    }
}

TEST(StructfileParse, CountLimitsTheAtomsReadAndMissingAtomsShortenTheList) {
    std::string tenAtoms;
    for (int i = 0; i < 10; ++i)
        tenAtoms += "Si " + std::to_string(i) + " 0 0 1\n";

    auto eight = ParseStructure(Header("8") + tenAtoms, StructDialect::Xelmor);
    ASSERT_TRUE(eight.has_value());
    ASSERT_EQ(eight->atoms.size(), 8u);
    EXPECT_EQ(eight->atoms.back().x, 7.0);

    auto two =
        ParseStructure(Header("8") + "Si 0 0 0 1\nXx 1 1 1 1\nC 1 0 0 1\n", StructDialect::Xelmor);
    ASSERT_TRUE(two.has_value());
    EXPECT_EQ(two->atoms.size(), 2u);

    // A huge count is an upper bound only, never an amount to allocate.
    auto huge = ParseStructure(Header("2000000000") + "Si 0 0 0 1\n", StructDialect::Xelmor);
    ASSERT_TRUE(huge.has_value());
    EXPECT_EQ(huge->atoms.size(), 1u);

    for (StructDialect dialect : kBothDialects) {
        EXPECT_FALSE(ParseStructure(Header("2") + "Xx 0 0 0 1\n! no atom\n300\n", dialect))
            << DialectName(dialect);
        EXPECT_FALSE(ParseStructure(Header("2"), dialect)) << DialectName(dialect);
    }
    // In Tessalune the temperature lines come after the N-th atom; fewer atoms than N leave
    // none to read.
    EXPECT_FALSE(ParseStructure(Header("8") + "Si 0 0 0 1\n300\n", StructDialect::Tessalune));
}

TEST(StructfileParse, NonFiniteCoordinateFailsTheRead) {
    for (StructDialect dialect : kBothDialects) {
        for (const char* line : {"Si 1e999 0 0 1", "Si 0 -1e999 0 1", "Si 0 0 1e400 1"}) {
            EXPECT_FALSE(ParseStructure(Header("1") + line + "\n300\n", dialect))
                << DialectName(dialect) << ": " << line;
        }
    }
}

TEST(StructfileParse, TessaluneReadsOneTemperaturePerKindInAscendingZ) {
    // As (Z = 33) is listed before Ga (Z = 31); the first temperature still belongs to Ga.
    const std::string atoms = Header("3") + "As 0.25 0.25 0.25 1\nGa 0 0 0 1\nAs 0.75 0 0 1\n";
    const auto d = ParseStructure(atoms + "\n240\t! Ga, Debye-Waller temperature(K)\n"
                                          "! a comment line\n"
                                          "300\t! As, Debye-Waller temperature(K)\n"
                                          "\n! You can add any references below.\nAs 1 1 1 1\n",
                                  StructDialect::Tessalune);
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(d->temperatures, (std::vector<double>{240.0, 300.0}));
    EXPECT_EQ(d->atoms.size(), 3u);
    EXPECT_EQ(AtomKinds(d->atoms), (std::vector<int>{31, 33}));

    EXPECT_FALSE(ParseStructure(atoms + "240\n", StructDialect::Tessalune));
    EXPECT_FALSE(ParseStructure(atoms, StructDialect::Tessalune));

    const auto xelmor = ParseStructure(atoms, StructDialect::Xelmor);
    ASSERT_TRUE(xelmor.has_value());
    EXPECT_TRUE(xelmor->temperatures.empty());
}

TEST(StructfileParse, TessaluneKeepsTemperaturesOfTheFirstSixKindsButConsumesAll) {
    const char* symbols[] = {"U", "H", "C", "O", "Fe", "Si", "Na", "Cl"}; // eight kinds
    std::string atoms = Header("8");
    for (const char* s : symbols)
        atoms += std::string(s) + " 0 0 0 1\n";
    std::string sevenLines;
    for (int i = 1; i <= 7; ++i)
        sevenLines += std::to_string(100 * i) + "\n";

    const auto d = ParseStructure(atoms + sevenLines + "800\n", StructDialect::Tessalune);
    ASSERT_TRUE(d.has_value());
    ASSERT_EQ(d->temperatures.size(), static_cast<std::size_t>(kMaxTemperatureKinds));
    EXPECT_EQ(d->temperatures, (std::vector<double>{100, 200, 300, 400, 500, 600}));
    EXPECT_FALSE(ParseStructure(atoms + sevenLines, StructDialect::Tessalune));
}

TEST(StructfileParse, LineEndsByteOrderMarkAndMissingFinalLineEnd) {
    const std::string lf = "Si\n5.4309 5.4309 5.4309\n90 90 90\n1\nSi 0 0 0 1\n645";
    std::string crlf;
    for (char ch : lf)
        crlf += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
    const std::string texts[] = {lf, lf + "\n", crlf, crlf + "\r\n", "\xEF\xBB\xBF" + crlf};
    for (const std::string& text : texts) {
        const auto d = ParseStructure(text, StructDialect::Tessalune);
        ASSERT_TRUE(d.has_value()) << text;
        EXPECT_EQ(d->name, "Si");
        EXPECT_EQ(d->temperatures, std::vector<double>{645.0});
    }
}

TEST(StructfileParse, EveryTruncationOfAFileFailsUntilTheNeededLinesHaveBegun) {
    const std::string text = "! Crystal Structure File\r\nSilicon\r\n5.4309 5.4309 5.4309\r\n"
                             "90 90 90\r\n2\r\nSi 0 0 0 1\r\nSi 0.25 0.25 0.25 1\r\n645\r\n";
    // Xelmor needs the first atom line to have begun (its first letter alone reads as S, an
    // atom of sulfur), Tessalune the first digit of the temperature.
    const std::size_t firstAtom = text.find("\r\nSi 0") + 2 + 1;
    const std::size_t temperature = text.find("645") + 1;
    for (std::size_t n = 0; n <= text.size(); ++n) {
        const std::string_view prefix(text.data(), n);
        EXPECT_EQ(ParseStructure(prefix, StructDialect::Xelmor).has_value(), n >= firstAtom)
            << "Xelmor, " << n << " bytes";
        EXPECT_EQ(ParseStructure(prefix, StructDialect::Tessalune).has_value(), n >= temperature)
            << "Tessalune, " << n << " bytes";
    }
}

TEST(StructfileParse, BadInputNeitherCrashesNorAllocatesByTheCount) {
    // Binary garbage from a fixed generator, with and without a valid header in front.
    std::uint32_t state = 12345;
    std::string garbage;
    for (int i = 0; i < 200000; ++i) {
        state = state * 1664525u + 1013904223u;
        garbage += static_cast<char>(state >> 24);
    }
    for (StructDialect dialect : kBothDialects) {
        (void)ParseStructure(garbage, dialect);
        (void)ParseStructure(Header("2000000000") + garbage, dialect);
    }

    // Embedded NULs are ordinary bytes: they end neither a line nor the text.
    const std::string withNuls = std::string("Si\0con\n", 7) + "5.4309 5.4309 5.4309\n90 90 90\n" +
                                 std::string("2\0\n", 3) + std::string("Si 0 0 0 1\0junk\n", 16) +
                                 std::string("Si\0 1 1 1 1\n", 12) + "C 0.5 0 0 1\n";
    const auto nul = ParseStructure(withNuls, StructDialect::Xelmor);
    ASSERT_TRUE(nul.has_value());
    EXPECT_EQ(nul->name, std::string("Si\0con", 6));
    const std::vector<AtomSite> nulAtoms = {{14, 0, 0, 0, 1.0}, {6, 0.5, 0, 0, 1.0}};
    EXPECT_EQ(nul->atoms, nulAtoms);

    // Megabyte-long lines: a long name, and an atom line whose blanks run for a megabyte.
    const std::string longName(1 << 20, 'N');
    const std::string longAtom = "Si" + std::string(1 << 20, ' ') + "0.5 0.25 0 1";
    const auto big = ParseStructure(longName + "\n1 1 1\n90 90 90\n2000000000\n" + longAtom + "\n" +
                                        std::string(1 << 20, 'x'),
                                    StructDialect::Xelmor);
    ASSERT_TRUE(big.has_value());
    EXPECT_EQ(big->name, longName);
    const std::vector<AtomSite> bigAtoms = {{14, 0.5, 0.25, 0, 1.0}};
    EXPECT_EQ(big->atoms, bigAtoms);

    // Many lines of non-atoms after a huge count end with the one atom found.
    std::string junk = Header("2000000000") + "Si 0 0 0 1\n";
    for (int i = 0; i < 100000; ++i)
        junk += "Xx 1 2 3\n";
    const auto many = ParseStructure(junk, StructDialect::Xelmor);
    ASSERT_TRUE(many.has_value());
    EXPECT_EQ(many->atoms.size(), 1u);
}

} // namespace
} // namespace xelmor
