#pragma once

#include <QLocale>
#include <QString>

#include <ostream>

// Lets GoogleTest print Qt strings in its failure messages.
void PrintTo(const QString& text, std::ostream* out);

namespace testsupport {

// The fresh folder that PRAXEL_HOME names for this test program.
QString ProgramDataFolder();
// Empties that folder, so a test sees only the files it makes.
void ClearProgramDataFolder();
// The whole content of a file as text (empty when it does not exist).
QString ReadTextFile(const QString& path);
// The whole content of a file (empty when it does not exist), and a file made of bytes.
QByteArray ReadFileBytes(const QString& path);
void WriteFileBytes(const QString& path, const QByteArray& bytes);
// A file of that name in the program data folder.
QString DataFolderPath(const QString& name);
// Midnight of that day as an OLE day number.
double OleDay(int year, int month, int day);

// The locale every test starts in: en_US, or the one PRAXEL_TEST_LOCALE names ("C.UTF-8",
// "de_DE.UTF-8"), so that the window tests can run again in the locale of a fresh machine.
QLocale TestLocale();
// True when the tests run in the pinned en_US locale; tests that check en_US texts word for word
// pin it themselves with a LocaleScope.
bool InPinnedLocale();

// Sets the user's locale for one scope and puts the previous one back.
class LocaleScope {
 public:
  explicit LocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
  explicit LocaleScope(const char* name) : LocaleScope(QLocale(QString::fromLatin1(name))) {}
  ~LocaleScope() { QLocale::setDefault(saved_); }
  LocaleScope(const LocaleScope&) = delete;
  LocaleScope& operator=(const LocaleScope&) = delete;

 private:
  QLocale saved_;
};

}  // namespace testsupport
