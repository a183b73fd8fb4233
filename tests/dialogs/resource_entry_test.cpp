#include "DialogFixture.h"

#include "CaseName.h"
#include "Common.h"
#include "EntryForm.h"
#include "Format.h"
#include "Notifications.h"
#include "ResourceEntryForm.h"
#include "TreeDragDrop.h"
#include "TreeNodes.h"
#include "WorkdaysFrame.h"
#include "Yresource.h"
#include "Yshift.h"
#include "Ytemplate.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidgetItem>

#include <ostream>
#include <string>

using praxel::Currency;

namespace {

// Staff holds 3 Bo (no department), 5 Cy and 7 Ann (Sales), and 8 Di (Design), who is left out of
// the current journal; its shifts are Late, then Day.
class ResourceEntry : public DialogTest {
 protected:
  ResourceEntryForm* OpenToAdd() {
    Click(QStringLiteral("Resource"));
    return Open<ResourceEntryForm>("ResourceEntryForm");
  }
  ResourceEntryForm* OpenToModify(Yresource* resource) {
    Press(NodeOf(resource));
    Modify();
    return Open<ResourceEntryForm>("ResourceEntryForm");
  }
  static QString Text(QWidget* form, const char* box) { return Field<QLineEdit>(form, box)->text(); }
  static QComboBox* Combo(QWidget* form, const char* name) { return Field<QComboBox>(form, name); }
  static QStringList Items(QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
    return items;
  }
  QStringList Keys() const {
    QStringList keys;
    for (const Yresource* resource : staff->ResourceList) keys << resource->Key();
    return keys;
  }
};

// The toolbar's Resource button opens a new resource of the active template with its defaults and
// the ID above every resource the template holds: Di's 8 is taken although Di is left out of the
// current journal. Ok files the resource, marks the template changed and shows the resource.
TEST_F(ResourceEntry, AddingProposesAnIdTheTemplateAccepts) {
  ResourceEntryForm* form = OpenToAdd();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Resource Data Entry"));
  EXPECT_EQ(Text(form, "TemplateText"), QStringLiteral("Staff"));
  EXPECT_EQ(Text(form, "ResourceIdText"), QStringLiteral("9"));
  EXPECT_EQ(Combo(form, "DepartmentCombo")->currentText(), QStringLiteral("None"));
  EXPECT_EQ(Items(Combo(form, "DepartmentCombo")), QStringList({QStringLiteral("None"), QStringLiteral("Sales")}));
  EXPECT_EQ(Items(Combo(form, "ShiftCombo")), QStringList({QStringLiteral("Late"), QStringLiteral("Day")}));
  EXPECT_EQ(Combo(form, "ShiftCombo")->currentText(), QStringLiteral("Late"));
  for (const char* box : {"BurdenedRateText", "OvertimeRateText", "OffDayRateText", "HolidayRateText"}) {
    EXPECT_EQ(Text(form, box), QStringLiteral("$0.00")) << box;
  }
  QStringList checked;
  for (int kind = 0; kind < WorkdaysFrame::kDayKinds; ++kind) {
    if (Field<QCheckBox>(form, QStringLiteral("WorkDayCheck%1").arg(kind).toLatin1().constData())->isChecked()) {
      checked << Common::DayName(kind);
    }
  }
  EXPECT_EQ(checked, QStringList({QStringLiteral("Monday"), QStringLiteral("Tuesday"), QStringLiteral("Wednesday"),
                                  QStringLiteral("Thursday"), QStringLiteral("Friday")}));
  EXPECT_EQ(QApplication::focusWidget(), Field<QLineEdit>(form, "DescriptionText"));
  EXPECT_EQ(Field<QLineEdit>(form, "BurdenedRateText")->toolTip(), QStringLiteral("Press [F1] for help"));

  Fill(form, "DescriptionText", QStringLiteral("Eve"));
  Combo(form, "DepartmentCombo")->setEditText(QStringLiteral("Design"));
  Fill(form, "TitleText", QStringLiteral("Welder"));
  Fill(form, "BurdenedRateText", QStringLiteral("12.5"));
  Fill(form, "OvertimeRateText", QStringLiteral("$1,250.75"));
  Combo(form, "ShiftCombo")->setCurrentIndex(1);
  Field<QCheckBox>(form, "WorkDayCheck7")->setChecked(true);
  PressOk(form);

  EXPECT_EQ(Open<ResourceEntryForm>("ResourceEntryForm"), nullptr);
  EXPECT_TRUE(Messages().isEmpty());
  EXPECT_EQ(Keys(), QStringList({"3", "5", "7", "8", "9"}));
  Yresource* eve = staff->ResourceList.Find(QStringLiteral("9"));
  ASSERT_NE(eve, nullptr);
  EXPECT_EQ(eve->Description, QStringLiteral("Eve"));
  EXPECT_EQ(eve->Department(), QStringLiteral("Design"));
  EXPECT_EQ(eve->Title(), QStringLiteral("Welder"));
  EXPECT_EQ(eve->BurdenedRate(), Currency::FromTicks(125000));
  EXPECT_EQ(eve->OvertimeRate(), Currency::FromTicks(12507500));
  EXPECT_EQ(eve->Shift(), staff->ShiftList.Find(QStringLiteral("Day")));
  EXPECT_TRUE(eve->WorkDay(7));
  EXPECT_FALSE(eve->WorkDay(1));
  EXPECT_TRUE(staff->Dirty());
  EXPECT_TRUE(SolveRequested());
  EXPECT_NE(NodeOf(eve), nullptr);
  EXPECT_TRUE(mainForm->Control(QStringLiteral("Task"))->isEnabled());
}

// Tab runs from the ID through the text boxes, the rates, the calculator and the days (Monday to
// Friday, Saturday, Sunday, Holiday, Shutdown) to Ok and Cancel, and the shift box comes last.
TEST_F(ResourceEntry, TabOrderEndsWithTheShift) {
  ResourceEntryForm* form = OpenToAdd();
  ASSERT_NE(form, nullptr);
  Field<QLineEdit>(form, "ResourceIdText")->setFocus();
  QStringList order;
  for (QWidget* at = QApplication::focusWidget(); order.size() < 21; at = at->nextInFocusChain()) {
    if (at->focusPolicy() & Qt::TabFocus && at->isVisible() && at->window() == form->window() &&
        at->focusProxy() == nullptr) {
      order << at->objectName();
    }
  }
  EXPECT_EQ(order, QStringList({"ResourceIdText", "DescriptionText", "DepartmentCombo", "TitleText",
                                "BurdenedRateText", "OvertimeRateText", "OffDayRateText", "HolidayRateText",
                                "RateCalculatorCommand", "WorkDayCheck2", "WorkDayCheck3", "WorkDayCheck4",
                                "WorkDayCheck5", "WorkDayCheck6", "WorkDayCheck7", "WorkDayCheck1", "WorkDayCheck0",
                                "WorkDayCheck8", "OkCommand", "CancelCommand", "ShiftCombo"}));
  PressCancel(form);
}

TEST_F(ResourceEntry, CancelAfterAddingLeavesNoTrace) {
  ResourceEntryForm* form = OpenToAdd();
  ASSERT_NE(form, nullptr);
  Fill(form, "DescriptionText", QStringLiteral("Eve"));
  PressCancel(form);
  EXPECT_EQ(Open<ResourceEntryForm>("ResourceEntryForm"), nullptr);
  EXPECT_EQ(Keys(), QStringList({"3", "5", "7", "8"}));
  EXPECT_FALSE(staff->Dirty());
  EXPECT_FALSE(SolveRequested());
}

// The departments in use in the current journal, each once in the first form met by ascending ID.
TEST_F(ResourceEntry, DepartmentListIgnoresLetterCaseAndLeftOutResources) {
  bo->SetDepartment(QStringLiteral("sales"));
  ResourceEntryForm* form = OpenToAdd();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Items(Combo(form, "DepartmentCombo")), QStringList{QStringLiteral("sales")});
  PressCancel(form);
}

