#include "ChartView.h"

#include "CommonDialogService.h"
#include "FormHelpers.h"
#include "Guard.h"
#include "MainForm.h"
#include "OpenViews.h"
#include "QuietRebuild.h"
#include "YwindowControl.h"
#include "YwindowLibrary.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QFontMetricsF>
#include <QMetaObject>
#include <QResizeEvent>
#include <QScopeGuard>
#include <QShowEvent>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace {

// How many OffScreen scopes live: views made meanwhile are only drawn, never shown.
int offScreenViews = 0;

constexpr double kTwipsPerInch = 1440.0;

}  // namespace

ChartView::ChartView(Traits traits, QWidget* parent)
    : QWidget(parent),
      traits_(std::move(traits)),
      chart_(qobject_cast<YwindowControl*>(Ywindow::CreateObject(QStringLiteral("Ywindow.YwindowControl"), this))) {
  chart_->setObjectName(QStringLiteral("Ywindow"));
  // The control calls back from inside its own members: the view must answer at once.
  connect(chart_, &YwindowControl::RedoLayout, this,
          [this] {
            // The new font of a Start is laid out by the layout request that follows it.
            if (settingFont_) return;
            ErrTrap::Guarded(ErrTrap::Handler(Location("Ywindow_RedoLayout")), [&] { RedoLayout(); });
          },
          Qt::DirectConnection);
  connect(chart_, &YwindowControl::RedoGraphics, this,
          [this] { ErrTrap::Guarded(ErrTrap::Handler(Location("Ywindow_RedoGraphics")), [&] { RedoGraphics(); }); },
          Qt::DirectConnection);
  // Loaded: in from the main window's client area by the margin on every side, until the main
  // window places it; the menu entry shows the view open.
  if (const auto* main = dynamic_cast<const MainForm*>(Forms::MainWindow());
      main != nullptr && traits_.borderStyle == Forms::BorderChart) {
    const QSize client = main->ClientSize();
    resize(client.width() - 2 * traits_.margin, client.height() - 2 * traits_.margin);
  }
  // A hidden window hears of its size only when shown; the control needs it for the first layout.
  chart_->setGeometry(rect());
  if (!traits_.menuEntry.isEmpty() && offScreenViews == 0) Common::CheckMenuEntry(traits_.menuEntry, true);
}

ChartView::~ChartView() = default;

ChartView::OffScreen::OffScreen() { ++offScreenViews; }
ChartView::OffScreen::~OffScreen() { --offScreenViews; }

QString ChartView::Location(const char* procedure) const {
  return traits_.module + QLatin1Char(':') + QLatin1String(procedure);
}

double ChartView::TextHeight(const QString& text) const {
  const QFontMetricsF metrics(font(), this);
  const int lines = static_cast<int>(text.count(QLatin1Char('\n'))) + 1;
  return metrics.height() * lines * TwipsPerPixelY();
}

double ChartView::TextWidth(const QString& text) const {
  return QFontMetricsF(font(), this).horizontalAdvance(text) * TwipsPerPixelX();
}

double ChartView::TwipsPerPixelX() const { return kTwipsPerInch / logicalDpiX(); }

double ChartView::TwipsPerPixelY() const { return kTwipsPerInch / logicalDpiY(); }

void ChartView::Start() {
  // A notification that arrives during a rebuild's paint breaks is answered after it.
  if (rebuilding_) {
    startAgain_ = true;
    return;
  }
  ErrTrap::Guard guard(Location("Start"));
  bool allowed = false;
  guard([&] { allowed = StartAllowed(); });
  if (!allowed) {
    // A view that may not open now is not left loaded behind its menu's check mark.
    if (!isVisible()) guard([&] { Forms::Unload(this); });
    return;
  }
  {
    rebuilding_ = true;
    const auto done = qScopeGuard([&] { rebuilding_ = false; });
    const QuietRebuild quiet(chart_);
    // The control lays the chart out for the room it has: the window's, also before it is shown.
    guard([&] { chart_->setGeometry(ChartArea()); });
    guard([&] {
      settingFont_ = true;
      const auto fontSet = qScopeGuard([&] { settingFont_ = false; });
      Common::SetFormFont(this);
    });
    guard([&] { setWindowTitle(Caption()); });
    guard([&] { RequestLayout(); });
  }
  if (startAgain_) {
    startAgain_ = false;
    Start();
    return;
  }
  bool ready = false;
  guard([&] { ready = ReadyToShow(); });
  if (!ready) return;
  guard([&] {
    if (FormHost* host = Forms::Host()) host->ShowForm(this);
  });
}

QString ChartView::PictureOffScreen() {
  QString picture;
  ErrTrap::Guard guard(Location("PictureOffScreen"));
  bool allowed = false;
  guard([&] { allowed = StartAllowed(); });
  if (!allowed) return picture;
  guard([&] { chart_->setGeometry(ChartArea()); });
  guard([&] {
    settingFont_ = true;
    const auto fontSet = qScopeGuard([&] { settingFont_ = false; });
    Common::SetFormFont(this);
  });
  guard([&] { setWindowTitle(Caption()); });
  guard([&] { RequestLayout(); });
  guard([&] { picture = chart_->GetMetaFileInHex(); });
  return picture;
}

