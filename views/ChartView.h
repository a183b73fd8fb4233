#pragma once

#include "ErrTrap.h"
#include "Forms.h"

#include <QString>
#include <QWidget>

class YwindowControl;

// The frame every chart view stands on: a child window of the main window holding one chart
// control named "Ywindow" that fills it. The frame opens and refreshes the view (Start: the
// window's font, the caption, the layout request, then the main window shows it), keeps the check
// mark of the view's menu entry (set while the window is loaded), follows the font command and
// the notifications the view answers, and passes the control's two events to the view: RedoLayout
// (build the grid, end with LayoutComplete) and RedoGraphics (add the graphic objects, Refresh).
// The control raises both from inside its own members, synchronously, so a layout may begin while
// another is on the stack; a view rebuilds its state from scratch in each.
class ChartView : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int BorderStyle READ BorderStyle CONSTANT)

 public:
  // The notifications a view answers, besides the font command.
  enum Receiver : int {
    RestartsOnNewSolution = 1,
    RestartsOnNewJournal = 2,
    ClosesOnNewProject = 4,
    ClosesOnNewTemplate = 8,
  };

  // What tells one view from another in the frame: its error-trap module ("GanttChart"), its
  // Graphics menu entry (empty for none), the margin around it when first loaded (pixels), the
  // notifications it answers, and the noun of its status message ("GANTT chart" gives "Building
  // GANTT chart").
  struct Traits {
    QString module;
    QString menuEntry;
    int margin = 20;
    int receivers = 0;
    QString noun;
    // A chart window fills the client area, one at a time; a dialog-style view is placed like an
    // entry dialog and locks the main window until it closes.
    int borderStyle = Forms::BorderChart;
  };

  explicit ChartView(Traits traits, QWidget* parent = nullptr);
  ~ChartView() override;

  int BorderStyle() const { return traits_.borderStyle; }
  YwindowControl* Chart() const { return chart_; }

  // Opens the view, or draws it again when it is open.
  Q_INVOKABLE void Start();
  // The view laid out and drawn for its window's size without showing it, as a metafile in hex
  // text; empty when the view may not open now. For a view made while an OffScreen lives.
  QString PictureOffScreen();
  // While one lives, the views made are drawn off screen: they leave the menu's check marks alone.
  class OffScreen {
   public:
    OffScreen();
    ~OffScreen();
    OffScreen(const OffScreen&) = delete;
    OffScreen& operator=(const OffScreen&) = delete;
  };
  // Setup > Font: a font chosen in the font dialog is stored for this window, and the view starts
  // again with it.
  Q_INVOKABLE void ChangeFont();
  Q_INVOKABLE void NewSolution();
  Q_INVOKABLE void NewJournal();
  Q_INVOKABLE void NewThisProject();
  Q_INVOKABLE void NewThisTemplate();

 protected:
  // Start's own steps: whether the view may open now (it tells the user why not), the caption,
  // and the request for a layout (SetDateRange for a view with a date axis, which makes the
  // control lay out; the view's own layout otherwise).
  virtual bool StartAllowed() { return true; }
  virtual QString Caption() const = 0;
  virtual void RequestLayout() = 0;
  // Whether the laid-out view is shown; a view with nothing to show tells the user and says no.
  virtual bool ReadyToShow() { return true; }
  // Where the control stands in the window: all of it, unless the view keeps a place for options.
  virtual QRect ChartArea() const { return rect(); }
  // The control's two events.
  virtual void RedoLayout() = 0;
  virtual void RedoGraphics() = 0;

  // The main window's busy message: "Building " and the view's noun, or none.
  void ShowBuilding() const;
  static void ClearStatus();
  // The error-trap location of one of the view's procedures ("GanttChart:Start").
  QString Location(const char* procedure) const;
  // The window's TextHeight and TextWidth: the text measured in its font, in twips.
  double TextHeight(const QString& text) const;
  double TextWidth(const QString& text) const;
  // The twips of one screen pixel across and down.
  double TwipsPerPixelX() const;
  double TwipsPerPixelY() const;

  // A dialog-style list: the window as big as the control's grid, but never bigger than the main
  // window's client area, so that the list scrolls instead of growing the main window.
  void SizeToGrid();

  // A view's options frame: it stands in the control's left margin under the scaling panel, as
  // wide as its caption where the margin has room, in a slightly smaller face.
  void SetOptionsFrame(QWidget* frame);

  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void PlaceOptions();
  void WrapCaptions(int width);

  Traits traits_;
  YwindowControl* chart_;
  bool settingFont_ = false;  // Start is handing the control the window's font
  bool rebuilding_ = false;   // Start is laying the chart out
  bool startAgain_ = false;   // a Start came during that, from a paint break
  QWidget* optionsFrame_ = nullptr;
};
