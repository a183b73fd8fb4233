#include "YwindowControl.h"

#include "ColumnWidths.h"
#include "ControlGeometry.h"
#include "FontMeasure.h"
#include "GridColumns.h"
#include "GridMerging.h"
#include "GridView.h"
#include "Guard.h"
#include "PaintBreaks.h"
#include "PictureBox.h"
#include "PrintJob.h"
#include "Printer.h"
#include "Prompter.h"
#include "Rounding.h"
#include "RuntimeError.h"
#include "ScalingPanel.h"
#include "ShortDate.h"
#include "TextLines.h"
#include "WmfCanvas.h"

#include <QApplication>
#include <QFontInfo>
#include <QPalette>
#include <QStyle>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <optional>

using ErrTrap::Guard;
using ErrTrap::Guarded;
using ErrTrap::Handler;

namespace {

// The scaling panel's left edge and width, in twips: the grid starts right of it, the panel's
// own margin away.
constexpr int kPanelLeft = 120;
constexpr int kPanelWidth = 1692;
constexpr int kWidthWatchMilliseconds = 250;

// A guarded procedure of one step that returns a value; `initial` when the step fails and the
// user ignores the failure.
template <class T, class Body>
T GuardedValue(const QString& location, T initial, Body&& body) {
  T result = initial;
  Guarded(location, [&] { result = body(); });
  return result;
}

// Whole-number division of twips, failing like the platform's on a zero divisor.
int IntegerDivide(double dividend, int divisor) {
  if (divisor == 0) throw praxel::RuntimeError(praxel::errDivisionByZero, QStringLiteral("Division by zero"));
  return praxel::ToLong(dividend) / divisor;
}

// The day number of a date box's text; the platform's type-mismatch error when it holds no date.
double DateOfText(const QString& text) {
  const std::optional<double> day = praxel::ParseShortDate(text);
  if (!day) throw praxel::RuntimeError(praxel::errTypeMismatch, QStringLiteral("Type mismatch"));
  return *day;
}

}  // namespace

YwindowControl::YwindowControl(QWidget* parent)
    : QWidget(parent),
      gridView_(new Ywindow::GridView(grid_, grobs_, this)),
      scrollPicture_(new Ywindow::PictureBox(Qt::white, this)),
      keyPicture_(new Ywindow::PictureBox(palette().color(QPalette::Base), this)),
      scalingPanel_(new Ywindow::ScalingPanel(1440.0 / logicalDpiX(), this)),
      widthChangeTimer_(new QTimer(this)) {
  printJob_ = std::make_unique<Ywindow::PrintJob>();
  gridView_->setObjectName(QStringLiteral("Grid"));
  scrollPicture_->setObjectName(QStringLiteral("ScrollPicture"));
  keyPicture_->setObjectName(QStringLiteral("KeyPicture"));
  scrollPicture_->hide();
  keyPicture_->hide();
  // A graphics-only host follows the pointer over its drawing, buttons down or not.
  scrollPicture_->setMouseTracking(true);
  connect(gridView_, &Ywindow::GridView::Scrolled, this, [this] { Grid_Scroll(); });
  connect(gridView_, &Ywindow::GridView::Pressed, this,
          [this](int button, int shift, QPointF at) { Grid_MouseDown(button, shift, at.x(), at.y()); });
  connect(gridView_, &Ywindow::GridView::DoubleClicked, this, [this] { Grid_DblClick(); });
  connect(scrollPicture_, &Ywindow::PictureBox::Pressed, this,
          [this](int button, int shift, QPointF at) { ScrollPicture_MouseDown(button, shift, at.x(), at.y()); });
  connect(scrollPicture_, &Ywindow::PictureBox::Moved, this,
          [this](int button, int shift, QPointF at) { ScrollPicture_MouseMove(button, shift, at.x(), at.y()); });
  connect(scrollPicture_, &Ywindow::PictureBox::Released, this,
          [this](int button, int shift, QPointF at) { ScrollPicture_MouseUp(button, shift, at.x(), at.y()); });
  widthChangeTimer_->setInterval(kWidthWatchMilliseconds);
  connect(widthChangeTimer_, &QTimer::timeout, this, [this] { WidthChangeTimer_Timer(); });
  connect(scalingPanel_, &Ywindow::ScalingPanel::EarliestTextChanged, this, [this] { EarliestText_Change(); });
  connect(scalingPanel_, &Ywindow::ScalingPanel::LatestTextChanged, this, [this] { LatestText_Change(); });
  connect(scalingPanel_, &Ywindow::ScalingPanel::OptionSelected, this,
          [this](int index) { ScalingOption_Click(index); });

  // Never smaller than four scroll bars across and down.
  const int minimum = 4 * style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  setMinimumSize(minimum, minimum);

  QFont font = QApplication::font();
  font.setPointSize(static_cast<int>(std::floor(QFontInfo(font).pointSizeF() + 0.5)));
  ApplyFont(font);
  // A new control takes the default style, as reading an empty property bag does.
  Style(ywDateGrid);
}

