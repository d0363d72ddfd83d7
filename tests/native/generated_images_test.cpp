// Runs the image tool as the build does and checks every file it writes: format, size,
// alpha and origin as the executable embeds them, a few traits each image is known by,
// seamless wrapping, and byte-for-byte reproducibility.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <unistd.h>

#include "image/decoded_image.h"

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t Le16(const std::vector<uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8);
}
uint32_t Le32(const std::vector<uint8_t>& b, std::size_t at) {
    return Le16(b, at) | (Le16(b, at + 2) << 16);
}

struct Rgb {
    int width = 0, height = 0;
    std::vector<uint8_t> data;  // 3 bytes per pixel, top row first
    const uint8_t* at(int x, int y) const { return &data[(static_cast<std::size_t>(y) * width + x) * 3]; }
};

struct JpegFacts {
    int components = 0;
    bool baseline = false;
    bool jfif = false;
    Rgb pixels;
};

JpegFacts ReadJpeg(const std::vector<uint8_t>& bytes) {
    JpegFacts facts;
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    facts.components = cinfo.num_components;
    facts.jfif = cinfo.saw_JFIF_marker;
    facts.baseline = !cinfo.progressive_mode && !cinfo.arith_code && cinfo.data_precision == 8;
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    facts.pixels.width = static_cast<int>(cinfo.output_width);
    facts.pixels.height = static_cast<int>(cinfo.output_height);
    facts.pixels.data.resize(static_cast<std::size_t>(facts.pixels.width) * facts.pixels.height * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = facts.pixels.data.data() +
                       static_cast<std::size_t>(cinfo.output_scanline) * facts.pixels.width * 3;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return facts;
}

bool HasBaselineFrameMarker(const std::vector<uint8_t>& bytes) {
    for (std::size_t i = 2; i + 1 < bytes.size();) {
        if (bytes[i] != 0xFF) {
            return false;
        }
        const uint8_t marker = bytes[i + 1];
        if (marker == 0xC0) {
            return true;
        }
        if (marker == 0xDA) {  // scan data follows; no frame header seen
            return false;
        }
        i += 2 + ((std::size_t{bytes[i + 2]} << 8) | bytes[i + 3]);  // big-endian segment length
    }
    return false;
}

struct Mean {
    double r = 0, g = 0, b = 0;
};

Mean MeanColour(const Rgb& image) {
    Mean m;
    const std::size_t n = static_cast<std::size_t>(image.width) * image.height;
    for (std::size_t i = 0; i < n; ++i) {
        m.r += image.data[i * 3];
        m.g += image.data[i * 3 + 1];
        m.b += image.data[i * 3 + 2];
    }
    m.r /= n;
    m.g /= n;
    m.b /= n;
    return m;
}

double ColumnDifference(const Rgb& image, int a, int b) {
    double sum = 0;
    for (int y = 0; y < image.height; ++y) {
        for (int c = 0; c < 3; ++c) {
            sum += std::abs(image.at(a, y)[c] - image.at(b, y)[c]);
        }
    }
    return sum / (image.height * 3);
}

class GeneratedImages : public testing::Test {
protected:
    static void SetUpTestSuite() {
        const fs::path base =
            fs::temp_directory_path() / ("celestra-imagegen-test-" + std::to_string(getpid()));
        first_ = new fs::path(base / "first");
        second_ = new fs::path(base / "second");
        fs::create_directories(*first_);
        fs::create_directories(*second_);
        const std::string tool = CELESTRA_IMAGEGEN;
        firstStatus_ = std::system(("'" + tool + "' --out '" + first_->string() + "'").c_str());
        secondStatus_ = std::system(("'" + tool + "' --out '" + second_->string() + "' --contact-sheet '" +
                                     (base / "sheet.png").string() + "'")
                                        .c_str());
    }

    static void TearDownTestSuite() {
        fs::remove_all(first_->parent_path());
        delete first_;
        delete second_;
    }

    static std::vector<uint8_t> File(const std::string& name) { return ReadFile(*first_ / name); }

    static JpegFacts Jpeg(const std::string& name) {
        const std::vector<uint8_t> bytes = File(name);
        EXPECT_TRUE(HasBaselineFrameMarker(bytes)) << name;
        return ReadJpeg(bytes);
    }

    static DecodedImage Tga(const std::string& name, uint8_t type, uint8_t descriptor) {
        const std::vector<uint8_t> bytes = File(name);
        DecodedImage image;
        EXPECT_GE(bytes.size(), 18u) << name;
        if (bytes.size() >= 18) {
            EXPECT_EQ(bytes[2], type) << name;
            EXPECT_EQ(bytes[16], 32) << name;
            EXPECT_EQ(bytes[17], descriptor) << name;  // alpha bits; bottom-left origin
            EXPECT_EQ(DecodeTga(bytes.data(), bytes.size(), &image), DecodeStatus::Ok) << name;
        }
        return image;
    }

    static fs::path* first_;
    static fs::path* second_;
    static int firstStatus_;
    static int secondStatus_;
};

fs::path* GeneratedImages::first_ = nullptr;
fs::path* GeneratedImages::second_ = nullptr;
int GeneratedImages::firstStatus_ = -1;
int GeneratedImages::secondStatus_ = -1;

const char* const FaceSuffixes[6] = {"px", "nx", "py", "ny", "pz", "nz"};

struct PlanetFile {
    const char* name;
    int width, height;
};
const PlanetFile Planets[] = {{"pluto.jpg", 512, 256},  {"neptune.jpg", 512, 256}, {"uranus.jpg", 512, 256},
                              {"saturn.jpg", 512, 256}, {"jupiter.jpg", 512, 256}, {"mars.jpg", 512, 256},
                              {"earth.jpg", 512, 256},  {"venus.jpg", 512, 256},   {"mercury.jpg", 512, 512}};

TEST_F(GeneratedImages, TheSameRunWritesTheSameBytes) {
    ASSERT_EQ(firstStatus_, 0);
    ASSERT_EQ(secondStatus_, 0);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(*first_)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names.size(), 27u);
    for (const std::string& name : names) {
        const std::vector<uint8_t> a = ReadFile(*first_ / name);
        EXPECT_FALSE(a.empty()) << name;
        EXPECT_EQ(a, ReadFile(*second_ / name)) << name;
    }
    const std::vector<uint8_t> sheet = ReadFile(first_->parent_path() / "sheet.png");
    ASSERT_GT(sheet.size(), 8u);
    EXPECT_EQ(sheet[1], 'P');
}

