#include "ui/common/caption_label.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <utility>

#include "ui/common/screen_readers.h"

namespace zembra::ui {
namespace {

// A value box: its name as set, its caption (the value) as the description;
// any other label: its caption as its name.
class CaptionLabelAccessible final : public QAccessibleWidget {
 public:
  explicit CaptionLabelAccessible(QWidget* label)
      : QAccessibleWidget(label, QAccessible::StaticText) {}

  QString text(QAccessible::Text which) const override {
    const QString caption = static_cast<const QLabel*>(widget())->text().trimmed();
    const QString name = widget()->accessibleName();
    if (which == QAccessible::Description) return name.isEmpty() ? QString() : caption;
    if (which == QAccessible::Name) return name.isEmpty() ? caption : name;
    return QAccessibleWidget::text(which);
  }
};

QAccessibleInterface* captionLabelAccessible(const QString& className, QObject* object) {
  if (className != QLatin1String(CaptionLabel::staticMetaObject.className())) return nullptr;
  return new CaptionLabelAccessible(static_cast<QWidget*>(object));
}

}  // namespace

CaptionLabel::CaptionLabel(const QString& name, const QString& caption, QWidget* parent)
    : QLabel(caption, parent) {
  setObjectName(name);
  // Plain text: no rich-text guess on every change, and "<" shows as "<".
  setTextFormat(Qt::PlainText);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setAutoFillBackground(true);
  static const bool installed = (QAccessible::installFactory(&captionLabelAccessible), true);
  (void)installed;
  announced_.setSingleShot(true);
  connect(&announced_, &QTimer::timeout, this, [this] {
    if (std::exchange(due_, false)) announce();
  });
}

void CaptionLabel::setAnnounceInterval(int milliseconds) { announced_.setInterval(milliseconds); }

void CaptionLabel::announce() {
  if (!screenReaders().listening()) return;
  if (announced_.isActive()) {
    due_ = true;
    return;
  }
  QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
  tellScreenReaders(changed);
  if (announced_.interval() > 0) announced_.start();
}

void CaptionLabel::setColors(const QColor& back, const QColor& fore) {
  QPalette colors = palette();
  colors.setColor(QPalette::Window, back);
  colors.setColor(QPalette::WindowText, fore);
  setPalette(colors);
}

void CaptionLabel::setAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  if (autoSize_) fitWidth();
}

void CaptionLabel::setCaption(const QString& caption) {
  setText(caption);
  if (autoSize_) fitWidth();
  announce();
  emit captionChanged(caption);
}

// A fixed size also spares the parent a layout request at every change.
void CaptionLabel::fitWidth() { setFixedSize(fontMetrics().horizontalAdvance(text()), height()); }

}  // namespace zembra::ui