YwindowControl::~YwindowControl() = default;

// ---------------------------------------------------------------------------------------------
// The layout protocol

void YwindowControl::Reset() {
  Guard guard(QStringLiteral("YwindowControl:Reset"));
  guard([&] { layoutStarted_ = true; });
  guard([&] {
    grid_.SetRows(0);
    grid_.SetCols(0);
    headerRows_ = 0;
    lockedCols_ = 0;
  });
  // The grid stays hidden until Refresh shows the finished layout.
  guard([&] { gridView_->hide(); });
  guard([&] {
    scrollPicture_->hide();
    keyPicture_->hide();
  });
  guard([&] {
    if (style_ == ywGraphicsOnly) {
      widthChangeTimer_->stop();
    } else {
      widthChangeTimer_->start();
    }
  });
  guard([&] { page_ = Ywindow::CurrentPageMetrics(font_, Ywindow::CurrentPrinter()); });
}

void YwindowControl::FixTop(bool CenterDateGrid) {
  Guard guard(QStringLiteral("YwindowControl:FixTop"));
  guard([&] { headerRows_ = grid_.Rows(); });
  if (!CenterDateGrid) return;
  guard([&] {
    for (int col = 2; col < grid_.Cols(); ++col) {
      for (int row = 0; row < grid_.Rows(); ++row) grid_.SetCellAlignment(row, col, Ywindow::kAlignCentreCentre);
    }
  });
}

void YwindowControl::LayoutComplete(int LockedCols, int KeySize) {
  Guard guard(QStringLiteral("YwindowControl:LayoutComplete"));
  guard([&] {
    lockedCols_ = LockedCols;
    if (lockedCols_ < grid_.Cols()) grid_.SetFixedCols(lockedCols_);
  });
  guard([&] {
    if (headerRows_ < grid_.Rows()) grid_.SetFixedRows(headerRows_);
  });
  guard([&] { CopyHeadingsDown(); });
  if (KeySize > 0) {
    guard([&] { AddRow(); });
    guard([&] { CellText(grid_.Rows() - 1, 0, QString(KeySize, QLatin1Char('\r'))); });
  }
  guard([&] { AutoFit(); });
  bool coarser = false;
  guard([&] { coarser = NeedsCoarserScale(); });
  if (coarser) {
    // The host lays the chart out again inside this call; that pass finishes the work.
    guard([&] { emit RedoLayout(); });
    return;
  }
  guard([&] { AutoMerge(); });
  guard([&] { SendRedoGraphics(); });
}

void YwindowControl::CopyHeadingsDown() {
  // A heading stands in every header row of its column, so that it merges into one tall heading;
  // the date columns have their own header texts.
  for (int col = 0; col < grid_.Cols(); ++col) {
    if (grid_.WidthMemory(col) < 0) continue;
    for (int row = 1; row < headerRows_; ++row) grid_.SetText(row, col, grid_.Text(0, col));
  }
}

bool YwindowControl::NeedsCoarserScale() const {
  return style_ == ywDateGrid && axis_.DaysPerColumn < 90 && page_.PrinterWidth < grid_.ColPos(grid_.Cols()) &&
         scalingPanel_->IsSelected(0);
}

void YwindowControl::SendRedoGraphics() {
  Guard guard(QStringLiteral("YwindowControl:SendRedoGraphics"));
  guard([&] {
    grobs_.Clear();
    gridObjects_ = 0;
    gridTextSources_.clear();
  });
  guard([&] { DrawGridText(); });
  guard([&] { DrawGridLines(); });
  guard([&] {
    gridObjects_ = grobs_.Count();
    gridView_->SetGridObjects(gridObjects_, gridTextSources_);
  });
  guard([&] { emit RedoGraphics(); });
}

