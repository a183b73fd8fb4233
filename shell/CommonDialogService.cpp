#include "CommonDialogService.h"

#include "CommonDialogs.h"
#include "Guard.h"
#include "Notifications.h"
#include "Settings.h"

#include <QFont>
#include <QWidget>

#include <cmath>

namespace Help {

namespace {

const QString kProjectFileFilter =
    QStringLiteral("PRAXEL Bundle (*.pxb)|*.pxb|PRAXEL Ascii (*.pxa)|*.pxa|Microsoft Project XML (*.xml)|*.xml");

// A font size in whole points: Int(size + 0.5).
int WholePoints(double size) { return static_cast<int>(std::floor(size + 0.5)); }

QString TrueFalse(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }

}  // namespace

bool ShowFont(QWidget* window) {
  bool chosen = false;
  ErrTrap::Guarded(QStringLiteral("Help:ShowFont"), [&] {
    const QFont current = window->font();
    praxel::FontChoice font{current.family(), static_cast<double>(WholePoints(current.pointSizeF())), current.bold(),
                            current.italic()};
    if (!praxel::CurrentCommonDialogs().ChooseFont(font)) return;
    const int size = WholePoints(font.size);
    QFont applied = current;
    applied.setFamily(font.name);
    applied.setPointSize(size);
    applied.setBold(font.bold);
    applied.setItalic(font.italic);
    window->setFont(applied);
    const QString name = window->objectName();
    Settings::WriteSettings(name + QStringLiteral(".FontName"), font.name);
    Settings::WriteSettings(name + QStringLiteral(".FontSize"), QString::number(size));
    Settings::WriteSettings(name + QStringLiteral(".FontBold"), TrueFalse(font.bold));
    Settings::WriteSettings(name + QStringLiteral(".FontItalic"), TrueFalse(font.italic));
    chosen = true;
  });
  return chosen;
}

QString ShowOpen(const QString& StartDir) {
  QString path;
  ErrTrap::Guarded(QStringLiteral("Help:ShowOpen"), [&] {
    praxel::FileDialogRequest request;
    request.filter = kProjectFileFilter;
    request.filterIndex = 1;
    request.initialFolder = StartDir;
    path = praxel::CurrentCommonDialogs().ChooseOpenFile(request);
  });
  return path;
}

QString ShowSave(const QString& StartDir, const QString& CurrentFile) {
  QString path;
  ErrTrap::Guarded(QStringLiteral("Help:ShowSave"), [&] {
    praxel::FileDialogRequest request;
    request.filter = kProjectFileFilter;
    request.filterIndex = 1;
    request.initialFolder = StartDir;
    request.defaultExtension = QStringLiteral(".pxb");
    request.fileName = CurrentFile.isEmpty() ? QStringLiteral("NoName.pxb") : CurrentFile;
    path = praxel::CurrentCommonDialogs().ChooseSaveFile(request);
  });
  return path;
}

void ShowPrinter() {
  ErrTrap::Guarded(QStringLiteral("Help:ShowPrinter"), [] {
    if (praxel::CurrentCommonDialogs().SetUpPrinter()) Common::BroadcastNewSolution();
  });
}

}  // namespace Help
