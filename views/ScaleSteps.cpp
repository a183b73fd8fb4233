#include "ScaleSteps.h"

#include <QString>

namespace Views {

double OneTwoFiveStep(double largest) {
  double step = 1;
  while (step * 10 < largest) {
    // By the first figure of the step: 1 doubles, 2 goes to 5, 5 doubles.
    const QChar first = QString::number(step, 'f', 0).at(0);
    step *= first == QLatin1Char('2') ? 2.5 : 2;
  }
  return step;
}

}  // namespace Views
