#include "FormHelpers.h"

#include "Color.h"
#include "Common.h"
#include "Currency.h"
#include "Format.h"
#include "Forms.h"
#include "Guard.h"
#include "ProgramInfo.h"
#include "Prompter.h"
#include "Settings.h"
#include "Yproject.h"
#include "Yresource.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLineEdit>
#include <QMetaObject>
#include <QPalette>
#include <QWidget>

#include <optional>

namespace Common {

namespace {

constexpr std::int32_t kEnabledBack = 0xFFFFFF;
constexpr std::int32_t kDisabledBack = 0xC0C0C0;

}  // namespace

QString GetAppVersion() {
  QString version;
  ErrTrap::Guarded(QStringLiteral("Common:GetAppVersion"),
                   [&] { version = praxel::VersionText(praxel::CurrentVersion()); });
  return version;
}

void NotReadyYet() {
  ErrTrap::Guarded(QStringLiteral("Common:NotReadyYet"), [] {
    praxel::CurrentPrompter().MsgBox(QStringLiteral("This feature has not yet been implemented."),
                                     praxel::MsgExclamation, QStringLiteral("Not Ready Yet"));
  });
}

void DisplayHelpPage(const QString& Page) {
  ErrTrap::Guarded(QStringLiteral("Common:DisplayHelpPage"), [&] {
    if (!Forms::IsRegistered(QStringLiteral("HelpForm"))) {
      NotReadyYet();
      return;
    }
    QMetaObject::invokeMethod(Forms::Load(QStringLiteral("HelpForm")), "DisplayHelpPage", Qt::DirectConnection,
                              Q_ARG(QString, Page));
  });
}

QString GetPageHeader() {
  QString header;
  ErrTrap::Guarded(QStringLiteral("Common:GetPageHeader"), [&] {
    const Yproject* project = ThisProject();
    if (project == nullptr) return;
    header = project->BuildNodeText();
    if (const Yresource* manager = project->Manager()) header += QStringLiteral(" PM:") + manager->Description;
  });
  return header;
}

QString WindowCaptionName(const QWidget* window) {
  const QString name = window->objectName();
  return name.left(qMax<qsizetype>(0, name.size() - 4));
}

void TextBoxGotFocus(QLineEdit* tb) {
  ErrTrap::Guarded(QStringLiteral("Common:TextBoxGotFocus"), [&] { tb->selectAll(); });
}

void EnableTextBox(QLineEdit* tb, bool flag) {
  ErrTrap::Guarded(QStringLiteral("Common:EnableTextBox"), [&] {
    tb->setEnabled(flag);
    ShowInUse(tb, flag);
  });
}

void ShowInUse(QWidget* control, bool inUse) {
  QPalette palette = control->palette();
  palette.setColor(QPalette::Base, praxel::ColorFromLong(inUse ? kEnabledBack : kDisabledBack));
  control->setPalette(palette);
}

void CurrencyLostFocus(QLineEdit* tb) {
  ErrTrap::Guarded(QStringLiteral("Common:CurrencyLostFocus"), [&] {
    if (const std::optional<praxel::Currency> amount = TextToCurrency(tb->text())) tb->setText(FormatCurrency(*amount));
  });
}

QString DesktopFamily(const QString& name) {
  static const QStringList sans = {QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                                   QStringLiteral("Arial"), QStringLiteral("Small fonts"), QStringLiteral("Tahoma")};
  static const QStringList mono = {QStringLiteral("Courier New"), QStringLiteral("Courier")};
  static const QStringList serif = {QStringLiteral("Times New Roman"), QStringLiteral("Times")};
  if (sans.contains(name, Qt::CaseInsensitive)) return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
  if (mono.contains(name, Qt::CaseInsensitive)) return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
  if (serif.contains(name, Qt::CaseInsensitive)) {
    // The desktop's serif face: the family the font configuration gives the generic name.
    QFont font(QStringLiteral("serif"));
    font.setStyleHint(QFont::Serif);
    return QFontInfo(font).family();
  }
  return name;
}

void SetFormFont(QWidget* frm) {
  ErrTrap::Guarded(QStringLiteral("Common:SetFormFont"), [&] {
    const QString name = frm->objectName();
    QWidget* tree = frm->findChild<QWidget*>(QStringLiteral("Tree"));
    // A chart starts in the serif face, a tree in the desktop's own sans.
    QFont font(DesktopFamily(tree != nullptr ? QStringLiteral("MS Sans Serif") : QStringLiteral("Times New Roman")));
    font.setPointSizeF(9);
    const QString fontName = Settings::ReadSettings(name + QStringLiteral(".FontName"));
    if (!fontName.isEmpty()) {
      font.setFamily(DesktopFamily(fontName));
      const double size = LeadingNumber(Settings::ReadSettings(name + QStringLiteral(".FontSize")));
      if (size > 0) font.setPointSizeF(size);
      font.setBold(Settings::ReadSettings(name + QStringLiteral(".FontBold")) == QLatin1String("True"));
      font.setItalic(Settings::ReadSettings(name + QStringLiteral(".FontItalic")) == QLatin1String("True"));
    }
    frm->setFont(font);
    // The controls follow the window's font where the window has them; any other window is done.
    if (QWidget* chart = frm->findChild<QWidget*>(QStringLiteral("Ywindow"))) {
      const int index = chart->metaObject()->indexOfMethod("SetFont(QWidget*)");
      if (index >= 0) QMetaObject::invokeMethod(chart, "SetFont", Qt::DirectConnection, Q_ARG(QWidget*, frm));
    }
    if (tree != nullptr) tree->setFont(font);
  });
}

double LeadingNumber(const QString& text, QChar decimalPoint) {
  qsizetype i = 0;
  while (i < text.size() && text.at(i).isSpace()) ++i;
  const qsizetype start = i;
  if (i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) ++i;
  while (i < text.size() && text.at(i).isDigit()) ++i;
  if (i < text.size() && text.at(i) == decimalPoint) {
    ++i;
    while (i < text.size() && text.at(i).isDigit()) ++i;
  }
  bool ok = false;
  const double number = text.mid(start, i - start).replace(decimalPoint, QLatin1Char('.')).toDouble(&ok);
  return ok ? number : 0.0;
}

}  // namespace Common
