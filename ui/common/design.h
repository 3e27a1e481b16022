#pragma once

#include <QColor>
#include <QRect>
#include <QString>

// The design of the windows: places in twips, 15 to a device-independent
// pixel; colours written &H00BBGGRR&; and the one notice of the program's own.

namespace zembra::ui {

inline constexpr int kTwipsPerPixel = 15;

// Twips to pixels, rounded to the nearest pixel.
constexpr int px(int twips) {
  return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                    : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

constexpr int toTwips(int pixels) { return pixels * kTwipsPerPixel; }

inline QRect twipsRect(int left, int top, int width, int height) {
  return QRect(px(left), px(top), px(width), px(height));
}

// A colour written &H00BBGGRR&.
inline QColor bgrColor(unsigned bgr) {
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

// The colours the windows use by name.
namespace colors {
inline constexpr unsigned kGreen = 0x0000C000;
inline constexpr unsigned kDarkGreen = 0x00008000;
inline constexpr unsigned kWhite = 0x00FFFFFF;
inline constexpr unsigned kDarkPurple = 0x00400040;
inline constexpr unsigned kLightGrey = 0x00C0C0C0;
inline constexpr unsigned kGrey = 0x00808080;
inline constexpr unsigned kBlue = 0x00FF0000;
inline constexpr unsigned kDarkBlue = 0x00C00000;
}  // namespace colors

// The platform's system colours "window text" and "window background".
QColor windowTextColor();
QColor windowBackgroundColor();

// The largest digit count whose lines go into the main window's list.
inline constexpr double kListDigitLimit = 45000;

// The one line of a list whose digit count is too large to show: in the main
// window's list above kListDigitLimit digits, and first in the result viewer.
QString overLimitNotice();

// A path as a message box shows it: it may wrap after every "/".
QString breakablePath(const QString& path);

}  // namespace zembra::ui