struct RefusalRow {
  std::string name;
  const char* box;  // a text box, or "DepartmentCombo"
  QString text;
  QString message;  // "Title: text"
};
void PrintTo(const RefusalRow& row, std::ostream* out) { *out << row.name; }

const QString kInvalidId =
    QStringLiteral("Invalid Resource ID: The Resource ID must be a whole number from 1 to 2147483647.");

class ResourceEntryRefusal : public ResourceEntry, public testing::WithParamInterface<RefusalRow> {};

// A refused Ok names the field, keeps the dialog open and changes nothing: no resource is filed,
// Cy keeps every value and the template is not marked changed.
TEST_P(ResourceEntryRefusal, ChangesNothing) {
  const RefusalRow& row = GetParam();
  for (bool adding : {true, false}) {
    SCOPED_TRACE(adding ? "adding" : "modifying Cy");
    ResourceEntryForm* form = adding ? OpenToAdd() : OpenToModify(cy);
    ASSERT_NE(form, nullptr);
    Fill(form, "DescriptionText", QStringLiteral("Changed"));
    Fill(form, "BurdenedRateText", QStringLiteral("99"));
    if (QString(row.box) == QLatin1String("DepartmentCombo")) {
      Combo(form, "DepartmentCombo")->setEditText(row.text);
    } else {
      Fill(form, row.box, row.text);
    }
    prompter.Answer(praxel::AnswerOk);
    PressOk(form);
    EXPECT_EQ(Messages().last(), row.message);
    EXPECT_EQ(Open<ResourceEntryForm>("ResourceEntryForm"), form);
    EXPECT_EQ(Keys(), QStringList({"3", "5", "7", "8"}));
    EXPECT_EQ(cy->Description, QStringLiteral("Cy"));
    EXPECT_EQ(cy->BurdenedRate(), Currency());
    EXPECT_FALSE(staff->Dirty());
    EXPECT_FALSE(SolveRequested());
    PressCancel(form);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ResourceEntryRefusal,
    testing::Values(
        RefusalRow{"EmptyDepartment", "DepartmentCombo", QString(),
                   "Missing Department: The department must be filled in."},
        RefusalRow{"IdNotANumber", "ResourceIdText", "five", kInvalidId},
        RefusalRow{"IdZero", "ResourceIdText", "0", kInvalidId},
        RefusalRow{"IdNegative", "ResourceIdText", "-4", kInvalidId},
        RefusalRow{"IdOfAResourceInTheJournal", "ResourceIdText", "7",
                   "Resource ID In Use: The Resource ID 7 is already in use."},
        RefusalRow{"IdOfAResourceLeftOut", "ResourceIdText", "8",
                   "Resource ID In Use: The Resource ID 8 is already in use."},
        RefusalRow{"RateNotMoney", "HolidayRateText", "lots",
                   "Invalid Holiday rate: The Holiday rate must be an amount of money, such as $1,250.50."},
        RefusalRow{"RateBeyondMoney", "OffDayRateText", "1e300",
                   "Invalid Off-day rate: The Off-day rate must be an amount of money, such as $1,250.50."}),
    testsupport::CaseName());

// A new ID re-files the resource in ascending order and renews its node, which stays selected.
TEST_F(ResourceEntry, NewIdKeepsTheListInOrderAndRenewsTheNode) {
  QTreeWidgetItem* node = NodeOf(cy);
  ResourceEntryForm* form = OpenToModify(cy);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Text(form, "ResourceIdText"), QStringLiteral("5"));
  EXPECT_EQ(Combo(form, "DepartmentCombo")->currentText(), QStringLiteral("Sales"));
  Fill(form, "ResourceIdText", QStringLiteral("9"));
  PressOk(form);
  EXPECT_EQ(Keys(), QStringList({"3", "7", "8", "9"}));
  EXPECT_EQ(Common::DragNode(), node);
  EXPECT_EQ(node->text(0), QStringLiteral("9: Cy"));
  EXPECT_EQ(Common::NodeTag(node), QStringLiteral("r9"));
  EXPECT_TRUE(staff->Dirty());
}

