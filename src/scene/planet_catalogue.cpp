#include "scene/planet_catalogue.h"

#include "scene/sphere_detail.h"
#include "util/copy_string_bounded.h"

namespace {

// Distances in million km, periods in years; the radii are equatorial radii relative to
// the Earth's (the Sun's is not to scale).
const PlanetCatalogueEntry catalogue[BodyCount] = {
    {"Sun",
     {0, 0, 0},
     10.0f,
     {1.0f, 1.0f, 0.0f, 1.0f},
     {1.0f, 1.0f, 1.0f, 1.0f},
     0.0f,
     0.0f,
     0.0f,
     0.0f,
     0.0f,
     0.0f,
     0,
     "",
     {"", "", "", "", ""}},
    {"Pluto",
     {400, 0, 50},
     0.18f,
     {0.3f, 0.3f, 0.4f, 1.0f},
     {0.461f, 0.202f, 0.006f, 1.0f},
     1.45f,
     0.1f,
     4539.0f,
     7377.0f,
     248.0f,
     300.0f,
     62,
     "39.518 AU",
     {"Name: Pluto", "Orbital period: 248 years 157 days", "Mean distance from the Sun: 5913 mil. km",
      "Equatorial radius: 1137 km", "Discovered by: Clyde W. Tombaugh"}},
    {"Neptune",
     {580, 0, 150},
     3.88f,
     {0.1f, 0.1f, 1.0f, 1.0f},
     {0.2f, 0.2f, 0.6f, 1.0f},
     1.41f,
     0.6f,
     4457.0f,
     4550.0f,
     164.79f,
     250.0f,
     62,
     "30.110 AU",
     {"Name: Neptune", "Orbital period: 164 years 281.6 days", "Mean distance from the Sun: 4504 mil. km",
      "Equatorial radius: 24746 km", "Discovered by: Johann Galle, Urbain Le Verrier"}},
    {"Uranus",
     {500, 0, 300},
     4.01f,
     {0.0f, 0.0f, 1.0f, 1.0f},
     {0.2f, 0.2f, 0.5f, 1.0f},
     1.42f,
     1.2f,
     2734.0f,
     3004.0f,
     84.022f,
     200.0f,
     62,
     "19.218 AU",
     {"Name: Uranus", "Orbital period: 84 years 8.1 days", "Mean distance from the Sun: 2871 mil. km",
      "Equatorial radius: 25559 km", "Discovered by: William Herschel"}},
    {"Saturn",
     {400, 0, 470},
     9.45f,
     {1.0f, 0.6f, 0.1f, 1.0f},
     {0.5f, 0.5f, 0.1f, 1.0f},
     1.32f,
     2.1f,
     1347.0f,
     1506.0f,
     29.457f,
     155.0f,
     62,
     "9.555 AU",
     {"Name: Saturn", "Orbital period: 29 years 167.2 days", "Mean distance from the Sun: 1429 mil. km",
      "Equatorial radius: 60268 km", "Rotational period: 10.233 hours"}},
    {"Jupiter",
     {220, 0, 600},
     11.21f,
     {1.0f, 0.6f, 0.3f, 1.0f},
     {0.6f, 0.5f, 0.1f, 1.0f},
     1.4f,
     4.1f,
     740.0f,
     815.0f,
     11.86f,
     125.0f,
     62,
     "5.203 AU",
     {"Name: Jupiter", "Orbital period: 11 years 314.9 days", "Mean distance from the Sun: 778 mil. km",
      "Equatorial radius: 71492 km", "Rotational period: 9.92 hours"}},
    {"Mars",
     {150, 0, 700},
     0.53f,
     {1.0f, 0.7f, 0.2f, 1.0f},
     {0.6f, 0.1f, 0.0f, 1.0f},
     1.42f,
     3.6f,
     207.0f,
     249.0f,
     1.879f,
     73.0f,
     62,
     "1.524 AU",
     {"Name: Mars", "Orbital period: 1 years 321.7 days", "Mean distance from the Sun: 228 mil. km",
      "Equatorial radius: 3397 km", "Rotational period: 24.6229 hours"}},
    {"Earth",
     {160, 0, 850},
     1.0f,
     {0.4f, 0.4f, 1.0f, 1.0f},
     {0.1f, 0.1f, 0.8f, 1.0f},
     1.43f,
     5.2f,
     147.0f,
     152.0f,
     1.0f,
     60.0f,
     62,
     "1.000 AU",
     {"Name: Earth", "Orbital period: 365.3 days", "Mean distance from the Sun: 149.6 mil. km",
      "Equatorial radius: 6378 km", "Rotational period: 23.9345 hours"}},
    {"Venus",
     {160, 0, 900},
     0.95f,
     {0.9f, 0.7f, 0.1f, 1.0f},
     {0.5f, 0.4f, 0.0f, 1.0f},
     1.43f,
     5.9f,
     107.0f,
     109.0f,
     0.613f,
     40.0f,
     31,
     "0.723 AU",
     {"Name: Venus", "Orbital period: 224.7 days", "Mean distance from the Sun: 108.2 mil. km",
      "Equatorial radius: 6051 km", "Rotational period: 243 days"}},
    {"Mercury",
     {170, 0, 950},
     0.38f,
     {0.7f, 0.7f, 0.7f, 1.0f},
     {0.3f, 0.3f, 0.3f, 1.0f},
     1.4f,
     2.4f,
     46.0f,
     70.0f,
     0.241f,
     26.0f,
     31,
     "0.387 AU",
     {"Name: Mercury", "Orbital period: 88 days", "Mean distance from the Sun: 58 mil. km",
      "Equatorial radius: 2439 km", "Rotational period: 58.6462 days"}},
};

D3DMATERIAL8 AllColourMaterial(const D3DXCOLOR& colour) {
    D3DMATERIAL8 material = {};
    material.Diffuse = colour;
    material.Ambient = colour;
    material.Specular = colour;
    material.Emissive = colour;
    return material;
}

void WriteOrbitAndTexts(const PlanetCatalogueEntry& entry, PlanetRecord& record) {
    record.orbitPhase = entry.orbitPhase;
    record.perihelion = entry.perihelion;
    record.aphelion = entry.aphelion;
    record.orbitalPeriod = entry.orbitalPeriod;
    record.relativeOrbitRadius = entry.relativeOrbitRadius;
    record.orbitSegments = entry.orbitSegments;
    CopyStringBounded(record.distanceLabel, entry.distanceLabel);
    for (int line = 0; line < InfoLineCount; ++line) {
        CopyStringBounded(record.infoText[line], entry.infoText[line]);
    }
}

}  // namespace

const PlanetCatalogueEntry& CatalogueEntry(int index) {
    return catalogue[index];
}

D3DMATERIAL8 DiffuseAmbientMaterial(const D3DXCOLOR& colour) {
    D3DMATERIAL8 material = {};
    material.Diffuse = colour;
    material.Ambient = colour;
    return material;
}

void WriteCatalogueRecord(int index, PlanetRecord& record) {
    const PlanetCatalogueEntry& entry = catalogue[index];
    record.position = entry.initialPosition;
    record.radius = entry.radius;
    record.tilt = BodyTilt;
    record.surfaceMaterial = DiffuseAmbientMaterial(entry.bodyColour);
    record.visible = 1;
    record.haloColour = entry.haloColour;
    record.sphereDetail = SphereDetailBySize;
    CopyStringBounded(record.name, entry.name);
    if (index == SunIndex) {
        return;  // the Sun's halo is set by the caller; it has no orbit
    }
    record.haloSize = entry.radius * entry.haloFactor;
    record.haloMaterial = AllColourMaterial(entry.haloColour);
    WriteOrbitAndTexts(entry, record);
}
