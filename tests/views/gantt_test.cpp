// The Gantt chart: opened and closed from its menu entry, its rows under each display setting,
// and the graphic objects it hands the chart control.

#include "CaseName.h"
#include "Common.h"
#include "Format.h"
#include "Forms.h"
#include "GanttForm.h"
#include "MainForm.h"
#include "Notifications.h"
#include "PaintBreaks.h"
#include "ProjectGenerator.h"
#include "Pool.h"
#include "Rounding.h"
#include "Settings.h"
#include "ViewFixture.h"
#include "SolveState.h"
#include "Yassignment.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Ytask.h"
#include "Ytemplate.h"
#include "YwindowControl.h"
#include "YwindowLibrary.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QMimeData>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>

namespace {

constexpr int kYellow = 0xFFFF;
constexpr int kGreen = 0xFF00;
constexpr int kRed = 0xFF;

// Plant: tasks 1, 2, 3 and 5 in a chain from Day(0), each a day for Ann; task 4 stands for the
// subproject Fit-out (tasks 1 and 2 in a chain from Day(0)), follows task 3, and task 5 waits
// for it too.
class Gantt : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    staff = AddTemplate(QStringLiteral("Staff"));
    plant = AddStaffedChain(QStringLiteral("Plant"), staff, {1, 2, 3, 5});
    fitOut = AddStaffedChain(QStringLiteral("Fit-out"), staff, {1, 2});
    link = plant->FindOrCreateTask(4);
    link->Description = QStringLiteral("Fit-out");
    link->SetSubproject(fitOut);
    auto* afterThree = Common::NewY<Ydependency>(ytDependency);
    afterThree->SetTask(link);
    afterThree->SetTaskRequired(plant->TaskList.Find(QStringLiteral("3")));
    auto* afterLink = Common::NewY<Ydependency>(ytDependency);
    afterLink->SetTask(plant->TaskList.Find(QStringLiteral("5")));
    afterLink->SetTaskRequired(link);
    plant->SetDirty(false);
    fitOut->SetDirty(false);
    Activate(staff, plant);
  }

  void OpenGantt() { OpenView("GraphicsGanttMenu", "GanttForm"); }

  static GanttForm* Form() { return qobject_cast<GanttForm*>(Forms::Find(QStringLiteral("GanttForm"))); }
  static YwindowControl* Chart() { return Form()->Chart(); }

  // The texts of a grid column in the task rows (after the header rows, before the key row).
  static QStringList Column(int col) {
    YwindowControl* chart = Chart();
    QStringList texts;
    const int first = chart->Rows() - 1 - static_cast<int>(std::count_if(
                                               Form()->ChartTasks().begin(), Form()->ChartTasks().end(),
                                               [](const Ytask* task) { return GanttForm::IncludeTask(task); }));
    for (int row = first; row < chart->Rows() - 1; ++row) texts.append(chart->CellText(row, col));
    return texts;
  }
  static QStringList Captions() {
    QStringList captions;
    for (const QString& text : Column(0)) captions.append(text.section(QLatin1Char('\n'), 0, 0).trimmed());
    return captions;
  }

  // The view's objects of a kind and fill colour, in the order drawn.
  static QList<Ywindow::Grob> Objects(int kind, int fill) {
    QList<Ywindow::Grob> found;
    const Ywindow::GrobList& grobs = Chart()->Grobs();
    for (int index = 0; index < grobs.Count(); ++index) {
      const Ywindow::Grob& grob = grobs.At(index);
      if (grob.Kind == kind && grob.FillColor == fill) found.append(grob);
    }
    return found;
  }

  // The x of a date as the chart drew it: the date columns start after the two locked columns.
  static int XOf(double date) {
    const Ywindow::DateAxis& axis = Chart()->Axis();
    return Chart()->ColPos(2) + praxel::ToLong((date - axis.Earliest) * axis.UnitsPerDay);
  }

  // The view's objects of a kind and fill colour drawn over the task rows, leaving out the key.
  static QList<Ywindow::Grob> RowObjects(int kind, int fill) {
    QList<Ywindow::Grob> found;
    const int keyTop = Chart()->RowPos(Chart()->Rows() - 1);
    for (const Ywindow::Grob& grob : Objects(kind, fill)) {
      if (grob.Y2 <= keyTop) found.append(grob);
    }
    return found;
  }

  static Ytask* Task(Yproject* project, int id) { return project->TaskList.Find(QString::number(id)); }

  Ytemplate* staff = nullptr;
  Yproject* plant = nullptr;
  Yproject* fitOut = nullptr;
  Ytask* link = nullptr;
};

