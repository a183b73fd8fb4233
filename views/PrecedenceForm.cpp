#include "PrecedenceForm.h"

#include "Common.h"
#include "DateRoom.h"
#include "FormHelpers.h"
#include "Guard.h"
#include "Rounding.h"
#include "ShortDate.h"
#include "SliceOrder.h"
#include "Yproject.h"
#include "Yslice.h"
#include "Ytask.h"
#include "YwindowControl.h"
#include "ZoomList.h"

#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kGraphicsOnly = 1;
constexpr int kFrameLeftTwips = 120;
constexpr int kFrameWidthTwips = 1812;

// Every cell has room for this time of day in the user's time format, a blank on either side:
// room for any elapsed time, and the least a cell of dates gets.
constexpr double kCellSizingTime = (12 * 3600 + 34 * 60 + 56) / 86400.0;

}  // namespace

PrecedenceForm::PrecedenceForm(QWidget* parent)
    : ChartView({QStringLiteral("Precedence"), QStringLiteral("GraphicsPrecedenceMenu"), 40,
                 ClosesOnNewProject | RestartsOnNewSolution, QStringLiteral("precedence diagram")},
                parent),
      styleFrame_(new QGroupBox(QStringLiteral("Style"), this)),
      unitsCombo_(new QComboBox(styleFrame_)) {
  setObjectName(QStringLiteral("PrecedenceForm"));
  setWindowTitle(QStringLiteral("Precedence Diagram"));
  setProperty("HelpKey", QStringLiteral("Precedence diagram"));
  Chart()->Style(kGraphicsOnly);

  styleFrame_->setObjectName(QStringLiteral("StyleFrame"));
  auto* column = new QVBoxLayout(styleFrame_);
  const QStringList captions = {QStringLiteral("Numeric index"), QStringLiteral("Elapsed time"),
                                QStringLiteral("Date only"), QStringLiteral("Date and time")};
  for (int index = 0; index < captions.size(); ++index) {
    auto* option = new QRadioButton(captions.at(index), styleFrame_);
    option->setObjectName(QStringLiteral("StyleOption%1").arg(index));
    column->addWidget(option);
    styleOptions_.append(option);
    connect(option, &QRadioButton::clicked, this, [this] {
      ErrTrap::Guarded(ErrTrap::Handler(Location("StyleOption_Click")), [&] { RedoLayout(); });
    });
  }
  styleOptions_.first()->setChecked(true);
  unitsCombo_->setObjectName(QStringLiteral("UnitsCombo"));
  unitsCombo_->addItems({QStringLiteral("minutes"), QStringLiteral("hours"), QStringLiteral("days"),
                         QStringLiteral("weeks"), QStringLiteral("months")});
  unitsCombo_->setCurrentText(QStringLiteral("days"));
  column->addSpacing(8);
  column->addWidget(unitsCombo_);
  column->addStretch();
  // Setting "days" above comes before this connection: only the user's choices lay out again, and
  // only once the window is shown.
  connect(unitsCombo_, &QComboBox::currentIndexChanged, this, [this] {
    ErrTrap::Guarded(ErrTrap::Handler(Location("UnitsCombo_Click")), [&] {
      if (isVisible()) RedoLayout();
    });
  });

  connect(Chart(), &YwindowControl::MouseDown, this, [this](int, int, float x, float y) {
    ErrTrap::Guarded(ErrTrap::Handler(Location("Ywindow_MouseDown")), [&] { Ywindow_MouseDown(x, y); });
  });
  connect(Chart(), &YwindowControl::MouseMove, this, [this](int, int, float, float y) {
    ErrTrap::Guarded(ErrTrap::Handler(Location("Ywindow_MouseMove")), [&] { Ywindow_MouseMove(y); });
  });
  connect(Chart(), &YwindowControl::MouseUp, this, [this](int, int, float, float) {
    ErrTrap::Guarded(ErrTrap::Handler(Location("Ywindow_MouseUp")), [&] { Ywindow_MouseUp(); });
  });
}

bool PrecedenceForm::StartAllowed() { return Common::ThisProject() != nullptr; }

QString PrecedenceForm::Caption() const { return QStringLiteral("Precedence diagram for ") + Common::GetPageHeader(); }