// A department that differs even in letter case only moves the resource: the tree is rebuilt and
// its selection cleared. Blanks are a department, stored as "None".
TEST_F(ResourceEntry, ChangedDepartmentRebuildsTheTree) {
  ResourceEntryForm* form = OpenToModify(cy);
  ASSERT_NE(form, nullptr);
  Combo(form, "DepartmentCombo")->setEditText(QStringLiteral("sales"));
  PressOk(form);
  EXPECT_EQ(cy->Department(), QStringLiteral("sales"));
  EXPECT_EQ(Common::DragNode(), nullptr);

  form = OpenToModify(ann);
  ASSERT_NE(form, nullptr);
  Combo(form, "DepartmentCombo")->setEditText(QStringLiteral("  "));
  PressOk(form);
  EXPECT_TRUE(Messages().isEmpty());
  EXPECT_EQ(ann->Department(), QStringLiteral("None"));
}

// A rate held to the ten-thousandth shows to the cent; Ok without an edit keeps it whole.
TEST_F(ResourceEntry, OkWithoutAnEditKeepsEveryDecimalOfTheRates) {
  ann->SetBurdenedRate(Currency::FromTicks(100049));
  DoubleClick(NodeOf(ann));
  auto* form = Open<ResourceEntryForm>("ResourceEntryForm");
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Text(form, "DescriptionText"), QStringLiteral("Ann"));
  EXPECT_EQ(Text(form, "BurdenedRateText"), QStringLiteral("$10.00"));
  Field<QLineEdit>(form, "BurdenedRateText")->setFocus();
  Field<QLineEdit>(form, "OvertimeRateText")->setFocus();  // leaving the box changes nothing
  PressOk(form);
  EXPECT_EQ(ann->BurdenedRate(), Currency::FromTicks(100049));
}

