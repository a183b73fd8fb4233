// The precedence diagram: which slices it shows, their columns and rows, the box sizes fitted to
// the page, the boxes, lines and texts it hands the chart control, and dragging a box.

#include "CaseName.h"
#include "Common.h"
#include "Forms.h"
#include "MainForm.h"
#include "Notifications.h"
#include "PrecedenceForm.h"
#include "Rounding.h"
#include "ShortDate.h"
#include "SliceOrder.h"
#include "ViewFixture.h"
#include "Yassignment.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Yslice.h"
#include "Ytask.h"
#include "Ytemplate.h"
#include "YwindowControl.h"
#include "ZoomList.h"

#include <QAction>
#include <QComboBox>
#include <QFontMetricsF>
#include <QRadioButton>

#include <map>

namespace {

using Ywindow::Grob;

// A task of a network: its number and the numbers of the tasks it waits for.
struct NetworkTask {
  int id;
  QList<int> after;
};

class Precedence : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    staff = AddTemplate(QStringLiteral("Staff"));
  }

  // A project of one-day tasks for Ann; a task waits for the tasks listed with it, or starts on
  // the start day when it waits for none.
  Yproject* AddNetwork(const QString& name, const QList<NetworkTask>& tasks, double startDay = Day(0)) const {
    Yproject* project = AddStaffedChain(name, staff, {});
    Yresource* ann = staff->ResourceList.Find(QStringLiteral("1"));
    for (const NetworkTask& entry : tasks) {
      Ytask* task = project->FindOrCreateTask(entry.id);
      task->Description = QStringLiteral("Task %1").arg(entry.id);
      task->SetMostLikely(480);
      auto* assignment = Common::NewY<Yassignment>(ytAssignment);
      assignment->SetTask(task);
      assignment->SetResourceRequired(ann);
      assignment->SetHours(8);
      if (entry.after.isEmpty()) {
        auto* start = Common::NewY<Ydependency>(ytDependency);
        start->SetTask(task);
        start->SetDepDate(startDay);
      }
      for (const int before : entry.after) Depend(task, project->TaskList.Find(QString::number(before)));
    }
    project->SetDirty(false);
    return project;
  }
  static void Depend(Ytask* task, Ytask* required) {
    auto* dependency = Common::NewY<Ydependency>(ytDependency);
    dependency->SetTask(task);
    dependency->SetTaskRequired(required);
  }

  void Open() { OpenView("GraphicsPrecedenceMenu", "PrecedenceForm"); }
  static PrecedenceForm* Form() {
    return qobject_cast<PrecedenceForm*>(Forms::Find(QStringLiteral("PrecedenceForm")));
  }
  static YwindowControl* Chart() { return Form()->Chart(); }
  static void ChooseStyle(int index) {
    Form()->findChild<QRadioButton*>(QStringLiteral("StyleOption%1").arg(index))->click();
  }

  static const Yslice* SliceOf(const Yproject* project, int id) {
    return Solve::FirstSlice(project->TaskList.Find(QString::number(id)));
  }
  static QList<Grob> Objects(int kind) {
    QList<Grob> found;
    const Ywindow::GrobList& grobs = Chart()->Grobs();
    for (int index = 0; index < grobs.Count(); ++index) {
      if (grobs.At(index).Kind == kind) found.append(grobs.At(index));
    }
    return found;
  }
  static QStringList Texts() {
    QStringList texts;
    for (const Grob& grob : Objects(Ywindow::GrobText)) texts.append(grob.Text);
    return texts;
  }
  // The box drawn for a slice: where the layout puts it.
  static QRect BoxOf(const Yslice* slice) {
    const PrecedenceForm* form = Form();
    return {QPoint(form->GetX(slice->Col), form->GetY(slice->Row)),
            QPoint(form->GetX(slice->Col) + form->BoxWidth(), form->GetY(slice->Row) + form->BoxHeight())};
  }
  // How wide a text is drawn: in the window's font, which the control draws with (the extent the
  // control records for a text keeps a margin around it).
  static double DrawnWidth(const QString& text) {
    return QFontMetricsF(Form()->font(), Form()).horizontalAdvance(text) * 1440.0 / Form()->logicalDpiX();
  }
  // The texts drawn in one cell of a slice's box (column 0 to 2 of the upper or the lower row),
  // in the order drawn: those whose middle lies in the cell. The cell's room across is [x1, x2].
  static QList<Grob> TextsInCell(const Yslice* slice, int column, bool upper, int& x1, int& x2) {
    const PrecedenceForm* form = Form();
    const int x = form->GetX(slice->Col);
    const int y = form->GetY(slice->Row);
    x1 = praxel::ToLong(x + static_cast<double>(column) * form->BoxWidth() / 3);
    x2 = praxel::ToLong(x1 + form->BoxWidth() / 3.0);
    const double cellTop = y + (2.0 - form->BoxLines() % 2) * form->BoxHeight() / form->BoxLines();
    const double middle = y + form->BoxHeight() / 2.0;
    const double top = upper ? cellTop : middle;
    const double bottom = upper ? middle : y + form->BoxHeight();
    QList<Grob> found;
    for (const Grob& text : Objects(Ywindow::GrobText)) {
      const double across = text.X1 + DrawnWidth(text.Text) / 2;
      if (across >= x1 && across <= x2 && text.Y1 >= top && text.Y1 < bottom) found.append(text);
    }
    return found;
  }
  static bool BoxDrawnAt(const QRect& box) {
    const QList<Grob> boxes = Objects(Ywindow::GrobBox);
    return std::any_of(boxes.begin(), boxes.end(), [&](const Grob& grob) {
      return QRect(QPoint(grob.X1, grob.Y1), QPoint(grob.X2, grob.Y2)) == box && grob.FillColor == 0xFFFFFF &&
             grob.BorderColor == 0;
    });
  }

  Ytemplate* staff = nullptr;
};

