#include "d3dx/d3dx_math.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void ExpectMatrixNear(const D3DXMATRIX& actual, const D3DXMATRIX& expected, float tolerance = 1e-5f) {
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_NEAR(actual(r, c), expected(r, c), tolerance) << "element " << r + 1 << c + 1;
        }
    }
}

TEST(D3DXMath, TypesKeepThePublishedLayouts) {
    D3DXMATRIX m;
    m._42 = 5.0f;
    EXPECT_EQ(m.m[3][1], 5.0f);
    EXPECT_EQ(sizeof(D3DXVECTOR3), 12u);
    EXPECT_EQ(sizeof(D3DXCOLOR), 16u);
    EXPECT_EQ(sizeof(D3DXMATRIX), 64u);
}

TEST(D3DXMath, RowVectorsTransformScaleThenRotateThenTranslate) {
    D3DXMATRIX scale, rotate, move;
    D3DXMatrixScaling(&scale, 2, 2, 2);
    D3DXMatrixRotationY(&rotate, 3.14159265f / 2);
    D3DXMatrixTranslation(&move, 10, 0, 0);
    const D3DXMATRIX world = scale * rotate * move;
    D3DXVECTOR3 p(1, 0, 0), out;
    D3DXVec3TransformCoord(&out, &p, &world);
    // Left-handed rotation about y turns +x towards -z.
    EXPECT_NEAR(out.x, 10.0f, 1e-5f);
    EXPECT_NEAR(out.z, -2.0f, 1e-5f);
}

TEST(D3DXMath, RotationZTurnsXTowardsY) {
    D3DXMATRIX rotate;
    D3DXMatrixRotationZ(&rotate, 3.14159265f / 2);
    D3DXVECTOR3 p(1, 0, 0), out;
    D3DXVec3TransformCoord(&out, &p, &rotate);
    EXPECT_NEAR(out.y, 1.0f, 1e-6f);
}

TEST(D3DXMath, InverseUndoesAViewAndRefusesSingularMatrices) {
    D3DXMATRIX view, inverse, product, identity;
    const D3DXVECTOR3 eye(300, 120, -40), at(0, 0, 0), up(0, 1, 0);
    D3DXMatrixLookAtLH(&view, &eye, &at, &up);
    ASSERT_NE(D3DXMatrixInverse(&inverse, nullptr, &view), nullptr);
    D3DXMatrixMultiply(&product, &view, &inverse);
    ExpectMatrixNear(product, *D3DXMatrixIdentity(&identity), 1e-4f);
    // The inverse of a view holds the eye in its translation row.
    EXPECT_NEAR(inverse._41, 300.0f, 1e-3f);
    EXPECT_NEAR(inverse._42, 120.0f, 1e-3f);

    D3DXMATRIX singular;
    D3DXMatrixScaling(&singular, 1, 0, 1);
    float determinant = -1;
    EXPECT_EQ(D3DXMatrixInverse(&inverse, &determinant, &singular), nullptr);
    EXPECT_EQ(determinant, 0.0f);
}

TEST(D3DXMath, LookAtMapsTheTargetOntoThePositiveZAxis) {
    D3DXMATRIX view;
    const D3DXVECTOR3 eye(0, 0, -10), at(0, 0, 0), up(0, 1, 0);
    D3DXMatrixLookAtLH(&view, &eye, &at, &up);
    D3DXVECTOR3 out;
    D3DXVec3TransformCoord(&out, &at, &view);
    EXPECT_NEAR(out.x, 0.0f, 1e-6f);
    EXPECT_NEAR(out.y, 0.0f, 1e-6f);
    EXPECT_NEAR(out.z, 10.0f, 1e-6f);
}

TEST(D3DXMath, OffCenterPerspectiveMatchesTheSymmetricForm) {
    // A symmetric frustum of 90 degrees equals the field-of-view form.
    D3DXMATRIX offCenter, fov;
    D3DXMatrixPerspectiveOffCenterLH(&offCenter, -1, 1, -1, 1, 1, 100);
    D3DXMatrixPerspectiveFovLH(&fov, 3.14159265f / 2, 1.0f, 1, 100);
    ExpectMatrixNear(offCenter, fov);
    // An asymmetric one shifts the centre.
    D3DXMatrixPerspectiveOffCenterLH(&offCenter, 0, 2, -1, 1, 1, 100);
    EXPECT_NEAR(offCenter._31, -1.0f, 1e-6f);
    EXPECT_NEAR(offCenter._34, 1.0f, 1e-6f);
    EXPECT_NEAR(offCenter._43, -100.0f / 99.0f, 1e-5f);
}

TEST(D3DXMath, NormalizeKeepsAZeroVectorFiniteAndLengthsAgree) {
    D3DXVECTOR3 zero(0, 0, 0), out(1, 1, 1);
    D3DXVec3Normalize(&out, &zero);
    EXPECT_EQ(out, D3DXVECTOR3(0, 0, 0));
    D3DXVECTOR3 v(3, 4, 12);
    EXPECT_FLOAT_EQ(D3DXVec3Length(&v), 13.0f);
    EXPECT_FLOAT_EQ(D3DXVec3LengthSq(&v), 169.0f);
    D3DXVec3Normalize(&out, &v);
    EXPECT_NEAR(D3DXVec3Length(&out), 1.0f, 1e-6f);
}

TEST(D3DXMath, ColourPacksClampedArgb) {
    EXPECT_EQ(D3DXCOLOR(1.0f, 0.0f, 0.5f, 2.0f).ToArgb(), 0xFFFF0080u);
    EXPECT_EQ(D3DXCOLOR(-1.0f, NAN, 1.0f, 0.0f).ToArgb(), 0x000000FFu);
    const D3DXCOLOR unpacked(static_cast<D3DCOLOR>(0xC8FFFF00u));
    EXPECT_FLOAT_EQ(unpacked.a, 200.0f / 255.0f);
    EXPECT_FLOAT_EQ(unpacked.b, 0.0f);
}

}  // namespace
