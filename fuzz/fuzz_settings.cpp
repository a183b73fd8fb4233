// The settings reader: the input is the settings text, packed into Praxel.cfg as the program
// writes it. A settings file that reads is written back and reads again to the same bytes.

#include "FuzzSupport.h"

#include "ErrTrap.h"
#include "Packing.h"
#include "Settings.h"

namespace {

bool ReadSettingsFile() {
  Settings::ForgetStore();
  try {
    Settings::ReadConfigFile();
    Settings::ReadSettings(QStringLiteral("BarOption"));
  } catch (const ErrTrap::CallChain&) {
    return false;
  }
  return true;
}

QByteArray WrittenSettings() {
  try {
    Settings::WriteConfigFile();
  } catch (const ErrTrap::CallChain&) {
    fuzz::Fail(QStringLiteral("settings that were read cannot be written"));
  }
  return fuzz::ReadBytes(Settings::ConfigFilePath());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  fuzz::WriteBytes(Settings::ConfigFilePath(), Packing::PackBytes(text));
  if (!ReadSettingsFile()) return 0;
  const QByteArray once = WrittenSettings();
  if (!ReadSettingsFile()) fuzz::Fail(QStringLiteral("written settings cannot be read back"));
  if (WrittenSettings() != once) fuzz::Fail(QStringLiteral("settings read back write other bytes"));
  return 0;
}