// Columns by the depth of the shown predecessors; rows two apart, a column's block centred on the
// middle row and ordered by the average row of the predecessors.
struct LayoutCase {
  const char* name;
  QList<NetworkTask> network;
  std::map<int, QPoint> places;  // task: (column, row)
  int diagramRows;
};

class PrecedenceLayout : public Precedence, public testing::WithParamInterface<LayoutCase> {};

TEST_P(PrecedenceLayout, PlacesEachSlice) {
  Yproject* plant = AddNetwork(QStringLiteral("Plant"), GetParam().network);
  Activate(staff, plant);
  Open();
  for (const auto& [id, place] : GetParam().places) {
    const Yslice* slice = SliceOf(plant, id);
    EXPECT_EQ(QPoint(slice->Col, slice->Row), place) << "task " << id;
  }
  EXPECT_EQ(Form()->DiagramRows(), GetParam().diagramRows);
  EXPECT_FALSE(Form()->OtherProjects());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PrecedenceLayout,
    testing::Values(
        LayoutCase{"FiveIndependentTasksStandInOneColumn",
                   {{1, {}}, {2, {}}, {3, {}}, {4, {}}, {5, {}}, {9, {1, 2, 3, 4, 5}}},
                   {{1, {0, 0}}, {2, {0, 2}}, {3, {0, 4}}, {4, {0, 6}}, {5, {0, 8}}, {9, {1, 4}}},
                   9},
        LayoutCase{"AChainOfThreeStandsOnTheMiddleRow",
                   {{1, {}}, {2, {1}}, {3, {2}}},
                   {{1, {0, 2}}, {2, {1, 2}}, {3, {2, 2}}},
                   5},
        LayoutCase{"TheWantedRowOnlyOrders",
                   {{1, {}}, {2, {}}, {3, {2}}, {9, {1, 3}}},
                   {{1, {0, 1}}, {2, {0, 3}}, {3, {1, 2}}, {9, {2, 2}}},
                   5},
        LayoutCase{"TheAverageRowOfThePredecessorsOrdersAColumn",
                   {{1, {}}, {2, {}}, {3, {2}}, {4, {1, 2}}, {9, {3, 4}}},
                   {{1, {0, 1}}, {2, {0, 3}}, {3, {1, 3}}, {4, {1, 1}}, {9, {2, 2}}},
                   5}),
    testsupport::CaseName());

