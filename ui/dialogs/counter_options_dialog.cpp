#include "ui/dialogs/counter_options_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "ui/common/horizontal_scroll_bar.h"
#include "ui/common/locale_number.h"
#include "ui/common/number_box.h"
#include "ui/common/window_style.h"

namespace zembra::ui {
namespace {

constexpr int kLargestStep = 200;

}  // namespace

std::int16_t counterStepFor(const QString& text, std::int16_t previous) {
  const std::optional<double> number = parseLocaleNumber(text);
  if (!number) return previous;
  if (*number > kLargestStep) return kLargestStep;
  const std::optional<std::int16_t> rounded = parseLocaleInteger16(text);
  if (!rounded || *rounded < 1) return 1;
  return *rounded;
}

CounterOptionsDialog::CounterOptionsDialog(RunSettings& settings, QWidget* parent)
    : ModalWindow(parent, "カウンタのオプション", Frame::Fixed, Icon::None), settings_(settings) {
  setFixedSize(px(3840), px(2835));
  setBackground(this, colors::kLightGrey);
  buildControls();
  showSettings();
}

void CounterOptionsDialog::buildControls() {
  titleLabel_ = named(new QLabel("処理進行カウンタの表示まるめ", this), "Label1");
  place(titleLabel_, 180, 180, 3360, 270);
  stepScrollBar_ = named(new HorizontalScrollBar(kLargestStep, 1, 10, this), "HScroll1");
  place(stepScrollBar_, 315, 990, 1305, 345);
  stepEdit_ = named(new QLineEdit("1", this), "Text1");
  place(stepEdit_, 315, 570, 1275, 405);
  setColors(stepEdit_, colors::kLightGrey);
  confirmButton_ = makeConfirmButton(2475, 675, 915, 465, false);
  runModeFrame_ = named(new QGroupBox("実行形態", this), "Frame1");
  place(runModeFrame_, 150, 1500, 3540, 1215);
  coexistOption_ = named(new QRadioButton("他のアプリと共存する", runModeFrame_), "Option1");
  place(coexistOption_, 225, 375, 2940, 315);
  computeOnlyOption_ = named(new QRadioButton("ひたすら計算する", runModeFrame_), "Option2");
  place(computeOnlyOption_, 225, 750, 2565, 315);
  coexistOption_->setChecked(true);
  // The step's box and bar tell screen readers the title above them (their roles tell them apart).
  for (QWidget* step : {static_cast<QWidget*>(stepEdit_), static_cast<QWidget*>(stepScrollBar_)}) {
    step->setAccessibleName(titleLabel_->text());
  }
  setTabChain({stepScrollBar_, stepEdit_, confirmButton_, coexistOption_, computeOnlyOption_});

  connect(stepScrollBar_, &QScrollBar::valueChanged, this, &CounterOptionsDialog::onScrollBarMoved);
  connect(stepEdit_, &QLineEdit::textChanged, this, &CounterOptionsDialog::onStepEdited);
  connect(confirmButton_, &QPushButton::clicked, this, &CounterOptionsDialog::onConfirm);
  for (QRadioButton* option : {coexistOption_, computeOnlyOption_}) {
    connect(option, &QRadioButton::toggled, this, &CounterOptionsDialog::tabToCheckedOption);
  }
}

// Tab comes into the run mode group on the option checked, as into any group
// of options; the arrow keys move within it.
void CounterOptionsDialog::tabToCheckedOption() {
  for (QRadioButton* option : {coexistOption_, computeOnlyOption_}) {
    option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
  }
}

void CounterOptionsDialog::showSettings() {
  move(px(2000), px(1500));
  stepEdit_->setText(QString::number(settings_.counterStep));
  // A step of 1 rests at the left end; any other step at the step itself.
  stepScrollBar_->setValue(settings_.counterStep == 1 ? 0 : settings_.counterStep);
  (settings_.yieldWhileComputing ? coexistOption_ : computeOnlyOption_)->setChecked(true);
  tabToCheckedOption();
}

void CounterOptionsDialog::onScrollBarMoved() {
  stepEdit_->setText(QString::number(stepScrollBar_->value()));
}

// 0 becomes 1 and anything above 200 becomes 200. The empty box and other
// text are left alone while the user types; "確認" never stores them.
void CounterOptionsDialog::onStepEdited() {
  const bool done = correctNumberBox(
      *stepEdit_, {{[](std::optional<double> step) { return step && *step == 0; }, "1"},
                   {[](std::optional<double> step) { return step && *step > kLargestStep; },
                    QString::number(kLargestStep)}});
  if (done) stepEdit_->repaint();
}

void CounterOptionsDialog::onConfirm() {
  settings_.counterStep = counterStepFor(stepEdit_->text(), settings_.counterStep);
  settings_.yieldWhileComputing = coexistOption_->isChecked();
  close();
}

}  // namespace zembra::ui
