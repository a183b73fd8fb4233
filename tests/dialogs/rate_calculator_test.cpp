#include "DialogFixture.h"

#include "EntryForm.h"
#include "Format.h"
#include "Forms.h"
#include "RateCalculatorForm.h"
#include "ResourceEntryForm.h"
#include "Yresource.h"
#include "Ytemplate.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include <array>

using praxel::Currency;

namespace {

// The calculator opened from the resource dialog on Ann, whose burdened rate is set first.
class RateCalculator : public DialogTest {
 protected:
  RateCalculatorForm* OpenOn(Currency burdened) {
    ann->SetBurdenedRate(burdened);
    DoubleClick(NodeOf(ann));
    resourceForm = Open<ResourceEntryForm>("ResourceEntryForm");
    if (resourceForm == nullptr) return nullptr;
    Field<QPushButton>(resourceForm, "RateCalculatorCommand")->click();
    return Open<RateCalculatorForm>("RateCalculatorForm");
  }
  static QString Text(QWidget* form, const char* box) { return Field<QLineEdit>(form, box)->text(); }
  // The resource dialog's four rate boxes.
  std::array<QString, 4> ResourceRates() const {
    return {Text(resourceForm, "BurdenedRateText"), Text(resourceForm, "OvertimeRateText"),
            Text(resourceForm, "OffDayRateText"), Text(resourceForm, "HolidayRateText")};
  }
  bool ResourceFormEnabled() const { return Forms::FrameOf(resourceForm)->isEnabled(); }

  ResourceEntryForm* resourceForm = nullptr;
};

// The worked example: a burdened rate of 15.00 gives an hourly rate of 10.00 and the rates 20.00,
// 25.00 and 35.00, all carrying an overhead of 5.00. Ok hands them to the resource dialog, which
// takes input again, while the main window stays locked until the resource dialog closes.
TEST_F(RateCalculator, BurdenedFifteenGivesThePartsRates) {
  RateCalculatorForm* form = OpenOn(Currency::FromTicks(150000));
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Burdened Rate Calculator"));
  EXPECT_FALSE(ResourceFormEnabled());
  EXPECT_EQ(Text(form, "BurdenedMultiplierText"), QStringLiteral("1.5"));
  EXPECT_EQ(Text(form, "OvertimeMultiplierText"), QStringLiteral("1.5"));
  EXPECT_EQ(Text(form, "OffDayMultiplierText"), QStringLiteral("2"));
  EXPECT_EQ(Text(form, "HolidayMultiplierText"), QStringLiteral("3"));
  for (const char* box :
       {"HourlyRateText0", "HourlyRateText1", "HourlyRateText2", "HourlyRateText3", "HourlyRateText4"}) {
    EXPECT_EQ(Text(form, box), QStringLiteral("$10.00")) << box;
  }
  for (const char* box : {"BurdenedRateText0", "BurdenedRateText1"}) {
    EXPECT_EQ(Text(form, box), QStringLiteral("$15.00")) << box;
  }
  for (const char* box : {"OverheadText0", "OverheadText1", "OverheadText2", "OverheadText3"}) {
    EXPECT_EQ(Text(form, box), QStringLiteral("$5.00")) << box;
  }
  EXPECT_EQ(Text(form, "OvertimeRateText"), QStringLiteral("$20.00"));
  EXPECT_EQ(Text(form, "OffDayRateText"), QStringLiteral("$25.00"));
  EXPECT_EQ(Text(form, "HolidayRateText"), QStringLiteral("$35.00"));
  EXPECT_TRUE(form->OkCommand()->isEnabled());

  PressOk(form);
  EXPECT_EQ(Open<RateCalculatorForm>("RateCalculatorForm"), nullptr);
  EXPECT_EQ(ResourceRates(), (std::array<QString, 4>{"$15.00", "$20.00", "$25.00", "$35.00"}));
  EXPECT_TRUE(ResourceFormEnabled());
  EXPECT_FALSE(mainForm->Control(QStringLiteral("Task"))->isEnabled());
  EXPECT_FALSE(staff->Dirty());  // the calculator stores nothing itself

  PressOk(resourceForm);
  EXPECT_EQ(ann->OvertimeRate(), Currency::FromTicks(200000));
  EXPECT_EQ(ann->OffDayRate(), Currency::FromTicks(250000));
  EXPECT_EQ(ann->HolidayRate(), Currency::FromTicks(350000));
  EXPECT_TRUE(mainForm->Control(QStringLiteral("Task"))->isEnabled());
}

// 10.00 / 1.5 is kept whole behind the 6.67 shown, so the burdened rate comes back as 10.00 (not
// the 10.01 of 1.5 x 6.67), even after the hourly box is left. The other rates go over as shown,
// to the cent: the overtime rate of 13.3333 as 13.33.
TEST_F(RateCalculator, OkWithoutAnEditGivesBackTheBurdenedRate) {
  RateCalculatorForm* form = OpenOn(Currency::FromTicks(100000));
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Text(form, "HourlyRateText0"), QStringLiteral("$6.67"));
  EXPECT_EQ(QApplication::focusWidget(), Field<QLineEdit>(form, "HourlyRateText0"));
  Field<QLineEdit>(form, "BurdenedMultiplierText")->setFocus();
  EXPECT_EQ(Text(form, "BurdenedRateText0"), QStringLiteral("$10.00"));
  EXPECT_EQ(Text(form, "OvertimeRateText"), QStringLiteral("$13.33"));
  PressOk(form);
  EXPECT_EQ(ResourceRates(), (std::array<QString, 4>{"$10.00", "$13.33", "$16.67", "$23.33"}));
  PressOk(resourceForm);
  EXPECT_EQ(ann->BurdenedRate(), Currency::FromTicks(100000));
  EXPECT_EQ(ann->OvertimeRate(), Currency::FromTicks(133300));
  EXPECT_EQ(ann->OffDayRate(), Currency::FromTicks(166700));
  EXPECT_EQ(ann->HolidayRate(), Currency::FromTicks(233300));
}

