#pragma once

#include "ChartView.h"

#include <QHash>
#include <QList>
#include <QString>

class QCheckBox;
class Yresource;

// The resource histogram of the active template: for each date column of the chart one stacked
// bar of the hours booked by the solve, one band per resource (or per department), on a scale of
// hours in 1-2-5 steps, with a key naming the bands and the today line. The layout pass lays out
// the date columns; the first graphics pass sums the bookings into the columns the control chose
// and lays the scale rows and key out again; the second draws.
class HistogramForm final : public ChartView {
  Q_OBJECT

 public:
  explicit HistogramForm(QWidget* parent = nullptr);

  // The sums of the last build: one band per resource or department in the order met, with its
  // name and the hours booked in each chart column (column 0, the hours column, holds none), in
  // whole tenths of an hour.
  struct Band {
    QString name;
    QList<qint64> tenths;
  };
  const QList<Band>& Bands() const { return bands_; }
  double MaxTotalHours() const { return maxTotalHours_; }
  double HourIncrement() const { return hourIncrement_; }
  int KeyEntriesPerColumn() const { return keyEntriesPerColumn_; }

  // A booked stretch of time in whole tenths of an hour, cut: from whole minutes, so that an
  // hour is 10 whatever the rounding of the day fractions.
  static qint64 SlotTenths(double startTime, double endTime);
  // A band's fill: eight pastel colours in turn, and the hatch pattern when crosshatching.
  static int BandColor(int band);
  static int BandPattern(int band, bool crosshatching);

 protected:
  bool StartAllowed() override;
  QString Caption() const override;
  void RequestLayout() override;
  void RedoLayout() override;
  void RedoGraphics() override;

 private:
  void BuildSumGrid();
  void UpdateSumGrid(Yresource& resource, double earliest, double latest, const QList<int>& columnRights);
  void LayOutKey();
  void DrawBars();

  QCheckBox* byDepartment_;
  QCheckBox* crosshatching_;
  bool built_ = false;  // the sums of this layout are built
  QList<Band> bands_;
  QHash<QString, int> bandOfKey_;
  double maxTotalHours_ = 0;
  double hourIncrement_ = 1;
  int keyEntriesPerColumn_ = 1;
  QList<int> keyColumnLeft_;
};
