#include "Settings.h"

#include "ErrTrap.h"
#include "Guard.h"
#include "PooledFile.h"
#include "ProgramInfo.h"
#include "Yfile.h"

#include <QList>

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

// The store: the settings in the order they were stored. It does not exist until the first read.
std::optional<QList<Setting>>& Store() {
  static std::optional<QList<Setting>> store;
  return store;
}

qsizetype IndexOf(const QList<Setting>& store, const QString& name) {
  for (qsizetype i = 0; i < store.size(); ++i) {
    if (store.at(i).name.compare(name, Qt::CaseInsensitive) == 0) return i;
  }
  return -1;
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
    for (const Setting& setting : *Store()) {
      file.WriteString(setting.name + QLatin1Char(','));
      file.WriteLine(Yfile::Quote(setting.value));
    }
    file.CloseFile();
  });
}

QString ReadSettings(const QString& Name) {
  QString value;
  ErrTrap::Guarded(QStringLiteral("Settings:ReadSettings"), [&] {
    if (!Store()) ReadConfigFile();
    const qsizetype index = IndexOf(*Store(), Name);
    if (index >= 0) value = Store()->at(index).value;
  });
  return value;
}

void WriteSettings(const QString& Name, const QString& Value) {
  ErrTrap::Guarded(QStringLiteral("Settings:WriteSettings"), [&] {
    if (!Store()) ReadConfigFile();
    QList<Setting>& store = *Store();
    const qsizetype index = IndexOf(store, Name);
    if (index >= 0) store.remove(index);
    store.append({Name, Value});
  });
}

bool SettingIsOn(const QString& Name) { return ReadSettings(Name) == QLatin1String("X"); }

QString SettingLetter(const QString& Name) { return ReadSettings(Name).left(1); }

void ForgetStore() { Store().reset(); }

}  // namespace Settings
