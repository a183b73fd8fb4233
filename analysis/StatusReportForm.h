#pragma once

#include "Forms.h"
#include "StatusReportFile.h"

#include <QWidget>

class QPushButton;
class QRadioButton;
class QTableWidget;

// The monthly status report of the active project: the report's status table as a grid of
// traffic lights (the previous and the present month of each item), set by clicking; on Ok the
// report is written with the lights and fresh pictures of the budget plot (or the earned-value
// plot) and the Gantt chart, and opened in the RTF editor. A project's first report is made from
// the layout and edited before its table is read. It locks the main window like an entry dialog.
class StatusReportForm final : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int BorderStyle READ BorderStyle CONSTANT)

 public:
  explicit StatusReportForm(QWidget* parent = nullptr);

  int BorderStyle() const { return Forms::BorderDialog; }
  const QString& ReportFile() const { return reportFile_; }
  QTableWidget* Grid() const { return grid_; }

  Q_INVOKABLE void Start();
  // The lights and items as the grid holds them, the heading first.
  QList<StatusReportFile::Row> GridRows() const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  bool CreateStatusReport();
  void FillGrid();
  void Grid_Click(int row, int col);
  void CopyCommand_Click();
  void OkCommand_Click();
  void RedoColors();

  QTableWidget* grid_;
  QRadioButton* budgetOption_;
  QRadioButton* earnedValueOption_;
  QPushButton* okCommand_;
  QPushButton* cancelCommand_;
  QPushButton* copyCommand_;
  QString projectName_;  // the report's project
  QString reportFile_;
  StatusReportFile report_;
};