TEST_F(Gantt, TheMenuEntryOpensAndClosesTheChartWithItsCheckMark) {
  OpenGantt();
  QAction* entry = mainForm->Control(QStringLiteral("GraphicsGanttMenu"));
  EXPECT_TRUE(entry->isChecked());
  EXPECT_EQ(Form()->windowTitle(), QStringLiteral("Dudivizivo Voruv chart for Plant"));
  EXPECT_TRUE(Form()->isVisible());
  EXPECT_EQ(mainForm->StatusMessageText(), QString());
  entry->trigger();
  EXPECT_EQ(Form(), nullptr);
  EXPECT_FALSE(entry->isChecked());
}

TEST_F(Gantt, ANewSolutionRedrawsAndAnotherProjectClosesIt) {
  OpenGantt();
  const int before = RowObjects(Ywindow::GrobBox, kYellow).first().X2;
  Task(plant, 1)->SetMostLikely(960);  // two days
  plant->SetDirty(true);
  ASSERT_TRUE(SolveNow());
  EXPECT_GT(RowObjects(Ywindow::GrobBox, kYellow).first().X2, before);

  Common::SetThisProject(fitOut);
  Common::BroadcastNewThisProject();
  EXPECT_EQ(Form(), nullptr);
  EXPECT_FALSE(mainForm->Control(QStringLiteral("GraphicsGanttMenu"))->isChecked());
}

// The screen's picture of the chart: what the window shows, not what the chart would paint now.
QImage OnScreen(QWidget* chart) {
  const QPoint at = chart->mapTo(chart->window(), QPoint(0, 0));
  return chart->screen()
      ->grabWindow(chart->window()->winId(), at.x(), at.y(), chart->width(), chart->height())
      .toImage();
}

// After a solve the shown chart is built again with breaks for painting: until the new chart is
// complete the window keeps the old picture, and a notification that comes in a break is
// answered after the rebuild.
TEST_F(Gantt, ARebuildKeepsTheOldPictureOnScreenAndLetsTheWindowPaint) {
  OpenGantt();
  const auto restore = qScopeGuard([] { Ywindow::PaintBreaks::SetInterval(20); });
  Ywindow::PaintBreaks::SetInterval(0);
  QCoreApplication::processEvents();
  const QStringList rows = Captions();
  const int bars = static_cast<int>(RowObjects(Ywindow::GrobBox, kYellow).size());
  const QImage shown = OnScreen(Chart());
  bool inBreak = false;
  bool updatesInBreak = true;
  QImage inBreakPicture;
  QTimer::singleShot(0, [&] {
    inBreak = Ywindow::PaintBreaks::Active();
    updatesInBreak = Chart()->updatesEnabled();
    // The paints the break lets through, before the picture is taken.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    inBreakPicture = OnScreen(Chart());
    Common::BroadcastNewSolution();
  });
  Common::BroadcastNewSolution();

  EXPECT_TRUE(inBreak);
  EXPECT_FALSE(updatesInBreak);
  EXPECT_FALSE(shown.isNull());
  EXPECT_EQ(inBreakPicture, shown);
  EXPECT_FALSE(Ywindow::PaintBreaks::Active());
  EXPECT_TRUE(Chart()->updatesEnabled());
  EXPECT_EQ(Captions(), rows);
  EXPECT_EQ(RowObjects(Ywindow::GrobBox, kYellow).size(), bars);
}

