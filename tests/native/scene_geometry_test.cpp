#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "scene/scene_geometry.h"
#include "scene/star_field.h"

namespace {

void ExpectPoint(const LitVertex& v, float x, float y, float z, float tolerance = 1e-5f) {
    EXPECT_NEAR(v.x, x, tolerance);
    EXPECT_NEAR(v.y, y, tolerance);
    EXPECT_NEAR(v.z, z, tolerance);
    EXPECT_EQ(v.nx, v.x) << "the normal repeats the position";
    EXPECT_EQ(v.ny, v.y);
    EXPECT_EQ(v.nz, v.z);
}

void ExpectPoint(const LineVertex& v, float x, float y, float z) {
    EXPECT_NEAR(v.x, x, 1e-4f);
    EXPECT_NEAR(v.y, y, 1e-4f);
    EXPECT_NEAR(v.z, z, 1e-4f);
    EXPECT_EQ(v.diffuse, 0xFF555500u);
    EXPECT_EQ(v.tu, 0.0f);
    EXPECT_EQ(v.tv, 1.0f);
}

TEST(SkyBox, SixStripsOfFourOnACubeOfEdge2000) {
    const auto box = GenerateSkyBox();
    ASSERT_EQ(box.size(), 24u);
    // Every face corner by corner, with the texture corner each position takes.
    const SkyVertex faces[6][4] = {
        {{1000, -1000, 1000, 0, 1},
         {1000, 1000, 1000, 0, 0},
         {1000, -1000, -1000, 1, 1},
         {1000, 1000, -1000, 1, 0}},
        {{-1000, -1000, -1000, 0, 1},
         {-1000, 1000, -1000, 0, 0},
         {-1000, -1000, 1000, 1, 1},
         {-1000, 1000, 1000, 1, 0}},
        {{-1000, 1000, 1000, 0, 1},
         {-1000, 1000, -1000, 0, 0},
         {1000, 1000, 1000, 1, 1},
         {1000, 1000, -1000, 1, 0}},
        {{-1000, -1000, -1000, 0, 1},
         {-1000, -1000, 1000, 0, 0},
         {1000, -1000, -1000, 1, 1},
         {1000, -1000, 1000, 1, 0}},
        {{-1000, -1000, 1000, 0, 1},
         {-1000, 1000, 1000, 0, 0},
         {1000, -1000, 1000, 1, 1},
         {1000, 1000, 1000, 1, 0}},
        {{1000, -1000, -1000, 0, 1},
         {1000, 1000, -1000, 0, 0},
         {-1000, -1000, -1000, 1, 1},
         {-1000, 1000, -1000, 1, 0}},
    };
    for (int face = 0; face < 6; ++face) {
        for (int k = 0; k < 4; ++k) {
            const SkyVertex& v = box[4 * face + k];
            const SkyVertex& e = faces[face][k];
            EXPECT_TRUE(v.x == e.x && v.y == e.y && v.z == e.z && v.tu == e.tu && v.tv == e.tv)
                << "face " << face << " corner " << k << ": (" << v.x << ", " << v.y << ", " << v.z << "; "
                << v.tu << ", " << v.tv << ")";
        }
    }
    // Every face lies on one plane: the axis that stays fixed within each strip.
    const int fixedAxis[] = {0, 0, 1, 1, 2, 2};
    const float fixedValue[] = {1000, -1000, 1000, -1000, 1000, -1000};
    for (int face = 0; face < 6; ++face) {
        for (int k = 0; k < 4; ++k) {
            const SkyVertex& v = box[4 * face + k];
            const float coords[] = {v.x, v.y, v.z};
            EXPECT_EQ(coords[fixedAxis[face]], fixedValue[face]) << face << ":" << k;
        }
    }
}

TEST(Quad, TextureVGrowsUpwards) {
    const auto quad = GenerateQuad();
    ASSERT_EQ(quad.size(), 4u);
    EXPECT_EQ(quad[0].x, -1.0f);
    EXPECT_EQ(quad[0].y, -1.0f);
    EXPECT_EQ(quad[0].tv, 0.0f);
    EXPECT_EQ(quad[1].y, 1.0f);
    EXPECT_EQ(quad[1].tv, 1.0f);
    EXPECT_EQ(quad[3].x, 1.0f);
    EXPECT_EQ(quad[3].tu, 1.0f);
    EXPECT_EQ(quad[3].z, 0.0f);
}

TEST(Sphere, CountsForEveryDetail) {
    const int expected[] = {40, 144, 544, 2112, 8320};
    for (int m = 0; m < SphereDetailCount; ++m) {
        const int s = SphereSubdivisions[m];
        EXPECT_EQ(SphereVertexCount(s, s), expected[m]);
        EXPECT_EQ(static_cast<int>(GenerateSphere(s, s).size()), expected[m]);
    }
    EXPECT_EQ(SphereVertexCount(0, 4), 0);
    EXPECT_TRUE(GenerateSphere(-1, 4).empty());
}

TEST(Sphere, StartsAtTheNorthPoleAndEndsAtTheSouthPole) {
    const auto sphere = GenerateSphere(4, 4);
    ASSERT_EQ(sphere.size(), 40u);
    ExpectPoint(sphere.front(), 0, 1, 0);
    EXPECT_EQ(sphere.front().tu, 1.0f);
    EXPECT_EQ(sphere.front().tv, 0.0f);
    ExpectPoint(sphere.back(), 0, -1, 0);
    EXPECT_EQ(sphere.back().tu, 0.0f);
    EXPECT_EQ(sphere.back().tv, 1.0f);
    // Second vertex: lower edge of band 0 at theta 0, i.e. on +z at latitude pi/4.
    ExpectPoint(sphere[1], 0, std::cos(0.7853982f), std::sin(0.7853982f));
    EXPECT_EQ(sphere[1].tv, 0.25f);
}

TEST(Sphere, BandsJoinThroughSharedPositions) {
    const int stacks = 8;
    const int slices = 8;
    const auto sphere = GenerateSphere(stacks, slices);
    const int perBand = 2 * (slices + 1);
    for (int band = 0; band + 1 < stacks; ++band) {
        // The lower edge of a band is the upper edge of the next: same latitude.
        const LitVertex& lower = sphere[band * perBand + 1];
        const LitVertex& nextUpper = sphere[(band + 1) * perBand];
        EXPECT_FLOAT_EQ(lower.y, nextUpper.y) << band;
        // Each band's last column repeats its first at 2 pi, with u going from 1 to 0.
        const LitVertex& first = sphere[band * perBand];
        const LitVertex& last = sphere[(band + 1) * perBand - 2];
        EXPECT_NEAR(first.x, last.x, 1e-5f);
        EXPECT_NEAR(first.z, last.z, 1e-5f);
        EXPECT_EQ(first.tu, 1.0f);
        EXPECT_EQ(last.tu, 0.0f);
    }
    for (const LitVertex& v : sphere) {
        EXPECT_NEAR(v.x * v.x + v.y * v.y + v.z * v.z, 1.0f, 1e-5f);
    }
}

TEST(Ring, OuterAndInnerEdgesAlternate) {
    const auto ring = GenerateRing(1.8f, 1.2f, 64);
    ASSERT_EQ(ring.size(), 130u);
    EXPECT_EQ(RingVertexCount(64), 130);
    ExpectPoint(ring[0], 0, 0, 1.8f);
    EXPECT_EQ(ring[0].tu, 0.0f);
    EXPECT_EQ(ring[0].tv, 1.0f);
    ExpectPoint(ring[1], 0, 0, 1.2f);
    EXPECT_EQ(ring[1].tu, 1.0f);
    EXPECT_EQ(ring[1].tv, 1.0f);
    ExpectPoint(ring[128], 0, 0, 1.8f);
    EXPECT_EQ(ring[128].tv, 0.0f);
    ExpectPoint(ring[129], 0, 0, 1.2f);
    EXPECT_EQ(ring[129].tv, 0.0f);
    // A quarter round: theta = pi/2 puts the edge on +x.
    ExpectPoint(ring[32], 1.8f, 0, 0);
    EXPECT_EQ(ring[32].tv, 0.75f);
}

TEST(OrbitLine, ClosesOnItsFirstVertex) {
    for (int segments : {62, 31, 120, 242, 966}) {
        const auto orbit = GenerateOrbitLine(29.4f, 30.4f, segments);
        ASSERT_EQ(static_cast<int>(orbit.size()), segments + 1);
        EXPECT_EQ(std::memcmp(&orbit.front(), &orbit.back(), sizeof(LitVertex)), 0);
        ExpectPoint(orbit[0], 29.4f, 0, 0);
        // The point before the closing one is one step short of a full turn.
        const float step = 6.2831855f / static_cast<float>(segments);
        ExpectPoint(orbit[segments - 1], 29.4f * std::cos(step * (segments - 1)), 0,
                    30.4f * std::sin(step * (segments - 1)), 1e-4f);
        for (const LitVertex& v : orbit) {
            EXPECT_EQ(v.tu, 0.0f);
            EXPECT_EQ(v.tv, 1.0f);
            EXPECT_EQ(v.y, 0.0f);
        }
    }
    EXPECT_TRUE(GenerateOrbitLine(1, 1, 0).empty());
}

TEST(OrbitLine, EarthQuarterTurnReachesTheAphelionAxis) {
    const auto orbit = GenerateOrbitLine(147.0f / 5.0f, 152.0f / 5.0f, 64);
    ExpectPoint(orbit[16], 0, 0, 30.4f, 1e-4f);
    ExpectPoint(orbit[32], -29.4f, 0, 0, 1e-4f);
}

TEST(DistanceLine, RefilledDashesFillTheFirstHalfOfEachPart) {
    const D3DXVECTOR3 planet(0, 0, 100);
    const auto dashes = GenerateDistanceDashes(planet, 30.0f, 10, DashPhase::Refilled);
    ASSERT_EQ(dashes.size(), 20u);
    ExpectPoint(dashes[0], 0, 0, 10);
    ExpectPoint(dashes[1], 0, 0, 14.5f);
    ExpectPoint(dashes[2], 0, 0, 19);
    ExpectPoint(dashes[3], 0, 0, 23.5f);
    ExpectPoint(dashes[18], 0, 0, 91);
    ExpectPoint(dashes[19], 0, 0, 95.5f);
    const D3DXVECTOR3 anchor = DistanceLabelAnchor(D3DXVECTOR3(0, 0, 0), planet, 30.0f);
    EXPECT_NEAR(anchor.z, 45.0f, 1e-5f);
    EXPECT_EQ(anchor.x, 0.0f);
}

TEST(DistanceLine, BuiltDashesAreHalfADashLater) {
    const auto dashes = GenerateDistanceDashes(D3DXVECTOR3(0, 0, 100), 30.0f, 10, DashPhase::Built);
    ASSERT_EQ(dashes.size(), 20u);
    ExpectPoint(dashes[0], 0, 0, 14.5f);
    ExpectPoint(dashes[1], 0, 0, 19);
    ExpectPoint(dashes[19], 0, 0, 100);
}

TEST(DistanceLine, SmallerSunGlowStartsCloser) {
    const D3DXVECTOR3 planet(60, 0, 80);  // 100 from the Sun
    const auto dashes = GenerateDistanceDashes(planet, 15.0f, 10, DashPhase::Refilled);
    ExpectPoint(dashes[0], 3, 0, 4);  // 5 units out
}

TEST(DistanceLine, PlanetAtTheSunOrAtTheStartGivesNoNaN) {
    for (const D3DXVECTOR3& planet : {D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 10)}) {
        for (DashPhase phase : {DashPhase::Built, DashPhase::Refilled}) {
            const auto dashes = GenerateDistanceDashes(planet, 30.0f, 10, phase);
            ASSERT_EQ(dashes.size(), 20u);
            for (const LineVertex& v : dashes) {
                EXPECT_TRUE(std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z));
            }
        }
        const D3DXVECTOR3 anchor = DistanceLabelAnchor(D3DXVECTOR3(0, 0, 0), planet, 30.0f);
        EXPECT_TRUE(std::isfinite(anchor.x) && std::isfinite(anchor.z));
    }
}