// A slice of another project one link away is shown and adds the project line to every box; two
// links away it is not shown, and with its own predecessors hidden it stands in column 0.
TEST_F(Precedence, ADirectlyLinkedSliceOfAnotherProjectIsShown) {
  Yproject* other = AddNetwork(QStringLiteral("Other"), {{1, {}}, {2, {1}}});
  Yproject* plant = AddNetwork(QStringLiteral("Plant"), {{1, {}}});
  Depend(plant->TaskList.Find(QStringLiteral("1")), other->TaskList.Find(QStringLiteral("2")));
  Activate(staff, plant);
  Open();
  EXPECT_EQ(SliceOf(other, 1)->Count, 0);
  EXPECT_GE(SliceOf(other, 2)->Count, 1);
  EXPECT_EQ(SliceOf(other, 2)->Col, 0);
  EXPECT_EQ(SliceOf(plant, 1)->Col, 1);
  EXPECT_TRUE(Form()->OtherProjects());
  EXPECT_EQ(Form()->IncludeList().size(), 2);

  ChooseStyle(PrecedenceForm::ElapsedTime);
  EXPECT_EQ(Form()->BoxLines(), 4);
  EXPECT_TRUE(Texts().contains(QStringLiteral("Other")));
}

// A task standing for a subproject has no box; the subproject's tasks have.
TEST_F(Precedence, ASubprojectsTasksHaveBoxesAndItsLinkTaskNone) {
  Yproject* fitOut = AddNetwork(QStringLiteral("Fit-out"), {{1, {}}, {2, {1}}});
  Yproject* plant = AddNetwork(QStringLiteral("Plant"), {{1, {}}, {5, {1}}});
  Ytask* link = plant->FindOrCreateTask(4);
  link->Description = QStringLiteral("Fit-out");
  link->SetSubproject(fitOut);
  Depend(link, plant->TaskList.Find(QStringLiteral("1")));
  Depend(plant->TaskList.Find(QStringLiteral("5")), link);
  Activate(staff, plant);
  Open();
  ASSERT_NE(Form(), nullptr);
  for (const Yslice* slice : Form()->IncludeList()) EXPECT_NE(slice->Task, link);
  EXPECT_GE(SliceOf(fitOut, 1)->Count, 1);
  EXPECT_GE(SliceOf(fitOut, 2)->Count, 1);
  EXPECT_TRUE(Form()->OtherProjects());
}

TEST(PrecedencePage, BoxColumnsFillWholeCellsOfThePage) {
  const struct {
    int printerWidth, cellWidth, boxWidth, boxGap, fitted;
  } cases[] = {
      {11520, 1000, 1500, 600, 700},  // 11 cells, 5 boxes: 175, 2375, 4575, 6775, 8975
      {11520, 0, 1500, 600, 600},     // no cell: the gap stays
      {0, 1000, 1500, 600, 600},      // no page
      {1000, 1000, 1500, 600, 600},   // not even one box fits across
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PrecedenceForm::FitGapToPage(c.printerWidth, c.cellWidth, c.boxWidth, c.boxGap), c.fitted)
        << c.printerWidth << " " << c.cellWidth;
  }
}

TEST(PrecedenceTexts, ElapsedTimesInTheChosenUnits) {
  const struct {
    double days;
    const char* units;
    const char* text;
  } cases[] = {{1.5, "days", "1.5"}, {1.5, "hours", "36.0"}, {30, "months", "1.0"},
               {-2, "days", "-2.0"}, {0, "weeks", "0.0"},    {1.0 / 1440, "minutes", "1.0"}};
  for (const auto& c : cases) {
    EXPECT_EQ(PrecedenceForm::FormatElapsed(c.days, QString::fromLatin1(c.units)), QString::fromLatin1(c.text))
        << c.days << " " << c.units;
  }
}

TEST_F(Precedence, BoxSizesFollowTheStyle) {
  Activate(staff, AddNetwork(QStringLiteral("Plant"), {{1, {}}, {2, {1}}}));
  Open();
  EXPECT_EQ(Form()->BoxLines(), 1);
  EXPECT_EQ(Form()->BoxHeight(), Form()->LineHeight());
  const int numericWidth = Form()->BoxWidth();
  ChooseStyle(PrecedenceForm::ElapsedTime);
  const int elapsedWidth = Form()->BoxWidth();
  EXPECT_GT(elapsedWidth, numericWidth);
  ChooseStyle(PrecedenceForm::DateOnly);
  EXPECT_EQ(Form()->BoxLines(), 3);
  EXPECT_EQ(Form()->BoxColumns(), 3);
  // Cells of dates make room for the dates, never less than cells of elapsed times.
  const int dateWidth = Form()->BoxWidth();
  EXPECT_GE(dateWidth, elapsedWidth);
  const int dateHeight = Form()->BoxHeight();
  ChooseStyle(PrecedenceForm::DateAndTime);
  EXPECT_EQ(Form()->BoxHeight(), dateHeight + 2 * Form()->LineHeight());
  EXPECT_GE(Form()->BoxWidth(), dateWidth);
}