void YwindowControl::AutoFit() {
  Guarded(QStringLiteral("YwindowControl:AutoFit"), [&] { Ywindow::AutoFit(grid_, Measure(), style_, headerRows_); });
}

void YwindowControl::DrawGridText() {
  Guarded(QStringLiteral("YwindowControl:DrawGridText"),
          [&] { Ywindow::DrawGridText(grid_, Measure(), grobs_, &gridTextSources_); });
}

void YwindowControl::DrawGridLines() {
  Guarded(QStringLiteral("YwindowControl:DrawGridLines"), [&] { Ywindow::DrawGridLines(grid_, style_, grobs_); });
}

void YwindowControl::Refresh() {
  Guard guard(QStringLiteral("YwindowControl:Refresh"));
  guard([&] { RepositionGrid(); });
  if (!layoutStarted_) guard([&] { FillPlaceholder(); });
  if (style_ == ywGraphicsOnly && layoutStarted_) guard([&] { FillGraphicsCells(); });
  guard([&] { FitFixedArea(); });
  guard([&] { scalingPanel_->setVisible(style_ == ywDateGrid); });
  guard([&] {
    gridView_->show();
    gridView_->update();
  });
  guard([&] { UpdateGridScrollBars(); });
  if (style_ == ywTextOnly) {
    guard([&] { scrollPicture_->hide(); });
  } else {
    guard([&] { RepositionScrollPicture(); });
    guard([&] { PaintScrollPicture(); });
  }
  if (style_ == ywDateGrid) {
    guard([&] { RepositionKeyPicture(); });
    guard([&] { PaintKeyPicture(); });
  } else {
    guard([&] { keyPicture_->hide(); });
  }
  guard([&] { KeepScrollDuringDrag(); });
}

void YwindowControl::SetFont(QWidget* TheForm) {
  Guard guard(QStringLiteral("YwindowControl:SetFont"));
  QFont font = font_;
  guard([&] {
    if (TheForm == nullptr) {
      throw praxel::RuntimeError(91, QStringLiteral("Object variable or With block variable not set"));
    }
    const QFont wanted = TheForm->font();
    font.setFamily(wanted.family());
    font.setPointSize(static_cast<int>(std::floor(QFontInfo(wanted).pointSizeF() + 0.5)));
    font.setBold(wanted.bold());
    font.setItalic(wanted.italic());
  });
  guard([&] { ApplyFont(font); });
  if (!layoutStarted_) return;
  guard([&] {
    if (style_ == ywTextOnly) AutoFit();
  });
  guard([&] {
    // The widths change with the font: the automatic scale is chosen afresh, from the finest.
    if (scalingPanel_->IsSelected(0)) axis_.DaysPerColumn = 0;
    emit RedoLayout();
  });
}

int YwindowControl::Style() const { return style_; }

void YwindowControl::Style(int NewStyle) {
  Guard guard(QStringLiteral("YwindowControl:Style [Property Let]"));
  guard([&] { style_ = NewStyle; });
  guard([&] { Refresh(); });
}

// ---------------------------------------------------------------------------------------------
// The grid

void YwindowControl::AddColumn(const QString& Heading, int Alignment) {
  Guarded(QStringLiteral("YwindowControl:AddColumn"),
          [&] { Ywindow::AddColumn(grid_, Heading, Alignment, hiddenCols_, Measure()); });
}

void YwindowControl::AddRow(int InsertBefore) {
  Guarded(QStringLiteral("YwindowControl:AddRow"), [&] {
    if (InsertBefore != 0) {
      grid_.InsertRow(InsertBefore);
    } else {
      grid_.SetRows(grid_.Rows() + 1);
    }
  });
}

void YwindowControl::DeleteRow(int Row) {
  Guard guard(QStringLiteral("YwindowControl:DeleteRow"));
  guard([&] {
    for (int col = 0; col < grid_.Cols(); ++col) grid_.SetText(Row, col, QString());
  });
  guard([&] { grid_.RemoveRow(Row); });
}

int YwindowControl::Rows() { return grid_.Rows(); }

int YwindowControl::Cols() { return grid_.Cols(); }

QString YwindowControl::CellText(int Row, int Col) {
  return GuardedValue(QStringLiteral("YwindowControl:CellText [Property Get]"), QString(),
                      [&] { return Ywindow::TrimSpaces(grid_.Text(Row, Col)); });
}

