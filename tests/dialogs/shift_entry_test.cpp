#include "DialogFixture.h"

#include "CaseName.h"
#include "Common.h"
#include "EntryForm.h"
#include "Forms.h"
#include "Notifications.h"
#include "ShiftEntryForm.h"
#include "TreeDragDrop.h"
#include "Yshift.h"
#include "Ytemplate.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>

#include <ostream>
#include <string>

namespace {

constexpr int kHourLabels = ShiftEntryForm::kColumns - 1;  // the right-hand hour column

// The grid row of an hour and the grid column of a minute.
constexpr int Row(int hour) { return hour + 1; }
constexpr int Column(int minute) { return minute / 5 + 1; }

// Staff's shifts are Late, then Day, both with the standard day.
class ShiftEntry : public DialogTest {
 protected:
  ShiftEntryForm* OpenToAdd() {
    Click(QStringLiteral("Shift"));
    return Open<ShiftEntryForm>("ShiftEntryForm");
  }
  ShiftEntryForm* OpenToModify(const QString& name) {
    DoubleClick(NodeOf(staff->ShiftList.Find(name)));
    return Open<ShiftEntryForm>("ShiftEntryForm");
  }
  static QTableWidget* Grid(QWidget* form) { return Field<QTableWidget>(form, "Grid"); }
  static QPushButton* Button(QWidget* form, const char* name) { return Field<QPushButton>(form, name); }
  static QString Text(QWidget* form, const char* box) { return Field<QLineEdit>(form, box)->text(); }
  QStringList ShiftNames() const {
    QStringList names;
    for (const Yshift* shift : staff->ShiftList) names << shift->ShiftName();
    return names;
  }

