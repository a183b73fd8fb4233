#pragma once

#include "DateAxis.h"
#include "GridDrawing.h"
#include "GridModel.h"
#include "GrobList.h"
#include "PageMetrics.h"
#include "YwindowEnums.h"
#include "YwindowExport.h"

#include <QFont>
#include <QSet>
#include <QString>
#include <QWidget>

#include <memory>

class QTimer;

namespace Ywindow {
class FontMeasure;
class GridView;
class PictureBox;
class ScalingPanel;
struct PixelSize;
struct ScrollBarSize;
struct TwipsRect;
}  // namespace Ywindow

// The chart-and-grid control: a grid of text cells with a drawing surface laid over its
// scrolling cells, a key over its last row and, in the date-grid style, a date axis with its
// scaling panel. It does not know what it shows.
//
// Hosts create it by class name (Ywindow::CreateObject) and call its members, each callable by
// name through the meta-object. A property's get and let share its name: CellText(Row, Col) reads,
// CellText(Row, Col, NewText) writes. Lengths are twips, dates day numbers, colours &HBBGGRR longs.
//
// The layout protocol: a host empties the control (Reset), adds columns, rows and texts (and the
// date columns, AddDateGrid), and closes the layout (LayoutComplete). The control answers from
// inside LayoutComplete, through signals that hosts connect with Qt::DirectConnection: either
// RedoLayout, when the chart is too wide for the page at the automatic date scale (the host lays
// out again, nested, and the next AddDateGrid takes a coarser scale), or, from the innermost pass
// only, RedoGraphics, after the grid has become graphic objects: the host adds its own objects and
// calls Refresh. A date chart's host starts with SetDateRange, which raises RedoLayout itself.
//
// Every member hands its failures, with its location ("YwindowControl:AddColumn"), to the
// library's own error trap; an abandoned member passes the call chain on to its caller.
class YWINDOW_EXPORT YwindowControl : public QWidget {
  Q_OBJECT

 public:
  Q_INVOKABLE explicit YwindowControl(QWidget* parent = nullptr);
  ~YwindowControl() override;

  // The layout protocol.
  Q_INVOKABLE void Reset();
  Q_INVOKABLE void FixTop(bool CenterDateGrid = false);
  Q_INVOKABLE void LayoutComplete(int LockedCols, int KeySize);
  Q_INVOKABLE void Refresh();
  Q_INVOKABLE void SetFont(QObject* TheForm);
  Q_INVOKABLE int Style() const;
  Q_INVOKABLE void Style(int NewStyle);

  // The grid.
  Q_INVOKABLE void AddColumn(const QString& Heading, int Alignment);
  Q_INVOKABLE void AddRow(int InsertBefore = 0);
  Q_INVOKABLE void DeleteRow(int Row);
  Q_INVOKABLE int Rows();
  Q_INVOKABLE int Cols();
  Q_INVOKABLE QString CellText(int Row, int Col);
  Q_INVOKABLE void CellText(int Row, int Col, const QString& NewText);
  Q_INVOKABLE int CellBackColor(int Row, int Col);
  Q_INVOKABLE void CellBackColor(int Row, int Col, int NewColor);
  Q_INVOKABLE bool CellFontBold(int Row, int Col);
  Q_INVOKABLE void CellFontBold(int Row, int Col, bool NewFlag);
  Q_INVOKABLE bool CellFontItalic(int Row, int Col);
  Q_INVOKABLE void CellFontItalic(int Row, int Col, bool NewFlag);
  Q_INVOKABLE int CellWidth();
  Q_INVOKABLE int CellHeight();
  Q_INVOKABLE int ColPos(int Col);
  Q_INVOKABLE int RowPos(int Row);
  Q_INVOKABLE int ScreenColPos(int Col);
  Q_INVOKABLE int ScreenRowPos(int Row);
  Q_INVOKABLE void GridToolTip(const QString& NewText);
  Q_INVOKABLE int FirstGraphicRow();
  Q_INVOKABLE void AutoMerge();
  Q_INVOKABLE void FindBorder(int Row, int Col, int& Row1, int& Col1, int& Row2, int& Col2);

