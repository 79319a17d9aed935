#pragma once
// What a user may choose about a conversion beyond its files. The window converts with
// the defaults: a 2D polyline of the rows as its comma scanner reads them.

#include "engine/point_layout.h"
#include "engine/polyline_kind.h"

#include <optional>

namespace sorvane {

struct ConversionOptions {
  PolylineKind polyline = PolylineKind::Flat;
  // How the rows are laid out; see StrictLayout.
  std::optional<PointLayout> layout = std::nullopt;
  // The polyline closes on its first vertex.
  bool closed = false;
  // Each point gets a POINT and a TEXT of its name there, from a second reading of the
  // point file; a layout without a name column gives none.
  bool labels = false;
  // The labels' height; the template's $TEXTSIZE when not given.
  std::optional<double> textHeight = std::nullopt;

  // The layout the rows are read by, strictly, when any of the choices above is made:
  // `layout`, or X, Y and Z separated by commas. Nullopt for the comma scanner.
  std::optional<PointLayout> StrictLayout() const {
    if (layout) return layout;
    if (closed || labels) return PointLayout{};
    return std::nullopt;
  }
};

}  // namespace sorvane
