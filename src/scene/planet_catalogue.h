#pragma once

#include "scene/planet_record.h"

// The built-in data of one body. Orbit values, label and information lines are empty
// for the Sun, which has no orbit.
struct PlanetCatalogueEntry {
    const char* name;
    D3DXVECTOR3 initialPosition;
    float radius;
    D3DXCOLOR bodyColour;
    D3DXCOLOR haloColour;
    float haloFactor;  // halo size = radius * factor (the Sun's size is fixed instead)
    float orbitPhase;
    float perihelion;
    float aphelion;
    float orbitalPeriod;
    float relativeOrbitRadius;
    int orbitSegments;
    const char* distanceLabel;
    const char* infoText[InfoLineCount];
};

constexpr float SunHaloSize = 30.0f;
constexpr float SunHaloSizeNearPlanet = 15.0f;  // planet view of Earth, Venus or Mercury
constexpr float BodyTilt = 0.7853982f;          // pi / 4

// Catalogue row of body `index` (0..9).
const PlanetCatalogueEntry& CatalogueEntry(int index);

// Writes everything the catalogue knows about body `index` into `record`, with the halo
// material built from the halo colour (all four colours). The Sun's halo is set apart.
void WriteCatalogueRecord(int index, PlanetRecord& record);

// Material with Diffuse = Ambient = `colour` and the rest zero.
D3DMATERIAL8 DiffuseAmbientMaterial(const D3DXCOLOR& colour);
