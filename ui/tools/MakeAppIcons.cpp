// Draws the desktop icons of the application: the product mark as PNG files of every size the
// desktop's icon themes use, and as a scalable SVG file, laid out as the hicolor theme expects:
//   make-app-icons <output folder> <icon name>
// writes <output folder>/hicolor/<N>x<N>/apps/<icon name>.png and
// <output folder>/hicolor/scalable/apps/<icon name>.svg. Runs at build time.
#include <QImage>
#include <QPainter>
#include <QString>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "ui/tools/ProductMark.h"

namespace {

constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256, 512};

// The tile leaves a sixteenth of the icon free on each side, whole pixels so its edges stay sharp.
double Margin(double size) {
  return std::round(size / 16);
}

bool WritePng(const std::filesystem::path& file, int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const double margin = Margin(size);
    // Below 32 pixels the detailed mark's strokes would be fainter than one pixel.
    zbe::art::DrawProductMark(painter, QRectF(margin, margin, size - 2 * margin, size - 2 * margin),
                              size < 32);
  }
  return image.save(QString::fromStdString(file.string()), "PNG");
}

bool WriteText(const std::filesystem::path& file, const std::string& text) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << text;
  return static_cast<bool>(out.flush());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <output folder> <icon name>\n", argv[0]);
    return 2;
  }
  const std::filesystem::path hicolor = std::filesystem::path(argv[1]) / "hicolor";
  const std::string name = argv[2];
  std::error_code error;
  bool ok = true;
  for (int size : kSizes) {
    const std::string edge = std::to_string(size);
    const std::filesystem::path folder = hicolor / (edge + "x" + edge) / "apps";
    std::filesystem::create_directories(folder, error);
    ok = WritePng(folder / (name + ".png"), size) && ok;
  }
  const std::filesystem::path scalable = hicolor / "scalable" / "apps";
  std::filesystem::create_directories(scalable, error);
  ok = WriteText(scalable / (name + ".svg"), zbe::art::ProductMarkSvg(512, Margin(512))) && ok;
  if (!ok) {
    std::fprintf(stderr, "make-app-icons: cannot write the icons into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
