#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "scene/line_ribbon.h"
#include "scene/orbit_ellipse.h"
#include "scene/scene_geometry.h"
#include "scene/sphere_detail.h"
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

void ExpectPoint(const D3DXVECTOR3& v, float x, float y, float z, float tolerance = 1e-4f) {
    EXPECT_NEAR(v.x, x, tolerance);
    EXPECT_NEAR(v.y, y, tolerance);
    EXPECT_NEAR(v.z, z, tolerance);
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

// The model arrangements' orbit line: half-axes along x and z.
std::vector<D3DXVECTOR3> ModelOrbitLine(float alongX, float alongZ, int segments) {
    PlanetRecord body = {};
    body.perihelion = alongX * 5.0f;
    body.aphelion = alongZ * 5.0f;
    return OrbitLinePoints(ModelOrbit(body, false), segments);
}

TEST(OrbitLine, ClosesOnItsFirstPoint) {
    for (int segments : {62, 31, 120, 242, 966}) {
        const auto orbit = ModelOrbitLine(29.4f, 30.4f, segments);
        ASSERT_EQ(static_cast<int>(orbit.size()), segments + 1);
        EXPECT_EQ(orbit.front(), orbit.back());
        ExpectPoint(orbit[0], 29.4f, 0, 0);
        // The point before the closing one is one step short of a full turn.
        const float step = 6.2831855f / static_cast<float>(segments);
        ExpectPoint(orbit[segments - 1], 29.4f * std::cos(step * (segments - 1)), 0,
                    30.4f * std::sin(step * (segments - 1)));
        for (const D3DXVECTOR3& v : orbit) {
            EXPECT_EQ(v.y, 0.0f);
        }
    }
    EXPECT_TRUE(ModelOrbitLine(1, 1, 0).empty());
}

TEST(OrbitLine, EarthQuarterTurnReachesTheAphelionAxis) {
    const auto orbit = ModelOrbitLine(147.0f / 5.0f, 152.0f / 5.0f, 64);
    ExpectPoint(orbit[16], 0, 0, 30.4f);
    ExpectPoint(orbit[32], -29.4f, 0, 0);
}

TEST(DistanceLine, DashesFillTheFirstHalfOfEachPart) {
    const D3DXVECTOR3 planet(0, 0, 100);
    D3DXVECTOR3 dashes[20];
    GenerateDistanceDashes(planet, 30.0f, 10, dashes);
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

TEST(DistanceLine, SmallerSunGlowStartsCloser) {
    const D3DXVECTOR3 planet(60, 0, 80);  // 100 from the Sun
    D3DXVECTOR3 dashes[20];
    GenerateDistanceDashes(planet, 15.0f, 10, dashes);
    ExpectPoint(dashes[0], 3, 0, 4);  // 5 units out
}

TEST(DistanceLine, PlanetAtTheSunOrAtTheStartGivesNoNaN) {
    for (const D3DXVECTOR3& planet : {D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 10)}) {
        D3DXVECTOR3 dashes[20];
        GenerateDistanceDashes(planet, 30.0f, 10, dashes);
        for (const D3DXVECTOR3& v : dashes) {
            EXPECT_TRUE(std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z));
        }
        const D3DXVECTOR3 anchor = DistanceLabelAnchor(D3DXVECTOR3(0, 0, 0), planet, 30.0f);
        EXPECT_TRUE(std::isfinite(anchor.x) && std::isfinite(anchor.z));
    }
}

// Ribbons seen by an eye at the origin looking along +z, a unit spanning 1000 pixels at
// depth 1, bands 1 pixel to each side, parted at depth 50.
RibbonView TestView() {
    return RibbonView{D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 1), 1000.0f, 1.0f, 0.05f, 50.0f};
}

// The band's width across the line at the pair of vertices from `index`, in pixels at
// their depth.
float BandPixels(const std::vector<LineVertex>& strip, std::size_t index, float focal) {
    const LineVertex& a = strip[index];
    const LineVertex& b = strip[index + 1];
    const D3DXVECTOR3 across(a.x - b.x, a.y - b.y, a.z - b.z);
    return D3DXVec3Length(&across) * focal / (0.5f * (a.z + b.z));
}