// Numbered boxes in the order shown, white with black borders where the layout put them; each
// link drawn from both of its ends, from the middle of the right edge to the middle of the left.
TEST_F(Precedence, NumberedBoxesAndTheirLinks) {
  Yproject* plant = AddNetwork(QStringLiteral("Plant"), {{1, {}}, {2, {1}}, {3, {2}}});
  Activate(staff, plant);
  Open();
  EXPECT_EQ(Texts(), QStringList({"1", "2", "3"}));
  for (const int id : {1, 2, 3}) EXPECT_TRUE(BoxDrawnAt(BoxOf(SliceOf(plant, id)))) << "task " << id;

  const QRect first = BoxOf(SliceOf(plant, 1));
  const QRect second = BoxOf(SliceOf(plant, 2));
  const QList<Grob> lines = Objects(Ywindow::GrobLine);
  ASSERT_EQ(lines.size(), 4);
  const int middle = praxel::ToLong(first.top() + Form()->BoxHeight() / 2.0);
  EXPECT_EQ(QLine(lines.at(0).X1, lines.at(0).Y1, lines.at(0).X2, lines.at(0).Y2),
            QLine(first.right(), middle, second.left(), middle));
  EXPECT_EQ(QLine(lines.at(1).X1, lines.at(1).Y1, lines.at(1).X2, lines.at(1).Y2),
            QLine(lines.at(0).X1, lines.at(0).Y1, lines.at(0).X2, lines.at(0).Y2));
  // The lines come before the boxes, which cover them.
  EXPECT_EQ(Chart()->Grobs().At(0).Kind, Ywindow::GrobLine);
}

// Elapsed times count from the first shown slice's early start; a critical slice has no slack.
TEST_F(Precedence, ElapsedBoxesShowTheTaskDurationAndSlack) {
  Yproject* plant = AddNetwork(QStringLiteral("Plant"), {{1, {}}, {2, {1}}});
  Activate(staff, plant);
  Open();
  ChooseStyle(PrecedenceForm::ElapsedTime);
  const QStringList texts = Texts();
  // Task line, early start, duration, early finish, late start, slack, late finish.
  ASSERT_EQ(texts.size(), 14);
  EXPECT_EQ(texts.at(0), QStringLiteral("1: Task 1"));
  EXPECT_EQ(texts.at(1), QStringLiteral("0.0"));
  const Yslice* second = SliceOf(plant, 2);
  EXPECT_EQ(texts.at(12), QStringLiteral("0.0")) << "the last task has no slack";
  const Yslice* first = SliceOf(plant, 1);
  EXPECT_EQ(texts.at(2), PrecedenceForm::FormatElapsed(first->EarlyFinish - first->EarlyStart, "days"));
  EXPECT_EQ(texts.at(5), PrecedenceForm::FormatElapsed(first->LateStart - first->EarlyStart, "days"));
  EXPECT_EQ(texts.at(8), PrecedenceForm::FormatElapsed(second->EarlyStart - Form()->OriginDate(), "days"));
  EXPECT_NE(texts.at(8), QStringLiteral("0.0"));

  // Another unit rewrites the cells.
  Form()->findChild<QComboBox*>(QStringLiteral("UnitsCombo"))->setCurrentText(QStringLiteral("hours"));
  EXPECT_EQ(Texts().at(8), PrecedenceForm::FormatElapsed(second->EarlyStart - Form()->OriginDate(), "hours"));
}

TEST_F(Precedence, DateAndTimeCellsHoldTwoLinesWithoutASeparatorBetween) {
  Yproject* plant = AddNetwork(QStringLiteral("Plant"), {{1, {}}});
  Activate(staff, plant);
  Open();
  ChooseStyle(PrecedenceForm::DateAndTime);
  EXPECT_EQ(Form()->BoxLines(), 5);
  // The box, two separators across (lines 1 and 3 of five) and the two between the cells.
  EXPECT_EQ(Objects(Ywindow::GrobLine).size(), 4);
  const QStringList texts = Texts();
  // A date and a time each drawn as a line of its own: the task line and six cells of two lines.
  EXPECT_EQ(texts.size(), 1 + 4 * 2 + 2);
}

