#pragma once

#include "ChartView.h"

class Yproject;

// The work breakdown structure of the active project: the project in a shadowed box with its
// tasks listed beneath, one shadowed box per subproject in rows below, hung from a bus line, and
// nested subprojects as indented lists down to the number of levels the user asks for. Laid out
// for the printed page: a line that would reach a page break starts below it, and rows of boxes
// wrap at the page width.
class WorkBreakdownForm final : public ChartView {
  Q_OBJECT

 public:
  explicit WorkBreakdownForm(QWidget* parent = nullptr);

  int PageWidth() const { return pageWidth_; }
  int PageHeight() const { return pageHeight_; }
  int LevelLimit() const { return levelLimit_; }
  // A line's top moved one line below the page break when the line would reach it; unchanged on
  // a page without breaks (no page height).
  static int GoDown(int y, int lineHeight, int pageHeight);

 protected:
  bool StartAllowed() override;
  QString Caption() const override;
  void RequestLayout() override { RedoLayout(); }
  bool ReadyToShow() override;
  void RedoLayout() override;
  void RedoGraphics() override;

 private:
  void ProcessProject(Yproject* project, int level, int x, int y, int& maxX, int& newY, bool draw);
  int GoDown(int y) const { return GoDown(y, h_, pageHeight_); }
  int PromptForLevelLimit();
  int Width(const QString& text) const;

  int pageWidth_ = 0;
  int pageHeight_ = 0;
  int u_ = 0;  // the width of "X"
  int h_ = 0;  // the height of a line
  int levelLimit_ = 0;
  bool levelAsked_ = false;
  QList<const Yproject*> chain_;  // the projects being drawn, so that a damaged file cannot loop
};
