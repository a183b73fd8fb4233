#include "ErrTrap.h"
#include "Guard.h"
#include "OleDate.h"
#include "ScriptedPrompter.h"
#include "ShortDate.h"
#include "TestHost.h"
#include "TestSupport.h"
#include "YwindowControl.h"
#include "YwindowLibrary.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QLineEdit>
#include <QMetaMethod>
#include <QRadioButton>

using praxel::AnswerAbort;
using praxel::AnswerIgnore;
using praxel::AnswerOk;

namespace {

using testsupport::OleDay;

// Ten leading columns, each as wide as the widest a column gets: wider than any printed page at
// every scale, so that only the quarter scale stops the automatic search.
QStringList WideColumns() {
  QStringList headings;
  for (int col = 0; col < 10; ++col) headings.append(QString(40, QLatin1Char('X')));
  return headings;
}

// The library's own trap asks the scripted prompter too.
class ControlTest : public testing::Test {
 protected:
  void SetUp() override {
    testsupport::ClearProgramDataFolder();
    Ywindow::SetPrompter(&prompter);
  }
  void TearDown() override {
    Ywindow::SetPrompter(nullptr);
    EXPECT_TRUE(prompter.AllAnswered());
  }

  // Starts a date chart of 10 Jan 10:00 to 12 Jan 09:00 as a view does.
  void StartDateChart() {
    host.Call("SetDateRange", Q_ARG(double, OleDay(2024, 1, 10) + 10 / 24.0), Q_ARG(double, OleDay(2024, 1, 12) + 9 / 24.0));
  }

  template <class T>
  T* Child(const char* name) {
    return host.Control()->findChild<T*>(QString::fromLatin1(name));
  }

