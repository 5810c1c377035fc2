#include "ui/tools/ProductMark.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <algorithm>
#include <cstdio>

namespace zbe::art {
namespace {

// The geometry on a 48-unit tile, shared by the painted and the SVG mark.
constexpr double kTile = 48;
constexpr double kTileRadius = 12;
constexpr unsigned kTopColor = 0x3B82F6;  // the tile's gradient, top to bottom
constexpr unsigned kBottomColor = 0x1D4ED8;
struct Box {
  double x, y, width, height, radius;
};
struct Point {
  double x, y;
};
// The white drawing on the tile: a phone with an arrow coming down and out of it.
struct Drawing {
  double stroke;
  Box phone;
  Point shaft[2];
  Point arrowHead[3];
  bool homeBar;  // the bar at the bottom of the screen
  Point bar[2];
};
constexpr Drawing kDetailed = {
    2.4,  {14.5, 7.5, 19, 33, 4.5}, {{24, 14}, {24, 28}}, {{19.5, 23.5}, {24, 28}, {28.5, 23.5}},
    true, {{20, 34}, {28, 34}}};
// For a few pixels: a larger phone and arrow in bolder strokes, and no home bar, which would
// blur into the arrow.
constexpr Drawing kSimple = {4.4,
                             {12.5, 5.5, 23, 37, 6},
                             {{24, 12}, {24, 31}},
                             {{16.5, 23.5}, {24, 31}, {31.5, 23.5}},
                             false,
                             {}};

QPainterPath Polyline(std::initializer_list<Point> points) {
  QPainterPath path;
  bool first = true;
  for (const Point& point : points) {
    if (first) {
      path.moveTo(point.x, point.y);
    } else {
      path.lineTo(point.x, point.y);
    }
    first = false;
  }
  return path;
}

}  // namespace

void DrawProductMark(QPainter& painter, const QRectF& tile, bool simple) {
  const Drawing& d = simple ? kSimple : kDetailed;
  painter.save();
  painter.translate(tile.topLeft());
  const double scale = tile.width() / kTile;
  painter.scale(scale, scale);

  QLinearGradient gradient(0, 0, 0, kTile);
  gradient.setColorAt(0, QColor::fromRgb(kTopColor));
  gradient.setColorAt(1, QColor::fromRgb(kBottomColor));
  painter.setPen(Qt::NoPen);
  painter.setBrush(gradient);
  painter.drawRoundedRect(QRectF(0, 0, kTile, kTile), kTileRadius, kTileRadius);

  QPen pen(Qt::white, d.stroke);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(QRectF(d.phone.x, d.phone.y, d.phone.width, d.phone.height),
                          d.phone.radius, d.phone.radius);
  painter.drawPath(Polyline({d.shaft[0], d.shaft[1]}));
  painter.drawPath(Polyline({d.arrowHead[0], d.arrowHead[1], d.arrowHead[2]}));
  if (d.homeBar) {
    painter.drawPath(Polyline({d.bar[0], d.bar[1]}));
  }
  painter.restore();
}

std::string ProductMarkSvg(double size, double margin) {
  auto number = [](double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return std::string(text);
  };
  auto point = [&](const Point& p) { return number(p.x) + " " + number(p.y); };
  auto color = [](unsigned rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", rgb);
    return std::string(text);
  };
  const Drawing& d = kDetailed;
  const std::string s = number(size);
  std::string svg;
  svg += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + s + "\" height=\"" + s +
         "\" viewBox=\"0 0 " + s + " " + s + "\">\n";
  svg += "  <defs>\n";
  svg += "    <linearGradient id=\"tile\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"" + number(kTile) +
         "\" gradientUnits=\"userSpaceOnUse\">\n";
  svg += "      <stop offset=\"0\" stop-color=\"" + color(kTopColor) + "\"/>\n";
  svg += "      <stop offset=\"1\" stop-color=\"" + color(kBottomColor) + "\"/>\n";
  svg += "    </linearGradient>\n";
  svg += "  </defs>\n";
  svg += "  <g transform=\"translate(" + number(margin) + " " + number(margin) + ") scale(" +
         number((size - 2 * margin) / kTile) + ")\">\n";
  svg += "    <rect width=\"" + number(kTile) + "\" height=\"" + number(kTile) + "\" rx=\"" +
         number(kTileRadius) + "\" fill=\"url(#tile)\"/>\n";
  svg += "    <g fill=\"none\" stroke=\"#FFFFFF\" stroke-width=\"" + number(d.stroke) +
         "\" stroke-linecap=\"round\" stroke-linejoin=\"round\">\n";
  svg += "      <rect x=\"" + number(d.phone.x) + "\" y=\"" + number(d.phone.y) + "\" width=\"" +
         number(d.phone.width) + "\" height=\"" + number(d.phone.height) + "\" rx=\"" +
         number(d.phone.radius) + "\"/>\n";
  svg += "      <path d=\"M" + point(d.shaft[0]) + " L" + point(d.shaft[1]) + " M" +
         point(d.arrowHead[0]) + " L" + point(d.arrowHead[1]) + " L" + point(d.arrowHead[2]) +
         " M" + point(d.bar[0]) + " L" + point(d.bar[1]) + "\"/>\n";
  svg += "    </g>\n";
  svg += "  </g>\n";
  svg += "</svg>\n";
  return svg;
}

}  // namespace zbe::art
