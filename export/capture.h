// Capturing a plot's picture as a 16-colour bitmap.
#pragma once

#include <functional>

#include "gdi_bitmap.h"

class QPainter;

namespace tarvik {

// The fixed 16 colours every captured picture is reduced to.
const Gdi::palette& capture_palette();

// Renders `draw` on a white background into an image one pixel larger in each direction than
// the client area (no antialiasing), then reduces every pixel to the nearest capture palette
// colour. The result's hbitmap() is false when the image could not be made.
Gdi::dib capture_image(int client_width, int client_height,
                       const std::function<void(QPainter&)>& draw);

}  // namespace tarvik