// Output > Copy puts the active chart on the clipboard; the chart also leaves as a metafile.
TEST_F(Gantt, CopiesToTheClipboardAndGivesItsMetafile) {
  OpenGantt();
  QGuiApplication::clipboard()->clear();
  mainForm->Control(QStringLiteral("OutputCopyMenu"))->trigger();
  const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(copied, nullptr);
  EXPECT_TRUE(copied->hasFormat(QStringLiteral("image/svg+xml")));
  EXPECT_TRUE(copied->hasImage());
  const QString hex = Chart()->GetMetaFileInHex();
  EXPECT_EQ(hex, hex.toUpper());
  EXPECT_GT(QByteArray::fromHex(hex.toLatin1()).size(), 1000);
}

// The control fills the window whatever its size.
TEST_F(Gantt, TheChartFillsTheWindow) {
  OpenGantt();
  Form()->resize(500, 300);
  EXPECT_EQ(Chart()->geometry(), QRect(0, 0, 500, 300));
}

// Which tasks get rows, in what order, under each subproject display and sort setting.
struct DisplayCase {
  const char* name;
  const char* display;
  const char* sortByDate;
  QStringList captions;
};

// Sorted by dates, the flattened list is one sort of every task: by early start, then by early
// finish.
TEST_F(Gantt, SortedByDateTheFlattenedTasksFollowTheirDates) {
  Settings::WriteSettings(QStringLiteral("SubprojectDisplayCombo"), QStringLiteral("Tasks only (flatten)"));
  Settings::WriteSettings(QStringLiteral("SortByDateCheck"), QStringLiteral("X"));
  OpenGantt();
  QList<const Ytask*> shown;
  for (const Ytask* task : Form()->ChartTasks()) {
    if (GanttForm::IncludeTask(task)) shown.append(task);
  }
  ASSERT_EQ(shown.size(), 6);
  for (qsizetype i = 1; i < shown.size(); ++i) {
    EXPECT_LE(shown.at(i - 1)->EarlyStart(), shown.at(i)->EarlyStart()) << i;
  }
  EXPECT_NE(shown.at(3)->Project(), shown.at(4)->Project());  // the subproject's tasks are not kept together
}
void PrintTo(const DisplayCase& c, std::ostream* out) { *out << c.name; }

class GanttDisplay : public Gantt, public testing::WithParamInterface<DisplayCase> {};

TEST_P(GanttDisplay, ChartsTheRowsOfTheSetting) {
  Settings::WriteSettings(QStringLiteral("SubprojectDisplayCombo"), QString::fromLatin1(GetParam().display));
  Settings::WriteSettings(QStringLiteral("SortByDateCheck"), QString::fromLatin1(GetParam().sortByDate));
  OpenGantt();
  EXPECT_EQ(Captions(), GetParam().captions);
  // Every charted task is in the list once, the subproject's tasks right after their link task.
  QStringList charted;
  for (const Ytask* task : Form()->ChartTasks()) charted.append(task->BuildNodeText());
  EXPECT_EQ(charted.size(), 7);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, GanttDisplay,
    testing::Values(DisplayCase{"OneLevel", "One level only", "-",
                                {"1: Task 1", "2: Task 2", "3: Task 3", "4: Fit-out", "5: Task 5"}},
                    DisplayCase{"AllSubprojects", "All subprojects", "-",
                                {"1: Task 1", "2: Task 2", "3: Task 3", "4: Fit-out", "5: Task 5"}},
                    DisplayCase{"Flatten", "Tasks only (flatten)", "-",
                                {"1: Task 1", "2: Task 2", "3: Task 3", "1: Task 1", "2: Task 2", "5: Task 5"}}),
    [](const testing::TestParamInfo<DisplayCase>& info) { return testsupport::TestName(info.param.name); });