TEST_F(GeneratedImages, StarBoxFacesAreBaselineColourJpegs) {
    for (const char* set : {"sky_", "sky_dense_"}) {
        for (const char* face : FaceSuffixes) {
            const std::string name = std::string(set) + face + ".jpg";
            const JpegFacts jpeg = Jpeg(name);
            EXPECT_EQ(jpeg.components, 3) << name;
            EXPECT_TRUE(jpeg.baseline) << name;
            EXPECT_TRUE(jpeg.jfif) << name;
            EXPECT_EQ(jpeg.pixels.width, 512) << name;
            EXPECT_EQ(jpeg.pixels.height, 512) << name;
        }
    }
}

// Texels along one edge of a face, and the texels one step inside it.
std::vector<const uint8_t*> EdgeTexels(const Rgb& face, char edge, int inset) {
    std::vector<const uint8_t*> texels;
    for (int i = 0; i < 512; ++i) {
        const int x = edge == 'l' ? inset : edge == 'r' ? 511 - inset : i;
        const int y = edge == 't' ? inset : edge == 'b' ? 511 - inset : i;
        texels.push_back(face.at(x, y));
    }
    return texels;
}

double MeanDifference(const std::vector<const uint8_t*>& a, const std::vector<const uint8_t*>& b) {
    double sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        for (int c = 0; c < 3; ++c) {
            sum += std::abs(a[i][c] - b[i][c]);
        }
    }
    return sum / (a.size() * 3);
}

