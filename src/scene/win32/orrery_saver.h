#pragma once

#include "framework/win32/saver_base.h"
#include "scene/orrery_scene.h"
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

    // The drawing steps of a frame, in the order RenderFrame runs them.
    void DrawSkyBox();
    void DrawStars();
    void DrawPlanetHalos();
    void DrawOrbits();
    void DrawDistanceLines();
    void DrawPlanets();
    void DrawRings();
    void DrawSunGlow();
    void DrawBodyNames();
    void DrawInfoPanel();
    void DrawDistanceLabels();
    void DrawFrameRate();
    void DrawPreviewTitles();

    // The four fonts of the current device (replacing any it has).
    void CreateFonts();

    // Geometry of the current device, created on `activeDevice`.
    HRESULT BuildStaticGeometry();
    HRESULT BuildOrbitGeometry();
    IDirect3DVertexBuffer8* BuildSphere(int stacks, int slices, int* vertexCount);
    IDirect3DVertexBuffer8* BuildRing(float outerRadius, float innerRadius, int segments, int* vertexCount);
    IDirect3DVertexBuffer8* BuildOrbitLine(float semiAxisX, float semiAxisZ, int segments, int* vertexCount);
    IDirect3DVertexBuffer8* BuildDistanceLine(const D3DXVECTOR3* start, const D3DXVECTOR3* end, int dashes,
                                              int* lineCount);
    // Rewrites a distance line built for `dashes` dashes; the anchor is updated only when
    // the buffer could be written (a buffer too small for `dashes` dashes is not).
    void RefillDistanceLine(IDirect3DVertexBuffer8* buffer, const D3DXVECTOR3* start, const D3DXVECTOR3* end,
                            int dashes, D3DXVECTOR3* labelAnchor);

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
    void RefillDistanceLines() override;
    void ApplyViewTransform() override;

private:
    bool MusicWanted() const;
    // The current device's fonts, textures and buffers, whatever of them exists.
    void ReleaseSceneObjects();
    void DeleteFonts();
    void DrawBillboard(const D3DXMATRIX& world, const D3DMATERIAL8& material, IDirect3DTexture8* texture);
};
