#include <cstring>

#include "scene/orrery_scene.h"
#include "scene/reduced_angle.h"

namespace {

constexpr double SpinRate = 1.0 / 6.0;  // radians per second, every body alike
constexpr float NameScale = 2.5f;
constexpr float NameLiftDivisor = 2.0f;
constexpr float PlanetViewNameScale = 1.5f;
constexpr float ViewedNameLiftDivisor = 1.2f;
constexpr float StarBoxEyeHeight = -0.3f;

}  // namespace

D3DXMATRIX OrreryScene::BillboardMatrix(float scale, const D3DXVECTOR3& position) const {
    // A frame draws some thirty billboards under one view: the inverse is worked out once
    // for each new view. A view that cannot be inverted (eye on its target) leaves the
    // billboard unrotated.
    if (!billboardInverseValid_ || std::memcmp(&billboardView_, &viewMatrix, sizeof(viewMatrix)) != 0) {
        D3DXMatrixIdentity(&billboardInverse_);
        D3DXMatrixInverse(&billboardInverse_, nullptr, &viewMatrix);
        billboardView_ = viewMatrix;
        billboardInverseValid_ = true;
    }
    const D3DXMATRIX& inverse = billboardInverse_;
    D3DXMATRIX scaling;
    D3DXMatrixScaling(&scaling, scale, scale, scale);
    D3DXMATRIX billboard;
    D3DXMatrixMultiply(&billboard, &inverse, &scaling);
    billboard._41 = position.x;
    billboard._42 = position.y;
    billboard._43 = position.z;
    return billboard;
}

D3DXMATRIX OrreryScene::BodyWorldMatrix(int body, float angle, double time) const {
    const PlanetRecord& record = bodies[body];
    D3DXMATRIX scaling, spin, tilt, translation;
    D3DXMatrixScaling(&scaling, record.radius, record.radius, record.radius);
    D3DXMatrixRotationY(&spin, ReducedAngle(time * SpinRate));
    D3DXMatrixRotationZ(&tilt, angle);
    D3DXMatrixTranslation(&translation, record.position.x, record.position.y, record.position.z);
    return scaling * spin * tilt * translation;
}

D3DXMATRIX OrreryScene::StarBoxView() const {
    D3DXMATRIX view = viewMatrix;
    view._41 = 0.0f;
    view._42 = StarBoxEyeHeight;
    view._43 = 0.0f;
    return view;
}

D3DXMATRIX OrreryScene::BodyNameMatrix(int body, float fontScale) const {
    const PlanetRecord& record = bodies[body];
    float scale = NameScale;
    float liftDivisor = NameLiftDivisor;
    if (settings.cameraSettings == CameraPlanetView) {
        scale = PlanetViewNameScale;
        if (body == ViewedPlanet()) {
            scale = record.radius / 2.0f;
            liftDivisor = ViewedNameLiftDivisor;
        }
    }
    const D3DXVECTOR3 anchor(record.position.x, record.position.y + record.haloSize / liftDivisor,
                             record.position.z);
    return BillboardMatrix(scale / fontScale, anchor);
}

D3DXMATRIX OrreryScene::DistanceLabelMatrix(int body, float fontScale) const {
    const D3DXVECTOR3& anchor = bodies[body].distanceLabelPos;
    return BillboardMatrix(1.0f / fontScale, D3DXVECTOR3(anchor.x, anchor.y + 1.0f, anchor.z));
}

D3DLIGHT8 OrreryScene::SunLightValues() {
    D3DLIGHT8 light;
    std::memset(&light, 0, sizeof(light));
    light.Type = D3DLIGHT_POINT;
    light.Diffuse = D3DCOLORVALUE{0.8f, 0.8f, 0.1f, 0.0f};
    light.Range = 3000.0f;
    light.Attenuation0 = 0.2f;
    light.Attenuation1 = 0.00005f;
    return light;
}
