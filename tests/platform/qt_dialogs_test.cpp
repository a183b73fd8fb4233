// The desktop's standard dialogs as the program shows them, answered as a user would.

#include "ModalAnswer.h"
#include "QtCommonDialogs.h"

#include <gtest/gtest.h>

#include <QFontDialog>

namespace {

// Ok without a change gives back the font the dialog was opened on, in every style of a family.
TEST(QtFontDialog, OkWithoutAChangeGivesBackTheFontItOpenedOn) {
  const praxel::FontChoice fonts[] = {
      {QStringLiteral("DejaVu Serif"), 9, false, false},
      {QStringLiteral("DejaVu Sans"), 10, false, false},
      {QStringLiteral("DejaVu Sans"), 12, true, false},
      {QStringLiteral("DejaVu Serif"), 11, false, true},
      {QStringLiteral("DejaVu Sans Mono"), 8, true, true},
  };
  praxel::QtCommonDialogs dialogs;
  for (const praxel::FontChoice& preset : fonts) {
    const testsupport::ModalAnswer<QFontDialog> ok([](QFontDialog* dialog) { dialog->accept(); });
    praxel::FontChoice font = preset;
    ASSERT_TRUE(dialogs.ChooseFont(font)) << preset.name.toStdString();
    EXPECT_EQ(font.name, preset.name);
    EXPECT_EQ(font.size, preset.size) << preset.name.toStdString();
    EXPECT_EQ(font.bold, preset.bold) << preset.name.toStdString() << " " << preset.size;
    EXPECT_EQ(font.italic, preset.italic) << preset.name.toStdString() << " " << preset.size;
  }
}

TEST(QtFontDialog, CancelKeepsTheFont) {
  praxel::QtCommonDialogs dialogs;
  const testsupport::ModalAnswer<QFontDialog> cancel([](QFontDialog* dialog) { dialog->reject(); });
  praxel::FontChoice font{QStringLiteral("DejaVu Sans"), 10, true, false};
  EXPECT_FALSE(dialogs.ChooseFont(font));
  EXPECT_EQ(font.name, QStringLiteral("DejaVu Sans"));
  EXPECT_TRUE(font.bold);
}

}  // namespace
