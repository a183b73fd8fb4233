#include "ZoomForm.h"

#include "Common.h"
#include "FormHelpers.h"
#include "Prompter.h"
#include "ShortDate.h"
#include "Yresource.h"
#include "Ytemplate.h"
#include "YwindowControl.h"
#include "ZoomList.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kTextOnly = 0;

}  // namespace

ZoomForm::ZoomForm(QWidget* parent)
    : ChartView({QStringLiteral("Zoom"), QString(), 0, RestartsOnNewSolution, QString(), Forms::BorderDialog}, parent) {
  setObjectName(QStringLiteral("ZoomForm"));
  setProperty("HelpKey", QStringLiteral("Calendar"));
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
  SizeToGrid();
  return true;
}
