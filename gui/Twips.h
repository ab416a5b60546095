#pragma once

namespace tw {

// Window lengths are designed in twips (1/1440 inch); at 96 dots per inch a pixel is 15 twips.
constexpr int twipsToPixels(int twips) {
  return twips >= 0 ? (twips * 2 + 15) / 30 : -((-twips * 2 + 15) / 30);
}

// A length in pixels less a length in twips, rounded to whole pixels and never below zero.
constexpr int pixelsLessTwips(int pixels, int twips) {
  const int rest = pixels * 15 - twips;
  return rest <= 0 ? 0 : (rest * 2 + 15) / 30;
}

}  // namespace tw