TEST_F(GeneratedImages, StarBoxEdgesMeetWithoutSeams) {
    std::vector<Rgb> faces;
    for (const char* face : FaceSuffixes) {
        faces.push_back(Jpeg(std::string("sky_dense_") + face + ".jpg").pixels);
    }
    // Shared edges in the faces' own texel layouts (faces: 0 +x, 1 -x, 2 +y, 3 -y, 4 +z,
    // 5 -z), each running the same way along the edge.
    struct Seam {
        int a;
        char edgeA;
        int b;
        char edgeB;
    };
    const Seam seams[] = {{4, 'r', 0, 'l'}, {0, 'r', 5, 'l'}, {5, 'r', 1, 'l'},
                          {1, 'r', 4, 'l'}, {2, 'b', 4, 't'}, {3, 't', 4, 'b'}};
    for (const Seam& seam : seams) {
        const Rgb& a = faces[static_cast<std::size_t>(seam.a)];
        const Rgb& b = faces[static_cast<std::size_t>(seam.b)];
        // The edge texels of both faces see the same directions: they differ by the JPEG's
        // error alone, never as much more as a texel's step inside a face would add.
        const double across = MeanDifference(EdgeTexels(a, seam.edgeA, 0), EdgeTexels(b, seam.edgeB, 0));
        const double inside = MeanDifference(EdgeTexels(a, seam.edgeA, 0), EdgeTexels(a, seam.edgeA, 1));
        EXPECT_LE(across, inside + 0.3) << seam.a << seam.edgeA << " " << seam.b << seam.edgeB;
        std::printf("SEAM %f %f\n", across, inside);
    }
}

// Texels much brighter than all four neighbours: stars as the box used to hold them.
int CountSharpPoints(const Rgb& face) {
    const auto sum = [&face](int x, int y) { return face.at(x, y)[0] + face.at(x, y)[1] + face.at(x, y)[2]; };
    int points = 0;
    for (int y = 1; y < face.height - 1; ++y) {
        for (int x = 1; x < face.width - 1; ++x) {
            const int around = std::max({sum(x - 1, y), sum(x + 1, y), sum(x, y - 1), sum(x, y + 1)});
            points += sum(x, y) > 150 && sum(x, y) > around + 90;
        }
    }
    return points;
}

double MeanBrightness(const Rgb& face) {
    double total = 0.0;
    for (int y = 0; y < face.height; ++y) {
        for (int x = 0; x < face.width; ++x) {
            total += face.at(x, y)[0] + face.at(x, y)[1] + face.at(x, y)[2];
        }
    }
    return total / (face.width * face.height);
}

// The stars are the saver's sharp points; the box holds the diffuse sky, and with "show
// more stars" also the unresolved star dust, which makes it brighter.
TEST_F(GeneratedImages, TheBoxHoldsTheSkyWithoutItsStarsAndTheDenserOneItsDust) {
    int points = 0;
    double normal = 0.0, dense = 0.0;
    for (const char* face : FaceSuffixes) {
        const Rgb plain = Jpeg(std::string("sky_") + face + ".jpg").pixels;
        points += CountSharpPoints(plain);
        normal += MeanBrightness(plain);
        dense += MeanBrightness(Jpeg(std::string("sky_dense_") + face + ".jpg").pixels);
    }
    std::printf("sharp points in the plain box: %d; mean brightness %.1f, denser %.1f\n", points, normal / 6,
                dense / 6);
    EXPECT_LT(points, 50);
    EXPECT_GT(dense, normal * 1.2);
}

