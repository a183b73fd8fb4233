#include "WorkBreakdownForm.h"

#include "ChartColors.h"
#include "Common.h"
#include "FormHelpers.h"
#include "Prompter.h"
#include "Rounding.h"
#include "Yproject.h"
#include "Ytask.h"
#include "YwindowControl.h"

#include <algorithm>
#include <cmath>

using namespace ChartColors;

namespace {

constexpr int kGraphicsOnly = 1;
constexpr int kDefaultLevels = 3;

}  // namespace

WorkBreakdownForm::WorkBreakdownForm(QWidget* parent)
    : ChartView({QStringLiteral("WorkBreakdown"), QStringLiteral("GraphicsWorkBreakdownMenu"), 20, ClosesOnNewProject,
                 QStringLiteral("work breakdown structure")},
                parent) {
  setObjectName(QStringLiteral("WorkBreakdownForm"));
  setWindowTitle(QStringLiteral("Work Breakdown Structure"));
  setProperty("HelpKey", QStringLiteral("Work breakdown structure"));
  Chart()->Style(kGraphicsOnly);
}

bool WorkBreakdownForm::StartAllowed() { return Common::ThisProject() != nullptr; }

QString WorkBreakdownForm::Caption() const {
  return QStringLiteral("Work Breakdown Structure for ") + Common::GetPageHeader();
}

bool WorkBreakdownForm::ReadyToShow() {
  if (levelLimit_ >= 0) return true;
  // Fewer than two levels (or no answer) leaves nothing to show: the user hears why.
  praxel::CurrentPrompter().MsgBox(
      QStringLiteral("The work breakdown structure shows at least two levels: the project and its subprojects.  "
                     "Please ask for it again and enter a number of levels of 2 or more."),
      praxel::MsgInformation, QStringLiteral("Too Few Levels"));
  Forms::Unload(this);
  return false;
}

int WorkBreakdownForm::Width(const QString& text) const { return praxel::ToLong(TextWidth(text) + 2 * u_); }

void WorkBreakdownForm::RedoLayout() {
  ShowBuilding();
  YwindowControl* chart = Chart();
  chart->Reset();
  chart->AddColumn(QString(), 4);
  chart->AddRow();
  int width = 0, height = 0, left = 0, top = 0, xpixels = 0, ypixels = 0, fixedRows = 0, fixedCols = 0;
  chart->GetPageStats(width, height, left, top, xpixels, ypixels, fixedRows, fixedCols);
  u_ = praxel::ToLong(TextWidth(QStringLiteral("X")));
  h_ = praxel::ToLong(TextHeight(QStringLiteral("X")));
  const int cell = chart->ColPos(1);
  const int line = chart->RowPos(1);
  // A page is a whole number of cells; without a cell (or a page) there are no page breaks.
  pageWidth_ = cell > 0 ? width / cell * cell : width;
  pageHeight_ = line > 0 ? std::max(0, (height - 4 * h_) / line * line) : 0;
  chart->Reset();
  chart->LayoutComplete(0, 0);
}

int WorkBreakdownForm::GoDown(int y, int lineHeight, int pageHeight) {
  if (pageHeight <= 0) return y;
  if (y % pageHeight + lineHeight >= pageHeight) return (y + lineHeight) / pageHeight * pageHeight + lineHeight;
  return y;
}

int WorkBreakdownForm::PromptForLevelLimit() {
  const QString answer = praxel::CurrentPrompter().InputBox(
      QStringLiteral("At least one subproject contains another subproject.  By default, PRAXEL will expand to only "
                     "three levels, which means that any subprojects within subprojects will not be expanded.\n\n"
                     "(To change the number of levels after answering this question, you must close the window and "
                     "then request another work breakdown structure.)\n\nHow many levels do you wish to expand?"),
      QStringLiteral("Enter Number of Levels"), QString::number(kDefaultLevels));
  const double levels = Common::LeadingNumber(answer);
  if (std::abs(levels) > 1e6) return 0;
  return praxel::ToLong(levels);
}

