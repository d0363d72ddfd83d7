#pragma once

#include "d3dx/d3dx_math.h"

// Where the camera is and what it looks at, for one frame.
struct CameraPose {
    D3DXVECTOR3 eye;
    D3DXVECTOR3 target;
};

// Inputs of the camera paths besides the clock.
struct CameraInputs {
    int cameraMode;         // the "Camera Settings" value, a CameraMode
    bool compact;           // the arrangement of relative distances
    D3DXVECTOR3 staticEye;  // eye of the static camera
    D3DXVECTOR3 planet;     // position of the viewed planet (planet view)
    float planetRadius;     // its radius
};

// Computes the pose for `cameraClock` (application time divided by the camera speed),
// whose angles are reduced in double before they reach single precision. Returns false,
// leaving `pose` alone, for a mode outside 0..5.
bool ComputeCameraPose(const CameraInputs& inputs, double cameraClock, CameraPose& pose);

// Left-handed look-at view with up (0, 1, 0). When the eye looks straight along the up
// axis (the chaotic camera at its start, or a static eye right above the Sun) the up
// vector would give no sideways axis; +z is used as up instead so the view stays a
// proper rotation. An eye at the target looks along +z.
D3DXMATRIX BuildViewMatrix(const D3DXVECTOR3& eye, const D3DXVECTOR3& target);
