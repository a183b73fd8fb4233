#pragma once

#include <QList>
#include <QString>

#include <functional>

class ChartView;
class QRadioButton;

// The frame of option buttons of a plot ("Crash options", "Risk options"): the buttons by their
// names and captions, the one at `chosen` selected, each click answered by the handler under the view's
// error-trap location "<module>:<button>_Click".
struct OptionButton {
  const char* name;
  const char* caption;
};
QList<QRadioButton*> AddOptionFrame(ChartView* view, const QString& caption, const QString& module,
                                    const QList<OptionButton>& buttons, int chosen, const std::function<void()>& clicked);
