// The entry dialogs in the user's locale, and at a large font: every caption shows whole and every
// date box holds the widest date with a time of day, when the journal's date is a wide one.

#include "DialogFixture.h"

#include "CaseName.h"
#include "DependencyEntryForm.h"
#include "Journals.h"
#include "ProjectEntryForm.h"
#include "ShortDate.h"
#include "TaskEntryForm.h"
#include "TreeNodes.h"
#include "Yproject.h"
#include "Ytask.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFont>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFrame>

#include <cmath>
#include <string>

namespace {

struct LocaleCase {
  const char* name;
  const char* locale;
  int pointSize = 0;  // the desktop's font at that size; 0: as it is
};

// The program's font at another size for one scope.
class FontSizeScope {
 public:
  explicit FontSizeScope(int pointSize) : saved_(QApplication::font()) {
    if (pointSize <= 0) return;
    QFont font = saved_;
    font.setPointSize(pointSize);
    QApplication::setFont(font);
  }
  ~FontSizeScope() { QApplication::setFont(saved_); }
  FontSizeScope(const FontSizeScope&) = delete;
  FontSizeScope& operator=(const FontSizeScope&) = delete;

 private:
  QFont saved_;
};

class DialogRoom : public DialogTest, public testing::WithParamInterface<LocaleCase> {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    // The current journal is dated 11 December 2026: "prior to 11 Dec 2026" in C.
    plant->JournalDates[plant->CurrentIndex] = testsupport::OleDay(2026, 12, 11);
  }

  // With PRAXEL_SCREENSHOTS set, the main window with the open dialog is saved there.
  void Shoot(const char* dialog) const {
    SaveScreenshot(QStringLiteral("%1-%2.png").arg(QLatin1String(dialog), QLatin1String(GetParam().name)));
  }

  // Lets the dialog's layout follow the captions its start has set.
  static void Settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest); }

  // Every caption of the dialog shown is as wide as it needs and lies inside the control that
  // holds it: the labels, the buttons and options, and the frames with their titles.
  static void ExpectCaptionsWhole(const QWidget* form) {
    for (const QWidget* caption : form->findChildren<QWidget*>()) {
      const bool captioned = qobject_cast<const QLabel*>(caption) != nullptr ||
                             qobject_cast<const QAbstractButton*>(caption) != nullptr ||
                             qobject_cast<const QGroupBox*>(caption) != nullptr;
      if (!captioned || !caption->isVisibleTo(form)) continue;
      const std::string name = std::string(caption->metaObject()->className()) + " " +
                               caption->objectName().toStdString() + " \"" + CaptionOf(caption).toStdString() + "\"";
      EXPECT_GE(caption->width(), caption->minimumSizeHint().width()) << name;
      EXPECT_TRUE(caption->parentWidget()->rect().contains(caption->geometry())) << name << " is cut by its holder";
    }
  }
  static QString CaptionOf(const QWidget* caption) {
    if (const auto* label = qobject_cast<const QLabel*>(caption)) return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(caption)) return button->text();
    return static_cast<const QGroupBox*>(caption)->title();
  }

  // The box shows every date of a year with a time in the morning and in the evening whole: the
  // room its painting leaves the text (inside the frame, two pixels from either side) holds the
  // text and the cursor after it.
  static void ExpectEveryDateFits(const QLineEdit* box) {
    ASSERT_NE(box, nullptr);
    QStyleOptionFrame panel;
    panel.initFrom(box);
    panel.lineWidth = box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &panel, box) : 0;
    const QRect contents =
        box->style()->subElementRect(QStyle::SE_LineEditContents, &panel, box).marginsRemoved(box->textMargins());
    const int room = contents.width() - 2 * 2;
    const QFontMetricsF metrics(box->font());
    const double firstDay = testsupport::OleDay(2026, 1, 1);
    for (int day = 0; day < 365; ++day) {
      for (const double time : {10 + 58 / 60.0, 22 + 58 / 60.0}) {
        const QString text = praxel::DateTimeText(firstDay + day + time / 24);
        const int needed = static_cast<int>(std::lround(metrics.horizontalAdvance(text))) + 1;
        if (needed > room) {
          ADD_FAILURE() << box->objectName().toStdString() << ": \"" << text.toStdString() << "\" needs " << needed
                        << " pixels, the box leaves " << room;
          return;
        }
      }
    }
  }

  const testsupport::LocaleScope locale{GetParam().locale};
  const FontSizeScope fontSize{GetParam().pointSize};
};

TEST_P(DialogRoom, TaskDialog) {
  DoubleClick(NodeOf(plant->TaskList.Find(QStringLiteral("10"))));
  auto* form = Open<TaskEntryForm>("TaskEntryForm");
  ASSERT_NE(form, nullptr);
  Settle();
  EXPECT_EQ(Field<QLabel>(form, "EstimateLabel3")->text(),
            QStringLiteral("prior to ") + praxel::DateTimeText(plant->Journal()));
  // Specific dates with a time of day, for the picture.
  Field<QRadioButton>(form, "SpecificDatesOption")->click();
  Fill(form, "StartDateText", praxel::DateTimeText(testsupport::OleDay(2026, 5, 26) + 10.5 / 24));
  Fill(form, "FinishDateText", praxel::DateTimeText(testsupport::OleDay(2026, 9, 28) + 22.5 / 24));
  ExpectCaptionsWhole(form);
  ExpectEveryDateFits(Field<QLineEdit>(form, "StartDateText"));
  ExpectEveryDateFits(Field<QLineEdit>(form, "FinishDateText"));
  Shoot("task");
}

TEST_P(DialogRoom, DependencyDialog) {
  Press(NodeOf(plant->TaskList.Find(QStringLiteral("10"))));
  Click(QStringLiteral("Dependency"));
  auto* form = Open<DependencyEntryForm>("DependencyEntryForm");
  ASSERT_NE(form, nullptr);
  Settle();
  EXPECT_EQ(Field<QLineEdit>(form, "DateText")->text(), praxel::DateTimeText(plant->Journal()));
  ExpectCaptionsWhole(form);
  ExpectEveryDateFits(Field<QLineEdit>(form, "DateText"));
  Shoot("dependency");
}

TEST_P(DialogRoom, ProjectDialog) {
  // A new project proposes the active project's journal date.
  Click(QStringLiteral("Project"));
  auto* form = Open<ProjectEntryForm>("ProjectEntryForm");
  ASSERT_NE(form, nullptr);
  Settle();
  EXPECT_EQ(Field<QLineEdit>(form, "InitialJournalText")->text(), praxel::DateTimeText(plant->Journal()));
  ExpectCaptionsWhole(form);
  ExpectEveryDateFits(Field<QLineEdit>(form, "InitialJournalText"));
  Shoot("project");
}

INSTANTIATE_TEST_SUITE_P(Locales, DialogRoom,
                         testing::Values(LocaleCase{"C", "C"}, LocaleCase{"UnitedStates", "en_US"},
                                         LocaleCase{"Britain", "en_GB"}, LocaleCase{"Germany", "de_DE"},
                                         LocaleCase{"France", "fr_FR"}, LocaleCase{"CLargeFont", "C", 16}),
                         testsupport::CaseName());

}  // namespace
