#pragma once

#include <QLabel>
#include <QTimer>

namespace zembra::ui {

// A label of the designed windows: opaque, in its own colours, at a fixed
// size, or as wide as its caption when it sizes itself to its text.
//
// Screen readers get its accessible name (set for the value boxes: "開始時刻",
// "カウンタ" …; else the caption) and the caption as its description, so a
// box keeps its name and tells its value. A change of caption is announced
// only while an accessibility client listens, and at most once every
// announce interval (the counter changes at every term of a run).
class CaptionLabel final : public QLabel {
  Q_OBJECT

 public:
  CaptionLabel(const QString& name, const QString& caption, QWidget* parent);

  void setColors(const QColor& back, const QColor& fore);
  // Width follows the caption from now on; the height stays.
  void setAutoSize(bool autoSize);
  bool autoSize() const { return autoSize_; }

  // Sets the caption (even to the one it has) and announces it.
  void setCaption(const QString& caption);
  // The least time between two announcements; 0 (the default): each one.
  void setAnnounceInterval(int milliseconds);

 signals:
  void captionChanged(const QString& caption);

 private:
  void fitWidth();
  void announce();

  bool autoSize_ = false;
  QTimer announced_;  // runs for the announce interval after an announcement
  bool due_ = false;  // a change came meanwhile
};

}  // namespace zembra::ui
