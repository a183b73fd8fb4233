#pragma once

#include "ChartView.h"

#include <QList>

class QComboBox;
class QGroupBox;
class QRadioButton;
class Yslice;

// The precedence network of the active project's solved schedule: one box per slice of the
// solver, in columns by the depth of its shown predecessors and rows ordered by their average
// row, joined by straight lines from each predecessor to its successors. Besides the project's
// own slices (and its subprojects') it shows every slice of another project linked directly to
// one of them. The boxes are fitted to the printed page, so that no box is cut by a page break
// across; a box can be dragged up or down its column until the next layout.
//
// The layout writes the shown slices' Count (place in the include list, from 1; 0 when hidden),
// Col and Row, which the solver does not need once it has ordered them. The slices are the
// solver's and go back to its pool at the next ordering, so the view lays out again after every
// solve and drops slices of an ordering that has passed.
class PrecedenceForm final : public ChartView {
  Q_OBJECT

 public:
  // The box contents, in the order of the style options.
  enum BoxStyle { NumericIndex = 0, ElapsedTime = 1, DateOnly = 2, DateAndTime = 3 };

  explicit PrecedenceForm(QWidget* parent = nullptr);

  const QList<Yslice*>& IncludeList() const { return includeList_; }
  const QList<int>& ColumnSizes() const { return columnSizes_; }
  int DiagramRows() const { return diagramRows_; }
  bool OtherProjects() const { return otherProjects_; }
  double OriginDate() const { return originDate_; }
  int BoxLines() const { return boxLines_; }
  int BoxColumns() const { return boxColumns_; }
  int LineHeight() const { return lineHeight_; }
  int BoxHeight() const { return boxHeight_; }
  int BoxWidth() const { return boxWidth_; }
  int BoxGap() const { return boxGap_; }
  const Yslice* DragSlice() const { return dragSlice_; }

  // The left edge of a box column and the top edge of a box row, in twips of the drawing.
  int GetX(int column) const;
  int GetY(int row) const;

  // The box sizes fitted to the printed page: a whole number of box columns, with their gaps,
  // fills the whole cells that fit across the page. Without a page, a cell or room for even one
  // box the gap stays as it is.
  static int FitGapToPage(int printerWidth, int cellWidth, int boxWidth, int boxGap);
  // Days written in whole minutes counted in the chosen unit, with one decimal ("1.5").
  static QString FormatElapsed(double days, const QString& units);

 protected:
  bool StartAllowed() override;
  QString Caption() const override;
  void RequestLayout() override { RedoLayout(); }
  void RedoLayout() override;
  void RedoGraphics() override;
  QRect ChartArea() const override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  BoxStyle Style() const;
  QRect StyleFrameRect() const;
  // Layout
  void BuildIncludeList();
  static bool IncludeSlice(const Yslice* slice);
  static bool SliceInThisProject(const Yslice* slice);
  void ComputeBoxDimensions();
  // The width of one of the three cells of a box in that style (not numbered).
  double CellWidth(BoxStyle style) const;
  void AssignPositions();
  void AssignThisColumn(const QList<Yslice*>& column) const;
  // Whether the include list still holds the slices of the solver's current ordering.
  bool SlicesCurrent() const;
  void ForgetSlices();
  // Drawing
  void DrawLines();
  void ConnectBoxes(const Yslice* predecessor, const Yslice* successor);
  void DrawBox(const Yslice* slice);
  void DrawBoxText(const Yslice* slice, QString text, int position);
  QString FormatDate(double date) const;
  int Width(const QString& text) const;
  // Dragging
  void Ywindow_MouseDown(float x, float y);
  void Ywindow_MouseMove(float y);
  void Ywindow_MouseUp();
  void EndDrag();

  QGroupBox* styleFrame_;
  QList<QRadioButton*> styleOptions_;
  QComboBox* unitsCombo_;

  QList<Yslice*> includeList_;
  int sliceGeneration_ = -1;  // the solver's ordering the include list was taken from
  QList<int> columnSizes_;
  int diagramRows_ = 0;
  bool otherProjects_ = false;
  double originDate_ = 0.0;
  int boxLines_ = 1;
  int boxColumns_ = 1;
  int lineHeight_ = 0;
  int boxHeight_ = 0;
  int boxWidth_ = 0;
  int boxGap_ = 0;

  Yslice* dragSlice_ = nullptr;
  float dragY_ = 0.0f;
};