// Under "One level only" a subproject's tasks have no row of their own: their arrows start and
// end on the row of their link task.
TEST_F(Gantt, ASubprojectTaskIsFoundOnItsLinkTasksRow) {
  OpenGantt();
  const int linkRow = Form()->FindRow(link);
  ASSERT_GT(linkRow, 0);
  EXPECT_EQ(Form()->FindRow(Task(fitOut, 2)), linkRow);
  EXPECT_EQ(Form()->FindRow(nullptr), 0);
}

TEST_F(Gantt, RowsShowLeaderDependenciesSlackAndTimeLeft) {
  OpenGantt();
  const QStringList tasks = Column(0);
  EXPECT_EQ(tasks.first(), QStringLiteral("1: Task 1\r\n  Ann"));
  const QStringList dependencies = Column(1);
  EXPECT_EQ(dependencies.at(1), Task(plant, 2)->DependencyList.First()->BuildNodeText());
  const int cols = Chart()->Cols();
  // Task 1 is critical: no slack; it ends a day after the journal date.
  EXPECT_EQ(Column(cols - 2).first(), QStringLiteral("0"));
  EXPECT_EQ(Column(cols - 1).first(), Common::FormatDuration(Task(plant, 1)->EarlyFinish() - plant->Journal(), false));
}

TEST_F(Gantt, ATaskFinishedBeforeTheJournalDateIsDone) {
  plant->AddJournal(Day(30));
  staff->AddJournal(Day(30));
  fitOut->AddJournal(Day(30));
  OpenGantt();
  EXPECT_EQ(Column(Chart()->Cols() - 1).first(), QStringLiteral("Done"));
}

// On its plan journal a project shows yellow plan bars only, one per shown task, at its dates.
TEST_F(Gantt, PlanBarsAreYellowBoxesAtTheTasksDates) {
  OpenGantt();
  const QList<Ywindow::Grob> bars = RowObjects(Ywindow::GrobBox, kYellow);
  ASSERT_EQ(bars.size(), 5);
  const Ytask* first = Task(plant, 1);
  EXPECT_EQ(bars.at(0).X1, XOf(first->EarlyStart()));
  EXPECT_EQ(bars.at(0).X2, XOf(first->EarlyFinish()));
  const int row = Form()->FindRow(first);
  EXPECT_GT(bars.at(0).Y1, Chart()->RowPos(row));
  EXPECT_LT(bars.at(0).Y2, Chart()->RowPos(row + 1));
  EXPECT_TRUE(Objects(Ywindow::GrobBox, kGreen).isEmpty());
}

// After a later journal is made current, the current bars are split at the journal date: black
// before it, green after it.
TEST_F(Gantt, CurrentBarsAreBlackBeforeAndGreenAfterTheJournalDate) {
  const double journal = Day(1) + 0.5;
  for (JournalHolder* holder : std::initializer_list<JournalHolder*>{plant, fitOut, staff}) holder->AddJournal(journal);
  OpenGantt();
  const int xj = XOf(journal);
  const QList<Ywindow::Grob> green = RowObjects(Ywindow::GrobBox, kGreen);
  ASSERT_FALSE(green.isEmpty());
  for (const Ywindow::Grob& box : green) EXPECT_GE(box.X1, xj);
  const QList<Ywindow::Grob> black = RowObjects(Ywindow::GrobBox, 0);
  const bool splitAtJournal = std::any_of(black.begin(), black.end(), [&](const Ywindow::Grob& box) { return box.X2 == xj; });
  EXPECT_TRUE(splitAtJournal);
}

TEST_F(Gantt, MilestoneStyleDrawsCirclesJoinedByALine) {
  Settings::WriteSettings(QStringLiteral("MilestoneOption"), QStringLiteral("X"));
  Settings::WriteSettings(QStringLiteral("BarOption"), QStringLiteral("-"));
  OpenGantt();
  EXPECT_TRUE(Objects(Ywindow::GrobBox, kYellow).isEmpty());
  // Two circles per shown task, and the key's.
  EXPECT_EQ(RowObjects(Ywindow::GrobOval, kYellow).size(), 2 * 5);
}