TEST(LineRibbon, AsManyPixelsWideNearAndFarAcrossLineAndSight) {
    RibbonView view = TestView();
    view.splitDepth = 1e9f;
    struct Case {
        D3DXVECTOR3 from, to;
    };
    for (const Case& c : {Case{{-1, 0, 2}, {1, 0, 2}}, Case{{0, -50, 40}, {0, 50, 40}},
                          Case{{300, 0, 900}, {310, 5, 920}}, Case{{-2, 1, 3}, {2, 1, 45}}}) {
        const D3DXVECTOR3 points[] = {c.from, c.to};
        RibbonStrips strips;
        AppendRibbon(points, 2, 0xFF102030u, view, strips);
        ASSERT_EQ(strips.inFront.size(), 4u);
        EXPECT_TRUE(strips.behind.empty());
        const D3DXVECTOR3 line = c.to - c.from;
        for (std::size_t i = 0; i < 4; i += 2) {
            EXPECT_NEAR(BandPixels(strips.inFront, i, 1000.0f), 2.0f, 0.01f) << i;
            const LineVertex& left = strips.inFront[i];
            const LineVertex& right = strips.inFront[i + 1];
            const D3DXVECTOR3 across(left.x - right.x, left.y - right.y, left.z - right.z);
            const D3DXVECTOR3 sight(0.5f * (left.x + right.x), 0.5f * (left.y + right.y),
                                    0.5f * (left.z + right.z));
            EXPECT_NEAR(D3DXVec3Dot(&across, &line), 0.0f, 1e-3f * D3DXVec3Length(&line));
            EXPECT_NEAR(D3DXVec3Dot(&across, &sight), 0.0f, 1e-3f * D3DXVec3Length(&sight));
            EXPECT_EQ(left.tu, 0.0f);
            EXPECT_EQ(right.tu, 1.0f);
            EXPECT_EQ(left.diffuse, 0xFF102030u);
        }
    }
}

// A line through the Sun's plane goes on behind it from the very point where it stops in
// front, with the same band there.
TEST(LineRibbon, APolylineIsPartedWhereItCrossesTheSplitPlane) {
    const D3DXVECTOR3 points[] = {{0, 0, 20}, {0, 10, 40}, {0, 20, 60}, {0, 30, 80}, {0, 40, 30}};
    RibbonStrips strips;
    AppendRibbon(points, 5, 0, TestView(), strips);
    // In front: 20, 40, the crossing at 50; then again from the crossing at 50 to 30.
    // Behind: the crossing, 60, 80, the crossing.
    ASSERT_EQ(strips.behind.size(), 8u);
    ASSERT_EQ(strips.inFront.size(), 6u + 2u + 4u);
    EXPECT_NEAR(strips.inFront[4].z + strips.inFront[5].z, 100.0f, 1e-3f);
    EXPECT_EQ(std::memcmp(&strips.inFront[4], &strips.behind[0], 2 * sizeof(LineVertex)), 0);
    for (const LineVertex& v : strips.behind) {
        EXPECT_GE(v.z, 49.99f);
    }
    for (const LineVertex& v : strips.inFront) {
        EXPECT_LE(v.z, 50.01f);
    }
    // The second piece in front follows the first through two repeated vertices.
    EXPECT_EQ(std::memcmp(&strips.inFront[6], &strips.inFront[5], sizeof(LineVertex)), 0);
    EXPECT_EQ(std::memcmp(&strips.inFront[7], &strips.inFront[8], sizeof(LineVertex)), 0);
}

TEST(LineRibbon, AClosedLineTurnsSmoothlyWhereItCloses) {
    const std::vector<D3DXVECTOR3> orbit = ModelOrbitLine(10, 10, 62);
    RibbonView view = TestView();
    view.eye = D3DXVECTOR3(0, 30, -40);
    view.forward = D3DXVECTOR3(0, -0.6f, 0.8f);
    view.splitDepth = 1e9f;
    RibbonStrips strips;
    AppendRibbon(orbit.data(), orbit.size(), 0, view, strips);
    ASSERT_EQ(strips.inFront.size(), 2 * orbit.size());
    EXPECT_EQ(std::memcmp(&strips.inFront.front(), &strips.inFront[strips.inFront.size() - 2],
                          2 * sizeof(LineVertex)),
              0);
}

TEST(LineRibbon, DegenerateLinesGiveFiniteBandsOrNone) {
    const RibbonView view = TestView();
    RibbonStrips strips;
    const D3DXVECTOR3 one[] = {{1, 2, 3}};
    AppendRibbon(one, 1, 0, view, strips);
    AppendRibbon(nullptr, 4, 0, view, strips);
    EXPECT_TRUE(strips.inFront.empty() && strips.behind.empty());
    const D3DXVECTOR3 repeated[] = {{1, 2, 3}, {1, 2, 3}, {1, 2, 3}};
    const D3DXVECTOR3 endOn[] = {{0, 0, 10}, {0, 0, 20}};
    const D3DXVECTOR3 throughTheEye[] = {{0, 0, -5}, {0, 0, 0}, {0, 0, 5}};
    AppendRibbon(repeated, 3, 0, view, strips);
    AppendRibbon(endOn, 2, 0, view, strips);
    AppendRibbon(throughTheEye, 3, 0, view, strips);
    EXPECT_EQ(strips.inFront.size(), 6u + 2u + 4u + 2u + 6u);
    for (const LineVertex& v : strips.inFront) {
        ASSERT_TRUE(std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z));
    }
}