// The sky's stars: always the same list, unit directions, faint to bright, and more of
// them near the Milky Way's plane than towards its poles.
TEST(StarField, TheSameStarsEveryTimeCrowdedTowardsTheMilkyWay) {
    for (const bool more : {false, true}) {
        const std::vector<Star> stars = GenerateStars(more);
        ASSERT_EQ(stars.size(), more ? 24000u : 8000u);
        const std::vector<Star> again = GenerateStars(more);
        EXPECT_EQ(std::memcmp(stars.data(), again.data(), stars.size() * sizeof(Star)), 0) << "fixed seeds";
        const StarDirection pole = GalaxyPole();
        int nearPlane = 0;
        int nearPoles = 0;
        for (const Star& star : stars) {
            const StarDirection& d = star.direction;
            ASSERT_NEAR(d.x * d.x + d.y * d.y + d.z * d.z, 1.0f, 1e-4f);
            ASSERT_GE(star.flux, 0.1f);
            ASSERT_LE(star.flux, 3.0f + 1e-4f);
            ASSERT_GE(std::min({star.red, star.green, star.blue}), 0.0f);
            ASSERT_LE(std::max({star.red, star.green, star.blue}), 1.0f);
            const float along = std::fabs(d.x * pole.x + d.y * pole.y + d.z * pole.z);
            nearPlane += along < 0.2f;  // equal areas of the sphere
            nearPoles += along > 0.8f;
        }
        EXPECT_GT(2 * nearPlane, 3 * nearPoles) << (more ? "more stars" : "stars");
    }
}

