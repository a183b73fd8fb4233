#pragma once

#include "ShellFixture.h"

// The real main window with the chart views and the analysis views registered as the program
// registers them.
class ViewTest : public ShellTest {
 protected:
  void SetUp() override;

  // Solves (expecting "Solve complete") and opens a view through its Graphics menu entry.
  void OpenView(const char* menuEntry, const char* form);
  // Clears memory and opens the sample project of the run command through File > Open, in a
  // main window of 1280 by 800 pixels.
  void OpenSample();
};