// Wherever a line falls between pixel centres, its pixels add up to its width: it neither
// brightens nor dims as it moves.
TEST(LineRibbon, ThePixelsOfALineAddUpToItsWidthWhereverItFalls) {
    EXPECT_EQ(RibbonHalfWidthPixels(1.0f), 1.0f);
    EXPECT_EQ(RibbonHalfWidthPixels(2.0f), 1.5f);
    struct Case {
        float fromMiddle, width, coverage;
    };
    for (const Case& c : {Case{0, 1, 1}, Case{0.5f, 1, 0.5f}, Case{1, 1, 0}, Case{0, 2, 1}, Case{0.5f, 2, 1},
                          Case{1, 2, 0.5f}, Case{1.5f, 2, 0}, Case{0, 0.5f, 0.5f}, Case{-0.75f, 1, 0.25f}}) {
        EXPECT_FLOAT_EQ(LineCoverage(c.fromMiddle, c.width), c.coverage) << c.fromMiddle << " " << c.width;
    }
    for (float width : {0.5f, 1.0f, 1.5f, 2.0f, 5.0f}) {
        for (float shift : {0.0f, 0.2f, 0.5f, 0.9f}) {
            float sum = 0.0f;
            for (int pixel = -6; pixel <= 6; ++pixel) {
                sum += LineCoverage(static_cast<float>(pixel) + shift, width);
            }
            EXPECT_NEAR(sum, width, 1e-5f) << width << " " << shift;
        }
    }
}

TEST(LineRibbon, TheEdgeImageIsWhiteFadingToNothingAtBothSides) {
    for (float width : {1.0f, 2.0f}) {
        const DecodedImage image = LineEdgeImage(width);
        ASSERT_EQ(image.width, LineEdgeImageSize);
        ASSERT_EQ(image.height, LineEdgeImageSize);
        ASSERT_EQ(image.pixels.size(), std::size_t{LineEdgeImageSize} * LineEdgeImageSize);
        EXPECT_TRUE(image.hasAlpha);
        const auto alpha = [&](uint32_t x, uint32_t y) {
            return image.pixels[y * LineEdgeImageSize + x] >> 24;
        };
        EXPECT_LT(alpha(0, 0), 12u);
        EXPECT_LT(alpha(LineEdgeImageSize - 1, 5), 12u);
        EXPECT_GT(alpha(LineEdgeImageSize / 2, 9), 240u);
        EXPECT_EQ(alpha(20, 0), alpha(20, LineEdgeImageSize - 1));
        EXPECT_EQ(image.pixels[7] & 0x00FFFFFFu, 0x00FFFFFFu);
    }
    // A wider line keeps its middle solid for longer.
    EXPECT_GT(LineEdgeImage(2.0f).pixels[16] >> 24, LineEdgeImage(1.0f).pixels[16] >> 24);
}

// Each sphere until its outline strays more than half a pixel from the circle: the
// n-sided one strays r (1 - cos(pi / n)).
TEST(SphereDetail, TheCoarsestMeshWhoseOutlineStaysWithinHalfAPixel) {
    struct Case {
        float outline;
        int detail;
    };
    for (const Case& c : {Case{0, 0}, Case{1.7f, 0}, Case{1.8f, 1}, Case{6.5f, 1}, Case{6.7f, 2}, Case{26, 2},
                          Case{26.1f, 3}, Case{103, 3}, Case{105, 4}, Case{5000, 4}, Case{NAN, 4}}) {
        EXPECT_EQ(SphereDetailForOutline(c.outline), c.detail) << c.outline;
    }
    EXPECT_NEAR(SphereOutlinePixels(1.0f, 10.0f, 600.0f), 600.0f / std::sqrt(99.0f), 1e-3f);
    EXPECT_GT(SphereOutlinePixels(1.0f, 0.5f, 600.0f), 10000.0f) << "an eye inside sees no outline";
    EXPECT_GT(SphereOutlinePixels(1.0f, 1.0f, 600.0f), 10000.0f);
    EXPECT_NEAR(SphereOutlineError(3, 100.0f), 0.48153f, 1e-4f);
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