TEST_F(GeneratedImages, PlanetMapsHaveTheirSizesAndWrapSeamlessly) {
    for (const PlanetFile& planet : Planets) {
        const JpegFacts jpeg = Jpeg(planet.name);
        EXPECT_EQ(jpeg.components, 3) << planet.name;
        EXPECT_TRUE(jpeg.baseline) << planet.name;
        ASSERT_EQ(jpeg.pixels.width, planet.width) << planet.name;
        ASSERT_EQ(jpeg.pixels.height, planet.height) << planet.name;
        // Across u = 0/1 the map changes no more than between neighbouring columns.
        const double seam = ColumnDifference(jpeg.pixels, 0, planet.width - 1);
        double typical = 0;
        for (int x = 100; x < 110; ++x) {
            typical += ColumnDifference(jpeg.pixels, x, x + 1) / 10.0;
        }
        EXPECT_LE(seam, typical * 2.0 + 2.0) << planet.name;
    }
}

TEST_F(GeneratedImages, PlanetsHaveTheirTelltaleColours) {
    const Mean mercury = MeanColour(Jpeg("mercury.jpg").pixels);
    EXPECT_LT(std::abs(mercury.r - mercury.b), 15);  // grey
    const Mean mars = MeanColour(Jpeg("mars.jpg").pixels);
    EXPECT_GT(mars.r, mars.g + 40);  // rust
    EXPECT_GT(mars.g, mars.b);
    const Mean neptune = MeanColour(Jpeg("neptune.jpg").pixels);
    EXPECT_GT(neptune.b, neptune.r + 80);  // deep blue
    const Mean uranus = MeanColour(Jpeg("uranus.jpg").pixels);
    EXPECT_GT(uranus.g, uranus.r + 20);  // pale cyan
    EXPECT_GT(uranus.b, uranus.r + 20);
    EXPECT_GT(uranus.r, 120);
    for (const char* warm : {"saturn.jpg", "jupiter.jpg", "venus.jpg", "pluto.jpg"}) {
        const Mean m = MeanColour(Jpeg(warm).pixels);
        EXPECT_GE(m.r, m.g) << warm;
        EXPECT_GT(m.g, m.b) << warm;
    }
    const Rgb earth = Jpeg("earth.jpg").pixels;
    const Mean oceans = MeanColour(earth);
    EXPECT_GT(oceans.b, oceans.r + 20);
    for (int x = 0; x < earth.width; x += 16) {
        EXPECT_GT(earth.at(x, 0)[0], 180) << "north polar ice at " << x;
        EXPECT_GT(earth.at(x, earth.height - 1)[0], 180) << "Antarctica at " << x;
    }
}

TEST_F(GeneratedImages, HaloIsWhiteWithASoftRadialAlpha) {
    const DecodedImage halo = Tga("halo.tga", 2, 8);
    ASSERT_EQ(halo.width, 128u);
    ASSERT_EQ(halo.height, 128u);
    for (uint32_t p : halo.pixels) {
        ASSERT_EQ(p & 0xFFFFFFu, 0xFFFFFFu);
    }
    EXPECT_GT(halo.pixels[64 * 128 + 64] >> 24, 150u);
    EXPECT_EQ(halo.pixels[0] >> 24, 0u);
    EXPECT_EQ(halo.pixels[64 * 128 + 0] >> 24, 0u);
    for (int x = 65; x < 128; ++x) {  // falling from the centre to the edge
        EXPECT_LE(halo.pixels[64 * 128 + x] >> 24, halo.pixels[64 * 128 + x - 1] >> 24);
    }
}

uint32_t Channel(uint32_t argb, int shift) {
    return (argb >> shift) & 0xFFu;
}