  // The mouse on the grid, at the middle of a cell (labels and header included).
  static QPoint At(QWidget* form, int row, int column) {
    QTableWidget* grid = Grid(form);
    return grid->visualItemRect(grid->item(row, column)).center();
  }
  static void Mouse(QWidget* form, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, Grid(form)->viewport()->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(Grid(form)->viewport(), &event);
  }
  static void PressAt(QWidget* form, int row, int column) {
    Mouse(form, QEvent::MouseButtonPress, At(form, row, column), Qt::LeftButton);
  }
  // Drags with the left button held through each cell to the last, and lets go there.
  static void DragThrough(QWidget* form, const QList<QPair<int, int>>& cells) {
    for (const auto& [row, column] : cells) Mouse(form, QEvent::MouseMove, At(form, row, column), Qt::LeftButton);
    Mouse(form, QEvent::MouseButtonRelease, At(form, cells.last().first, cells.last().second), Qt::NoButton);
  }
  // Each five-minute cell's text, or "*" while it is picked (shown white).
  static QString HourShown(QWidget* form, int hour) {
    QString shown;
    for (int column = 1; column <= 12; ++column) {
      QTableWidgetItem* item = Grid(form)->item(Row(hour), column);
      shown += item->background().color() == Qt::white ? QStringLiteral("*") : item->text();
    }
    return shown;
  }
  static void ExpectPending(ShiftEntryForm* form, bool pending) {
    for (const char* name : {"GroupCommand0", "GroupCommand1", "GroupCommand2", "GroupCommand3"}) {
      EXPECT_EQ(Button(form, name)->isEnabled(), pending) << name;
    }
    EXPECT_EQ(form->OkCommand()->isEnabled(), !pending);
  }
};

// The toolbar's Shift button opens the standard day with the model's multipliers; the hour labels
// stand on both sides and the minutes along the top.
TEST_F(ShiftEntry, NewShiftShowsTheStandardDay) {
  ShiftEntryForm* form = OpenToAdd();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Shift Entry"));
  EXPECT_EQ(Text(form, "ShiftNameText"), QString());
  EXPECT_EQ(Text(form, "BurdenedMultiplierText"), QStringLiteral("1.5"));
  EXPECT_EQ(Text(form, "OvertimeMultiplierText"), QStringLiteral("1.5"));
  EXPECT_EQ(Text(form, "OffDayMultiplierText"), QStringLiteral("2"));
  EXPECT_EQ(Text(form, "HolidayMultiplierText"), QStringLiteral("3"));
  EXPECT_EQ(Field<QLineEdit>(form, "ShiftNameText")->toolTip(), QString());
  const QString x(12, QLatin1Char('X')), n(12, QLatin1Char('N')), b(12, QLatin1Char('B')), o(12, QLatin1Char('O'));
  const QStringList expected = {x, x, x, x, x, x, x, x, n, n, n, n, b, n, n, n, n, o, o, o, o, x, x, x};
  for (int hour = 0; hour < 24; ++hour) EXPECT_EQ(HourShown(form, hour), expected[hour]) << hour;
  QTableWidget* grid = Grid(form);
  EXPECT_EQ(grid->item(0, 1)->text(), QStringLiteral(":00"));
  EXPECT_EQ(grid->item(0, 12)->text(), QStringLiteral(":55"));
  EXPECT_EQ(grid->item(Row(0), 0)->text(), QStringLiteral("12am"));
  EXPECT_EQ(grid->item(Row(12), kHourLabels)->text(), QStringLiteral("12pm"));
  EXPECT_EQ(grid->item(Row(23), kHourLabels)->text(), QStringLiteral("11pm"));
  ExpectPending(form, false);
  // The whole grid shows without scrolling.
  EXPECT_GE(grid->viewport()->width(), grid->columnViewportPosition(kHourLabels) + grid->columnWidth(kHourLabels));
  EXPECT_GE(grid->viewport()->height(), grid->rowViewportPosition(Row(23)) + grid->rowHeight(Row(23)));
  PressCancel(form);
}

// Painting with the mouse: a drag from 8:50 to 9:05 picks four cells across the hour, a second
// press and drag picks a second run, and "O = Overtime" writes O into both. Ok stores the day,
// each hour as its twelve letters, enters the shift into the template and marks it changed.
TEST_F(ShiftEntry, PaintingRunsWithTheMouseStoresThePattern) {
  ShiftEntryForm* form = OpenToAdd();
  ASSERT_NE(form, nullptr);
  PressAt(form, Row(8), Column(50));
  ExpectPending(form, true);
  DragThrough(form, {{Row(8), Column(55)}, {Row(9), Column(0)}, {Row(9), Column(5)}});
  EXPECT_EQ(HourShown(form, 8), QStringLiteral("NNNNNNNNNN**"));
  EXPECT_EQ(HourShown(form, 9), QStringLiteral("**NNNNNNNNNN"));
  PressAt(form, Row(14), Column(10));
  DragThrough(form, {{Row(14), Column(0)}});  // backwards, to the hour's first cell
  EXPECT_EQ(HourShown(form, 14), QStringLiteral("***NNNNNNNNN"));

  // A picked cell shows white, a written one its code's colour.
  const QImage before = Grid(form)->grab().toImage();
  const QRect picked = Grid(form)->visualItemRect(Grid(form)->item(Row(9), Column(0)));
  EXPECT_EQ(before.pixelColor(picked.topLeft() + QPoint(2, 2)), QColor(Qt::white));

  Button(form, "GroupCommand1")->click();
  ExpectPending(form, false);
  EXPECT_EQ(HourShown(form, 8), QStringLiteral("NNNNNNNNNNOO"));
  EXPECT_EQ(HourShown(form, 14), QStringLiteral("OOONNNNNNNNN"));
  const QImage after = Grid(form)->grab().toImage();
  EXPECT_EQ(after.pixelColor(picked.topLeft() + QPoint(2, 2)), QColor(0x00, 0xC0, 0xC0));

  Fill(form, "ShiftNameText", QStringLiteral("  Swing "));
  Fill(form, "HolidayMultiplierText", QStringLiteral("3.5"));
  PressOk(form);
  EXPECT_EQ(Open<ShiftEntryForm>("ShiftEntryForm"), nullptr);
  EXPECT_TRUE(Messages().isEmpty());
  EXPECT_EQ(ShiftNames(), QStringList({"Late", "Day", "Swing"}));
  const Yshift* swing = staff->ShiftList.Find(QStringLiteral("Swing"));
  ASSERT_NE(swing, nullptr);
  EXPECT_EQ(swing->Template, staff);
  EXPECT_EQ(swing->Matrix(8), QStringLiteral("NNNNNNNNNNOO"));
  EXPECT_EQ(swing->Matrix(9), QStringLiteral("OONNNNNNNNNN"));
  EXPECT_EQ(swing->Matrix(14), QStringLiteral("OOONNNNNNNNN"));
  EXPECT_EQ(swing->Matrix(0), QString(12, QLatin1Char('X')));
  EXPECT_EQ(swing->HolidayMultiplier, QStringLiteral("3.5"));
  EXPECT_TRUE(staff->Dirty());
  EXPECT_TRUE(SolveRequested());
  EXPECT_NE(NodeOf(swing), nullptr);
}

// Without an active template neither the shift nor the resource dialog opens, and nothing is made.
TEST_F(ShiftEntry, NoActiveTemplateOpensNothing) {
  Common::SetThisTemplate(nullptr);
  for (const char* dialog : {"ShiftEntryForm", "ResourceEntryForm"}) {
    prompter.Answer(praxel::AnswerOk);
    Forms::StartForm(QString::fromLatin1(dialog), "StartAdd");
    EXPECT_EQ(OpenDialog(QString::fromLatin1(dialog)), nullptr) << dialog;
    EXPECT_EQ(Forms::Find(QString::fromLatin1(dialog)), nullptr) << dialog;
    EXPECT_TRUE(Messages().last().startsWith(QStringLiteral("No Templates in Memory: "))) << dialog;
  }
  EXPECT_EQ(ShiftNames(), QStringList({"Late", "Day"}));
  EXPECT_EQ(staff->ResourceList.Count(), 4);
}

struct PressRow {
  std::string name;
  int row;
  int column;
  int hour;          // the hour of the cell picked
  QString expected;  // that hour's cells, "*" for picked
};
void PrintTo(const PressRow& row, std::ostream* out) { *out << row.name; }

class ShiftEntryPress : public ShiftEntry, public testing::WithParamInterface<PressRow> {};

// The labels count as the nearest five-minute cell.
TEST_P(ShiftEntryPress, PicksTheNearestFiveMinuteCell) {
  const PressRow& row = GetParam();
  ShiftEntryForm* form = OpenToAdd();
  ASSERT_NE(form, nullptr);
  PressAt(form, row.row, row.column);
  EXPECT_EQ(HourShown(form, row.hour), row.expected);
  PressCancel(form);
  PressCancel(form);
}

INSTANTIATE_TEST_SUITE_P(Places, ShiftEntryPress,
                         testing::Values(PressRow{"LeftHourLabel", Row(3), 0, 3, "*XXXXXXXXXXX"},
                                         PressRow{"RightHourLabel", Row(3), kHourLabels, 3, "XXXXXXXXXXX*"},
                                         PressRow{"MinuteHeader", 0, Column(25), 0, "XXXXX*XXXXXX"},
                                         PressRow{"Corner", 0, 0, 0, "*XXXXXXXXXXX"}),
                         testsupport::CaseName());

// While cells are picked Cancel only drops them, as they were; the next Cancel closes and nothing
// is stored. The dialog stays open through a new active template.
TEST_F(ShiftEntry, CancelDropsTheSelectionFirst) {
  ShiftEntryForm* form = OpenToModify(QStringLiteral("Late"));
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Text(form, "ShiftNameText"), QStringLiteral("Late"));
  PressAt(form, Row(10), Column(20));
  DragThrough(form, {{Row(10), Column(40)}, {Row(10), Column(20)}});  // away and back
  EXPECT_EQ(HourShown(form, 10), QStringLiteral("NNNN*NNNNNNN"));
  DragThrough(form, {{Row(10), Column(30)}});
  EXPECT_FALSE(form->OkCommand()->isEnabled());