void YwindowControl::CellText(int Row, int Col, const QString& NewText) {
  Guarded(QStringLiteral("YwindowControl:CellText [Property Let]"),
          [&] { grid_.SetText(Row, Col, Ywindow::TrimSpaces(NewText)); });
}

int YwindowControl::CellBackColor(int Row, int Col) {
  return GuardedValue(QStringLiteral("YwindowControl:CellBackColor [Property Get]"), 0,
                      [&] { return grid_.CellBackColor(Row, Col); });
}

void YwindowControl::CellBackColor(int Row, int Col, int NewColor) {
  Guarded(QStringLiteral("YwindowControl:CellBackColor [Property Let]"),
          [&] { grid_.SetCellBackColor(Row, Col, NewColor); });
}

bool YwindowControl::CellFontBold(int Row, int Col) {
  return GuardedValue(QStringLiteral("YwindowControl:CellFontBold [Property Get]"), false,
                      [&] { return grid_.CellBold(Row, Col); });
}

void YwindowControl::CellFontBold(int Row, int Col, bool NewFlag) {
  Guarded(QStringLiteral("YwindowControl:CellFontBold [Property Let]"), [&] { grid_.SetCellBold(Row, Col, NewFlag); });
}

bool YwindowControl::CellFontItalic(int Row, int Col) {
  return GuardedValue(QStringLiteral("YwindowControl:CellFontItalic [Property Get]"), false,
                      [&] { return grid_.CellItalic(Row, Col); });
}

void YwindowControl::CellFontItalic(int Row, int Col, bool NewFlag) {
  Guarded(QStringLiteral("YwindowControl:CellFontItalic [Property Let]"),
          [&] { grid_.SetCellItalic(Row, Col, NewFlag); });
}

int YwindowControl::CellWidth() {
  // Before any column exists, the width a new column gets.
  return GuardedValue(QStringLiteral("YwindowControl:CellWidth [Property Get]"), 0,
                      [&] { return grid_.Cols() == 0 ? grid_.DefaultColWidth() : grid_.ColWidth(0); });
}

int YwindowControl::CellHeight() {
  return GuardedValue(QStringLiteral("YwindowControl:CellHeight [Property Get]"), 0,
                      [&] { return grid_.Rows() == 0 ? grid_.DefaultRowHeight() : grid_.RowHeight(0); });
}

int YwindowControl::ColPos(int Col) {
  return GuardedValue(QStringLiteral("YwindowControl:ColPos [Property Get]"), 0, [&] { return grid_.ColPos(Col); });
}

int YwindowControl::RowPos(int Row) {
  return GuardedValue(QStringLiteral("YwindowControl:RowPos [Property Get]"), 0, [&] { return grid_.RowPos(Row); });
}

int YwindowControl::ScreenColPos(int Col) {
  return GuardedValue(QStringLiteral("YwindowControl:ScreenColPos"), 0, [&] { return grid_.ScreenColPos(Col); });
}

int YwindowControl::ScreenRowPos(int Row) {
  return GuardedValue(QStringLiteral("YwindowControl:ScreenRowPos"), 0, [&] { return grid_.ScreenRowPos(Row); });
}

void YwindowControl::GridToolTip(const QString& NewText) {
  Guarded(QStringLiteral("YwindowControl:GridToolTip [Property Let]"), [&] { gridView_->setToolTip(NewText); });
}

int YwindowControl::FirstGraphicRow() { return axis_.FirstGraphicRow(); }

void YwindowControl::AutoMerge() {
  Guarded(QStringLiteral("YwindowControl:AutoMerge"), [&] { Ywindow::AutoMerge(grid_, headerRows_, style_); });
}

void YwindowControl::FindBorder(int Row, int Col, int& Row1, int& Col1, int& Row2, int& Col2) {
  Guarded(QStringLiteral("YwindowControl:FindBorder"), [&] {
    const Ywindow::MergeBlock block = Ywindow::FindBorder(grid_, Row, Col);
    Row1 = block.Row1;
    Col1 = block.Col1;
    Row2 = block.Row2;
    Col2 = block.Col2;
  });
}

// ---------------------------------------------------------------------------------------------
// The date axis

void YwindowControl::SetDateRange(double EarliestDate, double LatestDate) {
  Guard guard(QStringLiteral("YwindowControl:SetDateRange"));
  guard([&] { scalingPanel_->SetEarliestText(praxel::ShortDateText(std::floor(EarliestDate))); });
  guard([&] { scalingPanel_->SetLatestText(praxel::ShortDateText(-std::floor(-LatestDate))); });
  guard([&] { TurnOffScalingOptions(); });
  // Selecting Automatic checks the dates and raises RedoLayout: the host's first layout.
  guard([&] { scalingPanel_->Select(0); });
}

