#pragma once

#include <QRect>

namespace tw {

// Window lengths are designed in twips (1/1440 inch); at 96 dots per inch a pixel is 15 twips.
class Twips {
 public:
  static constexpr int toPixels(int twips) {
    return twips >= 0 ? (twips * 2 + 15) / 30 : -((-twips * 2 + 15) / 30);
  }
  static constexpr QRect rect(int left, int top, int width, int height) {
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
  }
};

}  // namespace tw
