#pragma once

#include "Forms.h"

#include <QWidget>

class MainForm;

// Setup > Preferences: the automatic backup interval, the printing and display switches and the
// Gantt chart's options. Every editing control is named after the setting it edits, and its kind
// is the last capitalised word of its name (Check, Option, Combo, Text): loading and storing are
// one walk over the controls. Ok stores them, sets the backup interval and tells the open windows
// (the Gantt chart redraws with its new options); Cancel changes nothing.
class PreferencesForm final : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int BorderStyle READ BorderStyle CONSTANT)

 public:
  explicit PreferencesForm(MainForm& Main, QWidget* parent = nullptr);

  int BorderStyle() const { return Forms::BorderDialog; }

  // The tail of a control's name from its last capital letter or digit: "ShowMarkersCheck"
  // gives "Check", "Label4" gives "4".
  static QString GetControlType(const QString& name);
  // The minutes of a backup interval setting: one of the offered choices, else 0 (off).
  static int BackupMinutes(const QString& setting);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Every control from its setting.
  void Form_Load();
  void LoadSettings();
  void OkCommand_Click();

  MainForm& main_;
};
