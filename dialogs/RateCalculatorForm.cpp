#include "RateCalculatorForm.h"

#include "Format.h"
#include "Guard.h"
#include "MoneyText.h"

#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPalette>
#include <QPushButton>

namespace {

// The calculator's starting multipliers; it does not read the resource's shift.
constexpr double kBurdenedMultiplier = 1.5;
constexpr double kOvertimeMultiplier = 1.5;
constexpr double kOffDayMultiplier = 2;
constexpr double kHolidayMultiplier = 3;

constexpr int kCopyGrey = 192;

QString AmountText(const std::optional<praxel::Currency>& amount) {
  return amount ? Common::FormatCurrency(*amount) : QString();
}

}  // namespace

RateCalculatorForm::RateCalculatorForm(QWidget* parent)
    : EntryForm(QStringLiteral("Burdened Rate Calculator"), QStringLiteral("RateCalculatorForm"), parent),
      hourlyRateInput_(new MoneyText(this)),
      burdenedMultiplierText_(NewTextBox(QStringLiteral("BurdenedMultiplierText"), false)),
      overtimeMultiplierText_(NewTextBox(QStringLiteral("OvertimeMultiplierText"), false)),
      offDayMultiplierText_(NewTextBox(QStringLiteral("OffDayMultiplierText"), false)),
      holidayMultiplierText_(NewTextBox(QStringLiteral("HolidayMultiplierText"), false)) {
  hourlyRateInput_->setObjectName(QStringLiteral("HourlyRateText0"));
  hourlyRateText_[0] = hourlyRateInput_;
  SelectAllOnFocus(hourlyRateInput_);
  ReformatMoneyOnLeave(hourlyRateInput_);
  for (QLineEdit* box :
       {burdenedMultiplierText_, overtimeMultiplierText_, offDayMultiplierText_, holidayMultiplierText_}) {
    SelectAllOnFocus(box);
  }

  // Copies are grey and results on the tool-tip colour; neither can be typed in or tabbed to.
  const auto shownBox = [this](const QString& name, const QColor& back) {
    QLineEdit* box = NewTextBox(name, false);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, back);
    box->setPalette(palette);
    return box;
  };
  const QColor copyBack(kCopyGrey, kCopyGrey, kCopyGrey);
  const QColor resultBack = palette().color(QPalette::ToolTipBase);
  for (int i = 1; i <= 4; ++i) hourlyRateText_[i] = shownBox(QStringLiteral("HourlyRateText%1").arg(i), copyBack);
  burdenedRateText_[0] = shownBox(QStringLiteral("BurdenedRateText0"), resultBack);
  burdenedRateText_[1] = shownBox(QStringLiteral("BurdenedRateText1"), copyBack);
  for (int i = 0; i < 4; ++i) overheadText_[i] = shownBox(QStringLiteral("OverheadText%1").arg(i), copyBack);
  overtimeRateText_ = shownBox(QStringLiteral("OvertimeRateText"), resultBack);
  offDayRateText_ = shownBox(QStringLiteral("OffDayRateText"), resultBack);
  holidayRateText_ = shownBox(QStringLiteral("HolidayRateText"), resultBack);

  // Five sums, one a row: each box with its caption above it, the operators between them, and
  // every result in the last column.
  auto* fields = new QGridLayout;
  QFont operatorFont(QStringLiteral("Arial"));
  operatorFont.setPointSize(12);
  operatorFont.setBold(true);
  const auto place = [&](int sum, int column, const QString& caption, QLineEdit* box) {
    fields->addWidget(new QLabel(caption, this), 2 * sum, column);
    fields->addWidget(box, 2 * sum + 1, column);
  };
  const auto sign = [&](int sum, int column, const QString& text) {
    auto* label = new QLabel(text, this);
    label->setFont(operatorFont);
    label->setAlignment(Qt::AlignCenter);
    fields->addWidget(label, 2 * sum + 1, column);
  };
  const QString hourly = QStringLiteral("Hourly rate");
  const QString overhead = QStringLiteral("Overhead");
  place(0, 0, hourly, hourlyRateText_[0]);
  sign(0, 1, QStringLiteral("X"));
  place(0, 2, QStringLiteral("Burdened multiplier"), burdenedMultiplierText_);
  place(1, 0, QStringLiteral("Burdened rate"), burdenedRateText_[1]);
  sign(1, 1, QStringLiteral("-"));
  place(1, 2, hourly, hourlyRateText_[1]);
  const QList<std::tuple<QString, QLineEdit*, QString, QLineEdit*>> rates = {
      {QStringLiteral("Overtime multiplier"), overtimeMultiplierText_, QStringLiteral("Overtime rate"),
       overtimeRateText_},
      {QStringLiteral("Off day multiplier"), offDayMultiplierText_, QStringLiteral("Off day rate"), offDayRateText_},
      {QStringLiteral("Holiday multiplier"), holidayMultiplierText_, QStringLiteral("Holiday rate"), holidayRateText_}};
  for (int i = 0; i < 3; ++i) {
    const auto& [multiplierCaption, multiplier, rateCaption, rate] = rates[i];
    place(2 + i, 0, hourly, hourlyRateText_[2 + i]);
    sign(2 + i, 1, QStringLiteral("X"));
    place(2 + i, 2, multiplierCaption, multiplier);
    sign(2 + i, 3, QStringLiteral("+"));
    place(2 + i, 4, overhead, overheadText_[1 + i]);
    place(2 + i, 6, rateCaption, rate);
  }
  for (int sum = 0; sum < 5; ++sum) sign(sum, 5, QStringLiteral("="));
  place(0, 6, QStringLiteral("Burdened rate"), burdenedRateText_[0]);
  place(1, 6, overhead, overheadText_[0]);
  for (int column : {0, 2, 4, 6}) fields->setColumnMinimumWidth(column, 110);

  connect(hourlyRateInput_, &QLineEdit::textChanged, this, [this] { Input_Change(QStringLiteral("HourlyRateText")); });
  connect(burdenedMultiplierText_, &QLineEdit::textChanged, this,
          [this] { Input_Change(QStringLiteral("BurdenedMultiplierText")); });
  connect(overtimeMultiplierText_, &QLineEdit::textChanged, this,
          [this] { Input_Change(QStringLiteral("OvertimeMultiplierText")); });
  connect(offDayMultiplierText_, &QLineEdit::textChanged, this,
          [this] { Input_Change(QStringLiteral("OffDayMultiplierText")); });
  connect(holidayMultiplierText_, &QLineEdit::textChanged, this,
          [this] { Input_Change(QStringLiteral("HolidayMultiplierText")); });
  SetFields(fields);
}

