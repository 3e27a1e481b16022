#include "ui/dialogs/form4_counter_options.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "ui/dialogs/window_style.h"
#include "ui/main/horizontal_scroll_bar.h"
#include "ui/main/locale_number.h"

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

Form4::Form4(GlobalState& state, QWidget* parent)
    : ModalWindow(parent, "カウンタのオプション", Frame::Fixed, Icon::None), state_(state) {
  setFixedSize(px(3840), px(2835));
  setBackground(this, colors::kLightGrey);
  buildControls();
  Form_Load();
}

void Form4::buildControls() {
  Label1 = named(new QLabel("処理進行カウンタの表示まるめ", this), "Label1");
  place(Label1, 180, 180, 3360, 270);
  HScroll1 = named(new HorizontalScrollBar(kLargestStep, 1, 10, this), "HScroll1");
  place(HScroll1, 315, 990, 1305, 345);
  Text1 = named(new QLineEdit("1", this), "Text1");
  place(Text1, 315, 570, 1275, 405);
  setColors(Text1, colors::kLightGrey);
  Command1 = named(new QPushButton("確認", this), "Command1");
  Command1->setAutoDefault(false);
  place(Command1, 2475, 675, 915, 465);
  Frame1 = named(new QGroupBox("実行形態", this), "Frame1");
  place(Frame1, 150, 1500, 3540, 1215);
  Option1 = named(new QRadioButton("他のアプリと共存する", Frame1), "Option1");
  place(Option1, 225, 375, 2940, 315);
  Option2 = named(new QRadioButton("ひたすら計算する", Frame1), "Option2");
  place(Option2, 225, 750, 2565, 315);
  Option1->setChecked(true);
  setTabChain({HScroll1, Text1, Command1, Option1, Option2});

  connect(HScroll1, &QScrollBar::valueChanged, this, &Form4::HScroll1_Change);
  connect(Text1, &QLineEdit::textChanged, this, &Form4::Text1_Change);
  connect(Command1, &QPushButton::clicked, this, &Form4::Command1_Click);
}

void Form4::Form_Load() {
  move(px(2000), px(1500));
  Text1->setText(QString::number(state_.CounterStep));
  // A step of 1 rests at the left end; any other step at the step itself.
  HScroll1->setValue(state_.CounterStep == 1 ? 0 : state_.CounterStep);
  (state_.RunMode != 0 ? Option2 : Option1)->setChecked(true);
}

void Form4::HScroll1_Change() { Text1->setText(QString::number(HScroll1->value())); }

// 0 becomes 1 and anything above 200 becomes 200. The empty box and other
// text are left alone while the user types; "確認" never stores them.
void Form4::Text1_Change() {
  const std::optional<double> number = parseLocaleNumber(Text1->text());
  if (number && *number == 0) Text1->setText("1");
  const std::optional<double> again = parseLocaleNumber(Text1->text());
  if (again && *again > kLargestStep) Text1->setText(QString::number(kLargestStep));
  Text1->repaint();
}

void Form4::Command1_Click() {
  state_.CounterStep = counterStepFor(Text1->text(), state_.CounterStep);
  state_.RunMode = Option1->isChecked() ? 0 : 1;
  close();
}

}  // namespace zembra::ui
