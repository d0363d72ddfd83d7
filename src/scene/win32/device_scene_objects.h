#pragma once

#include <windows.h>
#include <d3d8.h>

#include "scene/map_filter.h"
#include "scene/planet_record.h"
#include "scene/scene_geometry.h"

class TextureFont;

constexpr int SkyFaceCount = 6;
constexpr int DeviceRecordCount = 10;  // indexed by the framework's screen-device index

// The scene objects of one screen device. Every entry is owned by the record; a null
// entry has not been created (or has been released).
struct DeviceSceneObjects {
    TextureFont* labelFont;  // frame rate
    TextureFont* panelFont;  // information panel
    TextureFont* titleFont;  // titles
    TextureFont* nameFont;   // names and distance labels, in the scene
    float nameFontScale;     // NameFontScale of nameFont (1 for 12 points at 96 dpi); 0 without it
    IDirect3DTexture8* skyTextures[SkyFaceCount];
    IDirect3DVertexBuffer8* skyBoxBuffer;
    IDirect3DVertexBuffer8* quadBuffer;
    IDirect3DVertexBuffer8* ringBuffers[RingCount];  // Saturn's, Uranus's
    IDirect3DVertexBuffer8* sphereBuffers[SphereDetailCount];
    IDirect3DVertexBuffer8* starBuffer;          // the stars as points, by size class (starCounts)
    IDirect3DTexture8* bodyTextures[BodyCount];  // entry 0 stays null
    IDirect3DTexture8* ringTexture;
    IDirect3DTexture8* haloTexture;
    IDirect3DTexture8* sunGlowTexture;
    // The orbits and distance lines as ribbons of this screen's width: written anew every
    // frame (dynamic, in the default pool, so it goes before a reset), with room for
    // lineBufferVertices LineVertex; their soft edge, made for the screen's DPI.
    IDirect3DVertexBuffer8* lineBuffer;
    UINT lineBufferVertices;
    IDirect3DTexture8* lineTexture;
    MapMinification planetMapMinification;  // what this device offers for the planets' maps
};

// Releases every texture of the record, in the reverse order of their loading, and
// empties the slots.
void ReleaseSceneTextures(DeviceSceneObjects& objects);
