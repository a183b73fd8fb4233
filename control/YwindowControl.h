#pragma once

#include "YwindowExport.h"

#include <QWidget>

// The chart-and-grid control: a grid of text cells with a drawing surface and a date axis.
// Hosts create it by class name through Ywindow::CreateObject and call its members by name.
class YWINDOW_EXPORT YwindowControl : public QWidget {
  Q_OBJECT

 public:
  Q_INVOKABLE explicit YwindowControl(QWidget* parent = nullptr);
  ~YwindowControl() override;
};