// A rate typed is stored as the money format shows it, to the cent: rewritten so when the box is
// left, and read so when Ok comes first. A loaded rate that the user edits loses its hidden
// decimals, even when the edit gives back the same text.
TEST_F(ResourceEntry, ATypedRateIsStoredAsShown) {
  ann->SetOvertimeRate(Currency::FromTicks(133333));
  ResourceEntryForm* form = OpenToModify(ann);
  ASSERT_NE(form, nullptr);
  Fill(form, "OffDayRateText", QStringLiteral("12.555"));
  Field<QLineEdit>(form, "HolidayRateText")->setFocus();
  EXPECT_EQ(Text(form, "OffDayRateText"), QStringLiteral("$12.56"));
  Fill(form, "HolidayRateText", QStringLiteral("soon"));
  Field<QLineEdit>(form, "TitleText")->setFocus();
  EXPECT_EQ(Text(form, "HolidayRateText"), QStringLiteral("soon"));
  Fill(form, "OvertimeRateText", QStringLiteral("$13.33"));
  Fill(form, "HolidayRateText", QStringLiteral("7.125"));
  PressOk(form);
  EXPECT_TRUE(Messages().isEmpty());
  EXPECT_EQ(ann->OffDayRate(), Currency::FromTicks(125600));
  EXPECT_EQ(ann->OvertimeRate(), Currency::FromTicks(133300));
  EXPECT_EQ(ann->HolidayRate(), Currency::FromTicks(71300));
}

TEST_F(ResourceEntry, NewTemplateOrJournalClosesTheDialogWithoutSaving) {
  ResourceEntryForm* form = OpenToModify(ann);
  ASSERT_NE(form, nullptr);
  Fill(form, "DescriptionText", QStringLiteral("Anne"));
  Common::BroadcastNewThisTemplate();
  EXPECT_EQ(Open<ResourceEntryForm>("ResourceEntryForm"), nullptr);
  EXPECT_EQ(ann->Description, QStringLiteral("Ann"));
  EXPECT_FALSE(staff->Dirty());
}

}  // namespace
