#include "Settings.h"

#include "ErrTrap.h"
#include "Guard.h"
#include "PooledFile.h"
#include "ProgramInfo.h"
#include "Yfile.h"

#include <QHash>

#include <map>
#include <optional>
#include <utility>

namespace Settings {

namespace {

// The defaults, in the order they are stored before the file is read.
const std::pair<const char*, const char*> kDefaults[] = {
    {"AdjustColorsCheck", "-"},
    {"AutomaticBackupCombo", "off"},
    {"BarOption", "X"},
    {"CriticalPathRedCheck", "-"},
    {"DateDependencyCombo", "Line to top of chart"},
    {"DependencyArrowsCombo", "Control"},
    {"EfficiencyText", "0.85"},
    {"ListAllDepsCheck", "X"},
    {"ListTaskLeaderCheck", "X"},
    {"MilestoneOption", "-"},
    {"ShowMarkersCheck", "X"},
    {"ShowProjectManagerCheck", "-"},
    {"SortByDateCheck", "-"},
    {"SubprojectDisplayCombo", "One level only"},
    {"WrapTextCheck", "-"},
};

struct Setting {
  QString name;
  QString value;
};

// The store: the settings in the order they were stored, each under the number of its storing,
// and the number of each name (folded to one case), so that reading and storing a setting take
// no longer with many of them. It does not exist until the first read.
struct SettingStore {
  std::map<qint64, Setting> inOrder;
  QHash<QString, qint64> numberOf;
  qint64 stored = 0;
};

std::optional<SettingStore>& Store() {
  static std::optional<SettingStore> store;
  return store;
}

}  // namespace

QString ConfigFilePath() { return ErrTrap::JoinPath(praxel::ProgramDataFolder(), QStringLiteral("Praxel.cfg")); }

void ReadConfigFile() {
  ErrTrap::Guard guard(QStringLiteral("Settings:ReadConfigFile"));
  guard([&] {
    Store().emplace();
    for (const auto& [name, value] : kDefaults) WriteSettings(QLatin1String(name), QLatin1String(value));
  });
  PooledFile pooled(ConfigFilePath());
  guard([&] {
    Yfile& file = *pooled;
    if (!file.OpenRead()) return;
    file.ExpectToken(QStringLiteral("INITIALIZATION"));
    for (QString name = file.ReadToken(); !name.isEmpty(); name = file.ReadToken()) {
      WriteSettings(name, file.ReadToken());
    }
    file.CloseFile();
  });
}

void WriteConfigFile() {
  ErrTrap::Guarded(QStringLiteral("Settings:WriteConfigFile"), [&] {
    if (!Store()) ReadConfigFile();
    PooledFile pooled(ConfigFilePath());
    Yfile& file = *pooled;
    if (!file.OpenWrite()) return;
    file.WriteLine(QStringLiteral("INITIALIZATION"));
    for (const auto& [number, setting] : Store()->inOrder) {
      // A name is quoted as a value is when it would not read back bare (a line break in it).
      file.WriteString(Yfile::Quote(setting.name) + QLatin1Char(','));
      file.WriteLine(Yfile::Quote(setting.value));
    }
    file.CloseFile();
  });
}

QString ReadSettings(const QString& Name) {
  QString value;
  ErrTrap::Guarded(QStringLiteral("Settings:ReadSettings"), [&] {
    if (!Store()) ReadConfigFile();
    const auto found = Store()->numberOf.constFind(Name.toCaseFolded());
    if (found != Store()->numberOf.cend()) value = Store()->inOrder.at(*found).value;
  });
  return value;
}

void WriteSettings(const QString& Name, const QString& Value) {
  ErrTrap::Guarded(QStringLiteral("Settings:WriteSettings"), [&] {
    if (!Store()) ReadConfigFile();
    SettingStore& store = *Store();
    qint64& number = store.numberOf[Name.toCaseFolded()];
    if (number != 0) store.inOrder.erase(number);
    number = ++store.stored;
    store.inOrder.emplace(number, Setting{Name, Value});
  });
}

bool SettingIsOn(const QString& Name) { return ReadSettings(Name) == QLatin1String("X"); }

QString SettingLetter(const QString& Name) { return ReadSettings(Name).left(1); }

void ForgetStore() { Store().reset(); }

}  // namespace Settings