  // The date axis.
  Q_INVOKABLE void SetDateRange(double EarliestDate, double LatestDate);
  Q_INVOKABLE void GetDateRange(double& PassEarliest, double& PassLatest);
  Q_INVOKABLE void AddDateGrid();
  Q_INVOKABLE int DateToX(double TheDate);
  Q_INVOKABLE void AddTodayLine(double TodayLine, int Color);

  // Graphic objects.
  Q_INVOKABLE void XLine(int X1, int Y1, int X2, int Y2, int Color = 0, int Thickness = 0);
  Q_INVOKABLE void Box(int X1, int Y1, int X2, int Y2, int BorderColor = 0, int FillColor = 0, int FillStyle = 0);
  Q_INVOKABLE void Triangle(int X1, int Y1, int X2, int Y2, int BorderColor, int FillColor, int Direction);
  Q_INVOKABLE void Oval(int X1, int Y1, int X2, int Y2, int BorderColor, int FillColor);
  Q_INVOKABLE void DrawText(int X, int Y, const QString& Text, int Alignment = 0, int Color = 0, int MaxWidth = 0);
  Q_INVOKABLE bool RemapColors() const;
  Q_INVOKABLE void RemapColors(bool HowSet);

  // What the control holds, for its drawing targets and its tests.
  const Ywindow::GridModel& Grid() const { return grid_; }
  const Ywindow::GrobList& Grobs() const { return grobs_; }
  const Ywindow::DateAxis& Axis() const { return axis_; }
  const Ywindow::PageMetrics& Page() const { return page_; }

 signals:
  // The control's events, raised synchronously on the caller's thread.
  void CellClick(int Button, int Row, int Col);
  void DateClick(double TheDate);
  void MouseDown(int Button, int Shift, float X, float Y);
  void MouseMove(int Button, int Shift, float X, float Y);
  void MouseUp(int Button, int Shift, float X, float Y);
  void RedoLayout();
  void RedoGraphics();
  void ScrollGrid();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Layout steps.
  void SendRedoGraphics();
  void AutoFit();
  void DrawGridText();
  void DrawGridLines();
  void CopyHeadingsDown();
  bool NeedsCoarserScale() const;

  // Refresh steps.
  void RepositionGrid();
  void FillPlaceholder();
  void FillGraphicsCells();
  void FitFixedArea();
  void RepositionScrollPicture();
  void PaintScrollPicture();
  void RepositionKeyPicture();
  void PaintKeyPicture();

  // Handlers of the constituents.
  void UserControl_Resize();
  void WidthChangeTimer_Timer();
  void EarliestText_Change();
  void LatestText_Change();
  void ScalingOption_Click(int Index);
  void TurnOffScalingOptions();

  // Measures of the screen and the control's font.
  Ywindow::PixelSize Pixels() const;
  Ywindow::ScrollBarSize ScrollBars() const;
  Ywindow::TwipsRect GridRect() const;
  const Ywindow::TextMeasure& Measure() const;
  void ApplyFont(const QFont& font);

  int style_ = ywDateGrid;
  bool remapColors_ = false;
  bool layoutStarted_ = false;
  int headerRows_ = 0;
  int lockedCols_ = 0;
  QSet<int> hiddenCols_;
  Ywindow::GridModel grid_;
  Ywindow::GrobList grobs_;
  int gridObjects_ = 0;  // how many objects at the head of the list are the grid's own
  QList<Ywindow::GridTextSource> gridTextSources_;
  Ywindow::DateAxis axis_;
  Ywindow::PageMetrics page_;
  QFont font_;
  std::unique_ptr<Ywindow::FontMeasure> measure_;

  // Where the grid and the drawing surface lie, in twips.
  double gridLeft_ = 0;
  double gridTop_ = 0;
  double scrollPictureLeft_ = 0;
  double scrollPictureTop_ = 0;
  double scrollPictureWidth_ = 0;
  double scrollPictureHeight_ = 0;
  bool keyHasRoom_ = false;
  double keyWidth_ = 0;
  double keyHeight_ = 0;

  Ywindow::GridView* gridView_;
  Ywindow::PictureBox* scrollPicture_;
  Ywindow::PictureBox* keyPicture_;
  Ywindow::ScalingPanel* scalingPanel_;
  QTimer* widthChangeTimer_;
};