// A burdened rate held beyond the cent comes back whole when the calculator works it out
// unchanged; the rates it works out anew are stored as shown.
TEST_F(RateCalculator, ABurdenedRateBeyondTheCentStaysWhenNotEdited) {
  RateCalculatorForm* form = OpenOn(Currency::FromTicks(133333));
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Text(form, "BurdenedRateText0"), QStringLiteral("$13.33"));
  EXPECT_EQ(Text(form, "OvertimeRateText"), QStringLiteral("$17.78"));
  PressOk(form);
  PressOk(resourceForm);
  EXPECT_EQ(ann->BurdenedRate(), Currency::FromTicks(133333));
  EXPECT_EQ(ann->OvertimeRate(), Currency::FromTicks(177800));
}

// Typing works every result out at each change, from the rate as typed; leaving the box shows it
// as money and works everything out again from the rate shown.
TEST_F(RateCalculator, ATypedHourlyRateCountsAsShownOnceLeft) {
  RateCalculatorForm* form = OpenOn(Currency::FromTicks(150000));
  ASSERT_NE(form, nullptr);
  Fill(form, "HourlyRateText0", QStringLiteral("6.66666"));
  EXPECT_EQ(Text(form, "HourlyRateText1"), QStringLiteral("$6.67"));
  EXPECT_EQ(Text(form, "BurdenedRateText0"), QStringLiteral("$10.00"));
  Field<QLineEdit>(form, "OffDayMultiplierText")->setFocus();
  EXPECT_EQ(Text(form, "HourlyRateText0"), QStringLiteral("$6.67"));
  EXPECT_EQ(Text(form, "BurdenedRateText0"), QStringLiteral("$10.01"));  // 1.5 x 6.67 = 10.005

  Fill(form, "HourlyRateText0", QString());
  for (const char* box : {"HourlyRateText1", "BurdenedRateText0", "OverheadText2", "HolidayRateText"}) {
    EXPECT_EQ(Text(form, box), QString()) << box;
  }
  EXPECT_EQ(Text(form, "HolidayMultiplierText"), QStringLiteral("3"));
  EXPECT_FALSE(form->OkCommand()->isEnabled());
}

// Letters in a multiplier empty only the rates that need it and hold Ok back until corrected.
TEST_F(RateCalculator, LettersInAMultiplierEmptyOnlyItsRate) {
  RateCalculatorForm* form = OpenOn(Currency::FromTicks(150000));
  ASSERT_NE(form, nullptr);
  Fill(form, "HolidayMultiplierText", QStringLiteral("triple"));
  EXPECT_EQ(Text(form, "HolidayRateText"), QString());
  EXPECT_EQ(Text(form, "OffDayRateText"), QStringLiteral("$25.00"));
  EXPECT_FALSE(form->OkCommand()->isEnabled());
  Fill(form, "HolidayMultiplierText", QStringLiteral("4"));
  EXPECT_EQ(Text(form, "HolidayRateText"), QStringLiteral("$45.00"));
  EXPECT_TRUE(form->OkCommand()->isEnabled());

  Fill(form, "BurdenedMultiplierText", QStringLiteral("0.5"));
  // A negative overhead, in the locale's form for it: "($5.00)" in en_US, "-$5.00" in C.
  EXPECT_EQ(Text(form, "OverheadText0"), Common::FormatCurrency(-5.0));
  EXPECT_EQ(Text(form, "OvertimeRateText"), QStringLiteral("$10.00"));
}

// A burdened rate that is no number opens the calculator with no hourly rate; Cancel hands
// nothing back and gives the resource dialog its input again.
TEST_F(RateCalculator, OpensOnAnyBurdenedRateTextAndCancelHandsNothingBack) {
  ann->SetBurdenedRate(Currency());
  DoubleClick(NodeOf(ann));
  resourceForm = Open<ResourceEntryForm>("ResourceEntryForm");
  ASSERT_NE(resourceForm, nullptr);
  Fill(resourceForm, "BurdenedRateText", QStringLiteral("ask Bo"));
  Field<QPushButton>(resourceForm, "RateCalculatorCommand")->click();
  auto* form = Open<RateCalculatorForm>("RateCalculatorForm");
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Text(form, "HourlyRateText0"), QString());
  EXPECT_EQ(Text(form, "BurdenedRateText0"), QString());
  EXPECT_FALSE(form->OkCommand()->isEnabled());
  Fill(form, "HourlyRateText0", QStringLiteral("20"));
  EXPECT_EQ(Text(form, "BurdenedRateText0"), QStringLiteral("$30.00"));
  EXPECT_TRUE(form->OkCommand()->isEnabled());

  PressCancel(form);
  EXPECT_EQ(Open<RateCalculatorForm>("RateCalculatorForm"), nullptr);
  EXPECT_EQ(ResourceRates(), (std::array<QString, 4>{"ask Bo", "$0.00", "$0.00", "$0.00"}));
  EXPECT_TRUE(ResourceFormEnabled());
}

}  // namespace
