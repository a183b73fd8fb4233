#pragma once

#include "ControlGeometry.h"
#include "DateAxis.h"
#include "GridDrawing.h"
#include "GridModel.h"
#include "GrobDrawing.h"
#include "GrobList.h"
#include "PageMetrics.h"
#include "YwindowEnums.h"
#include "YwindowExport.h"

#include <QFont>
#include <QPointF>
#include <QSet>
#include <QString>
#include <QWidget>

#include <memory>
#include <optional>

class QPainter;
class QTimer;
class QWheelEvent;

namespace Ywindow {
class FontMeasure;
class GridView;
class PictureBox;
class PrintJob;
class ScalingPanel;
class WmfCanvas;
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
// The user scrolls the grid by whole cells, and the drawing with it; presses on the grid's cells
// come to the host as CellClick, on the drawing of a date chart as DateClick with the date under
// the pointer, on the drawing of a graphics-only chart as MouseDown, MouseMove and MouseUp in
// chart coordinates. Dragging a column's border in the header rows changes its width; the width
// watch then redraws the chart.
//
// The chart leaves the control as a Windows metafile (its hex text, or on the clipboard with SVG
// and PNG of the same picture), and on paper: a host asks for the page (GetPageStats), prints the
// chart in pieces (PrintPiece), each page with its headings, and ends the job (EndDoc).
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
  Q_INVOKABLE void SetFont(QWidget* TheForm);
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

  // The host's window, sized to the chart: TheForm's inner area becomes Left plus the chart's
  // width and height (at least the scaling panel's height) and 8 pixels; a form inside a
  // subwindow sizes the subwindow around it.
  Q_INVOKABLE void ResizeContainer(QWidget* TheForm, int Left);

  // The metafile, built by replaying the graphic objects in chart twips, and the clipboard.
  // StartMetaFile begins one (dropping one left unfinished); SetPen, SetBrush and MetaTriangle
  // draw into it; FinishCopyToClipboard hands it to the clipboard with SVG and PNG of the chart.
  Q_INVOKABLE bool StartMetaFile();
  Q_INVOKABLE void SetPen(int Color, int Thickness);
  Q_INVOKABLE void SetBrush(int Color, int Pattern = 0);
  Q_INVOKABLE void MetaTriangle(int Index);
  // The whole chart's metafile as hex text; "" when none could be made.
  Q_INVOKABLE QString GetMetaFileInHex();
  // The chart on the clipboard; in the text-only style the grid as tab-separated text too.
  Q_INVOKABLE void CopyToClipboard();
  Q_INVOKABLE void FinishCopyToClipboard();

  // Printing on the library's printer (Ywindow::SetPrinter), and the print preview. GetPageStats
  // gives the page measured by the last Reset, the drawing's extent and the fixed rows and
  // columns, and makes the next piece the first of a new job. PrintPiece prints the chart's window
  // (X1, Y1)-(X2, Y2) at (X3, Y3) of the page's piece area, magnified, with the page's headings;
  // NewPage starts the next page, except for a job's first piece, which is page 1.
  Q_INVOKABLE void GetPageStats(int& PassPrinterWidth, int& PassPrinterHeight, int& PassLeftBorder,
                                int& PassTopBorder, int& PassXpixels, int& PassYpixels, int& FixedRows,
                                int& FixedCols);
  Q_INVOKABLE void PrintPiece(bool NewPage, float PassMagnification, const QString& TopHeading,
                              const QString& BottomHeading, int X1, int Y1, int X2, int Y2, int X3, int Y3);
  Q_INVOKABLE void EndDoc();
  // Draws the whole chart through TheForm, a painter on the preview's surface, with its origin at
  // (LeftBorder, TopBorder) and magnified; positions are twips of that surface. The painter's
  // font is the text's.
  Q_INVOKABLE void PaintPreview(QPainter* TheForm, int LeftBorder, int TopBorder, float PassMagnification);

  // What the control holds, for its drawing targets and its tests.
  const Ywindow::GridModel& Grid() const { return grid_; }
  const Ywindow::GrobList& Grobs() const { return grobs_; }
  const Ywindow::DateAxis& Axis() const { return axis_; }
  const Ywindow::PageMetrics& Page() const { return page_; }
  int PageNumber() const { return pageNumber_; }

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
  void wheelEvent(QWheelEvent* event) override;

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
  void UpdateGridScrollBars();
  void KeepScrollDuringDrag();

  // The metafile steps.
  bool BuildMetaFile();
  void HandOverToClipboard(const QString& text);
  Ywindow::WmfCanvas& MetaFile();

  // Handlers of the constituents.
  void UserControl_Resize();
  void Grid_Scroll();
  void Grid_MouseDown(int Button, int Shift, float X, float Y);
  void Grid_DblClick();
  void ScrollPicture_MouseDown(int Button, int Shift, float X, float Y);
  void ScrollPicture_MouseMove(int Button, int Shift, float X, float Y);
  void ScrollPicture_MouseUp(int Button, int Shift, float X, float Y);
  QPointF ChartPoint(float X, float Y) const;
  void WidthChangeTimer_Timer();
  void EarliestText_Change();
  void LatestText_Change();
  void ScalingOption_Click(int Index);
  void TurnOffScalingOptions();
  void ExpandRowsIfNeeded();

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
  // Where the key lies and what it shows; none while the key row has no room on the screen.
  std::optional<Ywindow::KeyPlacement> keyPlacement_;
  // The window of the chart the drawing surface shows, as last painted.
  Ywindow::ViewWindow scrollView_;

  // The grid cell under the last press on the grid; the grid's scroll position kept while a
  // mouse button is down on the drawing of a graphics-only chart.
  int clickRow_ = 0;
  int clickCol_ = 0;
  std::optional<int> dragLeftCol_;
  std::optional<int> dragTopRow_;

  // The metafile being built; none when none is.
  std::unique_ptr<Ywindow::WmfCanvas> metaFile_;

  // The print job: the pages printed so far and the printer's font, set at a job's first piece.
  int pageNumber_ = 0;
  QFont printerFont_;
  std::unique_ptr<Ywindow::PrintJob> printJob_;

  Ywindow::GridView* gridView_;
  Ywindow::PictureBox* scrollPicture_;
  Ywindow::PictureBox* keyPicture_;
  Ywindow::ScalingPanel* scalingPanel_;
  QTimer* widthChangeTimer_;
};
