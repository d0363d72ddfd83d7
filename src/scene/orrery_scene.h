#pragma once

#include <cstdint>
#include <vector>

#include "d3dx/d3dx_math.h"
#include "scene/planet_record.h"
#include "scene/scene_geometry.h"
#include "scene/star_field.h"
#include "scene/todays_sky.h"
#include "settings/orrery_settings.h"

constexpr int FrameRateTextSize = 16;  // "9999999.99 fps" with its terminator

// The simulated scene without any device: the body table, the counts of the generated
// meshes, the camera, light and information-panel state, and the per-frame motion. The
// application class adds the Direct3D objects; the few places where a frame reaches the
// device are the virtual hooks at the end.
class OrreryScene {
public:
    // Milliseconds since some fixed start (the system's timeGetTime on Windows).
    using MillisecondClock = uint32_t (*)();
    // The present moment as a Julian day, UTC (the system clock).
    using PresentClock = double (*)();

    OrreryScene();
    virtual ~OrreryScene() = default;

    // Catalogue.
    void InitCatalogue();
    void FillBodyNames();
    uint32_t NextRandom(uint32_t low, uint32_t high);

    // The orbits' polylines from the catalogue, for the arrangement; after InitCatalogue.
    void BuildOrbitLines();

    // Frame update, steps 1 to 6; the application adds the music keep-alive.
    // `time`: application time in seconds; a double, so that days of running keep the
    // motion smooth (every angle is reduced before it goes to single precision).
    void AdvanceScene(double time);
    void UpdateBodyPositions();
    // The dashes of the distance lines towards where the planets are, and their labels'
    // anchors.
    void UpdateDistanceLines();
    void InfoTicker(double time);
    void CameraStep();
    void UpdateRingOrder();

    // Music keep-alive clock: true when more than 1.5 s gathered since the last poll.
    bool MusicPollDue(double time);

    // The "Planet to View" setting as a body index, kept within 1..9.
    int ViewedPlanet() const;

    // World transforms of the drawing. A billboard faces the camera of `viewMatrix`,
    // scaled by `scale` and standing at `position`.
    D3DXMATRIX BillboardMatrix(float scale, const D3DXVECTOR3& position) const;
    // A body's unit sphere (or ring): scaled by its radius, spun about Y by time / 6,
    // tilted about Z by `angle`, moved to its position.
    D3DXMATRIX BodyWorldMatrix(int body, float angle, double time) const;
    // The camera's view with the eye held at the star box's centre, so the box turns
    // with the camera but never comes nearer.
    D3DXMATRIX StarBoxView() const;
    // A body's name above its halo; in the planet view the viewed planet's name is
    // sized to the planet and the others are drawn smaller. The scale is divided by
    // `fontScale`, the name font's size over the size the scales were made for.
    D3DXMATRIX BodyNameMatrix(int body, float fontScale = 1.0f) const;
    // A distance label a unit above the middle of its line, its scale divided likewise.
    D3DXMATRIX DistanceLabelMatrix(int body, float fontScale = 1.0f) const;
    // The point light in the Sun.
    static D3DLIGHT8 SunLightValues();

    OrrerySettings settings;
    PlanetRecord bodies[BodyCount];

    // Vertex counts of the meshes, shared by every device.
    int skyBoxVertexCount;
    int quadVertexCount;
    int sphereVertexCounts[SphereDetailCount];
    int ringVertexCounts[RingCount];
    int starCounts[StarSizeCount];  // stars of each size class, one after the other

    // Camera and lighting.
    D3DXVECTOR3 eyePos;
    D3DXVECTOR3 lookAtPos;
    D3DXVECTOR3 staticEyePos;
    D3DXMATRIX viewMatrix;
    D3DLIGHT8 sunLight;
    D3DXCOLOR skyBoxColour;
    D3DXCOLOR sunBaseColour;
    bool saturnNearerThanSun;

    // Information panel and frame-rate text.
    bool planetViewActive;
    char infoLines[InfoLineCount][InfoLineSize];
    uint32_t infoCharsShown;
    double infoCycleStart;
    float infoPhaseTime;
    int infoTextAlpha;
    char frameRateText[FrameRateTextSize];

    // Music keep-alive timing, seconds.
    double musicClockLast;
    float musicClockSum;

    uint32_t randomState;
    int screenWidth;
    int screenHeight;

    // Clocks of the current update: orbit angle time and camera time.
    double orbitClock;
    double cameraClock;

    // The lines, in world units, that every screen draws as ribbons of its own width:
    // each orbit as a closed polyline (none for the Sun), each distance line's dashes by
    // their two ends.
    std::vector<D3DXVECTOR3> orbitLines[BodyCount];
    D3DXVECTOR3 distanceDashPoints[BodyCount][DistanceDashPointCount];

    // Seeds the static camera's eye; the Windows side supplies timeGetTime.
    MillisecondClock millisecondClock;

    // Today's sky: its date starts at the present with the first update of a run.
    TodaysSky sky;
    bool skyStarted;
    // The distance each label shows, in thousandths of an au: written again only when it
    // changes, which for most planets is seldom.
    long skyLabelThousandths[BodyCount];
    PresentClock presentClock;

protected:
    // Hands `viewMatrix` to the device.
    virtual void ApplyViewTransform() {}

private:
    void InitSun();
    void ChooseStaticEye();
    void SetUpPlanetView();
    void RevealInfoLines(uint32_t shown);
    void RestartInfoCycle(double time);
    float CameraSpeedDivisor() const;
    bool AdvanceSky(double time);
    void PlaceSkyPlanets();

    // BillboardMatrix's inverse of the view it last saw.
    mutable D3DXMATRIX billboardView_;
    mutable D3DXMATRIX billboardInverse_;
    mutable bool billboardInverseValid_ = false;
};