  PressCancel(form);
  EXPECT_EQ(Open<ShiftEntryForm>("ShiftEntryForm"), form);
  EXPECT_EQ(HourShown(form, 10), QString(12, QLatin1Char('N')));
  ExpectPending(form, false);
  Common::BroadcastNewThisTemplate();
  EXPECT_EQ(Open<ShiftEntryForm>("ShiftEntryForm"), form);

  PressCancel(form);
  EXPECT_EQ(Open<ShiftEntryForm>("ShiftEntryForm"), nullptr);
  EXPECT_EQ(staff->ShiftList.Find(QStringLiteral("Late"))->Matrix(10), QString(12, QLatin1Char('N')));
  EXPECT_FALSE(staff->Dirty());
}

// Modifying stores the new name and multipliers in the same shift.
TEST_F(ShiftEntry, ModifyingRenamesTheShift) {
  Yshift* late = staff->ShiftList.Find(QStringLiteral("Late"));
  ShiftEntryForm* form = OpenToModify(QStringLiteral("Late"));
  ASSERT_NE(form, nullptr);
  Fill(form, "ShiftNameText", QStringLiteral("Night"));
  Fill(form, "BurdenedMultiplierText", QStringLiteral("1.25"));
  PressAt(form, Row(23), Column(55));
  Button(form, "GroupCommand0")->click();
  PressOk(form);
  EXPECT_EQ(staff->ShiftList.Find(QStringLiteral("Night")), late);
  EXPECT_EQ(staff->ShiftList.Find(QStringLiteral("Late")), nullptr);
  EXPECT_FLOAT_EQ(late->BurdenedMultiplier, 1.25f);
  EXPECT_EQ(late->Matrix(23), QStringLiteral("XXXXXXXXXXXN"));
  EXPECT_TRUE(staff->Dirty());
}