void RateCalculatorForm::Start(const RateBoxes& rates) {
  ErrTrap::Guard guard(Location(QStringLiteral("Start")));
  guard([&] { std::copy(rates.begin(), rates.end(), rates_.begin()); });
  guard([&] {
    const QLocale locale;
    burdenedMultiplierText_->setText(locale.toString(kBurdenedMultiplier));
    overtimeMultiplierText_->setText(locale.toString(kOvertimeMultiplier));
    offDayMultiplierText_->setText(locale.toString(kOffDayMultiplier));
    holidayMultiplierText_->setText(locale.toString(kHolidayMultiplier));
  });
  // The hourly rate behind the burdened rate, whole: the burdened rate worked out from it is the
  // one given. A burdened rate that is no number leaves the hourly rate to be typed.
  guard([&] {
    const std::optional<double> burdened = rates_[0] != nullptr ? rates_[0]->Amount() : std::nullopt;
    if (burdened) hourlyRateInput_->SetAmount(*burdened / kBurdenedMultiplier);
  });
  guard([&] { ShowEntryForm(hourlyRateInput_); });
}

void RateCalculatorForm::Input_Change(const QString& box) {
  ErrTrap::Guarded(ErrTrap::Handler(Location(box + QStringLiteral("_Change"))), [&] { Recompute(); });
}

void RateCalculatorForm::Recompute() {
  ErrTrap::Guard guard(Location(QStringLiteral("Recompute")));
  guard([&] {
    OkCommand()->setEnabled(false);
    results_ = RateResults();
    ShowResults();
  });
  guard([&] {
    const RateInputs inputs{hourlyRateInput_->Amount(), burdenedMultiplierText_->text(),
                            overtimeMultiplierText_->text(), offDayMultiplierText_->text(),
                            holidayMultiplierText_->text()};
    // An amount beyond money stops the sums: what was worked out before it is shown all the same.
    try {
      ComputeRates(inputs, results_);
    } catch (...) {
      ShowResults();
      throw;
    }
    ShowResults();
  });
  guard([&] { OkCommand()->setEnabled(results_.Complete()); });
}

void RateCalculatorForm::ShowResults() {
  for (int i = 1; i <= 4; ++i) hourlyRateText_[i]->setText(AmountText(results_.hourly));
  burdenedRateText_[0]->setText(AmountText(results_.burdened));
  burdenedRateText_[1]->setText(AmountText(results_.burdened));
  for (QLineEdit* box : overheadText_) box->setText(AmountText(results_.overhead));
  overtimeRateText_->setText(AmountText(results_.overtime));
  offDayRateText_->setText(AmountText(results_.offDay));
  holidayRateText_->setText(AmountText(results_.holiday));
}

bool RateCalculatorForm::GatherData() { return results_.Complete(); }

void RateCalculatorForm::FinishAdd() { FinishModify(); }

void RateCalculatorForm::FinishModify() {
  ErrTrap::Guard guard(Location(QStringLiteral("FinishModify")));
  // The amounts go over as shown here, to the cent.
  guard([&] {
    const std::array<std::optional<praxel::Currency>, 4> amounts{results_.burdened, results_.overtime, results_.offDay,
                                                                 results_.holiday};
    for (int i = 0; i < 4; ++i) {
      if (rates_[i] != nullptr) rates_[i]->EnterAmount(*amounts[i]);
    }
  });
  guard([&] { Close(); });
}
