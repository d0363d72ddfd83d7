#include "image_set.h"

#include "bmp_writer.h"
#include "dialog_art.h"
#include "glow_art.h"
#include "ico_writer.h"
#include "icon_art.h"
#include "jpeg_writer.h"
#include "planet_maps.h"
#include "star_box.h"
#include "tga_writer.h"

namespace {

constexpr int SkyQuality = 92;
constexpr int PlanetQuality = 90;

const char* const FaceSuffixes[6] = {"px", "nx", "py", "ny", "pz", "nz"};
const char* const PlanetNames[9] = {"pluto", "neptune", "uranus", "saturn", "jupiter",
                                    "mars",  "earth",   "venus",  "mercury"};

}  // namespace

ImageSet DrawImageSet() {
    return ImageSet{
        DrawStarBox(false),
        DrawStarBox(true),
        {DrawPlutoMap(), DrawNeptuneMap(), DrawUranusMap(), DrawSaturnMap(), DrawJupiterMap(), DrawMarsMap(),
         DrawEarthMap(), DrawVenusMap(), DrawMercuryMap()},
        DrawHalo(),
        DrawSunGlow(),
        DrawRing(),
        Quantize(DrawSpacePicture(), 256),
        Quantize(DrawMakerLogo(), 256),
        {DrawIconImage(16), DrawIconImage(32), DrawIconImage(48)},
    };
}

std::vector<EncodedFile> EncodeImageSet(const ImageSet& set) {
    std::vector<EncodedFile> files;
    for (int f = 0; f < 6; ++f) {
        files.push_back(
            {std::string("sky_") + FaceSuffixes[f] + ".jpg", EncodeJpeg(set.stars[f], SkyQuality)});
    }
    for (int f = 0; f < 6; ++f) {
        files.push_back({std::string("sky_dense_") + FaceSuffixes[f] + ".jpg",
                         EncodeJpeg(set.denseStars[f], SkyQuality)});
    }
    for (std::size_t p = 0; p < set.planets.size(); ++p) {
        files.push_back({std::string(PlanetNames[p]) + ".jpg", EncodeJpeg(set.planets[p], PlanetQuality)});
    }
    files.push_back({"halo.tga", EncodeTga(set.halo, TgaOptions{false, 8})});
    files.push_back({"sunglow.tga", EncodeTga(set.sunGlow, TgaOptions{true, 0})});
    files.push_back({"ring.tga", EncodeTga(set.ring, TgaOptions{false, 8})});
    files.push_back({"space.bmp", EncodeBmp8(set.spacePicture)});
    files.push_back({"logo.bmp", EncodeBmp8(set.makerLogo)});
    files.push_back({"celestra.ico", EncodeIcon(set.icons)});
    return files;
}

Image ExpandIndexed(const IndexedImage& image) {
    Image out(image.width, image.height);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            out.at(x, y) = image.palette[image.indices[static_cast<std::size_t>(y) * image.width + x]];
        }
    }
    return out;
}