  testsupport::ScriptedPrompter prompter;
  TestHost host;
};

TEST_F(ControlTest, SetDateRangeStartsTheLayoutAndTheInnermostPassDraws) {
  StartDateChart();
  EXPECT_EQ(host.events, (QStringList{"RedoLayout depth 0", "layout days 1", "RedoGraphics depth 1"}));

  // The boxes hold whole days: the last rounded up. The day scale runs from a spare day before
  // to a spare day after: 9 to 14 January, six columns after the task column.
  EXPECT_EQ(Child<QLineEdit>("EarliestText")->text(), praxel::ShortDateText(OleDay(2024, 1, 10)));
  EXPECT_EQ(Child<QLineEdit>("LatestText")->text(), praxel::ShortDateText(OleDay(2024, 1, 13)));
  int cols = 0;
  host.Call("Cols", Q_RETURN_ARG(int, cols));
  EXPECT_EQ(cols, 7);
  QString first;
  QString last;
  host.Call("CellText", Q_RETURN_ARG(QString, first), Q_ARG(int, 1), Q_ARG(int, 1));
  host.Call("CellText", Q_RETURN_ARG(QString, last), Q_ARG(int, 1), Q_ARG(int, 6));
  EXPECT_EQ(first, QStringLiteral("9"));
  EXPECT_EQ(last, QStringLiteral("14"));

  double earliest = 0;
  double latest = 0;
  host.Call("GetDateRange", Q_ARG(double&, earliest), Q_ARG(double&, latest));
  EXPECT_EQ(earliest, OleDay(2024, 1, 9));
  EXPECT_EQ(latest, OleDay(2024, 1, 13));
  int x = 0;
  host.Call("DateToX", Q_RETURN_ARG(int, x), Q_ARG(double, earliest));
  EXPECT_EQ(x, host.Typed().ColPos(1));  // the date columns begin after the locked column
}

TEST_F(ControlTest, AChartTooWideForThePageIsLaidOutAgainNestedUntilItFitsAndDrawnOnce) {
  host.layout.leading = WideColumns();
  StartDateChart();
  EXPECT_EQ(host.events, (QStringList{"RedoLayout depth 0", "layout days 1", "RedoLayout depth 1", "layout days 7",
                                      "RedoLayout depth 2", "layout days 30", "RedoLayout depth 3", "layout days 90",
                                      "RedoGraphics depth 4"}));
  // The drawing belongs to the last layout: its grid texts are there once.
  int quarters = 0;
  for (int index = 0; index < host.Typed().Grobs().Count(); ++index) {
    quarters += host.Typed().Grobs().At(index).Text == QStringLiteral("Q1");
  }
  EXPECT_EQ(quarters, 1);
}

TEST_F(ControlTest, AScaleTheUserChoosesStandsHoweverWideTheChart) {
  host.layout.leading = WideColumns();
  StartDateChart();
  host.events.clear();

  Child<QRadioButton>("ScalingOption1")->click();
  EXPECT_EQ(host.events, (QStringList{"RedoLayout depth 0", "layout days 1", "RedoGraphics depth 1"}));
  // Choosing it again lays the chart out again.
  host.events.clear();
  Child<QRadioButton>("ScalingOption1")->click();
  EXPECT_EQ(host.events, (QStringList{"RedoLayout depth 0", "layout days 1", "RedoGraphics depth 1"}));
}

TEST_F(ControlTest, ATypedDateThatIsNoDateIsRefusedAndNothingIsLaidOut) {
  StartDateChart();
  host.events.clear();

  Child<QLineEdit>("EarliestText")->setText(QStringLiteral("soon"));
  EXPECT_FALSE(Child<QRadioButton>("ScalingOption0")->isChecked());  // typing clears the scale
  prompter.Answer(AnswerOk);
  Child<QRadioButton>("ScalingOption7")->click();

  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(prompter.Asked()[0].text, QStringLiteral("\"soon\" is not a valid date"));
  EXPECT_EQ(prompter.Asked()[0].style, praxel::MsgOkOnly);
  EXPECT_EQ(prompter.Asked()[0].title, QString());
  EXPECT_FALSE(Child<QRadioButton>("ScalingOption7")->isChecked());
  EXPECT_TRUE(host.events.isEmpty());
}

TEST_F(ControlTest, ARangeThatEndsWhereItStartsIsRefused) {
  prompter.Answer(AnswerOk);
  host.Call("SetDateRange", Q_ARG(double, OleDay(2024, 1, 10)), Q_ARG(double, OleDay(2024, 1, 10)));
  ASSERT_EQ(prompter.Asked().size(), 1);
  const QString day = praxel::ShortDateText(OleDay(2024, 1, 10));
  EXPECT_EQ(prompter.Asked()[0].text, day + QStringLiteral(" >= ") + day);
  EXPECT_FALSE(Child<QRadioButton>("ScalingOption0")->isChecked());
  EXPECT_TRUE(host.events.isEmpty());
}

// A new font changes every width, so the automatic scale is sought afresh from the finest: the
// same chart keeps its day scale rather than moving on to weeks.
TEST_F(ControlTest, ANewFontLaysTheChartOutAgainAtTheScaleThatFits) {
  host.Call("SetFont", Q_ARG(QWidget*, &host.Window()));  // before any layout: nothing to lay out
  EXPECT_TRUE(host.events.isEmpty());

  StartDateChart();
  host.events.clear();
  host.Call("SetFont", Q_ARG(QWidget*, &host.Window()));
  EXPECT_EQ(host.events, (QStringList{"RedoLayout depth 0", "layout days 1", "RedoGraphics depth 1"}));
}

TEST_F(ControlTest, LayoutCompleteFixesTheHeaderAndLockedColumnsAndAddsTheKeyRow) {
  host.layout = {{QStringLiteral("Task"), QStringLiteral("Cost")}, false, 3, 1, 5};
  host.Call("Style", Q_ARG(int, ywTextOnly));
  host.Ywindow_RedoLayout();

  const Ywindow::GridModel& grid = host.Typed().Grid();
  EXPECT_EQ(grid.FixedRows(), 1);
  EXPECT_EQ(grid.FixedCols(), 1);
  ASSERT_EQ(grid.Rows(), 5);
  EXPECT_EQ(grid.Text(4, 0), QString(5, QLatin1Char('\r')));  // five lines tall
  EXPECT_GT(grid.RowHeight(4), 4 * grid.RowHeight(1));

  // No data rows and as many locked columns as columns: the fixed area stays as it was.
  host.layout = {{QStringLiteral("Task"), QStringLiteral("Cost")}, false, 0, 2, 0};
  host.Ywindow_RedoLayout();
  EXPECT_EQ(grid.FixedRows(), 0);
  EXPECT_EQ(grid.FixedCols(), 0);
}

TEST_F(ControlTest, AHeadingStandsInEveryHeaderRowOfItsColumn) {
  host.layout.leading = {QStringLiteral("Task")};
  StartDateChart();
  QString heading;
  host.Call("CellText", Q_RETURN_ARG(QString, heading), Q_ARG(int, 2), Q_ARG(int, 0));
  EXPECT_EQ(heading, QStringLiteral("Task"));
  int row1 = 0, col1 = 0, row2 = 0, col2 = 0;
  host.Call("FindBorder", Q_ARG(int, 1), Q_ARG(int, 0), Q_ARG(int&, row1), Q_ARG(int&, col1), Q_ARG(int&, row2),
            Q_ARG(int&, col2));
  EXPECT_EQ(QList<int>({row1, col1, row2, col2}), QList<int>({-1, -1, 3, 1}));  // one tall heading
}

TEST_F(ControlTest, CellTextIsStoredAndReadWithoutBlanksAroundIt) {
  host.layout = {{QStringLiteral("Group"), QStringLiteral("Item")}, false, 0, 0, 0};
  host.Call("Style", Q_ARG(int, ywTextOnly));
  host.Ywindow_RedoLayout();
  YwindowControl& control = host.Typed();
  const QList<std::pair<QString, QString>> rows = {{"A", "  x  "}, {"B", "x"}};
  for (const auto& [group, item] : rows) {
    control.AddRow();
    control.CellText(control.Rows() - 1, 0, group);
    control.CellText(control.Rows() - 1, 1, item);
  }
  control.AutoMerge();
  // The merging kept the second x apart with a blank that is not part of its text.
  EXPECT_EQ(control.Grid().Text(2, 1), QStringLiteral("x "));
  EXPECT_EQ(control.CellText(2, 1), QStringLiteral("x"));
  EXPECT_EQ(control.CellText(1, 1), QStringLiteral("x"));
}

TEST_F(ControlTest, CellSizesOfAnEmptyGridAreTheSizesNewCellsGet) {
  host.Call("Reset");
  int width = 0;
  int cols = -1;
  host.Call("CellWidth", Q_RETURN_ARG(int, width));
  host.Call("Cols", Q_RETURN_ARG(int, cols));
  EXPECT_EQ(width, host.Typed().Grid().DefaultColWidth());
  EXPECT_EQ(cols, 0);
  host.Call("AddColumn", Q_ARG(QString, QStringLiteral("A")), Q_ARG(int, 1));
  host.Call("CellWidth", Q_RETURN_ARG(int, width));
  EXPECT_EQ(width, host.Typed().Grid().ColWidth(0));
}

// A chart emptied for a layout that never came (the host had nothing to show, or its layout was
// given up) has no rows: redrawing it, as every resize does, shows an empty grid and asks nothing.
TEST_F(ControlTest, AnEmptiedChartRedrawsWithoutAsking) {
  for (const int style : {int(ywDateGrid), int(ywGraphicsOnly), int(ywTextOnly)}) {
    host.Call("Style", Q_ARG(int, style));
    host.Call("Reset");
    host.Control()->resize(host.Control()->size() - QSize(40, 30));
    host.Call("Refresh");
    host.Window().grab();
    EXPECT_TRUE(prompter.Asked().isEmpty()) << "style " << style << ": " << prompter.Asked().value(0).text.toStdString();
  }
}

// The members and events hosts reach by name, with the argument types they pass.
TEST(YwindowInterface, EveryMemberAndEventIsReachableByName) {
  const QMetaObject& meta = YwindowControl::staticMetaObject;
  const char* members[] = {"AddColumn(QString,int)",
                           "CopyToClipboard()",
                           "EndDoc()",
                           "FinishCopyToClipboard()",
                           "GetMetaFileInHex()",
                           "GetPageStats(int&,int&,int&,int&,int&,int&,int&,int&)",
                           "MetaTriangle(int)",
                           "PaintPreview(QPainter*,int,int,float)",
                           "PrintPiece(bool,float,QString,QString,int,int,int,int,int,int)",
                           "ResizeContainer(QWidget*,int)",
                           "SetBrush(int)",
                           "SetBrush(int,int)",
                           "SetPen(int,int)",
                           "StartMetaFile()",
                           "AddDateGrid()",
                           "AddRow()",
                           "AddRow(int)",
                           "AddTodayLine(double,int)",
                           "AutoMerge()",
                           "Box(int,int,int,int)",
                           "Box(int,int,int,int,int,int,int)",
                           "CellBackColor(int,int)",
                           "CellBackColor(int,int,int)",
                           "CellFontBold(int,int)",
                           "CellFontBold(int,int,bool)",
                           "CellFontItalic(int,int)",
                           "CellFontItalic(int,int,bool)",
                           "CellHeight()",
                           "CellText(int,int)",
                           "CellText(int,int,QString)",
                           "CellWidth()",
                           "ColPos(int)",
                           "Cols()",
                           "DateToX(double)",
                           "DeleteRow(int)",
                           "DrawText(int,int,QString)",
                           "DrawText(int,int,QString,int,int,int)",
                           "FindBorder(int,int,int&,int&,int&,int&)",
                           "FirstGraphicRow()",
                           "FixTop()",
                           "FixTop(bool)",
                           "GetDateRange(double&,double&)",
                           "GridToolTip(QString)",
                           "LayoutComplete(int,int)",
                           "Oval(int,int,int,int,int,int)",
                           "Refresh()",
                           "RemapColors()",
                           "RemapColors(bool)",
                           "Reset()",
                           "RowPos(int)",
                           "Rows()",
                           "ScreenColPos(int)",
                           "ScreenRowPos(int)",
                           "SetDateRange(double,double)",
                           "SetFont(QWidget*)",
                           "Style()",
                           "Style(int)",
                           "Triangle(int,int,int,int,int,int,int)",
                           "XLine(int,int,int,int)",
                           "XLine(int,int,int,int,int,int)"};
  for (const char* member : members) {
    const int index = meta.indexOfMethod(QMetaObject::normalizedSignature(member).constData());
    EXPECT_GE(index, 0) << member;
    if (index >= 0) {
      EXPECT_EQ(meta.method(index).methodType(), QMetaMethod::Method) << member;
    }
  }
  const char* events[] = {"CellClick(int,int,int)",
                          "DateClick(double)",
                          "MouseDown(int,int,float,float)",
                          "MouseMove(int,int,float,float)",
                          "MouseUp(int,int,float,float)",
                          "RedoLayout()",
                          "RedoGraphics()",
                          "ScrollGrid()"};
  for (const char* event : events) EXPECT_GE(meta.indexOfSignal(event), 0) << event;
}

// A member of the library fails under a call from the program: the library's trap asks and logs
// the failure in the library's own log, and the chain goes on in the program's trap up to the
// program's handler.
TEST_F(ControlTest, AChainFromAControlMemberContinuesInTheProgram) {
  prompter.Answer(AnswerAbort);
  ErrTrap::Guard handler(ErrTrap::Handler(QStringLiteral("TestHost:OkCommand_Click")));
  bool continued = false;
  handler([&] {
    QString text;
    QMetaObject::invokeMethod(host.Control(), "CellText", Qt::DirectConnection, Q_RETURN_ARG(QString, text),
                              Q_ARG(int, 99), Q_ARG(int, 0));
    continued = true;
  });
  EXPECT_FALSE(continued);

  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(prompter.Asked()[0].title, QStringLiteral("Internal Error"));
  EXPECT_EQ(prompter.Asked()[0].text, QStringLiteral("Internal error 9: Subscript out of range"));

  const QString libraryLog =
      testsupport::ReadTextFile(testsupport::DataFolderPath(QStringLiteral("libywindow-ErrTrap.log")));
  EXPECT_TRUE(libraryLog.contains(QStringLiteral("Section:      YwindowControl:CellText [Property Get]\r\n")));
  EXPECT_TRUE(libraryLog.contains(QStringLiteral("/libywindow.so\r\n")));
  EXPECT_FALSE(libraryLog.contains(QStringLiteral("Call chain:")));
  EXPECT_EQ(
      testsupport::ReadTextFile(ErrTrap::LogFilePath()),
      QStringLiteral("Call chain:\r\n  TestHost:OkCommand_Click\r\n  YwindowControl:CellText [Property Get]\r\n"));
}

// A triangle that cannot be drawn is reported once, when the host adds it; an oval without
// width draws nothing. Repainting asks nothing.
TEST_F(ControlTest, BadShapesAreReportedWhenAddedAndNeverWhilePainting) {
  host.layout.leading = {QStringLiteral("Task")};
  host.drawing = [&] {
    host.Call("Triangle", Q_ARG(int, 0), Q_ARG(int, 0), Q_ARG(int, 100), Q_ARG(int, 100), Q_ARG(int, 0), Q_ARG(int, 0),
              Q_ARG(int, 2));
    host.Call("Oval", Q_ARG(int, 3000), Q_ARG(int, 1000), Q_ARG(int, 3000), Q_ARG(int, 1500), Q_ARG(int, 0),
              Q_ARG(int, 0xFF));
  };
  prompter.Answer(AnswerIgnore);
  StartDateChart();
  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(prompter.Asked()[0].text, QStringLiteral("Internal error 5: Invalid procedure call or argument"));
  EXPECT_EQ(host.Typed().Grobs().At(host.Typed().Grobs().Count() - 1).Kind, Ywindow::GrobOval);

  host.Call("Refresh");
  host.Window().grab();
  EXPECT_EQ(prompter.Asked().size(), 1);
}

}  // namespace