void YwindowControl::GetDateRange(double& PassEarliest, double& PassLatest) {
  PassEarliest = axis_.Earliest;
  PassLatest = axis_.Latest;
}

void YwindowControl::AddDateGrid() {
  Guard guard(QStringLiteral("YwindowControl:AddDateGrid"));
  guard([&] {
    axis_.Earliest = DateOfText(scalingPanel_->EarliestText());
    axis_.Latest = DateOfText(scalingPanel_->LatestText());
  });
  guard([&] {
    axis_.ChooseScale(scalingPanel_->SelectedOption(), Measure().TextWidth(QStringLiteral(" Wed ")),
                      page_.PrinterWidth);
  });
  guard([&] { axis_.LabelColumns(grid_, Measure(), Pixels().x, hiddenCols_); });
  guard([&] { FixTop(false); });
}

int YwindowControl::DateToX(double TheDate) {
  return GuardedValue(QStringLiteral("YwindowControl:DateToX"), 0, [&] { return axis_.DateToX(TheDate, grid_); });
}

void YwindowControl::AddTodayLine(double TodayLine, int Color) {
  Guarded(QStringLiteral("YwindowControl:AddTodayLine"),
          [&] { axis_.AddTodayLine(grobs_, grid_, Measure(), TodayLine, Color); });
}

void YwindowControl::TurnOffScalingOptions() {
  Guarded(QStringLiteral("YwindowControl:TurnOffScalingOptions"), [&] {
    scalingPanel_->UnselectAll();
    axis_.DaysPerColumn = 0;
  });
}

void YwindowControl::EarliestText_Change() {
  Guarded(Handler(QStringLiteral("YwindowControl:EarliestText_Change")), [&] { TurnOffScalingOptions(); });
}

void YwindowControl::LatestText_Change() {
  Guarded(Handler(QStringLiteral("YwindowControl:LatestText_Change")), [&] { TurnOffScalingOptions(); });
}

void YwindowControl::ScalingOption_Click(int Index) {
  Guard guard(Handler(QStringLiteral("YwindowControl:ScalingOption_Click")));
  bool go = false;
  guard([&] { go = scalingPanel_->IsSelected(Index); });
  // A refused date unselects the option and no layout follows.
  const auto refuse = [&](const QString& message) {
    praxel::CurrentPrompter().MsgBox(message, praxel::MsgOkOnly, QString());
    scalingPanel_->Unselect(Index);
    go = false;
  };
  std::optional<double> earliest;
  std::optional<double> latest;
  if (go) {
    guard([&] {
      const QString text = scalingPanel_->EarliestText();
      earliest = praxel::ParseShortDate(text);
      if (!earliest) refuse(QLatin1Char('"') + text + QStringLiteral("\" is not a valid date"));
    });
  }
  if (go) {
    guard([&] {
      const QString text = scalingPanel_->LatestText();
      latest = praxel::ParseShortDate(text);
      if (!latest) refuse(QLatin1Char('"') + text + QStringLiteral("\" is not a valid date"));
    });
  }
  if (go && earliest && latest) {
    guard([&] {
      axis_.Earliest = *earliest;
      axis_.Latest = *latest;
      if (axis_.Earliest >= axis_.Latest) {
        refuse(praxel::ShortDateText(axis_.Earliest) + QStringLiteral(" >= ") + praxel::ShortDateText(axis_.Latest));
      }
    });
  }
  if (!go || !earliest || !latest || guard.Left()) return;
  guard([&] {
    axis_.DaysPerColumn = 0;
    emit RedoLayout();
  });
}

// ---------------------------------------------------------------------------------------------
// Graphic objects

void YwindowControl::XLine(int X1, int Y1, int X2, int Y2, int Color, int Thickness) {
  Guarded(QStringLiteral("YwindowControl:XLine"), [&] { grobs_.XLine(X1, Y1, X2, Y2, Color, Thickness); });
}

void YwindowControl::Box(int X1, int Y1, int X2, int Y2, int BorderColor, int FillColor, int FillStyle) {
  Guarded(QStringLiteral("YwindowControl:Box"), [&] { grobs_.Box(X1, Y1, X2, Y2, BorderColor, FillColor, FillStyle); });
}

