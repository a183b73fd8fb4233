#include "ZoomForm.h"

#include "Common.h"
#include "FormHelpers.h"
#include "MainForm.h"
#include "Prompter.h"
#include "ShortDate.h"
#include "Yresource.h"
#include "Ytemplate.h"
#include "YwindowControl.h"
#include "ZoomList.h"

#include <QStyle>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kTextOnly = 0;
constexpr int kMarginPixels = 4;

}  // namespace

ZoomForm::ZoomForm(QWidget* parent)
    : ChartView({QStringLiteral("Zoom"), QString(), 0, RestartsOnNewSolution, QString(), Forms::BorderDialog}, parent) {
  setObjectName(QStringLiteral("ZoomForm"));
  Chart()->Style(kTextOnly);
}

void ZoomForm::Start(double day) {
  day_ = day;
  ChartView::Start();
}

QString ZoomForm::Caption() const { return QStringLiteral("Zoom in on ") + praxel::ShortDateText(day_); }

void ZoomForm::RedoLayout() {
  YwindowControl* chart = Chart();
  Common::StartZoomYwindow(chart, true);
  for (Ytemplate* templ : Common::Templates()) {
    for (Yresource* resource : templ->ResourceList) {
      if (resource->Include() && resource->Template() == templ) Common::FillInZoomYwindow(chart, true, resource, day_);
    }
  }
  chart->LayoutComplete(0, 0);
}

void ZoomForm::RedoGraphics() { Chart()->Refresh(); }

bool ZoomForm::ReadyToShow() {
  YwindowControl* chart = Chart();
  if (chart->Rows() <= 1) {
    const QString day = praxel::ShortDateText(day_);
    praxel::CurrentPrompter().MsgBox(QStringLiteral("There is nothing scheduled for ") + day, praxel::MsgExclamation,
                                     QStringLiteral("Nothing Scheduled on ") + day);
    // A hidden zoom would tell the user again after every solve: it goes.
    Forms::Unload(this);
    return false;
  }
  // As big as the list, but never bigger than the main window's client area: the list scrolls.
  const double twipsPerPixelX = TwipsPerPixelX();
  const double twipsPerPixelY = TwipsPerPixelY();
  // The control keeps room for its scroll bars beside the grid.
  const int bars = style()->pixelMetric(QStyle::PM_ScrollBarExtent) + kMarginPixels;
  QSize wanted(static_cast<int>(std::ceil(chart->ColPos(chart->Cols()) / twipsPerPixelX)) + kMarginPixels + bars,
               static_cast<int>(std::ceil(chart->RowPos(chart->Rows()) / twipsPerPixelY)) + kMarginPixels + bars);
  QWidget* frame = Forms::FrameOf(this);
  // The frame's border and title bar, which it keeps as its contents margins.
  const QMargins margins = frame != this ? frame->contentsMargins() : QMargins();
  const QSize decoration(margins.left() + margins.right(), margins.top() + margins.bottom());
  if (const auto* main = dynamic_cast<const MainForm*>(Forms::MainWindow())) {
    wanted = wanted.boundedTo(main->ClientSize() - decoration);
  }
  if (frame != this) {
    frame->resize(wanted + decoration);
  } else {
    resize(wanted);
  }
  return true;
}