struct ShiftRefusalRow {
  std::string name;
  const char* box;
  QString text;
  QString message;  // "Title: text"
};
void PrintTo(const ShiftRefusalRow& row, std::ostream* out) { *out << row.name; }

class ShiftEntryRefusal : public ShiftEntry, public testing::WithParamInterface<ShiftRefusalRow> {};

// A refused Ok names the field, keeps the dialog open and stores nothing: neither the new shift
// nor a change to Late, whose name, multipliers and day stay as they were.
TEST_P(ShiftEntryRefusal, StoresNothing) {
  const ShiftRefusalRow& row = GetParam();
  const Yshift* late = staff->ShiftList.Find(QStringLiteral("Late"));
  for (bool adding : {true, false}) {
    SCOPED_TRACE(adding ? "adding" : "modifying Late");
    ShiftEntryForm* form = adding ? OpenToAdd() : OpenToModify(QStringLiteral("Late"));
    ASSERT_NE(form, nullptr);
    Fill(form, "ShiftNameText", QStringLiteral("Swing"));
    Fill(form, "OvertimeMultiplierText", QStringLiteral("1.75"));
    PressAt(form, Row(0), Column(0));
    Button(form, "GroupCommand0")->click();
    Fill(form, row.box, row.text);
    prompter.Answer(praxel::AnswerOk);
    PressOk(form);
    EXPECT_EQ(Messages().last(), row.message);
    EXPECT_EQ(Open<ShiftEntryForm>("ShiftEntryForm"), form);
    EXPECT_EQ(ShiftNames(), QStringList({"Late", "Day"}));
    EXPECT_FLOAT_EQ(late->OvertimeMultiplier, 1.5f);
    EXPECT_EQ(late->Matrix(0), QString(12, QLatin1Char('X')));
    EXPECT_EQ(late->HolidayMultiplier, QStringLiteral("3"));
    EXPECT_FALSE(staff->Dirty());
    EXPECT_FALSE(SolveRequested());
    PressCancel(form);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ShiftEntryRefusal,
    testing::Values(
        ShiftRefusalRow{"BlankName", "ShiftNameText", "   ", "Missing Name: Name cannot be blank"},
        ShiftRefusalRow{"NameOfAnotherShift", "ShiftNameText", "day",
                        "Shift Name In Use: The Shift name \"day\" is already in use."},
        ShiftRefusalRow{"BurdenedNotANumber", "BurdenedMultiplierText", "abc",
                        "Invalid Burdened multiplier: The Burdened multiplier must be a number, such as 1.5."},
        ShiftRefusalRow{"OffDayBeyondSingle", "OffDayMultiplierText", "1e40",
                        "Invalid Off day multiplier: The Off day multiplier must be a number, such as 1.5."},
        ShiftRefusalRow{"HolidayAWord", "HolidayMultiplierText", "double",
                        "Invalid Holiday multiplier: The Holiday multiplier must be a number, such as 1.5."},
        ShiftRefusalRow{"HolidayEmpty", "HolidayMultiplierText", "",
                        "Invalid Holiday multiplier: The Holiday multiplier must be a number, such as 1.5."}),
    testsupport::CaseName());

}  // namespace