// Each date cell shows its date, and with the time below it its time of day, whole and inside the
// cell, whatever the widths of the user's month names and marks before and after noon.
struct DateCellCase {
  const char* name;
  const char* locale;
  PrecedenceForm::BoxStyle style;
};

class PrecedenceDateCells : public Precedence, public testing::WithParamInterface<DateCellCase> {};

TEST_P(PrecedenceDateCells, ShowTheirDatesAndTimesWhole) {
  const testsupport::LocaleScope locale(GetParam().locale);
  // From Tuesday 28 May 2024: a two-digit day in a month of a wide name.
  Yproject* plant = AddNetwork(QStringLiteral("Plant"), {{1, {}}, {2, {}}, {3, {1, 2}}}, Day(148));
  Activate(staff, plant);
  Open();
  ChooseStyle(GetParam().style);
  ASSERT_EQ(Form()->IncludeList().size(), 3);
  for (const Yslice* slice : Form()->IncludeList()) {
    const struct {
      int column;
      bool upper;
      double date;
    } cells[] = {{0, true, slice->EarlyStart},
                 {2, true, slice->EarlyFinish},
                 {0, false, slice->LateStart},
                 {2, false, slice->LateFinish}};
    for (const auto& cell : cells) {
      QStringList expected = {praxel::ShortDateText(cell.date)};
      if (GetParam().style == PrecedenceForm::DateAndTime) expected.append(Common::LongTimeOfDay(cell.date));
      int x1 = 0, x2 = 0;
      QStringList drawn;
      for (const Grob& text : TextsInCell(slice, cell.column, cell.upper, x1, x2)) {
        drawn.append(text.Text);
        EXPECT_GE(text.X1, x1) << text.Text.toStdString();
        EXPECT_LE(text.X1 + DrawnWidth(text.Text), x2) << text.Text.toStdString();
      }
      EXPECT_EQ(drawn, expected) << "task " << slice->Task->TaskID() << " column " << cell.column
                                 << (cell.upper ? " upper" : " lower");
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Locales, PrecedenceDateCells,
                         testing::Values(DateCellCase{"UsDates", "en_US", PrecedenceForm::DateOnly},
                                         DateCellCase{"UsDatesAndTimes", "en_US", PrecedenceForm::DateAndTime},
                                         DateCellCase{"CDates", "C", PrecedenceForm::DateOnly},
                                         DateCellCase{"CDatesAndTimes", "C", PrecedenceForm::DateAndTime}),
                         testsupport::CaseName());

class PrecedenceDrag : public Precedence {
 protected:
  void SetUp() override {
    Precedence::SetUp();
    plant = AddNetwork(QStringLiteral("Plant"), {{1, {}}, {2, {}}, {3, {}}, {4, {1, 2, 3}}});
    Activate(staff, plant);
    Open();
  }
  // The pointer on the middle of a slice's box.
  static QPointF On(const Yslice* slice) { return QRectF(BoxOf(slice)).center(); }
  static void Press(QPointF at, int button = 1) { emit Chart()->MouseDown(button, 0, at.x(), at.y()); }
  static void MoveTo(double y) { emit Chart()->MouseMove(1, 0, 0, static_cast<float>(y)); }
  static void Release() { emit Chart()->MouseUp(1, 0, 0, 0); }

  Yproject* plant = nullptr;
};

TEST_F(PrecedenceDrag, ABoxMovesByWholeRowsOnceThePointerTravelsMoreThanABox) {
  const Yslice* second = SliceOf(plant, 2);
  ASSERT_EQ(second->Row, 2);
  const QPointF start = On(second);
  Press(start);
  EXPECT_EQ(Form()->DragSlice(), second);
  EXPECT_EQ(Form()->cursor().shape(), Qt::SizeVerCursor);
  const int height = Form()->BoxHeight();

  MoveTo(start.y() + height);
  EXPECT_EQ(second->Row, 2) << "a travel of one box height moves nothing";
  MoveTo(start.y() + height + 1);
  EXPECT_EQ(second->Row, 3);
  EXPECT_TRUE(BoxDrawnAt(BoxOf(second))) << "drawn again at its new row";
  MoveTo(start.y() + 2 * height + 2);
  EXPECT_EQ(second->Row, 4) << "covering the box below is allowed";
  EXPECT_EQ(second->Col, 0);

  Release();
  EXPECT_EQ(Form()->DragSlice(), nullptr);
  EXPECT_EQ(Form()->cursor().shape(), Qt::ArrowCursor);
  // Another style lays the diagram out again: every box back on its computed row.
  ChooseStyle(PrecedenceForm::DateOnly);
  EXPECT_EQ(second->Row, 2);
}

TEST_F(PrecedenceDrag, DraggingTheTopBoxUpMovesTheOthersDownAndEndsTheDrag) {
  const Yslice* first = SliceOf(plant, 1);
  ASSERT_EQ(first->Row, 0);
  const QPointF start = On(first);
  Press(start, 2);  // any button
  MoveTo(start.y() - Form()->BoxHeight() - 1);
  EXPECT_EQ(first->Row, 0);
  EXPECT_EQ(SliceOf(plant, 2)->Row, 3);
  EXPECT_EQ(SliceOf(plant, 3)->Row, 5);
  EXPECT_EQ(SliceOf(plant, 4)->Row, 3);
  EXPECT_EQ(Form()->DragSlice(), nullptr);
}

TEST_F(PrecedenceDrag, APressBesideTheBoxesDragsNothing) {
  Press(QPointF(-100, -100));
  EXPECT_EQ(Form()->DragSlice(), nullptr);
  MoveTo(10000);
  EXPECT_EQ(SliceOf(plant, 1)->Row, 0);
}

// The slices go back to the solver's pool at its next ordering: a solve lays the diagram out
// again and ends a drag; slices of an ordering that has passed are never drawn nor dragged.
TEST_F(PrecedenceDrag, ANewSolveLaysOutAgainAndSlicesOfAPastOrderingAreDropped) {
  Press(On(SliceOf(plant, 2)));
  ASSERT_NE(Form()->DragSlice(), nullptr);
  plant->SetDirty(true);
  ASSERT_TRUE(SolveNow());
  EXPECT_EQ(Form()->DragSlice(), nullptr);
  EXPECT_EQ(Form()->IncludeList(), Solve::SliceList());

  Solve::ClearSliceList();
  Press(On(Form()->IncludeList().first()));
  EXPECT_EQ(Form()->DragSlice(), nullptr);
  EXPECT_TRUE(Form()->IncludeList().isEmpty());
  Chart()->Reset();
  Chart()->LayoutComplete(0, 0);
  EXPECT_EQ(Chart()->Grobs().Count(), 0);
}

TEST_F(Precedence, AProjectWithoutTasksGivesAnEmptyDiagram) {
  Activate(staff, AddNetwork(QStringLiteral("Plant"), {}));
  Open();
  ASSERT_NE(Form(), nullptr);
  EXPECT_TRUE(Form()->IncludeList().isEmpty());
  EXPECT_EQ(Form()->OriginDate(), 0.0);
  EXPECT_EQ(Objects(Ywindow::GrobBox).size(), 0);
}

TEST_F(Precedence, TheMenuEntryOpensItBesideItsStyleFrameAndAnotherProjectClosesIt) {
  Yproject* plant = AddNetwork(QStringLiteral("Plant"), {{1, {}}});
  Activate(staff, plant);
  Open();
  QAction* entry = mainForm->Control(QStringLiteral("GraphicsPrecedenceMenu"));
  EXPECT_TRUE(entry->isChecked());
  EXPECT_EQ(Form()->windowTitle(), QStringLiteral("Precedence diagram for Plant"));
  const QWidget* frame = Form()->findChild<QWidget*>(QStringLiteral("StyleFrame"));
  EXPECT_GE(Chart()->x(), frame->geometry().right());
  EXPECT_EQ(Chart()->x() + Chart()->width(), Form()->width());
  EXPECT_TRUE(Form()->findChild<QRadioButton*>(QStringLiteral("StyleOption0"))->isChecked());
  EXPECT_EQ(Form()->findChild<QComboBox*>(QStringLiteral("UnitsCombo"))->currentText(), QStringLiteral("days"));

  Common::SetThisProject(AddNetwork(QStringLiteral("Other"), {{1, {}}}));
  Common::BroadcastNewThisProject();
  EXPECT_EQ(Form(), nullptr);
  EXPECT_FALSE(entry->isChecked());
}

}  // namespace