// Brighter stars are larger points, and the points grow with the screen on whole pixels,
// so that they are as large a part of it everywhere and stay sharp.
TEST(StarField, BrighterStarsAreLargerPointsOnWholePixels) {
    EXPECT_EQ(StarSizeClass(0.1f), 0);
    EXPECT_EQ(StarSizeClass(0.59f), 0);
    EXPECT_EQ(StarSizeClass(0.6f), 1);
    EXPECT_EQ(StarSizeClass(1.5f), 2);
    EXPECT_EQ(StarSizeClass(30.0f), 2);
    struct Case {
        uint32_t screenHeight;
        float sizes[StarSizeCount];
    };
    for (const Case& c : {Case{1080, {1, 2, 3}}, Case{2160, {2, 4, 6}}, Case{1440, {1, 3, 4}},
                          Case{400, {1, 1, 1}}, Case{0, {1, 1, 1}}}) {
        for (int k = 0; k < StarSizeCount; ++k) {
            EXPECT_EQ(StarPointSize(k, c.screenHeight), c.sizes[k]) << c.screenHeight << " class " << k;
        }
    }
    EXPECT_EQ(StarPointSize(-1, 1080), 1.0f) << "a class out of range is the nearest one";
    EXPECT_EQ(StarPointSize(7, 1080), 3.0f);
}

TEST(StarField, PointsComeBySizeClassAtTheStarsDistance) {
    const std::vector<Star> stars = GenerateStars(false);
    const StarPoints points = BuildStarPoints(stars);
    ASSERT_EQ(points.vertices.size(), stars.size());
    EXPECT_EQ(points.counts[0] + points.counts[1] + points.counts[2], static_cast<int>(stars.size()));
    EXPECT_GT(points.counts[0], points.counts[1]) << "many faint stars";
    EXPECT_GT(points.counts[1], points.counts[2]) << "few bright ones";
    EXPECT_GT(points.counts[2], 0);
    size_t i = 0;
    for (int k = 0; k < StarSizeCount; ++k) {
        for (int n = 0; n < points.counts[k]; ++n, ++i) {
            const StarVertex& v = points.vertices[i];
            ASSERT_NEAR(std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z), StarDistance, 0.01f);
            ASSERT_EQ(v.diffuse >> 24, 0xFFu) << "opaque";
            ASSERT_NE(v.diffuse & 0xFFFFFF, 0u) << "no star is black";
        }
    }
}

}  // namespace
