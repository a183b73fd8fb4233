#include "ResourceKeys.h"
#include "ShellFixture.h"

#include <QImage>
#include <QPixmap>

namespace {

using Common::KeyTable;

TEST(ResourceKeys, HashIgnoresCase) {
  struct Case {
    const char* key;
    int slot;
  };
  for (const Case& c : {Case{"abc", 974}, Case{"ABC", 974}, Case{"Ok", 418}, Case{"F1", 239}, Case{"Task.ico", 36},
                        Case{"Setup", 41}, Case{"Crash", 41}, Case{"", 0}}) {
    EXPECT_EQ(KeyTable::Hash(QString::fromLatin1(c.key)), c.slot) << c.key;
  }
}

TEST(ResourceKeys, TheTableHoldsEveryPageAndIconKey) {
  const KeyTable& table = Common::ResourceKeys();
  EXPECT_EQ(table.Count(), 248);
  int icons = 0;
  int tourPages = 0;
  for (int slot = 0; slot < KeyTable::kSlots; ++slot) {
    QString key = table.StoredKey(slot);
    if (key.isEmpty()) continue;
    if (key.endsWith(QLatin1String(".ico"))) ++icons;
    if (!Common::ResourceText(2000 + slot).isEmpty()) ++tourPages;
    EXPECT_EQ(Common::HashKey(key), slot) << key.toStdString();
  }
  EXPECT_EQ(icons, 32);
  EXPECT_EQ(tourPages, 45);
}

// A key is found without regard to case and comes back as stored; a key whose home slot is
// taken lies further on; an absent key gives -1 and stays as it was.
TEST(ResourceKeys, LookupGivesTheStoredKey) {
  struct Case {
    const char* asked;
    const char* stored;  // nullptr: not in the table
  };
  for (const Case& c : {Case{"task", "Task"}, Case{"TASK", "Task"}, Case{"Using Help", "Using help"},
                        Case{"task.ico", "Task.ico"}, Case{"Setup", "Setup"}, Case{"Crash", "Crash"},
                        Case{"F1", "F1"}, Case{"Class", nullptr}, Case{"", nullptr}}) {
    QString key = QString::fromLatin1(c.asked);
    const int slot = Common::HashKey(key);
    if (c.stored == nullptr) {
      EXPECT_EQ(slot, -1) << c.asked;
      EXPECT_EQ(key, QString::fromLatin1(c.asked));
    } else {
      EXPECT_EQ(key, QString::fromLatin1(c.stored));
      EXPECT_EQ(Common::ResourceText(1000 + slot), key);
    }
  }
  QString setup = QStringLiteral("Setup");
  QString crash = QStringLiteral("Crash");
  const QList<int> found = {Common::HashKey(setup), Common::HashKey(crash)};
  EXPECT_TRUE(found == QList<int>({41, 42}) || found == QList<int>({42, 41}));
}

TEST(ResourceKeys, ProbingWrapsFromTheLastSlotToTheFirst) {
  // "ACK" and "DJY" both hash to 999: the second goes to slot 0.
  const KeyTable table({QStringLiteral("ACK"), QStringLiteral("DJY")});
  QString second = QStringLiteral("djy");
  EXPECT_EQ(table.HashKey(second), 0);
  EXPECT_EQ(second, QStringLiteral("DJY"));
  QString absent = QStringLiteral("GRV");
  EXPECT_EQ(table.HashKey(absent), -1);
}

TEST(ResourceKeys, ToursChainToTheNextPage) {
  struct Case {
    const char* page;
    const char* next;
  };
  for (const Case& c : {Case{"Tour 2.9", "Tour 2.10"}, Case{"Tour 2.16", "Tour list"}, Case{"Guide me", "Tour list"},
                        Case{"Tour list", "Tour #1"}, Case{"Tour #3", "Tour 3.1"}, Case{"Task", ""}}) {
    QString key = QString::fromLatin1(c.page);
    EXPECT_EQ(Common::ResourceText(2000 + Common::HashKey(key)), QString::fromLatin1(c.next)) << c.page;
  }
}

TEST(ResourceKeys, ChopAtNullEndsTheTextAtItsFirstNul) {
  EXPECT_EQ(Common::ChopAtNull(QStringLiteral("New \0\0\0")), QStringLiteral("New "));
  EXPECT_EQ(Common::ChopAtNull(QString::fromLatin1("ab\0cd", 5)), QStringLiteral("ab"));
  EXPECT_EQ(Common::ChopAtNull(QStringLiteral("Assignment.Hours")), QStringLiteral("Assignment.Hours"));
  EXPECT_EQ(Common::ChopAtNull(QString()), QString());
}

QImage Picture(QString key, int size) {
  return Common::GetResIcon(key).pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
}

int DrawnPixels(const QImage& image) {
  int drawn = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) drawn += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
  }
  return drawn;
}

TEST(ResourceIcons, EveryIconIsDrawnAtSixteenAndThirtyTwoPixels) {
  const KeyTable& table = Common::ResourceKeys();
  for (int slot = 0; slot < KeyTable::kSlots; ++slot) {
    const QString key = table.StoredKey(slot);
    if (!key.endsWith(QLatin1String(".ico"))) continue;
    for (int size : {16, 32}) {
      const QImage image = Picture(key, size);
      EXPECT_EQ(image.size(), QSize(size, size)) << key.toStdString();
      // Legible: a good share of the square is drawn, and not all of it.
      EXPECT_GT(DrawnPixels(image), size * size / 5) << key.toStdString() << " " << size;
    }
  }
}

// "Calendar.ico" and "NoDrop.ico" share their home slot; each still gives its own picture.
TEST(ResourceIcons, KeysSharingAHomeSlotKeepTheirOwnPictures) {
  EXPECT_EQ(KeyTable::Hash(QStringLiteral("Calendar.ico")), KeyTable::Hash(QStringLiteral("NoDrop.ico")));
  EXPECT_NE(Picture(QStringLiteral("Calendar.ico"), 32), Picture(QStringLiteral("NoDrop.ico"), 32));
  EXPECT_EQ(Picture(QStringLiteral("calendar.ico"), 32), Picture(QStringLiteral("Calendar.ico"), 32));
}

TEST(ResourceIcons, AnUnknownNameIsAMissingResourceThroughTheTrap) {
  testsupport::ScriptedPrompter prompter;
  prompter.Answer(praxel::AnswerIgnore);
  QString name = QStringLiteral("Nothing.ico");
  EXPECT_TRUE(Common::GetResIcon(name).isNull());
  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(prompter.Asked().at(0).title, QStringLiteral("Internal Error"));
  EXPECT_EQ(prompter.Asked().at(0).text, QStringLiteral("Internal error 326: Resource with identifier '3999' not found"));
}

}  // namespace
