#include "Guard.h"
#include "Packing.h"
#include "ScriptedPrompter.h"
#include "Settings.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>

namespace {

class SettingsTest : public testing::Test {
 protected:
  void SetUp() override {
    testsupport::ClearProgramDataFolder();
    Settings::ForgetStore();
  }
  void TearDown() override {
    Settings::ForgetStore();
    EXPECT_TRUE(prompter.AllAnswered());
  }
  QString FileText() {
    QFile file(Settings::ConfigFilePath());
    if (!file.open(QIODevice::ReadOnly)) return QString();
    const Packing::Unpacked unpacked = Packing::UnpackBytes(file.readAll());
    EXPECT_TRUE(unpacked.error.isEmpty());
    return QString::fromLatin1(unpacked.data);
  }
  void WriteFileText(const QByteArray& text) {
    QFile file(Settings::ConfigFilePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Packing::PackBytes(text));
  }

  testsupport::ScriptedPrompter prompter;
};

TEST_F(SettingsTest, DefaultsStandWithoutAFile) {
  EXPECT_EQ(Settings::ReadSettings(QStringLiteral("AutomaticBackupCombo")), QStringLiteral("off"));
  EXPECT_TRUE(Settings::SettingIsOn(QStringLiteral("BarOption")));
  EXPECT_FALSE(Settings::SettingIsOn(QStringLiteral("WrapTextCheck")));
  EXPECT_EQ(Settings::ReadSettings(QStringLiteral("efficiencytext")), QStringLiteral("0.85"));  // any case
  EXPECT_EQ(Settings::ReadSettings(QStringLiteral("RecentFile1")), QString());
  EXPECT_EQ(Settings::SettingLetter(QStringLiteral("RecentFile1")), QString());
  EXPECT_EQ(Settings::SettingLetter(QStringLiteral("DependencyArrowsCombo")), QStringLiteral("C"));
  EXPECT_TRUE(Settings::ConfigFilePath().endsWith(QStringLiteral("/Praxel.cfg")));
}

TEST_F(SettingsTest, TheFileIsPackedInTheStoredOrder) {
  Settings::WriteSettings(QStringLiteral("RecentFile1"), QStringLiteral("/home/ann/a, b.pxb"));
  Settings::WriteSettings(QStringLiteral("BarOption"), QStringLiteral("-"));  // changed: written last
  Settings::WriteConfigFile();
  const QStringList lines = FileText().split(QStringLiteral("\r\n"));
  ASSERT_GE(lines.size(), 18);
  EXPECT_EQ(lines.first(), QStringLiteral("INITIALIZATION"));
  EXPECT_EQ(lines.at(1), QStringLiteral("AdjustColorsCheck,-"));
  EXPECT_EQ(lines.at(2), QStringLiteral("AutomaticBackupCombo,off"));
  EXPECT_EQ(lines.at(3), QStringLiteral("CriticalPathRedCheck,-"));
  EXPECT_EQ(lines.at(15), QStringLiteral("RecentFile1,\"/home/ann/a, b.pxb\""));
  EXPECT_EQ(lines.at(16), QStringLiteral("BarOption,-"));

  Settings::ForgetStore();
  EXPECT_EQ(Settings::ReadSettings(QStringLiteral("RecentFile1")), QStringLiteral("/home/ann/a, b.pxb"));
  EXPECT_FALSE(Settings::SettingIsOn(QStringLiteral("BarOption")));
}

TEST_F(SettingsTest, NamesWithoutDefaultsAreKept) {
  WriteFileText("INITIALIZATION\r\nGanttForm.FontName,DejaVu Sans\r\nWrapTextCheck,X\r\n");
  EXPECT_TRUE(Settings::SettingIsOn(QStringLiteral("WrapTextCheck")));
  Settings::WriteConfigFile();
  EXPECT_TRUE(FileText().contains(QStringLiteral("\r\nGanttForm.FontName,DejaVu Sans\r\n")));
}

// A name that would not read back bare (a quoted one holding a line break) is written quoted, so
// that the file reads back to the same settings and writes the same bytes again.
TEST_F(SettingsTest, ANameWithALineBreakReadsBackAsItWas) {
  WriteFileText("INITIALIZATION,\"\n\"\r\n");
  Settings::WriteConfigFile();
  const QString once = FileText();
  EXPECT_TRUE(once.contains(QStringLiteral("\r\n\"\n\","))) << once.toStdString();
  Settings::ForgetStore();
  Settings::WriteConfigFile();
  EXPECT_EQ(FileText(), once);
}

TEST_F(SettingsTest, AFileWithoutItsHeaderIsReportedAndTheDefaultsStay) {
  WriteFileText("BarOption,-\r\n");
  prompter.Answer(praxel::AnswerAbort);
  EXPECT_THROW(Settings::ReadConfigFile(), ErrTrap::CallChain);
  EXPECT_TRUE(prompter.Asked().at(0).text.endsWith(
      QStringLiteral(": read \"BarOption\" when expecting \"INITIALIZATION\"")));
  EXPECT_TRUE(Settings::SettingIsOn(QStringLiteral("BarOption")));
}

// A file of many settings, names repeated in other cases among them: each name holds the value
// stored last and stands where it was stored last, and the file is written back in that order.
TEST_F(SettingsTest, ManySettingsKeepTheLastValueInTheOrderOfTheirStoring) {
  constexpr int kCount = 30000;
  QByteArray text = "INITIALIZATION\r\n";
  for (int i = 0; i < kCount; ++i) text += "Window" + QByteArray::number(i) + ".FontSize," + QByteArray::number(i) + "\r\n";
  // Every tenth one again, in upper case, at the end; and a default changed in between.
  text += "BAROPTION,-\r\n";
  for (int i = 0; i < kCount; i += 10) text += "WINDOW" + QByteArray::number(i) + ".FONTSIZE,again\r\n";
  WriteFileText(text);

  EXPECT_EQ(Settings::ReadSettings(QStringLiteral("window1.fontsize")), QStringLiteral("1"));
  EXPECT_EQ(Settings::ReadSettings(QStringLiteral("Window20.FontSize")), QStringLiteral("again"));
  EXPECT_FALSE(Settings::SettingIsOn(QStringLiteral("BarOption")));
  Settings::WriteConfigFile();
  const QStringList lines = FileText().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
  // The header, the 15 defaults, every name once.
  ASSERT_EQ(lines.size(), 1 + 15 + kCount);
  EXPECT_EQ(lines.at(1), QStringLiteral("AdjustColorsCheck,-"));
  EXPECT_EQ(lines.at(15), QStringLiteral("Window1.FontSize,1"));  // BarOption moved on
  EXPECT_EQ(lines.at(15 + kCount - kCount / 10), QStringLiteral("BAROPTION,-"));
  EXPECT_EQ(lines.last(), QStringLiteral("WINDOW%1.FONTSIZE,again").arg(kCount - 10));
}

}  // namespace
