#pragma once
// Which polyline a drawing holds the points in.

namespace sorvane {

// Flat: the POLYLINE has no group 70, so readers take it for a 2D polyline and may put
// every vertex at one height. ThreeD: flags 8 on the POLYLINE and 32 on each VERTEX make
// it a 3D polyline, whose vertices keep their Z in every reader.
enum class PolylineKind { Flat, ThreeD };

}  // namespace sorvane