void WorkBreakdownForm::ProcessProject(Yproject* project, int level, int x, int y, int& maxX, int& newY, bool draw) {
  YwindowControl* chart = Chart();
  if (chain_.contains(project)) {
    newY = y;
    return;
  }
  chain_.append(project);
  if (level <= 1) {
    const QString text = project->BuildNodeText();
    const int w = Width(text);
    maxX = std::max(maxX, x + w);
    if (draw) {
      chart->Box(praxel::ToLong(x + 0.25 * u_), praxel::ToLong(y + 0.25 * h_), praxel::ToLong(x + w - 0.75 * u_),
                 praxel::ToLong(y + 1.25 * h_), kBlack, kBlack);
      chart->Box(x, y, x + w - u_, y + h_, kBlack, kWhite);
      chart->DrawText(praxel::ToLong(x + 0.5 * u_), y, text);
    }
    y = GoDown(praxel::ToLong(y + 1.25 * h_));
  }
  x += 3 * u_;
  const int cx = x - 2 * u_;
  const int top = y;
  int lastTick = y;
  for (Ytask* task : project->TaskList) {
    if (!task->Include()) continue;
    Yproject* subproject = task->Subproject();
    if (subproject == nullptr || level > 0) {
      const QString text = task->BuildNodeText();
      maxX = std::max(maxX, x + Width(text));
      lastTick = praxel::ToLong(y + h_ / 2.0);
      if (draw) {
        chart->DrawText(x, y, text);
        chart->XLine(cx, lastTick, x, lastTick);
      }
      y = GoDown(y + h_);
    }
    if (subproject != nullptr && level > 0) {
      if (level == 1 && !levelAsked_) {
        levelAsked_ = true;
        levelLimit_ = PromptForLevelLimit() - 2;
      }
      if (levelLimit_ < 0) break;
      if (level < levelLimit_) {
        ProcessProject(subproject, level + 1, x, y, maxX, newY, draw);
        y = newY;
      }
    }
  }
  newY = y;
  if (draw) chart->XLine(cx, top, cx, lastTick);
  chain_.removeLast();
}

void WorkBreakdownForm::RedoGraphics() {
  YwindowControl* chart = Chart();
  Yproject* root = Common::ThisProject();
  if (root == nullptr) return;
  chain_.clear();
  int maxX = u_;
  int newY = h_;
  ProcessProject(root, 0, u_, h_, maxX, newY, false);
  const int x0 = praxel::ToLong((pageWidth_ - maxX) / 2.0 - 2 * u_);
  ProcessProject(root, 0, x0, h_, maxX, newY, true);
  int busLeft = x0 + u_;
  int busRight = 0;
  int busY = newY >= 3 * h_ ? praxel::ToLong(newY - h_ / 2.0) : newY;
  int rowBottom = newY;
  int x = 4 * u_;
  maxX = 4 * u_;
  int y = GoDown(newY + 2 * h_);
  for (Ytask* task : root->TaskList) {
    Yproject* subproject = task->Subproject();
    if (!task->Include() || subproject == nullptr) continue;
    ProcessProject(subproject, 1, x, y, maxX, newY, false);
    if (levelLimit_ < 0) break;
    if (maxX > pageWidth_) {
      x = 4 * u_;
      maxX = 4 * u_;
      y = GoDown(rowBottom + 2 * h_);
      if (busLeft > u_) {
        chart->XLine(u_, busY, busLeft, busY);
        chart->XLine(u_, busY, u_, y - h_);
      }
      busY = y - h_;
      busLeft = busRight = u_;
    }
    const int c = praxel::ToLong(x + u_ + TextWidth(subproject->BuildNodeText()) / 2);
    if (busLeft > busRight) {
      const int m = GoDown(praxel::ToLong((busY + y) / 2.0));
      chart->XLine(busLeft, busY, busLeft, m);
      busY = m;
      busRight = busLeft;
    }
    if (c < busLeft) {
      chart->XLine(c, busY, busLeft, busY);
      busLeft = c;
    } else if (c > busRight) {
      chart->XLine(c, busY, busLeft, busY);
      busRight = c;
    }
    chart->XLine(c, busY, c, y);
    ProcessProject(subproject, 1, x, y, maxX, newY, true);
    x = maxX + 4 * u_;
    rowBottom = std::max(rowBottom, newY);
  }
  chart->Refresh();
  ClearStatus();
}
