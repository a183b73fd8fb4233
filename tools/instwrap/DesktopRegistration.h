#pragma once

#include "InstallPaths.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace instwrap {

// Praxel's two file types and its desktop entry, as the desktop knows them.
inline constexpr char kBundleType[] = "application/x-praxel-bundle";  // ".pxb"
inline constexpr char kPlainType[] = "application/x-praxel-plan";     // ".pxa"
inline constexpr char kDesktopEntryName[] = "praxel.desktop";
inline constexpr char kMimePackageName[] = "praxel.xml";

// The MIME package that describes the two file types.
QByteArray MimePackageText();
// The desktop entry that starts `program` on the file it is given.
QByteArray DesktopEntryText(const QString& program);
// A program path written for a desktop entry's Exec key: quoted when it holds anything but
// letters, digits and "/._-+", with the characters the quotes require escaped.
QString ExecProgram(const QString& program);

// Sets `desktopEntry` as the default application of each type in the mimeapps.list file at `path`,
// keeping every other line. Returns an empty text, or what went wrong.
QString SetDefaultApplications(const QString& path, const QString& desktopEntry, const QStringList& types);

// The registration steps after a first installation, each done in the user's folders. Each
// returns an empty text when done, or what went wrong; `path` receives the file it wrote.
class DesktopRegistration {
 public:
  explicit DesktopRegistration(DesktopFolders folders);

  // A desktop entry for the program in `targetPath` on the user's desktop.
  QString CreateShortcut(const QString& targetPath, QString& path) const;
  // The MIME package in the user's MIME database, which is then rebuilt.
  QString RegisterFileTypes(QString& path) const;
  // The desktop entry among the user's applications.
  QString RegisterDesktopEntry(const QString& targetPath, QString& path) const;
  // Praxel as the default application of both file types.
  QString SetAsDefault(QString& path) const;

 private:
  DesktopFolders folders_;
};

// Writes `bytes` to `path` through a temporary file, making its folder when missing. Returns an
// empty text, or what went wrong.
QString WriteWholeFile(const QString& path, const QByteArray& bytes, bool executable);

}  // namespace instwrap
