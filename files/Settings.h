#pragma once

#include <QString>

// The settings store: named text values (check boxes as "X" or "-"), kept in memory from the
// first read on and written back to "Praxel.cfg" in the program data folder when the main window
// closes. Names match without regard to case; the file keeps the order in which they were
// stored, and names it does not know are kept.
namespace Settings {

// The value of a setting; an empty text for a name no one stored. Loads the store first.
QString ReadSettings(const QString& Name);
// Stores a value; the name moves to the end of the order.
void WriteSettings(const QString& Name, const QString& Value);
// True when the setting is "X".
bool SettingIsOn(const QString& Name);
// The first character of the setting (empty for an empty value).
QString SettingLetter(const QString& Name);

// Creates the store with its defaults, then reads the settings file over them.
void ReadConfigFile();
// Writes the whole store to the settings file.
void WriteConfigFile();

// The settings file: "Praxel.cfg" in the program data folder.
QString ConfigFilePath();
// Drops the store, so the next read loads it again (for tests).
void ForgetStore();

}  // namespace Settings
