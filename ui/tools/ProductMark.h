#pragma once

#include <string>

class QPainter;
class QRectF;

namespace zbe::art {

// The product mark: a rounded blue tile with a phone whose content comes down and out of it. The
// skin's logo and the desktop icons draw it; both drawings below use one geometry, laid out on a
// tile of 48 x 48 units.

// Paints the mark with "painter" into the square "tile" (in the painter's coordinates; the
// painter's state is restored afterwards). "simple" draws the variant for tiles of a few pixels:
// fewer, bolder strokes.
void DrawProductMark(QPainter& painter, const QRectF& tile, bool simple = false);

// The mark (the detailed variant) as a standalone SVG document, "size" x "size" user units, with
// the tile inset by "margin" on every side.
std::string ProductMarkSvg(double size, double margin);

}  // namespace zbe::art