QRect PrecedenceForm::StyleFrameRect() const {
  const int left = praxel::ToLong(kFrameLeftTwips / TwipsPerPixelX());
  const int top = praxel::ToLong(kFrameLeftTwips / TwipsPerPixelY());
  const QSize wanted = styleFrame_->sizeHint();
  return {left, top, std::max(praxel::ToLong(kFrameWidthTwips / TwipsPerPixelX()), wanted.width()), wanted.height()};
}

QRect PrecedenceForm::ChartArea() const {
  // The style frame keeps its place at the left; the control takes the rest of the window.
  const QRect frame = StyleFrameRect();
  const int left = 2 * frame.left() + frame.width();
  return {left, 0, std::max(0, width() - left), height()};
}

void PrecedenceForm::resizeEvent(QResizeEvent* event) {
  styleFrame_->setGeometry(StyleFrameRect());
  ChartView::resizeEvent(event);
}

PrecedenceForm::BoxStyle PrecedenceForm::Style() const {
  for (int index = 0; index < styleOptions_.size(); ++index) {
    if (styleOptions_.at(index)->isChecked()) return static_cast<BoxStyle>(index);
  }
  return NumericIndex;
}

// ---------------------------------------------------------------------------------------------
// The layout pass

void PrecedenceForm::RedoLayout() {
  ShowBuilding();
  Chart()->Reset();
  // Any drag belongs to the boxes of the last layout.
  EndDrag();
  BuildIncludeList();
  ComputeBoxDimensions();
  AssignPositions();
  ClearStatus();
  Chart()->LayoutComplete(0, 0);
}

bool PrecedenceForm::SliceInThisProject(const Yslice* slice) {
  const Yproject* thisProject = Common::ThisProject();
  const Yproject* project = slice->Task != nullptr ? slice->Task->Project() : nullptr;
  // A damaged file may make a project its own ancestor: the walk ends after every project.
  for (int steps = 0; project != nullptr && steps <= Common::Projects().Count(); ++steps) {
    if (project == thisProject) return true;
    project = project->Parent();
  }
  return false;
}

bool PrecedenceForm::IncludeSlice(const Yslice* slice) {
  if (SliceInThisProject(slice)) return true;
  const auto inThisProject = [](const Yslice* other) { return SliceInThisProject(other); };
  return std::any_of(slice->BackwardList.begin(), slice->BackwardList.end(), inThisProject) ||
         std::any_of(slice->ForwardList.begin(), slice->ForwardList.end(), inThisProject);
}

void PrecedenceForm::BuildIncludeList() {
  columnSizes_.clear();
  diagramRows_ = 0;
  otherProjects_ = false;
  includeList_.clear();
  const Yproject* thisProject = Common::ThisProject();
  for (Yslice* slice : Solve::SliceList()) {
    slice->Count = 0;
    slice->Col = 0;
    if (slice->Task == nullptr || slice->Task->Subproject() != nullptr) continue;
    if (!IncludeSlice(slice)) continue;
    includeList_.append(slice);
    slice->Count = static_cast<int>(includeList_.size());
    if (slice->Task->Project() != thisProject) otherProjects_ = true;
    int column = 0;
    for (const Yslice* predecessor : slice->BackwardList) {
      if (predecessor->Count >= 1) column = std::max(column, predecessor->Col + 1);
    }
    slice->Col = column;
    if (columnSizes_.size() <= column) columnSizes_.resize(column + 1, 0);
    ++columnSizes_[column];
    diagramRows_ = std::max(diagramRows_, columnSizes_.at(column));
  }
  sliceGeneration_ = Solve::SliceGeneration();
  // Without a shown slice the diagram is empty and counts from day 0.
  originDate_ = includeList_.isEmpty() ? 0.0 : includeList_.first()->EarlyStart;
}

