#include "TransferState.h"

#include "FileProgress.h"
#include "Guard.h"
#include "Rounding.h"
#include "Transfer.h"

#include <QDir>

namespace Transfer {

State& TransferState() {
  static State state;
  return state;
}

void StatusMessage(const QString& text) { CurrentFileProgress().StatusMessage(text); }

float EffortPerDurationMinute(const MSProject::Task& task) {
  float units = 0.0f;
  for (const MSProject::Assignment* assignment : task.Assignments()) units += static_cast<float>(assignment->units);
  return units != 0.0f ? units : 7.0f / 5.0f * 24.0f / 8.0f;
}

void StartPass(const QString& text) {
  State& state = TransferState();
  state.ProgressText = text;
  state.ProgressCount = 0;
}

void IncrementCount() {
  ErrTrap::Guarded(QStringLiteral("Transfer:IncrementCount"), [] {
    State& state = TransferState();
    ++state.ProgressCount;
    if (state.ProgressTotal <= 0) return;
    const long percent = praxel::ToLong(static_cast<double>(state.ProgressCount) * 100.0 / state.ProgressTotal);
    if (percent == state.LastPercent) return;
    StatusMessage(state.ProgressText + QStringLiteral(" %1%").arg(percent));
    state.LastPercent = percent;
  });
}

bool IsMSProjectXml(const QString& path) { return path.right(4).toLower() == QLatin1String(".xml"); }

bool IsBinaryMSProject(const QString& path) { return path.right(4).toLower() == QLatin1String(".mpp"); }

void BinaryFileMessage(const QString& path) {
  praxel::CurrentPrompter().MsgBox(
      QStringLiteral("The file \"") + QDir::toNativeSeparators(path) +
          QStringLiteral("\" is a Microsoft Project file in its binary form, which PRAXEL cannot read or write.\n\n"
                         "Please save the project from Microsoft Project as \"XML Format (*.xml)\" and use that "
                         "file instead."),
      praxel::MsgExclamation, QStringLiteral("Microsoft Project XML Needed"));
}

bool MSProjectInstalled() { return true; }

}  // namespace Transfer