// The critical path: tasks whose float is the project's smallest get red outlines; an arrow is
// red only between two critical rows.
TEST_F(Gantt, TheCriticalPathIsRed) {
  Settings::WriteSettings(QStringLiteral("CriticalPathRedCheck"), QStringLiteral("X"));
  OpenGantt();
  int red = 0;
  for (const Ywindow::Grob& bar : Objects(Ywindow::GrobBox, kYellow)) red += bar.BorderColor == kRed ? 1 : 0;
  EXPECT_GE(red, 4);  // the chain of Plant's own tasks is critical from end to end
  const Ywindow::GrobList& grobs = Chart()->Grobs();
  int redLines = 0;
  for (int index = 0; index < grobs.Count(); ++index) {
    if (grobs.At(index).Kind == Ywindow::GrobLine && grobs.At(index).BorderColor == kRed) ++redLines;
  }
  EXPECT_GT(redLines, 0);
}

// Floats are compared in whole minutes: a task five minutes off the path is never red, whatever
// time of day its dates fall on, while the dust of adding day fractions (seconds) does not take a
// task off the path.
TEST_F(Gantt, FloatsCountInWholeMinutesAtEveryTimeOfDay) {
  Settings::WriteSettings(QStringLiteral("CriticalPathRedCheck"), QStringLiteral("X"));
  OpenGantt();
  Ytask* task = Task(plant, 2);
  const auto outline = [&] {
    const int row = Form()->FindRow(task);
    for (const Ywindow::Grob& bar : RowObjects(Ywindow::GrobBox, kYellow)) {
      if (bar.Y1 > Chart()->RowPos(row) && bar.Y2 < Chart()->RowPos(row + 1)) return bar.BorderColor;
    }
    ADD_FAILURE() << "no bar on the task's row";
    return -1;
  };
  const struct {
    double floatMinutes;
    int outline;
  } cases[] = {{5, 0}, {1, 0}, {0.2, kRed}};
  for (const auto& c : cases) {
    for (int minute = 0; minute < 1440; minute += 37) {
      const double finish = Day(1) + minute / 1440.0;
      task->SetEarlyStart(Day(1) - 0.25);
      task->SetEarlyFinish(finish);
      task->SetLateFinish(finish + c.floatMinutes / 1440.0);
      Form()->Start();
      EXPECT_EQ(outline(), c.outline) << c.floatMinutes << " minutes of float, finish at minute " << minute;
    }
  }
}

// The latest-time markers of a subproject's tasks are read on the subproject's own plan journal,
// not on the index of the active project's plan.
TEST_F(Gantt, MarkersOfSubprojectTasksReadTheirOwnPlanJournal) {
  Settings::WriteSettings(QStringLiteral("SubprojectDisplayCombo"), QStringLiteral("Tasks only (flatten)"));
  plant->AddJournal(Day(-7));  // Plant's plan is now its second journal; Fit-out has one journal
  staff->AddJournal(Day(-7));
  fitOut->AddJournal(Day(-7));
  for (Yproject* project : {plant, fitOut}) {
    project->SetJournal(Day(0));
    project->PlanIndex = project == plant ? 1 : 0;
  }
  staff->SetJournal(Day(0));
  fitOut->PlanIndex = 1;
  OpenGantt();
  const QList<Ywindow::Grob> markers = Objects(Ywindow::GrobTriangle, kRed);
  // One per task, and the key's.
  EXPECT_EQ(markers.size(), 6 + 1);
  EXPECT_EQ(fitOut->CurrentIndex, 1);
  EXPECT_EQ(plant->CurrentIndex, 1);
}