void PrecedenceForm::ComputeBoxDimensions() {
  const double x = TextWidth(QStringLiteral("X"));
  const BoxStyle style = Style();
  if (style == NumericIndex) {
    boxLines_ = 1;
    boxColumns_ = 1;
    boxGap_ = praxel::ToLong(3 * x);
  } else {
    boxLines_ = (otherProjects_ ? 4 : 3) + (style == DateAndTime ? 2 : 0);
    boxColumns_ = 3;
    boxGap_ = praxel::ToLong(6 * x);
  }
  lineHeight_ = praxel::ToLong(1.25 * TextHeight(QStringLiteral("X")));
  boxHeight_ = boxLines_ * lineHeight_;
  boxWidth_ = praxel::ToLong(3 * (style == NumericIndex ? x : CellWidth(style)));
  int printerWidth = 0, printerHeight = 0, left = 0, top = 0, xpixels = 0, ypixels = 0, fixedRows = 0, fixedCols = 0;
  Chart()->GetPageStats(printerWidth, printerHeight, left, top, xpixels, ypixels, fixedRows, fixedCols);
  boxGap_ = FitGapToPage(printerWidth, Chart()->CellWidth(), boxWidth_, boxGap_);
}

double PrecedenceForm::CellWidth(BoxStyle style) const {
  // A cell of dates also has room for the widest date of the user's format, and for the widest
  // time of day when it shows the time too: month names and the marks before and after noon
  // differ in width.
  const praxel::TextWidth width = [this](const QString& text) { return TextWidth(text); };
  QStringList texts = {Common::LongTimeOfDay(kCellSizingTime)};
  if (style == DateOnly || style == DateAndTime) {
    texts.append(praxel::WidestText(praxel::DaysOfEachMonth(), praxel::ShortDateText, width));
  }
  if (style == DateAndTime) texts.append(praxel::WidestText(praxel::TimesOfEachHour(), Common::LongTimeOfDay, width));
  double widest = 0;
  for (const QString& text : texts) widest = std::max(widest, TextWidth(QLatin1Char(' ') + text + QLatin1Char(' ')));
  return widest;
}

int PrecedenceForm::FitGapToPage(int printerWidth, int cellWidth, int boxWidth, int boxGap) {
  if (printerWidth <= 0 || cellWidth <= 0 || boxWidth + boxGap <= 0) return boxGap;
  const qint64 cells = static_cast<qint64>(printerWidth / cellWidth) * cellWidth;
  const qint64 boxes = cells / (boxWidth + boxGap);
  if (boxes <= 0) return boxGap;
  return praxel::ToLong(static_cast<double>(cells - boxes * boxWidth) / static_cast<double>(boxes));
}

void PrecedenceForm::AssignPositions() {
  diagramRows_ = std::max(2 * diagramRows_ - 1, 5);
  QList<QList<Yslice*>> columns(columnSizes_.size());
  for (Yslice* slice : includeList_) columns[slice->Col].append(slice);
  for (const QList<Yslice*>& column : columns) AssignThisColumn(column);
}

void PrecedenceForm::AssignThisColumn(const QList<Yslice*>& column) const {
  // Each box wants the average row of its shown predecessors; that decides only the order, top
  // to bottom (ties in the column's order). The boxes stand two rows apart as a block centred on
  // the diagram's middle row.
  struct Wanted {
    Yslice* slice;
    double row;
  };
  QList<Wanted> wanted;
  wanted.reserve(column.size());
  for (Yslice* slice : column) {
    double sum = 0;
    int shown = 0;
    for (const Yslice* predecessor : slice->BackwardList) {
      if (predecessor->Count < 1) continue;
      sum += predecessor->Row;
      ++shown;
    }
    wanted.append({slice, shown > 0 ? sum / shown : 0.0});
  }
  std::stable_sort(wanted.begin(), wanted.end(), [](const Wanted& a, const Wanted& b) { return a.row < b.row; });
  int row = (diagramRows_ + 1) / 2 - static_cast<int>(column.size());
  for (const Wanted& entry : wanted) {
    entry.slice->Row = row;
    row += 2;
  }
}

bool PrecedenceForm::SlicesCurrent() const { return sliceGeneration_ == Solve::SliceGeneration(); }

void PrecedenceForm::ForgetSlices() {
  includeList_.clear();
  columnSizes_.clear();
  EndDrag();
}

int PrecedenceForm::GetX(int column) const {
  return praxel::ToLong(boxGap_ / 4.0 + static_cast<double>(column) * (boxWidth_ + boxGap_));
}

int PrecedenceForm::GetY(int row) const { return praxel::ToLong(boxHeight_ / 4.0 + static_cast<double>(row) * boxHeight_); }
