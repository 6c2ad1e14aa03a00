#include "present/colour_contrast.h"

#include <algorithm>
#include <cmath>

namespace ploven {

namespace {

int Part(uint32_t colour, int shift) { return static_cast<int>((colour >> shift) & 0xff); }

// A channel of the sRGB screen colour in linear light.
double Linear(int channel) {
  const double c = channel / 255.0;
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

}  // namespace

double RelativeLuminance(uint32_t colour) {
  return 0.2126 * Linear(Part(colour, 0)) + 0.7152 * Linear(Part(colour, 8)) +
         0.0722 * Linear(Part(colour, 16));
}

double ContrastRatio(uint32_t a, uint32_t b) {
  const double la = RelativeLuminance(a);
  const double lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

uint32_t BlendOver(uint32_t front, int alpha, uint32_t back) {
  alpha = std::clamp(alpha, 0, 255);
  auto mix = [&](int shift) {
    return (Part(front, shift) * alpha + Part(back, shift) * (255 - alpha) + 127) / 255;
  };
  return ColourRef(mix(0), mix(8), mix(16));
}

uint32_t ReadableOn(uint32_t ink, const std::vector<uint32_t>& backgrounds, double ratio) {
  if (backgrounds.empty()) return ink;
  auto weakest = [&](uint32_t c) {
    double w = 21;
    for (uint32_t b : backgrounds) w = std::min(w, ContrastRatio(c, b));
    return w;
  };
  // Toward black on a light background, toward white on a dark one.
  const uint32_t target =
      RelativeLuminance(backgrounds.front()) > 0.18 ? ColourRef(0, 0, 0) : ColourRef(255, 255, 255);
  uint32_t c = ink;
  for (int alpha = 8; weakest(c) < ratio && alpha <= 255; alpha += 8)
    c = BlendOver(target, alpha, ink);
  return weakest(c) < ratio ? target : c;
}

}  // namespace ploven