void ChartView::ChangeFont() {
  ErrTrap::Guarded(Location("ChangeFont"), [&] {
    if (Help::ShowFont(this)) Start();
  });
}

void ChartView::NewSolution() {
  if (traits_.receivers & RestartsOnNewSolution) ErrTrap::Guarded(Location("NewSolution"), [&] { Start(); });
}

void ChartView::NewJournal() {
  if (traits_.receivers & RestartsOnNewJournal) ErrTrap::Guarded(Location("NewJournal"), [&] { Start(); });
}

void ChartView::NewThisProject() {
  if (traits_.receivers & ClosesOnNewProject) ErrTrap::Guarded(Location("NewThisProject"), [&] { Forms::Unload(this); });
}

void ChartView::NewThisTemplate() {
  if (traits_.receivers & ClosesOnNewTemplate) {
    ErrTrap::Guarded(Location("NewThisTemplate"), [&] { Forms::Unload(this); });
  }
}

void ChartView::ShowBuilding() const {
  if (QWidget* main = Forms::MainWindow()) {
    QMetaObject::invokeMethod(main, "StatusMessage", Qt::DirectConnection,
                              Q_ARG(QString, QStringLiteral("Building ") + traits_.noun));
  }
}

void ChartView::ClearStatus() {
  if (QWidget* main = Forms::MainWindow()) {
    QMetaObject::invokeMethod(main, "StatusMessage", Qt::DirectConnection, Q_ARG(QString, QString()));
  }
}

void ChartView::SizeToGrid() {
  constexpr int kMarginPixels = 4;
  // The control keeps room for its scroll bars beside the grid.
  const int bars = style()->pixelMetric(QStyle::PM_ScrollBarExtent) + kMarginPixels;
  QSize wanted(static_cast<int>(std::ceil(chart_->ColPos(chart_->Cols()) / TwipsPerPixelX())) + kMarginPixels + bars,
               static_cast<int>(std::ceil(chart_->RowPos(chart_->Rows()) / TwipsPerPixelY())) + kMarginPixels + bars);
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
}

void ChartView::SetOptionsFrame(QWidget* frame) {
  optionsFrame_ = frame;
  QFont small = frame->font();
  small.setPointSizeF(small.pointSizeF() * 0.85);
  frame->setFont(small);
  frame->adjustSize();
}

void ChartView::resizeEvent(QResizeEvent* event) {
  chart_->setGeometry(ChartArea());
  QWidget::resizeEvent(event);
  PlaceOptions();
}

void ChartView::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  PlaceOptions();
}

void ChartView::WrapCaptions(int width) {
  // A caption wider than the margin goes on two lines, broken at its last blank that fits.
  for (QAbstractButton* option : optionsFrame_->findChildren<QAbstractButton*>()) {
    if (!option->property("Caption").isValid()) option->setProperty("Caption", option->text());
    const QString caption = option->property("Caption").toString();
    option->setText(caption);
    if (option->sizeHint().width() <= width) continue;
    const int room = width - (option->sizeHint().width() - option->fontMetrics().horizontalAdvance(caption));
    qsizetype cut = caption.lastIndexOf(QLatin1Char(' '));
    while (cut > 0 && option->fontMetrics().horizontalAdvance(caption.left(cut)) > room) {
      cut = caption.lastIndexOf(QLatin1Char(' '), cut - 1);
    }
    if (cut > 0) option->setText(caption.left(cut) + QLatin1Char('\n') + caption.mid(cut + 1));
  }
}

void ChartView::PlaceOptions() {
  if (optionsFrame_ == nullptr) return;
  const auto* earliest = chart_->findChild<QWidget*>(QStringLiteral("EarliestText"));
  const QWidget* panel = earliest != nullptr ? earliest->parentWidget() : nullptr;
  if (panel == nullptr || !panel->isVisible()) {
    optionsFrame_->hide();
    return;
  }
  const QRect area(panel->mapTo(this, QPoint(0, 0)), panel->size());
  int width = std::max(area.width(), optionsFrame_->sizeHint().width());
  if (const auto* grid = chart_->findChild<QWidget*>(QStringLiteral("Grid"))) {
    width = std::min(width, grid->mapTo(this, QPoint(0, 0)).x() - area.left() - 2);
  }
  width = std::max(width, area.width());
  WrapCaptions(width - 2 * area.left());
  optionsFrame_->setGeometry(area.left(), area.bottom() + area.left() + 1, width, optionsFrame_->sizeHint().height());
  optionsFrame_->show();
  optionsFrame_->raise();
}

void ChartView::closeEvent(QCloseEvent* event) {
  if (!traits_.menuEntry.isEmpty()) Common::CheckMenuEntry(traits_.menuEntry, false);
  if (traits_.borderStyle == Forms::BorderDialog) {
    if (FormHost* host = Forms::Host()) host->UnlockEntryForm(this);
  }
  QWidget::closeEvent(event);
}