// A task standing for a subproject with no included task has no controlling dependency: its
// dependency cell is empty and no line is drawn for it.
TEST_F(Gantt, ASubprojectWithoutIncludedTasksHasAnEmptyDependencyCell) {
  for (JournalHolder* holder : std::initializer_list<JournalHolder*>{plant, fitOut, staff}) holder->AddJournal(Day(7));
  OpenGantt();
  for (Ytask* task : fitOut->TaskList) task->SetInclude(false);
  Form()->Start();
  const QStringList dependencies = Column(1);
  EXPECT_EQ(dependencies.at(3), QString());
  EXPECT_EQ(Captions().at(3), QStringLiteral("4: Fit-out"));
}

TEST_F(Gantt, ADateDependencyAsATriangleStandsOnTheTasksRow) {
  Settings::WriteSettings(QStringLiteral("DateDependencyCombo"), QStringLiteral("Triangle pointing right"));
  OpenGantt();
  const QList<Ywindow::Grob> triangles = Objects(Ywindow::GrobTriangle, 0);
  const bool atStart = std::any_of(triangles.begin(), triangles.end(), [](const Ywindow::Grob& t) {
    return t.Direction == Ywindow::TriangleRight && t.X1 == XOf(Day(0));
  });
  EXPECT_TRUE(atStart);
}

TEST_F(Gantt, TheKeyShowsActualAndProjectedOffThePlan) {
  const auto keyTexts = [] {
    QStringList texts;
    const Ywindow::GrobList& grobs = Chart()->Grobs();
    const int keyTop = Chart()->RowPos(Chart()->Rows() - 1);
    for (int index = 0; index < grobs.Count(); ++index) {
      const Ywindow::Grob& grob = grobs.At(index);
      if (grob.Kind == Ywindow::GrobText && grob.Y1 >= keyTop) texts.append(grob.Text);
    }
    return texts;
  };
  OpenGantt();
  EXPECT_TRUE(keyTexts().contains(QStringLiteral("Plan")));
  EXPECT_FALSE(keyTexts().contains(QStringLiteral("Projected")));
  Form()->close();
  for (JournalHolder* holder : std::initializer_list<JournalHolder*>{plant, fitOut, staff}) holder->AddJournal(Day(1));
  OpenGantt();
  EXPECT_TRUE(keyTexts().contains(QStringLiteral("Actual")));
  EXPECT_TRUE(keyTexts().contains(QStringLiteral("Projected")));
  EXPECT_TRUE(keyTexts().contains(QStringLiteral("T   not in plan")));
}

// The sample project that the run command opens: one row per included task of its active
// project, each with its plan bar (or, for a task without length, its plan circle); scrolled to
// its end, it shows its key. With PRAXEL_SCREENSHOTS set, the window is saved there, as it opens
// and scrolled to its end.
TEST_F(Gantt, TheSampleProjectsChart) {
  OpenSample();
  OpenGantt();
  int shown = 0;
  for (const Ytask* task : Common::ThisProject()->TaskList) shown += task->Include() ? 1 : 0;
  EXPECT_EQ(RowObjects(Ywindow::GrobBox, kYellow).size() + RowObjects(Ywindow::GrobOval, kYellow).size(), shown);
  SaveScreenshot("gantt.png");
  auto* bar = Chart()->findChild<QScrollBar*>(QStringLiteral("GridVScroll"));
  ASSERT_TRUE(bar->isVisible());
  bar->setValue(bar->maximum());
  EXPECT_TRUE(Chart()->findChild<QWidget*>(QStringLiteral("KeyPicture"))->isVisible());
  SaveScreenshot("gantt-scrolled-to-end.png");
}