void YwindowControl::Triangle(int X1, int Y1, int X2, int Y2, int BorderColor, int FillColor, int Direction) {
  Guarded(QStringLiteral("YwindowControl:Triangle"),
          [&] { grobs_.Triangle(X1, Y1, X2, Y2, BorderColor, FillColor, Direction); });
}

void YwindowControl::Oval(int X1, int Y1, int X2, int Y2, int BorderColor, int FillColor) {
  Guarded(QStringLiteral("YwindowControl:Oval"), [&] { grobs_.Oval(X1, Y1, X2, Y2, BorderColor, FillColor); });
}

void YwindowControl::DrawText(int X, int Y, const QString& Text, int Alignment, int Color, int MaxWidth) {
  Guarded(QStringLiteral("YwindowControl:DrawText"),
          [&] { grobs_.DrawText(Measure(), X, Y, Text, Alignment, Color, MaxWidth); });
}

bool YwindowControl::RemapColors() const { return remapColors_; }

void YwindowControl::RemapColors(bool HowSet) { remapColors_ = HowSet; }

// ---------------------------------------------------------------------------------------------
// Refresh steps: where the grid and the pictures go, and what the pictures show

void YwindowControl::RepositionGrid() {
  gridLeft_ = style_ == ywDateGrid ? 2 * kPanelLeft + kPanelWidth : 0;
  gridTop_ = 0;
  gridView_->setGeometry(Ywindow::PixelRect(GridRect(), Pixels()));
}

void YwindowControl::FillPlaceholder() {
  // Before any host has laid the control out, the grid looks like a chart.
  const Ywindow::TwipsRect area = GridRect();
  grid_.SetRows(0);
  grid_.SetCols(0);
  grid_.SetRows(1);
  grid_.SetCols(1);
  int rows = IntegerDivide(area.height, grid_.RowHeight(0)) + 2;
  const int cols = IntegerDivide(area.width, grid_.ColWidth(0)) + 2;
  if (style_ == ywDateGrid) rows = std::max(rows - 5, 1);
  grid_.SetRows(rows);
  grid_.SetCols(cols);
  if (style_ == ywDateGrid) grid_.SetRowHeight(rows - 1, 6 * grid_.RowHeight(0));
  const bool graphicsOnly = style_ == ywGraphicsOnly;
  grid_.SetFixedRows(graphicsOnly ? 0 : std::min(1, grid_.Rows()));
  grid_.SetFixedCols(graphicsOnly ? 0 : std::min(2, grid_.Cols()));
  grid_.SetText(0, 0, QStringLiteral("Ywindow"));

  grobs_.Clear();
  gridTextSources_.clear();
  Ywindow::DrawGridText(grid_, Measure(), grobs_, &gridTextSources_);
  Ywindow::DrawGridLines(grid_, style_, grobs_);
  gridObjects_ = grobs_.Count();
  gridView_->SetGridObjects(gridObjects_, gridTextSources_);
}

void YwindowControl::FillGraphicsCells() {
  // Plain cells as large as the drawing, so that the grid's scroll bars scroll it.
  if (grid_.Rows() == 0 || grid_.Cols() == 0) {
    grid_.SetRows(1);
    grid_.SetCols(1);
  }
  grid_.SetRows(IntegerDivide(grobs_.Ypixels(), grid_.RowHeight(0)) + 1);
  grid_.SetCols(IntegerDivide(grobs_.Xpixels(), grid_.ColWidth(0)) + 1);
  for (int row = 0; row < grid_.Rows(); ++row) {
    const QChar letter(QLatin1Char('A').unicode() + row % 26);
    for (int col = 0; col < grid_.Cols(); ++col) grid_.SetText(row, col, letter + QString::number(col));
  }
}

void YwindowControl::FitFixedArea() {
  // Fixed columns and rows that leave no room to scroll are let go, while LockedCols and
  // HeaderRows keep their values for the next layout.
  const Ywindow::TwipsRect area = GridRect();
  const Ywindow::ScrollBarSize bars = ScrollBars();
  while (grid_.FixedCols() >= 1 && grid_.ColPos(grid_.FixedCols()) > area.width - 2 * bars.vertical) {
    grid_.SetFixedCols(grid_.FixedCols() - 1);
  }
  while (grid_.FixedRows() >= 1 && grid_.RowPos(grid_.FixedRows()) > area.height - 2 * bars.horizontal) {
    grid_.SetFixedRows(grid_.FixedRows() - 1);
  }
}

