#pragma once

#include <cstdint>

// How the planets' maps are filtered where they are seen smaller than their texels. A
// sphere turns most of its surface away at a slant, where a plain filter blurs the map;
// an anisotropic one keeps it sharp. Magnified maps are filtered linearly either way.

// The most texels an anisotropic filter takes along a slant: beyond it a sphere's limb,
// a few pixels wide, shows nothing more.
constexpr uint32_t PlanetMapAnisotropyLimit = 8;

struct MapMinification {
    bool anisotropic;        // else linear
    uint32_t maxAnisotropy;  // 1 when linear
};

// Anisotropic minification when the device filters so (D3DPTFILTERCAPS_MINFANISOTROPIC)
// and takes more than one sample along a slant (its MaxAnisotropy), within both limits.
MapMinification ChooseMapMinification(bool deviceMinifiesAnisotropically, uint32_t deviceMaxAnisotropy);
