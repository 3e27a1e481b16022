#include "ui/common/fonts.h"

#include <QApplication>

namespace zembra::ui {
namespace {

// Font sizes are given in pixels rather than points so that text keeps its
// designed proportion to the layout, which is in pixels too (a point is 4/3
// of a pixel at 96 dots per inch).
QFont designedFont(const QString& family, int pixelSize) {
  QFont font(family);
  font.setPixelSize(pixelSize);
  font.setWeight(QFont::Normal);
  return font;
}

}  // namespace

void setUpFonts() {
  QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
  QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
  // "System" is a fixed-pitch font with full-width and half-width cells;
  // IPAGothic has the same proportions, which keeps the digit groups of the
  // list in columns.
  QFont::insertSubstitution(QStringLiteral("System"), QStringLiteral("IPAGothic"));
  QApplication::setFont(dialogFont());
}

QFont formFont() { return designedFont(QStringLiteral("ＭＳ ゴシック"), 13); }

QFont pictureStripFont() { return designedFont(QStringLiteral("ＭＳ Ｐゴシック"), 12); }

QFont dialogFont() { return designedFont(QStringLiteral("ＭＳ Ｐゴシック"), 12); }

// "System" at 13.5 pt draws its characters in cells 16 pixels high, 8 wide
// for half-width and 16 wide for full-width characters: the layout measures
// its captions in those cells (four full-width characters in 960 twips).
QFont systemFont() { return designedFont(QStringLiteral("System"), 16); }

}  // namespace zembra::ui