void YwindowControl::RepositionScrollPicture() {
  const Ywindow::TwipsRect picture = Ywindow::ScrollPictureRect(grid_, GridRect(), Pixels(), ScrollBars());
  scrollPictureLeft_ = picture.left;
  scrollPictureTop_ = picture.top;
  scrollPictureWidth_ = picture.width;
  scrollPictureHeight_ = picture.height;
  scrollPicture_->setGeometry(Ywindow::PixelRect(picture, Pixels()));
}

void YwindowControl::PaintScrollPicture() {
  scrollPicture_->hide();
  // Scrolling cells without width or height leave nothing to show.
  if (scrollPictureWidth_ <= 0 || scrollPictureHeight_ <= 0) return;
  const Ywindow::TwipsRect picture{scrollPictureLeft_, scrollPictureTop_, scrollPictureWidth_, scrollPictureHeight_};
  scrollView_ = Ywindow::ScrollPictureView(grid_, picture, Pixels());
  scrollPicture_->Render(grobs_, scrollView_, font_, Pixels());
  scrollPicture_->show();
}

void YwindowControl::RepositionKeyPicture() {
  keyPicture_->hide();
  const Ywindow::TwipsRect picture{scrollPictureLeft_, scrollPictureTop_, scrollPictureWidth_, scrollPictureHeight_};
  keyPlacement_ = Ywindow::KeyPicturePlacement(grid_, GridRect(), picture, Pixels());
  if (keyPlacement_) keyPicture_->setGeometry(keyPlacement_->pixels);
}

void YwindowControl::PaintKeyPicture() {
  keyPicture_->hide();
  // A key without room stays hidden.
  if (!keyPlacement_) return;
  keyPicture_->Render(grobs_, keyPlacement_->view, font_, Pixels());
  keyPicture_->show();
}

// ---------------------------------------------------------------------------------------------
// Handlers

void YwindowControl::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  UserControl_Resize();
}

void YwindowControl::UserControl_Resize() {
  Guarded(Handler(QStringLiteral("YwindowControl:UserControl_Resize")), [&] { Refresh(); });
}

void YwindowControl::WidthChangeTimer_Timer() {
  Guard guard(Handler(QStringLiteral("YwindowControl:WidthChangeTimer_Timer")));
  // Not in a break of a rebuild: the grid is half made. The next tick looks again.
  if (Ywindow::PaintBreaks::Active()) return;
  bool changed = false;
  guard([&] { changed = Ywindow::WatchColumnWidths(grid_, Pixels().x, hiddenCols_); });
  if (!changed) return;
  guard([&] { ExpandRowsIfNeeded(); });
  guard([&] { SendRedoGraphics(); });
}

void YwindowControl::ExpandRowsIfNeeded() {
  Guarded(QStringLiteral("YwindowControl:ExpandRowsIfNeeded"), [&] { Ywindow::ExpandRowsIfNeeded(grid_, Measure()); });
}

// ---------------------------------------------------------------------------------------------
// Measures

Ywindow::PixelSize YwindowControl::Pixels() const { return {1440.0 / logicalDpiX(), 1440.0 / logicalDpiY()}; }

Ywindow::ScrollBarSize YwindowControl::ScrollBars() const {
  const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  return {extent * Pixels().x, extent * Pixels().y};
}

Ywindow::TwipsRect YwindowControl::GridRect() const {
  // A control too small for the grid leaves it without size rather than failing.
  const Ywindow::PixelSize pixel = Pixels();
  return {gridLeft_, gridTop_, std::max(0.0, width() * pixel.x - gridLeft_),
          std::max(0.0, height() * pixel.y - gridTop_)};
}

const Ywindow::TextMeasure& YwindowControl::Measure() const { return *measure_; }

void YwindowControl::ApplyFont(const QFont& font) {
  // The same font keeps its measure, and with it the widths measured so far.
  if (measure_ == nullptr || font != font_) measure_ = std::make_unique<Ywindow::FontMeasure>(font, this);
  font_ = font;
  const Ywindow::PixelSize pixel = Pixels();
  grid_.SetDefaultSizes(praxel::ToLong(64 * pixel.x),
                        praxel::ToLong(measure_->TextHeight(QStringLiteral("X")) + 4 * pixel.y));
  gridView_->SetCellFont(font_);
}
