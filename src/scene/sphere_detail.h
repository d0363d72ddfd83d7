#pragma once

#include "scene/scene_geometry.h"

// Which of the five unit spheres a planet is drawn with, chosen per frame and per screen
// by the size of its outline there: the coarsest whose outline stays within half a
// pixel of the true circle, so a planet a few pixels wide costs a few dozen vertices and
// a planet filling a 4K screen shows no corners.

// The catalogue's choice for every planet: by its size on each screen. A body's
// `sphereDetail` of 0 to 4 instead fixes the mesh.
constexpr int SphereDetailBySize = -1;

// The radius in pixels of the outline of a sphere of `radius` whose centre lies
// `distance` from the eye, on a screen where a unit at depth 1 spans `focalPixels`. An eye
// inside the sphere sees no outline: the answer is then larger than any screen.
float SphereOutlinePixels(float radius, float distance, float focalPixels);

// How far, in pixels, the outline of the sphere of detail m (SphereSubdivisions[m] sides
// around its equator) falls inside the circle of `outlinePixels`.
float SphereOutlineError(int detail, float outlinePixels);

// The coarsest detail whose outline error is at most half a pixel; the finest when none is.
int SphereDetailForOutline(float outlinePixels);
