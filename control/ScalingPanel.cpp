#include "ScalingPanel.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <cmath>
#include <functional>
#include <utility>

namespace Ywindow {

namespace {

// A scale option. Clicking the option already selected keeps it selected and reports it again.
class ScaleOption final : public QRadioButton {
 public:
  ScaleOption(const QString& caption, QWidget* parent, std::function<void()> reselected)
      : QRadioButton(caption, parent), reselected_(std::move(reselected)) {
    // Exclusive by hand, so that every option can also be unselected.
    setAutoExclusive(false);
  }

 protected:
  void nextCheckState() override {
    if (isChecked()) {
      reselected_();
    } else {
      setChecked(true);
    }
  }

 private:
  std::function<void()> reselected_;
};

struct OptionLayout {
  int index;
  const char* caption;
  int top;
};

constexpr OptionLayout kOptions[] = {
    {0, "Automatic", 1200}, {1, "Day", 1440}, {7, "Week", 1680}, {30, "Month", 1920}, {90, "Quarter", 2160},
};

}  // namespace

ScalingPanel::ScalingPanel(double twipsPerPixel, QWidget* parent)
    : QGroupBox(QStringLiteral("Scaling"), parent),
      earliestText_(new QLineEdit(this)),
      latestText_(new QLineEdit(this)) {
  const auto place = [twipsPerPixel](QWidget* widget, int left, int top, int width, int height) {
    const auto pixels = [twipsPerPixel](int twips) { return static_cast<int>(std::lround(twips / twipsPerPixel)); };
    widget->setGeometry(pixels(left), pixels(top), pixels(width), pixels(height));
  };
  place(this, 120, 120, 1692, 2532);
  earliestText_->setObjectName(QStringLiteral("EarliestText"));
  place(earliestText_, 240, 240, 1212, 288);
  auto* to = new QLabel(QStringLiteral("to"), this);
  to->setAlignment(Qt::AlignCenter);
  place(to, 240, 600, 1212, 252);
  latestText_->setObjectName(QStringLiteral("LatestText"));
  place(latestText_, 240, 840, 1212, 288);

  for (const OptionLayout& layout : kOptions) {
    const int index = layout.index;
    auto* option =
        new ScaleOption(QString::fromLatin1(layout.caption), this, [this, index] { emit OptionSelected(index); });
    option->setObjectName(QStringLiteral("ScalingOption%1").arg(index));
    place(option, 240, layout.top, 1215, 240);
    options_.insert(index, option);
    connect(option, &QRadioButton::toggled, this, [this, index](bool checked) { OnToggled(index, checked); });
  }
  connect(earliestText_, &QLineEdit::textChanged, this, &ScalingPanel::EarliestTextChanged);
  connect(latestText_, &QLineEdit::textChanged, this, &ScalingPanel::LatestTextChanged);
}

QString ScalingPanel::EarliestText() const { return earliestText_->text(); }
void ScalingPanel::SetEarliestText(const QString& text) { earliestText_->setText(text); }
QString ScalingPanel::LatestText() const { return latestText_->text(); }
void ScalingPanel::SetLatestText(const QString& text) { latestText_->setText(text); }

int ScalingPanel::SelectedOption() const {
  for (auto option = options_.cbegin(); option != options_.cend(); ++option) {
    if (option.value()->isChecked()) return option.key();
  }
  return -1;
}

bool ScalingPanel::IsSelected(int index) const {
  const QRadioButton* option = options_.value(index);
  return option != nullptr && option->isChecked();
}

void ScalingPanel::Select(int index) {
  if (QRadioButton* option = options_.value(index)) option->setChecked(true);
}

void ScalingPanel::Unselect(int index) {
  if (QRadioButton* option = options_.value(index)) option->setChecked(false);
}

void ScalingPanel::UnselectAll() {
  for (QRadioButton* option : options_) option->setChecked(false);
}

void ScalingPanel::OnToggled(int index, bool checked) {
  if (!checked) return;
  for (auto option = options_.cbegin(); option != options_.cend(); ++option) {
    if (option.key() != index) option.value()->setChecked(false);
  }
  emit OptionSelected(index);
}

}  // namespace Ywindow
