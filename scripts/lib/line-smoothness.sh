# Sourced by scripts/bench.sh and tests/e2e/scene_view_test.sh: how smooth the orbits of a
# screenshot are.
#
#   orbit_pixel_counts IMAGE GEOMETRY
#
# prints two counts for the part GEOMETRY (WxH+X+Y) of IMAGE: the orbit pixels that hold
# part of a line, blended with the sky, and those that hold all of one. Lines drawn a
# pixel wide without smoothing are all full; smooth ones mostly partial. An orbit pixel
# has the orbits' grey (0x444436: red as green, blue 0.8 of green) and stands out from
# the sky two pixels to either side, across or along the screen, which the sky's smooth
# nebulae of a like grey do not; it is full above 85 % of the orbits' green.
orbit_pixel_counts() {
  local grey='g > 0.03 && b > 0.6 * g && b < 0.92 * g && abs(r - g) < 0.06 * g + 0.008'
  local thin='g > max(p[0,-2].g, p[0,2].g) + 0.015 || g > max(p[-2,0].g, p[2,0].g) + 0.015'
  # Each pixel as 0 (no orbit), half (part of a line) or 1 (full), counted in one pass.
  convert "$1" -crop "$2" +repage -channel R -fx "(($grey) && ($thin)) ? (g > 0.85 * 68 / 255 ? 1 : 0.5) : 0" \
    -separate -format %c histogram:info: |
    awk '{ n = $1 + 0 } /gray\(255\)/ { full += n; next } /gray\(0\)/ { next } { part += n }
      END { print part + 0, full + 0 }'
}
