// The geometry checks and the horizontal-direction proposal.
#include "xelmor/core/geometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace xelmor {
namespace {

GeometryValues Valid() {
    GeometryValues v;
    v.Hmax = v.Kmax = v.Lmax = 4;
    return v;
}

struct RefusalCase {
    const char* what;
    void (*change)(GeometryValues&);
    const char* text; // nullptr: accepted
    GeometryField focus;
};

const RefusalCase kRefusals[] = {
    {"D 0.0005 mm", [](GeometryValues& v) { v.D = 0.0005; }, "Invalid imaging distance!",
     GeometryField::D},
    {"D 0.001 mm", [](GeometryValues& v) { v.D = 0.001; }, nullptr, GeometryField::None},
    {"H 1000", [](GeometryValues& v) { v.H = 1000; }, "Index must be between -999 and 999",
     GeometryField::H},
    {"l -1000", [](GeometryValues& v) { v.l = -1000; }, "Index must be between -999 and 999",
     GeometryField::l},
    {"H -999", [](GeometryValues& v) { v.H = -999, v.L = 0, v.h = 0, v.k = 1; }, nullptr,
     GeometryField::None},
    {"HKL zero", [](GeometryValues& v) { v.L = 0; },
     "At least one of the HKL indexes should be nonzero!", GeometryField::H},
    {"hkl zero", [](GeometryValues& v) { v.h = 0; },
     "At least one of the hkl indexes should be nonzero!", GeometryField::h},
    {"limits zero", [](GeometryValues& v) { v.Hmax = v.Kmax = v.Lmax = 0; },
     "At least one of the max indexes should be nonzero!", GeometryField::Hmax},
    {"only Lmax", [](GeometryValues& v) { v.Hmax = v.Kmax = 0, v.Lmax = 1; }, nullptr,
     GeometryField::None},
    {"NaN D", [](GeometryValues& v) { v.D = std::nan(""); }, "Invalid imaging distance!",
     GeometryField::D},
};

TEST(Geometry, ChecksRunInOrderWithTheirMessages) {
    const ReciprocalBasis cubic = ReciprocalBasisFromCell(5.431, 5.431, 5.431, 90, 90, 90);
    for (const RefusalCase& c : kRefusals) {
        GeometryValues v = Valid();
        c.change(v);
        const GeometryCheck check = CheckGeometry(cubic, v);
        if (c.text == nullptr) {
            EXPECT_EQ(check.kind, GeometryCheck::Accepted) << c.what;
            continue;
        }
        EXPECT_EQ(check.kind, GeometryCheck::Refused) << c.what;
        EXPECT_EQ(check.message.text, c.text) << c.what;
        EXPECT_EQ(check.focus, c.focus) << c.what;
    }
}

TEST(Geometry, ProposesAPerpendicularHorizontalDirection) {
    const ReciprocalBasis cubic = ReciprocalBasisFromCell(5.4309, 5.4309, 5.4309, 90, 90, 90);
    GeometryValues v = Valid();
    v.h = 1, v.k = 1, v.l = 1; // against (0 0 1): l becomes 0
    GeometryCheck c = CheckGeometry(cubic, v);
    ASSERT_EQ(c.kind, GeometryCheck::Correction);
    EXPECT_EQ(c.hc, 1);
    EXPECT_EQ(c.kc, 1);
    EXPECT_EQ(c.lc, 0);
    EXPECT_EQ(c.message.text,
              "The horizontal orientation is not perpendicular to the Surface\nPlane (HKL). "
              "Xelmor provides you a correct one:\n\n    h = 1     k = 1     l = 0\n\nDo you "
              "accept it?");
    EXPECT_EQ(c.message.icon, MsgIcon::Question);
    EXPECT_EQ(c.message.buttons, MsgButtons::YesNo);

    v.H = v.K = v.L = 1;
    v.h = 1, v.k = 0, v.l = 0;
    c = CheckGeometry(cubic, v);
    ASSERT_EQ(c.kind, GeometryCheck::Correction);
    EXPECT_NEAR(c.hc, 1, 1e-12);
    EXPECT_EQ(c.kc, -1);
    EXPECT_EQ(c.lc, 0);
}

TEST(Geometry, DefaultIndexLimitRoundsThreeTimesTheCell) {
    EXPECT_EQ(DefaultIndexLimit(5.4309), 16);
    EXPECT_EQ(DefaultIndexLimit(5.5), 17);
    EXPECT_EQ(DefaultIndexLimit(25), 75);
}

} // namespace
} // namespace xelmor