// A generated project of 500 tasks, as each project of the 10,000-task set: its finish waits for
// every task that nothing else waits for, over a hundred of them. Every row stays lower than the
// chart's room, so the grid, which scrolls by whole rows, shows each whole: the finish's dependency
// cell lists its first dependencies and how many more follow. Scrolled to its end, the chart shows
// its key. With PRAXEL_SCREENSHOTS set, the window is saved there scrolled to its end.
TEST_F(Gantt, EveryRowOfAGeneratedProjectFitsTheWindowAndItsEndShowsTheKey) {
  Common::FreeAllMemory();
  Common::BroadcastNewThisProject();
  generator::GenerateWorkload({500, 10, 500, 1});
  mainForm->resize(1280, 800);
  OpenGantt();
  const Ytask* finish = Common::ThisProject()->TaskList.Find(QStringLiteral("501"));
  ASSERT_NE(finish, nullptr);
  qsizetype waitsFor = 0;
  for (const Ydependency* dependency : finish->DependencyList) waitsFor += dependency->Include() ? 1 : 0;
  ASSERT_GT(waitsFor, 100);

  YwindowControl* chart = Chart();
  const int row = Form()->FindRow(finish);
  const QStringList lines = chart->CellText(row, 1).split(QStringLiteral("\r\n"));
  ASSERT_EQ(lines.size(), 20);
  EXPECT_EQ(lines.first(), finish->DependencyList.First()->BuildNodeText());
  EXPECT_EQ(lines.last(), QStringLiteral("and %1 more").arg(waitsFor - 19));

  auto* grid = chart->findChild<QWidget*>(QStringLiteral("Grid"));
  const double room = grid->height() * 1440.0 / grid->logicalDpiY() - chart->RowPos(chart->Grid().FixedRows());
  for (int task = chart->Grid().FixedRows(); task < chart->Rows() - 1; ++task) {
    ASSERT_LT(chart->RowPos(task + 1) - chart->RowPos(task), room) << "row " << task << " " << chart->CellText(task, 0).toStdString();
  }

  auto* bar = chart->findChild<QScrollBar*>(QStringLiteral("GridVScroll"));
  ASSERT_TRUE(bar->isVisible());
  bar->setValue(bar->maximum());
  EXPECT_TRUE(chart->findChild<QWidget*>(QStringLiteral("KeyPicture"))->isVisible());
  SaveScreenshot("gantt-end.png");
}

// Printed through the control to a PDF file, scaled to fit one page: the page carries the window's
// caption, the page number, the grid's texts and the today line's label.
TEST_F(Gantt, PrintsToPdf) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
    FAIL() << "pdftotext (poppler-utils) is needed; scripts/setup.sh installs it";
  }
  QTemporaryDir folder;
  QPrinter pdf(QPrinter::HighResolution);
  pdf.setOutputFormat(QPrinter::PdfFormat);
  pdf.setOutputFileName(folder.filePath(QStringLiteral("gantt.pdf")));
  pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape, QMarginsF(0.25, 0.5, 0.25, 0.5),
                                QPageLayout::Inch));
  Ywindow::SetPrinter(&pdf);  // the chart measures its page when it lays out
  OpenGantt();
  YwindowControl* chart = Chart();
  int width = 0, height = 0, left = 0, top = 0, xpixels = 0, ypixels = 0, fixedRows = 0, fixedCols = 0;
  chart->GetPageStats(width, height, left, top, xpixels, ypixels, fixedRows, fixedCols);
  const float fit = std::min(static_cast<float>(width) / xpixels, static_cast<float>(height) / ypixels);
  chart->PrintPiece(false, std::min(fit, 1.0F), Form()->windowTitle(), QStringLiteral("PRAXEL"), 0, 0, xpixels,
                    ypixels, 0, 0);
  chart->EndDoc();
  Ywindow::SetPrinter(nullptr);

  QProcess reader;
  reader.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf.outputFileName(), QStringLiteral("-")});
  ASSERT_TRUE(reader.waitForFinished(20000));
  const QString text = QString::fromUtf8(reader.readAllStandardOutput());
  for (const char* expected : {"Dudivizivo Voruv chart for Plant", "Page 1", "Task", "Dependencies", "Slack",
                               "1: Task 1", "4: Fit-out", "Ann", "Today", "Plan"}) {
    EXPECT_TRUE(text.contains(QString::fromLatin1(expected))) << expected;
  }
}

}  // namespace
