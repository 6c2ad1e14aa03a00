#pragma once

#include <cstdint>
#include <vector>

namespace ploven {

// Text this many times brighter (or darker) than its background reads comfortably.
inline constexpr double kReadableContrast = 4.5;

// Colours are COLORREF numbers (red in the low byte), as the settings keep them.
constexpr uint32_t ColourRef(int red, int green, int blue) {
  return static_cast<uint32_t>(red & 0xff) | static_cast<uint32_t>(green & 0xff) << 8 |
         static_cast<uint32_t>(blue & 0xff) << 16;
}

// How bright a colour looks, from 0 (black) to 1 (white), weighting green most.
double RelativeLuminance(uint32_t colour);
// The ratio of the lighter colour's luminance to the darker's, each plus 0.05: 1 to 21.
double ContrastRatio(uint32_t a, uint32_t b);
// The colour seen when `front` is drawn with opacity `alpha` (0..255) over `back`.
uint32_t BlendOver(uint32_t front, int alpha, uint32_t back);

// `ink` deepened (on light backgrounds; lightened on dark ones) just enough to reach `ratio`
// against every one of the backgrounds, keeping its hue. The first background decides the
// direction; a colour that reads already comes back as it is.
uint32_t ReadableOn(uint32_t ink, const std::vector<uint32_t>& backgrounds,
                    double ratio = kReadableContrast);

}  // namespace ploven
