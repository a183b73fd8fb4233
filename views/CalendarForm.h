#pragma once

#include "Forms.h"

#include <QList>
#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;

// The template calendar: one year as twelve month grids, every day coloured by the strongest kind
// of time any included resource of any loaded template has booked on it (normal, off day,
// overtime, holiday, shutdown, unavailable, overload), else as a weekday or weekend; a legend of
// the nine kinds, Prev and Next to step through the years, and a double click on a day opens
// that day's zoom. It is built again on every solve, journal and change of the active project.
class CalendarForm final : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int BorderStyle READ BorderStyle CONSTANT)

 public:
  explicit CalendarForm(QWidget* parent = nullptr);

  int BorderStyle() const { return Forms::BorderChart; }

  Q_INVOKABLE void Start();
  // Setup > Font: a font chosen for this window, and the calendar drawn again in it.
  Q_INVOKABLE void ChangeFont();
  Q_INVOKABLE void NewJournal() { Start(); }
  Q_INVOKABLE void NewSolution() { Start(); }
  Q_INVOKABLE void NewThisProject() { Start(); }

  int Year() const { return year_; }
  double SelectedDay() const { return selectedDay_; }
  QTableWidget* MonthGrid(int month) const { return months_.at(month - 1); }

  // The colour of a day kind, 1 to 9 (Weekday to Overload), and the kind of a day.
  static int KindColor(int kind);
  static int DayKind(double day);

  void SetYear(int year);

 private:
  void PrepareCalendar();
  void BuildCalendar();
  void ClickOnMonthGrid(int month, int row, int col);
  void ZoomInOnDay();

  QWidget* content_;  // everything but the scroll area around it
  QLabel* yearLabel_;
  QPushButton* prevYear_;
  QPushButton* nextYear_;
  QList<QTableWidget*> months_;
  QList<QLabel*> monthLabels_;
  QWidget* keyFrame_;
  int year_ = 0;
  double selectedDay_ = 0;
};
