#pragma once

#include "framework/win32/saver_base.h"
#include "scene/line_ribbon.h"
#include "scene/orrery_scene.h"
#include "scene/scene_overlay_layout.h"
#include "scene/still_text_drift.h"
#include "scene/win32/device_scene_objects.h"
#include "settings/orrery_settings.h"

class MusicPlayer;

// The planetary screensaver: the application that plugs into the framework. The scene
// itself (catalogue, motion, camera) is OrreryScene; this class adds the Direct3D
// objects of every screen and the framework hooks.
class OrrerySaver : public SaverBase, public OrreryScene {
public:
    OrrerySaver();
    ~OrrerySaver() override;

    // The settings dialog's procedures reach the one application object through this;
    // null once it is gone.
    static OrrerySaver* Instance();

    void ApplyDefaultSettings();

    // Settings in the registry.
    void LoadSettings() override;
    bool ReadSettings();
    void WriteSettings();

    // The settings dialog, owned by the window named on the command line.
    void ShowSettingsDialog() override;
    // Lets the user pick a music file; false, with `path` unchanged, when cancelled.
    bool BrowseMusicFile(char (&path)[SettingsPathSize], HWND owner);

    // Framework hooks.
    void UseScreenDevice(UINT index) override;
    HRESULT PrepareDeviceObjects() override;
    HRESULT AdvanceFrame() override;
    HRESULT RenderFrame() override;
    HRESULT ReleaseDeviceObjects() override;
    void DisplayTurnedOff() override;
    void DisplayTurnedOn() override;

    // Textures of the current device, from the embedded "DDS" resources: one level, or
    // with `mipLevels` 0 the full chain.
    HRESULT LoadResourceTexture(int resourceId, IDirect3DTexture8** texture, UINT mipLevels = 1);
    HRESULT LoadSceneTextures();

    // The drawing steps of a frame, in the order RenderFrame runs them. The orbits and
    // distance lines (each when asked for) are written for this screen first, then drawn
    // in two parts: what lies beyond the Sun before its glow and the rings, the rest
    // after them.
    void DrawSkyBox();
    void DrawStars();
    void DrawPlanetHalos();
    void DrawPlanets();
    void WriteLineRibbons(bool orbits, bool distances);
    void DrawLinesBehindSun();
    void DrawLinesInFrontOfSun();
    void DrawRings();
    void DrawSunGlow();
    void DrawBodyNames();
    void DrawInfoPanel();
    void DrawDistanceLabels();
    void DrawFrameRate();
    void DrawPreviewTitles();
    void DrawSkyDate();

    // The four fonts of the current device (replacing any it has).
    void CreateFonts();

    // Geometry of the current device, created on `activeDevice`.
    HRESULT BuildStaticGeometry();
    IDirect3DVertexBuffer8* BuildSphere(int stacks, int slices, int* vertexCount);
    IDirect3DVertexBuffer8* BuildRing(float outerRadius, float innerRadius, int segments, int* vertexCount);
    // The orbits' polylines and the current device's soft line edge for its DPI; what the
    // device offers for the planets' maps. Run after InitCatalogue.
    void BuildLineObjects();

    // How the current screen sees the scene: pixels a unit spans at depth 1 (the shorter
    // side of the picture the screen is part of), and how its ribbons face the camera.
    float FocalPixels() const;
    RibbonView LineRibbonView() const;
    // The sphere body i is drawn with on the current screen: by its size there, or the
    // body's fixed one; the nearest that could be built when that one could not.
    int SphereDetailOnScreen(int body) const;
    // The offset of the current screen's still texts this frame, kept on the screen for
    // texts whose top-left corner is at (left, top).
    TextOffset StillTextOffset(float left, float top) const;

    // Background music: started with the first screen's device objects, restarted when
    // its track has ended, stopped with the device objects.
    void BeginMusic();
    void StartMusic(double fromSeconds = 0.0);
    void KeepMusicLooping();
    void RestartMusicIfComplete();
    void StopMusic();

    DeviceSceneObjects deviceObjects[DeviceRecordCount];
    DeviceSceneObjects* currentDevice;
    MusicPlayer* musicPlayer;
    bool comInitialised = false;
    // The music rests while the display is off, with the sound device let go, so that the
    // machine may sleep; it goes on from where it was.
    bool musicPausedInTheDark = false;
    double musicPositionInTheDark = 0.0;
    // The machine-wide "Default Audio" of the installer, read with the settings.
    char installedAudio[SettingsPathSize] = " ";

protected:
    void ApplyViewTransform() override;

private:
    bool MusicWanted() const;
    // The current device's fonts, textures and buffers, whatever of them exists.
    void ReleaseSceneObjects();
    void DeleteFonts();
    void DrawBillboard(const D3DXMATRIX& world, const D3DMATERIAL8& material, IDirect3DTexture8* texture);
    // Texts that stand still on the screen, each group drifting with StillTextOffset.
    template <std::size_t N>
    void DrawStillTexts(TextureFont* font, const std::array<ScreenText, N>& texts, uint32_t flags);
    void DrawLineStrip(UINT start, UINT vertexCount);
    // Room for `vertices` in the current device's line buffer; false when it cannot be made.
    bool ReserveLineBuffer(UINT vertices);

    UINT screenIndex_ = 0;  // of the current screen device
    // This frame's ribbons of the current screen, and where they lie in its line buffer.
    RibbonStrips lineStrips_;
    UINT linesBehindCount_ = 0;
    UINT linesInFrontCount_ = 0;
    // The sky's date in its long and short forms, written again when its minute changes.
    char skyDateForms_[2][64] = {};
    double skyDateMinute_ = -1.0;
};
