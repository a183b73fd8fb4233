// The monthly status report: its tokens, reading and writing the lights and pictures of the
// layout, the report's file name, the RTF editor, and the window from the menu to the written
// report.

#include "Common.h"
#include "Forms.h"
#include "MainForm.h"
#include "ProgramInfo.h"
#include "RtfEditor.h"
#include "Settings.h"
#include "StatusReportFile.h"
#include "StatusReportForm.h"
#include "OfficeProbe.h"
#include "TestSupport.h"
#include "ViewFixture.h"
#include "Yproject.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTimer>
#include <QTemporaryDir>

namespace {

using Row = StatusReportFile::Row;


TEST(StatusReportTokens, ControlWordsKeepTheirDelimiters) {
  const struct {
    const char* text;
    QStringList tokens;
  } cases[] = {
      {"{\\cf6 R\\cell }", {"{", "\\cf6 ", "R", "\\cell ", "}"}},
      {"\\li-360\\fi0 Text", {"\\li-360", "\\fi0 ", "Text"}},
      {"caf\\'e9 au lait", {"caf", "\\'", "e9 au lait"}},
      {"\\\\ and \\{", {"\\\\", " and ", "\\{"}},
      // A word that ends its line keeps a blank, so the next line's text is not read into it.
      {"\\par\r\nHello", {"\\par ", "Hello"}},
      // A backslash that ends its line is a paragraph mark and keeps its line break.
      {"\\cell\\\r\n\\row", {"\\cell", "\\\r\n", "\\row "}},
  };
  for (const auto& c : cases) EXPECT_EQ(StatusReportFile::Tokenize(QString::fromLatin1(c.text)), c.tokens) << c.text;
}

class StatusReportFileTest : public testing::Test {
 protected:
  void SetUp() override {
    testsupport::ClearProgramDataFolder();
    path = testsupport::DataFolderPath(QStringLiteral("report.rtf"));
    ASSERT_TRUE(QFile::copy(StatusReports::LayoutPath(), path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    ASSERT_TRUE(report.Read(path, nullptr));
  }
  StatusReportFile Reread() const {
    StatusReportFile again;
    EXPECT_TRUE(again.Read(path, nullptr));
    return again;
  }
  QString Text() const { return QString::fromLatin1(testsupport::ReadFileBytes(path)); }

  QString path;
  StatusReportFile report;
};

TEST_F(StatusReportFileTest, TheLayoutHoldsTheHeadingSixItemsAndTheLightColours) {
  const QList<Row>& rows = report.Rows();
  ASSERT_EQ(rows.size(), 7);
  EXPECT_EQ(rows.at(0).item, QStringLiteral("Item"));
  EXPECT_EQ(rows.at(1).item, QStringLiteral("Schedule"));
  for (int i = 1; i < rows.size(); ++i) {
    EXPECT_EQ(rows.at(i).previous, QStringLiteral("G"));
    EXPECT_EQ(rows.at(i).present, QStringLiteral("G"));
  }
  // G as the layout's lights use it; Y and R, which no light of the layout uses, by the colour
  // table's amber and red.
  EXPECT_EQ(report.ColorIndex(QStringLiteral("G")), 1);
  EXPECT_EQ(report.ColorIndex(QStringLiteral("Y")), 2);
  EXPECT_EQ(report.ColorIndex(QStringLiteral("R")), 3);
}

TEST_F(StatusReportFileTest, LightsAreWrittenWithTheirColoursAndReadBack) {
  QList<Row> rows = report.Rows();
  rows[1].previous = QStringLiteral("Y");
  rows[1].present = QStringLiteral("R");
  rows[2].present = QString();
  ASSERT_TRUE(report.Write(path, rows, QString(), QString(), nullptr));
  const QString text = Text();
  EXPECT_TRUE(text.contains(QStringLiteral("\\cf2 Y"))) << "the colour word keeps its blank";
  EXPECT_TRUE(text.contains(QStringLiteral("\\cf3 R")));
  const StatusReportFile again = Reread();
  EXPECT_EQ(again.Rows().at(1).previous, QStringLiteral("Y"));
  EXPECT_EQ(again.Rows().at(1).present, QStringLiteral("R"));
  EXPECT_EQ(again.Rows().at(2).present, QString());
  EXPECT_EQ(again.Rows().at(3).present, QStringLiteral("G"));

  // A light cleared once can be set again: its letter and colour come back.
  rows = again.Rows();
  rows[2].present = QStringLiteral("Y");
  ASSERT_TRUE(again.Write(path, rows, QString(), QString(), nullptr));
  EXPECT_EQ(Reread().Rows().at(2).present, QStringLiteral("Y"));
}

// The colours of the lights' letters in the light cells, in file order: "3 G" for "{\b\cf3 G}".
QStringList LightColors(const QString& rtf) {
  static const QRegularExpression light(QStringLiteral("\\\\cf(\\d+) ?([GYR])\\}"));
  QStringList colors;
  for (const QRegularExpressionMatch& match : light.globalMatch(QString(rtf).remove(QStringLiteral("\r\n")))) {
    colors.append(match.captured(1) + QLatin1Char(' ') + match.captured(2));
  }
  return colors;
}

// The layout in colours of its own, as a user recolours it: its headings in entry 2, and G, Y
// and R in entries 3, 4 and 5, which are no plain green, yellow and red (read by their values,
// entry 1 would pass for green and entry 4 for red). The Budget row came with Y last month, the
// Resources row with R this month. The lights are written in the colours the report uses, and a
// light left alone keeps its colour as read.
TEST_F(StatusReportFileTest, ALayoutInItsOwnColoursKeepsThemForItsLights) {
  QString text = Text();
  text.replace(QRegularExpression(QStringLiteral("\\{\\\\colortbl [^}]*\\}")),
               QStringLiteral("{\\colortbl ;\\red0\\green160\\blue0;\\red31\\green56\\blue100;\\red0\\green120\\blue110;"
                              "\\red255\\green120\\blue0;\\red150\\green0\\blue60;}"));
  text.replace(QStringLiteral("\\cf5 "), QStringLiteral("\\cf2 "));
  text.replace(QStringLiteral("\\cf1 G"), QStringLiteral("\\cf3 G"));
  const auto recolorLight = [&](int occurrence, const QString& light) {
    qsizetype at = -1;
    for (int i = 0; i < occurrence; ++i) at = text.indexOf(QStringLiteral("\\cf3 G"), at + 1);
    ASSERT_GE(at, 0);
    text.replace(at, 6, light);
  };
  recolorLight(6, QStringLiteral("\\cf5 R"));  // Resources, present month
  recolorLight(3, QStringLiteral("\\cf4 Y"));  // Budget, previous month
  testsupport::WriteFileBytes(path, text.toLatin1());
  ASSERT_TRUE(report.Read(path, nullptr));
  EXPECT_EQ(report.ColorIndex(QStringLiteral("G")), 3);
  EXPECT_EQ(report.ColorIndex(QStringLiteral("Y")), 4);
  EXPECT_EQ(report.ColorIndex(QStringLiteral("R")), 5);

  QList<Row> rows = report.Rows();
  ASSERT_EQ(rows.at(2).previous, QStringLiteral("Y"));
  ASSERT_EQ(rows.at(3).present, QStringLiteral("R"));
  rows[1].previous = QStringLiteral("Y");
  rows[1].present = QStringLiteral("R");
  rows[2].previous = QStringLiteral("G");
  ASSERT_TRUE(report.Write(path, rows, QString(), QString(), nullptr));
  const QStringList written = LightColors(Text());
  ASSERT_EQ(written.size(), 12) << written.join(QLatin1Char(',')).toStdString();
  EXPECT_EQ(written.mid(0, 6), QStringList({"4 Y", "5 R", "3 G", "3 G", "3 G", "5 R"}));
  EXPECT_EQ(written.mid(6), QStringList(6, QStringLiteral("3 G")));
  EXPECT_TRUE(Text().contains(QStringLiteral("{\\b\\fs26\\cf2 Status}"))) << "the other colours stay";
}

// The colour a report gives a letter is the colour word in force at it in a light cell, or else
// the first one after it in that cell; nothing outside the light cells counts, and a lower-case
// letter is no light. This table has no plain green, yellow or red to fall back on.
TEST(StatusReportColors, TheLightCellsTellTheColourOfEachLetter) {
  const struct {
    const char* previousCell;
    const char* item;
    const char* presentCell;
    int green, yellow, red;
  } cases[] = {
      {"{\\b\\cf3 G}", "Schedule", "{\\cf6 R}", 3, 0, 6},
      {"\\cf3 G\\cf0", "Schedule", "\\cf4 Y\\cf0", 3, 4, 0},  // on and off again around the letter
      {"{G\\cf5 }", "Schedule", "{\\b Y}", 5, 0, 0},          // after the letter
      {"{\\cf3 g}", "Schedule", "{\\cf4 y}", 0, 0, 0},
      {"{\\cf3 G}", "HR", "{\\cf3 G}", 3, 0, 0},  // a colour word after an item ending in R is the next light's
      {"\\cf3 {\\cf4 Y}G", "Schedule", "{\\plain G}", 0, 4, 0},
  };
  testsupport::ClearProgramDataFolder();
  const QString path = testsupport::DataFolderPath(QStringLiteral("colors.rtf"));
  for (const auto& c : cases) {
    const QString rtf = QStringLiteral(
                            "{\\rtf1{\\colortbl ;\\red1\\green1\\blue1;\\red2\\green2\\blue2;\\red3\\green3\\blue3;"
                            "\\red4\\green4\\blue4;\\red5\\green5\\blue5;\\red6\\green6\\blue6;}\r\n"
                            "\\trowd {Previous}\\cell {Item}\\cell {Present}\\cell {Comments}\\cell \\row\r\n"
                            "\\trowd %1\\cell %2\\cell %3\\cell \\cell \\row\r\n}\r\n")
                            .arg(QLatin1String(c.previousCell), QLatin1String(c.item), QLatin1String(c.presentCell));
    testsupport::WriteFileBytes(path, rtf.toLatin1());
    StatusReportFile report;
    ASSERT_TRUE(report.Read(path, nullptr));
    EXPECT_EQ(report.ColorIndex(QStringLiteral("G")), c.green) << rtf.toStdString();
    EXPECT_EQ(report.ColorIndex(QStringLiteral("Y")), c.yellow) << rtf.toStdString();
    EXPECT_EQ(report.ColorIndex(QStringLiteral("R")), c.red) << rtf.toStdString();
  }
}

// A table row the user left with a cell short is no item: writing the lights leaves its text as
// it was, and the items around it keep theirs (found by fuzzing: its letters were erased).
TEST_F(StatusReportFileTest, ARowWithoutItsFourCellsKeepsItsText) {
  QString text = Text();
  const QString cell = QStringLiteral("\\pard\\intbl\\ql {\\b Resources}\\cell");
  const qsizetype at = text.indexOf(cell);
  ASSERT_GE(at, 0);
  const qsizetype present = text.indexOf(QStringLiteral("\\cell"), at + cell.size());
  text.remove(present, QStringLiteral("\\cell").size());  // the row of Resources is three cells short of one
  testsupport::WriteFileBytes(path, text.toLatin1());
  ASSERT_TRUE(report.Read(path, nullptr));
  const QList<Row> before = report.Rows();
  ASSERT_EQ(before.size(), 7);
  ASSERT_TRUE(report.Write(path, before, QString(), QString(), nullptr));
  // Every light letter is still there: the short row's two as well.
  const auto letters = [](QString rtf) { return rtf.remove(QStringLiteral("\r\n")).count(QStringLiteral(" G}")); };
  EXPECT_EQ(letters(Text()), letters(text));
  const StatusReportFile again = Reread();
  ASSERT_EQ(again.Rows().size(), before.size());
  for (qsizetype i = 0; i < before.size(); ++i) {
    EXPECT_EQ(again.Rows().at(i).item, before.at(i).item) << i;
    EXPECT_EQ(again.Rows().at(i).previous, before.at(i).previous) << i;
    EXPECT_EQ(again.Rows().at(i).present, before.at(i).present) << i;
  }
}

// A backslash at the end of a line is a paragraph mark: written back, it stays at a line's end
// instead of escaping what followed it (found by fuzzing: "\\row" lost a whole row).
TEST_F(StatusReportFileTest, ALineEndingInABackslashKeepsTheRowThatFollows) {
  QString text = Text();
  const qsizetype at = text.indexOf(QStringLiteral("\\cell\r\n\\row"));
  ASSERT_GE(at, 0);
  text.insert(at + QStringLiteral("\\cell").size(), QLatin1Char('\\'));
  testsupport::WriteFileBytes(path, text.toLatin1());
  ASSERT_TRUE(report.Read(path, nullptr));
  const QList<Row> before = report.Rows();
  ASSERT_EQ(before.size(), 7);
  ASSERT_TRUE(report.Write(path, before, QString(), QString(), nullptr));
  EXPECT_TRUE(Text().contains(QStringLiteral("\\\r\n\\row")));
  const StatusReportFile again = Reread();
  ASSERT_EQ(again.Rows().size(), before.size());
  for (qsizetype i = 0; i < before.size(); ++i) EXPECT_EQ(again.Rows().at(i).item, before.at(i).item) << i;
}

TEST_F(StatusReportFileTest, TheTwoPicturesReceiveTheFinancialPlotThenTheGanttChart) {
  const QString budget = QStringLiteral("0100090000031200\r\n");
  const QString gantt = QStringLiteral("0100090000034400\r\n");
  ASSERT_TRUE(report.Write(path, report.Rows(), budget, gantt, nullptr));
  const QString text = Text();
  const qsizetype first = text.indexOf(QStringLiteral("0100090000031200"));
  const qsizetype second = text.indexOf(QStringLiteral("0100090000034400"));
  EXPECT_GT(first, 0);
  EXPECT_GT(second, first);
  EXPECT_FALSE(text.contains(QStringLiteral("0c000000000003000000"))) << "the layout's empty pictures are gone";
  // No line is longer than 79 characters but one that holds a single longer token.
  for (const QString& line : text.split(QStringLiteral("\r\n"))) {
    if (line.size() >= 80) {
      EXPECT_EQ(StatusReportFile::Tokenize(line).size(), 1) << line.toStdString();
    }
  }
  // And they stay pictures a later writing can replace again.
  const StatusReportFile again = Reread();
  ASSERT_TRUE(again.Write(path, again.Rows(), gantt, QString(), nullptr));
  EXPECT_EQ(Text().count(QStringLiteral("0100090000034400")), 2);
}

TEST_F(StatusReportFileTest, AFailedWriteSaysWhyAndLeavesNothingBehind) {
  QString error;
  const QString nowhere = QDir(testsupport::DataFolderPath(QStringLiteral("missing"))).filePath(QStringLiteral("r.rtf"));
  EXPECT_FALSE(report.Write(nowhere, report.Rows(), QString(), QString(), &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_FALSE(QFileInfo::exists(nowhere));
}

TEST(StatusReports, AReportsNameStaysInTheReportsFolder) {
  testsupport::ClearProgramDataFolder();
  const struct {
    const char* project;
    const char* file;
  } cases[] = {{"Warehouse", "Warehouse.rtf"}, {"../secret", "_._secret.rtf"}, {"a/b\\c", "a_b_c.rtf"}, {"", "_.rtf"}};
  for (const auto& c : cases) {
    const QFileInfo file(StatusReports::FileFor(QString::fromLatin1(c.project)));
    EXPECT_EQ(file.fileName(), QString::fromLatin1(c.file)) << c.project;
    EXPECT_EQ(file.absolutePath(), QDir(StatusReports::Folder()).absolutePath()) << c.project;
  }
}

TEST(RtfEditorCommand, TheDesktopEntrysCommandWithoutItsFieldCodes) {
  EXPECT_EQ(RtfEditor::DesktopEntryCommand(QStringLiteral("libreoffice --writer %U")),
            QStringList({"libreoffice", "--writer"}));
  EXPECT_EQ(RtfEditor::DesktopEntryCommand(QStringLiteral("\"/opt/My Editor/edit\" %f")),
            QStringList({"/opt/My Editor/edit"}));
}

// A stub editor that writes the arguments it was started with into a file; given a file to wait
// for, it then runs until that file is there (ten seconds at most), as a user edits.
QString StubEditor(const QString& folder, const QString& record, const QString& waitFor = QString()) {
  const QString script = QDir(folder).filePath(QStringLiteral("editor.sh"));
  QFile file(script);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" >> '%1'\n").arg(record).toUtf8());
  if (!waitFor.isEmpty()) {
    file.write(QStringLiteral("i=0\nwhile [ ! -e '%1' ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i+1)); done\n")
                   .arg(waitFor)
                   .toUtf8());
  }
  file.close();
  file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  return script;
}

// The bytes of the report's n-th picture (from 0): its hex text after the "\blipuid" group, up to
// the picture's group close.
QByteArray PictureBytes(const QString& rtf, int n) {
  qsizetype at = -1;
  for (int i = 0; i <= n; ++i) {
    at = rtf.indexOf(QStringLiteral("\\blipuid"), at + 1);
    if (at < 0) return QByteArray();
  }
  const qsizetype first = rtf.indexOf(QLatin1Char('}'), at) + 1;
  const qsizetype end = rtf.indexOf(QLatin1Char('}'), first);
  if (first <= 0 || end < 0) return QByteArray();
  return QByteArray::fromHex(rtf.mid(first, end - first).toLatin1());
}

class StatusReport : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    record = QDir(scratch.path()).filePath(QStringLiteral("started.txt"));
    Settings::WriteSettings(QStringLiteral("RtfEditor"), StubEditor(scratch.path(), record));
    RtfEditor::ForgetCommand();
    staff = AddTemplate(QStringLiteral("Staff"));
    Activate(staff, AddStaffedChain(QStringLiteral("Plant"), staff, {1, 2, 3}));
    ASSERT_TRUE(SolveNow());
  }
  QStringList Started() const {
    return QString::fromUtf8(testsupport::ReadFileBytes(record)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  }
  static StatusReportForm* Form() {
    return qobject_cast<StatusReportForm*>(Forms::Find(QStringLiteral("StatusReportForm")));
  }

  QTemporaryDir scratch;
  QString record;
  Ytemplate* staff = nullptr;
};

TEST_F(StatusReport, ANewReportIsEditedFirstThenItsLightsAreSetAndWritten) {
  mainForm->Control(QStringLiteral("GraphicsStatusReportMenu"))->trigger();
  ASSERT_NE(Form(), nullptr);
  const QString report = StatusReports::FileFor(QStringLiteral("Plant"));
  EXPECT_EQ(Form()->ReportFile(), report);
  EXPECT_EQ(Started(), QStringList({report})) << "the editor had the new report first";
  QTableWidget* grid = Form()->Grid();
  ASSERT_EQ(grid->rowCount(), 8);
  EXPECT_EQ(grid->item(2, 3)->text(), QStringLiteral("Schedule"));

  emit grid->cellClicked(2, 1);  // previous month: Y
  EXPECT_EQ(grid->item(2, 0)->text(), QString());
  EXPECT_EQ(grid->item(2, 1)->text(), QStringLiteral("Y"));
  EXPECT_EQ(grid->item(2, 1)->background().color(), QColor(255, 255, 0));
  EXPECT_EQ(grid->item(2, 0)->background().color(), QColor(Qt::white));
  emit grid->cellClicked(3, 6);  // present month: R
  Form()->findChild<QPushButton*>(QStringLiteral("CopyCommand"))->click();
  EXPECT_EQ(grid->item(3, 2)->text(), QStringLiteral("R"));
  SaveScreenshot("status-report.png");

  Form()->findChild<QPushButton*>(QStringLiteral("OkCommand"))->click();
  EXPECT_EQ(Form(), nullptr);
  StatusReportFile written;
  ASSERT_TRUE(written.Read(report, nullptr));
  EXPECT_EQ(written.Rows().at(1).previous, QStringLiteral("G")) << "copied from the present month";
  EXPECT_EQ(written.Rows().at(2).previous, QStringLiteral("R"));
  EXPECT_EQ(written.Rows().at(2).present, QStringLiteral("R"));
  // Both pictures were drawn off screen: no chart window was opened or checked.
  const QString text = QString::fromLatin1(testsupport::ReadFileBytes(report));
  EXPECT_GT(text.count(QStringLiteral("\\blipuid")), 1);
  EXPECT_FALSE(text.contains(QStringLiteral("0c000000000003000000")));
  EXPECT_FALSE(mainForm->Control(QStringLiteral("GraphicsGanttMenu"))->isChecked());
  EXPECT_FALSE(mainForm->Control(QStringLiteral("GraphicsBudgetMenu"))->isChecked());
  EXPECT_EQ(Forms::Find(QStringLiteral("GanttForm")), nullptr);
  // The editor again, now not waited for.
  ASSERT_TRUE(RunUntil([&] { return Started().size() == 2; }));
}

// The user turns to another project while a new report is being edited (a timer does it here,
// as the editor runs): the report still gets the charts of its own project, and the project the
// user turned to stays the active one.
TEST_F(StatusReport, ANewReportGetsItsOwnProjectsChartsWhicheverIsActive) {
  Yproject* other = AddStaffedChain(QStringLiteral("Other"), staff, {1, 2});
  for (Ytask* task : other->TaskList) task->Description = QStringLiteral("Elsewhere %1").arg(task->TaskID());
  const QString edited = QDir(scratch.path()).filePath(QStringLiteral("edited"));
  Settings::WriteSettings(QStringLiteral("RtfEditor"), StubEditor(scratch.path(), record, edited));
  QTimer::singleShot(200, mainForm.get(), [&] {
    Activate(staff, other);
    testsupport::WriteFileBytes(edited, QByteArray());
  });
  mainForm->Control(QStringLiteral("GraphicsStatusReportMenu"))->trigger();
  ASSERT_NE(Form(), nullptr);
  ASSERT_EQ(Common::ThisProject(), other) << "the user turned to the other project while editing";
  const QString report = StatusReports::FileFor(QStringLiteral("Plant"));
  EXPECT_EQ(Form()->ReportFile(), report);
  Form()->findChild<QPushButton*>(QStringLiteral("OkCommand"))->click();
  const QByteArray gantt = PictureBytes(QString::fromLatin1(testsupport::ReadFileBytes(report)), 1);
  ASSERT_FALSE(gantt.isEmpty());
  EXPECT_TRUE(gantt.contains("Task 1")) << "the report's own project";
  EXPECT_FALSE(gantt.contains("Elsewhere"));
  EXPECT_EQ(Common::ThisProject(), other);
}

// The editor is looked up once in a run; a start that fails says so, with the program and why.
TEST_F(StatusReport, TheEditorFoundFirstServesTheRunAndAFailedStartSaysWhy) {
  EXPECT_TRUE(RtfEditor::Launch(QStringLiteral("first.rtf"), true));
  const QString missing = QDir(scratch.path()).filePath(QStringLiteral("no-such-editor"));
  Settings::WriteSettings(QStringLiteral("RtfEditor"), missing);
  EXPECT_TRUE(RtfEditor::Launch(QStringLiteral("second.rtf"), true));
  EXPECT_EQ(Started(), QStringList({"first.rtf", "second.rtf"})) << "the editor of the first launch";

  RtfEditor::ForgetCommand();
  prompter.Answer(praxel::AnswerOk);
  prompter.Answer(praxel::AnswerOk);
  for (const bool wait : {true, false}) {
    EXPECT_FALSE(RtfEditor::Launch(QStringLiteral("third.rtf"), wait));
    ASSERT_FALSE(prompter.Asked().isEmpty());
    const auto& asked = prompter.Asked().last();
    EXPECT_EQ(asked.title, QStringLiteral("Internal Error"));
    EXPECT_EQ(asked.style, praxel::MsgCritical);
    EXPECT_TRUE(asked.text.startsWith(QStringLiteral("Shell function error"))) << asked.text.toStdString();
    EXPECT_TRUE(asked.text.contains(missing)) << asked.text.toStdString();
  }
  EXPECT_EQ(Started().size(), 2);
}

TEST_F(StatusReport, WithoutAnEditorTheUserIsTold) {
  Settings::WriteSettings(QStringLiteral("RtfEditor"), QString());
  const QByteArray dirs = qgetenv("XDG_DATA_DIRS");
  const QByteArray home = qgetenv("XDG_DATA_HOME");
  const auto restore = qScopeGuard([&] {
    qputenv("XDG_DATA_DIRS", dirs);
    qputenv("XDG_DATA_HOME", home);
  });
  qputenv("XDG_DATA_DIRS", scratch.path().toUtf8());
  qputenv("XDG_DATA_HOME", scratch.path().toUtf8());
  prompter.Answer(praxel::AnswerOk);
  EXPECT_FALSE(RtfEditor::Launch(QStringLiteral("report.rtf"), false)) << "no desktop entry for RTF here";
  ASSERT_FALSE(prompter.Asked().isEmpty());
  EXPECT_EQ(prompter.Asked().last().title, QStringLiteral("No .RTF Editor"));
}

// With LibreOffice at hand, the written report converts to a PDF with its table and both
// pictures. The pictures are vector metafiles, so they are found by their texts (the budget
// plot's axis heading, the Gantt chart's task rows), not as raster images.
TEST_F(StatusReport, LibreOfficeReadsTheWrittenReport) {
  const testsupport::OfficeProbe probe = testsupport::FindOfficeWith(QStringLiteral("writer"));
  if (probe.program.isEmpty()) GTEST_SKIP() << probe.whyNot.toStdString();
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) GTEST_SKIP() << "pdftotext is not installed";
  const QString& office = probe.program;
  mainForm->Control(QStringLiteral("GraphicsStatusReportMenu"))->trigger();
  ASSERT_NE(Form(), nullptr);
  Form()->findChild<QPushButton*>(QStringLiteral("OkCommand"))->click();
  const QString report = StatusReports::FileFor(QStringLiteral("Plant"));
  QProcess convert;
  convert.start(office, {QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("pdf"),
                         QStringLiteral("--outdir"), scratch.path(), report});
  ASSERT_TRUE(convert.waitForFinished(180000));
  const QString pdf = QDir(scratch.path()).filePath(QStringLiteral("Plant.pdf"));
  ASSERT_TRUE(QFileInfo::exists(pdf)) << convert.readAllStandardError().toStdString();
  QProcess text;
  text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
  ASSERT_TRUE(text.waitForFinished(60000));
  const QString words = QString::fromUtf8(text.readAllStandardOutput());
  EXPECT_TRUE(words.contains(QStringLiteral("Monthly status report")));
  EXPECT_TRUE(words.contains(QStringLiteral("Schedule")));
  EXPECT_TRUE(words.contains(QStringLiteral("Dollars"))) << "the budget plot's axis";
  EXPECT_TRUE(words.contains(QStringLiteral("Task 1"))) << "the Gantt chart's rows";
}

}  // namespace
