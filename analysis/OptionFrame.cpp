#include "OptionFrame.h"

#include "ChartView.h"
#include "Guard.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

QList<QRadioButton*> AddOptionFrame(ChartView* view, const QString& caption, const QString& module,
                                    const QList<OptionButton>& buttons, int chosen, const std::function<void()>& clicked) {
  auto* frame = new QGroupBox(caption, view);
  frame->setObjectName(QStringLiteral("Frame1"));
  auto* column = new QVBoxLayout(frame);
  QList<QRadioButton*> options;
  for (const OptionButton& button : buttons) {
    auto* option = new QRadioButton(QString::fromLatin1(button.caption), frame);
    option->setObjectName(QString::fromLatin1(button.name));
    column->addWidget(option);
    const QString location = module + QLatin1Char(':') + QLatin1String(button.name) + QStringLiteral("_Click");
    QObject::connect(option, &QRadioButton::clicked, view,
                     [location, clicked] { ErrTrap::Guarded(ErrTrap::Handler(location), clicked); });
    options.append(option);
  }
  options.at(chosen)->setChecked(true);
  return options;
}