TEST_F(GeneratedImages, SunGlowRunsFromWhiteThroughYellowToBlack) {
    const std::vector<uint8_t> bytes = File("sunglow.tga");
    const DecodedImage glow = Tga("sunglow.tga", 10, 0);
    ASSERT_EQ(glow.width, 512u);
    ASSERT_EQ(glow.height, 512u);
    EXPECT_LT(bytes.size(), 512u * 512u * 4u);  // the run-length coding pays off
    const uint32_t centre = glow.pixels[256 * 512 + 256];
    EXPECT_GT(Channel(centre, 16), 240u);
    EXPECT_GT(Channel(centre, 8), 240u);
    EXPECT_GT(Channel(centre, 0), 240u);
    const uint32_t middle = glow.pixels[256 * 512 + 256 + 70];
    EXPECT_GE(Channel(middle, 16), Channel(middle, 8));
    EXPECT_GT(Channel(middle, 8), Channel(middle, 0) + 30);  // yellow to orange
    for (uint32_t corner :
         {glow.pixels[0], glow.pixels[511], glow.pixels[511 * 512], glow.pixels[512 * 512 - 1]}) {
        EXPECT_EQ(corner, 0u);
    }
    EXPECT_EQ(glow.pixels[256 * 512 + 0] & 0xFFFFFFu, 0u);  // black at the edge
    for (int x = 257; x < 512; ++x) {                       // the fourth byte falls with the brightness
        const uint32_t a = glow.pixels[256 * 512 + x - 1], b = glow.pixels[256 * 512 + x];
        if (Channel(b, 16) + 4 < Channel(a, 16)) {
            EXPECT_LE(Channel(b, 24), Channel(a, 24)) << x;
        }
    }
    EXPECT_GT(Channel(centre, 24), 240u);
}

TEST_F(GeneratedImages, RingHasBandsAcrossUWithACassiniGap) {
    const DecodedImage ring = Tga("ring.tga", 2, 8);
    ASSERT_EQ(ring.width, 64u);
    ASSERT_EQ(ring.height, 64u);
    for (uint32_t y = 1; y < 64; ++y) {
        for (uint32_t x = 0; x < 64; ++x) {
            ASSERT_EQ(ring.pixels[y * 64 + x], ring.pixels[x]);  // bands run across u only
        }
    }
    // From the outer edge (u = 0): the A ring, a near-transparent gap, the bright B ring.
    bool sawA = false, sawGap = false, sawB = false;
    for (uint32_t x = 0; x < 64; ++x) {
        const uint32_t alpha = ring.pixels[x] >> 24;
        if (!sawA) {
            sawA = alpha > 120;
        } else if (!sawGap) {
            sawGap = alpha < 40;
        } else if (!sawB) {
            sawB = alpha > 180;
        }
    }
    EXPECT_TRUE(sawA && sawGap && sawB);
}

struct BitmapFacts {
    int32_t width = 0, height = 0;
    uint32_t bits = 0, colours = 0;
};

BitmapFacts ReadBitmap(const std::vector<uint8_t>& bmp) {
    BitmapFacts facts;
    if (bmp.size() < 54 || bmp[0] != 'B' || bmp[1] != 'M' || Le32(bmp, 2) != bmp.size()) {
        return facts;
    }
    facts.width = static_cast<int32_t>(Le32(bmp, 18));
    facts.height = static_cast<int32_t>(Le32(bmp, 22));
    facts.bits = Le16(bmp, 28);
    facts.colours = Le32(bmp, 46);
    return facts;
}

TEST_F(GeneratedImages, DialogBitmapsAre256ColourBitmapsOfTheirSizes) {
    const BitmapFacts picture = ReadBitmap(File("space.bmp"));
    EXPECT_EQ(picture.width, 267);
    EXPECT_EQ(picture.height, 167);
    EXPECT_EQ(picture.bits, 8u);
    EXPECT_EQ(picture.colours, 256u);
    const BitmapFacts logo = ReadBitmap(File("logo.bmp"));
    EXPECT_EQ(logo.width, 54);
    EXPECT_EQ(logo.height, 96);
    EXPECT_EQ(logo.bits, 8u);
    EXPECT_EQ(logo.colours, 256u);
}

TEST_F(GeneratedImages, IconHoldsThreeSizes) {
    const std::vector<uint8_t> ico = File("celestra.ico");
    ASSERT_GE(ico.size(), 6u + 3u * 16u);
    ASSERT_EQ(Le16(ico, 4), 3u);
    EXPECT_EQ(ico[6 + 0], 16);
    EXPECT_EQ(ico[6 + 16], 32);
    EXPECT_EQ(ico[6 + 32], 48);
}

}  // namespace
