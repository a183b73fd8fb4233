// The print preview: how a chart is cut into pages, the dialog's buttons for a chart larger or
// smaller than the page, and printing into a PDF file read back with pdftotext, also on this
// machine as it is, with no printer installed.

#include "CaseName.h"
#include "Forms.h"
#include "GanttForm.h"
#include "MainForm.h"
#include "ModalAnswer.h"
#include "PageSizeForm.h"
#include "PrintPages.h"
#include "QtCommonDialogs.h"
#include "ViewFixture.h"
#include "Yproject.h"
#include "Ytemplate.h"
#include "YwindowControl.h"
#include "YwindowLibrary.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFontDialog>
#include <QImage>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

using PrintPages::Piece;
using testsupport::AskedDialog;

// The text of a PDF file as pdftotext lays it out.
QString PdfText(const QString& path) {
  QProcess reader;
  reader.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
  EXPECT_TRUE(reader.waitForFinished(20000));
  return QString::fromUtf8(reader.readAllStandardOutput());
}

// Whether the main window is free again: the commands a dialog's lock disables, and the chart.
bool Unlocked(const MainForm& main) {
  QWidget* chart = Forms::Find(QStringLiteral("GanttForm"));
  return main.Control(QStringLiteral("GraphicsMenu"))->isEnabled() &&
         main.Control(QStringLiteral("FileSaveMenu"))->isEnabled() && main.ProjectCombo()->isEnabled() &&
         chart != nullptr && Forms::FrameOf(chart)->isEnabled();
}

// Edges of `count` lines of `size` twips after `headings` lines of `headingSize`.
QList<int> Edges(int headings, int headingSize, int count, int size) {
  QList<int> edges = {0};
  for (int i = 0; i < headings; ++i) edges.append(edges.last() + headingSize);
  for (int i = 0; i < count; ++i) edges.append(edges.last() + size);
  return edges;
}

// Three heading columns and twenty data columns of 1000 twips, four page widths wide; two
// heading rows and forty rows of 300.
TEST(PrintPagesCut, MultipleHeadingsRepeatOnEveryPageAcrossThenDown) {
  const QList<int> cols = Edges(3, 1000, 20, 1000);
  const QList<int> rows = Edges(2, 300, 40, 300);
  const QList<Piece> pieces = PrintPages::Cut(cols, rows, 8000, 6000, 3, 2);
  // 5 columns a page across (3000 of headings), 18 rows down (600 of headings): 4 × 3 pages.
  ASSERT_EQ(pieces.size(), 4 * 12);
  EXPECT_EQ(pieces.mid(0, 4), QList<Piece>({{true, 0, 0, 3000, 600, 0, 0},
                                            {false, 3000, 0, 8000, 600, 3000, 0},
                                            {false, 0, 600, 3000, 6000, 0, 600},
                                            {false, 3000, 600, 8000, 6000, 3000, 600}}));
  EXPECT_EQ(pieces.at(7), (Piece{false, 8000, 600, 13000, 6000, 3000, 600})) << "the next page across";
  EXPECT_EQ(pieces.at(4 * 4 + 3), (Piece{false, 3000, 6000, 8000, 11400, 3000, 600})) << "then the next band down";
  EXPECT_EQ(pieces.last(), (Piece{false, 18000, 11400, 23000, 12600, 3000, 600}));
}

TEST(PrintPagesCut, ASingleHeadingStartsEveryBandAtTheFirstColumn) {
  const QList<Piece> pieces = PrintPages::Cut(Edges(3, 1000, 20, 1000), Edges(2, 300, 40, 300), 8000, 6000, 0, 0);
  ASSERT_EQ(pieces.size(), 3 * 3);  // 8 columns and 20 rows a page: 3 × 3 pages, the body alone
  EXPECT_EQ(pieces.first(), (Piece{true, 0, 0, 8000, 6000, 0, 0}));
  EXPECT_EQ(pieces.at(3), (Piece{true, 0, 6000, 8000, 12000, 0, 0}));
}

// A column wider than the page is printed alone, cut at the page's edge, and the cutting goes on.
TEST(PrintPagesCut, AColumnWiderThanThePageIsPrintedAlone) {
  const QList<Piece> pieces = PrintPages::Cut({0, 1000, 10000, 11000}, {0, 300}, 5000, 6000, 0, 0);
  ASSERT_EQ(pieces.size(), 3);
  EXPECT_EQ(pieces.at(0), (Piece{true, 0, 0, 1000, 300, 0, 0}));
  EXPECT_EQ(pieces.at(1), (Piece{true, 1000, 0, 10000, 300, 0, 0}));
  EXPECT_EQ(pieces.at(2), (Piece{true, 10000, 0, 11000, 300, 0, 0}));
}

class PrintPreview : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    // The program's printer prints into a PDF file, landscape letter with small margins, for this
    // test only.
    QPrinter& printer = praxel::ProgramPrinter();
    savedLayout = printer.pageLayout();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath(QStringLiteral("chart.pdf")));
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape,
                                      QMarginsF(0.25, 0.5, 0.25, 0.5), QPageLayout::Inch));
    Ywindow::SetPrinter(&printer);
  }
  void TearDown() override {
    Ywindow::SetPrinter(nullptr);
    Ywindow::SetPrompter(nullptr);
    praxel::ProgramPrinter().setOutputFileName(QString());
    praxel::ProgramPrinter().setPageLayout(savedLayout);
    ViewTest::TearDown();
  }
  static PageSizeForm* Preview() { return qobject_cast<PageSizeForm*>(Forms::Find(QStringLiteral("PageSizeForm"))); }
  QString PdfText() const { return ::PdfText(folder.filePath(QStringLiteral("chart.pdf"))); }
  void Print() const { mainForm->Control(QStringLiteral("OutputPrintMenu"))->trigger(); }

  QTemporaryDir folder;
  QPageLayout savedLayout;
};

TEST_F(PrintPreview, AChartLargerThanThePagePrintsOnPagesWithTheirHeadings) {
  // A chain of 80 tasks: pages down the chart as well as across.
  QList<int> ids;
  for (int id = 1; id <= 80; ++id) ids.append(id);
  Ytemplate* staff = AddTemplate(QStringLiteral("Staff"));
  Activate(staff, AddStaffedChain(QStringLiteral("Plant"), staff, ids));
  OpenView("GraphicsGanttMenu", "GanttForm");
  Print();
  ASSERT_NE(Preview(), nullptr);
  EXPECT_EQ(Preview()->windowTitle(), QStringLiteral("Print Preview"));
  ASSERT_LT(Preview()->Magnification(), 1);
  EXPECT_TRUE(Preview()->Button(PageSizeForm::ReduceToFit)->isEnabled());
  EXPECT_FALSE(Preview()->Button(PageSizeForm::ExpandToFit)->isEnabled());
  EXPECT_TRUE(Preview()->Button(PageSizeForm::MultipleHeadings)->isEnabled());
  SaveScreenshot("print-preview.png");

  Preview()->Button(PageSizeForm::MultipleHeadings)->click();
  EXPECT_EQ(Preview(), nullptr);
  const QString text = PdfText();
  const QString caption = Forms::Find(QStringLiteral("GanttForm"))->windowTitle();
  EXPECT_GE(text.count(caption.left(30)), 2) << "the top line on every page";
  EXPECT_TRUE(text.contains(QStringLiteral("Page 2")));
  // Every page repeats the task column's heading.
  EXPECT_GE(text.count(QStringLiteral("Dependencies")), text.count(QStringLiteral("Page ")));
}

TEST_F(PrintPreview, ReduceToFitPrintsTheWholeChartOnOnePage) {
  OpenSample();
  OpenView("GraphicsGanttMenu", "GanttForm");
  Print();
  ASSERT_NE(Preview(), nullptr);
  Preview()->Button(PageSizeForm::ReduceToFit)->click();
  const QString text = PdfText();
  EXPECT_TRUE(text.contains(QStringLiteral("Page 1")));
  EXPECT_FALSE(text.contains(QStringLiteral("Page 2")));
}

TEST_F(PrintPreview, CancelPrintsNothing) {
  Ytemplate* staff = AddTemplate(QStringLiteral("Staff"));
  Activate(staff, AddStaffedChain(QStringLiteral("Plant"), staff, {1}));
  OpenView("GraphicsGanttMenu", "GanttForm");
  Print();
  ASSERT_NE(Preview(), nullptr);
  Preview()->Button(PageSizeForm::Cancel)->click();
  EXPECT_EQ(Preview(), nullptr);
  EXPECT_FALSE(QFileInfo::exists(folder.filePath(QStringLiteral("chart.pdf"))));
}

// Each page of a PDF file as pdftoppm draws it at 60 dots to the inch, cut to its left `width`
// points.
QList<QImage> LeftOfPages(const QString& path, double width) {
  const QString prefix = QFileInfo(path).dir().filePath(QStringLiteral("page"));
  QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"),
                                                 QStringLiteral("-x"), QStringLiteral("0"), QStringLiteral("-y"),
                                                 QStringLiteral("0"), QStringLiteral("-W"),
                                                 QString::number(static_cast<int>(width * 60 / 72)), QStringLiteral("-H"),
                                                 QStringLiteral("2000"), path, prefix});
  QList<QImage> pages;
  QStringList files = QFileInfo(path).dir().entryList({QStringLiteral("page-*.png")});
  files.sort();
  for (const QString& file : files) pages.append(QImage(QFileInfo(path).dir().filePath(file)));
  return pages;
}

// The pages across a band of rows repeat the same heading columns, and nothing else lands in
// them: neither the day name of the column before the page's first column nor the month label of
// a month that began on an earlier page.
TEST_F(PrintPreview, PagesAcrossShowTheSameHeadingColumnsAndNothingElseThere) {
  OpenSample();
  OpenView("GraphicsGanttMenu", "GanttForm");
  auto* chart = Forms::Find(QStringLiteral("GanttForm"))->findChild<YwindowControl*>(QStringLiteral("Ywindow"));
  ASSERT_NE(chart, nullptr);
  chart->findChild<QRadioButton*>(QStringLiteral("ScalingOption1"))->click();  // days: many pages across
  int width = 0, height = 0, left = 0, top = 0, xpixels = 0, ypixels = 0, fixedRows = 0, fixedCols = 0;
  chart->GetPageStats(width, height, left, top, xpixels, ypixels, fixedRows, fixedCols);
  QList<int> colPos;
  for (int col = 0; col <= chart->Cols(); ++col) colPos.append(chart->ColPos(col));
  QList<int> rowPos;
  for (int row = 0; row <= chart->Rows(); ++row) rowPos.append(chart->RowPos(row));
  // The band of rows of every page: the top of the body it prints.
  QList<int> bandOfPage;
  for (const Piece& piece : PrintPages::Cut(colPos, rowPos, width, height, fixedCols, fixedRows)) {
    if (piece.x3 == colPos.at(fixedCols) && piece.y3 == rowPos.at(fixedRows)) bandOfPage.append(piece.y1);
  }
  ASSERT_GE(bandOfPage.count(bandOfPage.first()), 3) << "pages across";
  Print();
  ASSERT_NE(Preview(), nullptr);
  Preview()->Button(PageSizeForm::MultipleHeadings)->click();

  // The heading columns end hw twips right of the printable area, which starts a quarter inch in.
  const QList<QImage> pages = LeftOfPages(folder.filePath(QStringLiteral("chart.pdf")), 18 + colPos.at(fixedCols) / 20.0 - 1);
  ASSERT_EQ(pages.size(), bandOfPage.size());
  for (qsizetype page = 1; page < pages.size(); ++page) {
    const qsizetype first = bandOfPage.indexOf(bandOfPage.at(page));
    EXPECT_EQ(pages.at(page), pages.at(first)) << "the heading columns of page " << page + 1 << " and of page " << first + 1;
  }
}

// "Change font" and "Change page" are the main window's Setup > Font and Setup > Printer, for the
// chart behind the preview, although the preview's lock keeps their menus disabled. Neither
// prints, and the preview closes.
TEST_F(PrintPreview, ChangeFontAsksForTheChartsFontAndPrintsNothing) {
  OpenSample();
  OpenView("GraphicsGanttMenu", "GanttForm");
  QWidget* chart = Forms::Find(QStringLiteral("GanttForm"));
  const QString family = chart->font().family();
  Print();
  ASSERT_NE(Preview(), nullptr);
  ASSERT_FALSE(mainForm->Control(QStringLiteral("SetupFontMenu"))->isEnabled()) << "the preview locks Setup";
  dialogs.ChooseFontAnswer({QStringLiteral("DejaVu Sans"), 11, true, false});
  Preview()->Button(PageSizeForm::ChangeFont)->click();

  ASSERT_EQ(dialogs.Asked().last().kind, AskedDialog::Kind::Font);
  EXPECT_EQ(dialogs.Asked().last().font.name, family) << "preset with the chart's font";
  chart = Forms::Find(QStringLiteral("GanttForm"));
  ASSERT_NE(chart, nullptr);
  EXPECT_EQ(chart->font().family(), QStringLiteral("DejaVu Sans"));
  EXPECT_TRUE(chart->font().bold());
  EXPECT_EQ(Preview(), nullptr);
  EXPECT_TRUE(Unlocked(*mainForm));
  EXPECT_FALSE(QFileInfo::exists(folder.filePath(QStringLiteral("chart.pdf"))));
}

TEST_F(PrintPreview, ChangePageSetsUpThePrinterAndPrintsNothing) {
  OpenSample();
  OpenView("GraphicsGanttMenu", "GanttForm");
  Print();
  ASSERT_NE(Preview(), nullptr);
  dialogs.PrinterAnswer(true);
  Preview()->Button(PageSizeForm::ChangePage)->click();

  EXPECT_EQ(dialogs.Asked().last().kind, AskedDialog::Kind::Printer);
  EXPECT_EQ(Preview(), nullptr);
  EXPECT_NE(Forms::Find(QStringLiteral("GanttForm")), nullptr) << "the chart lays itself out for the new page";
  EXPECT_TRUE(Unlocked(*mainForm));
  EXPECT_FALSE(QFileInfo::exists(folder.filePath(QStringLiteral("chart.pdf"))));
}

// A printer that refuses the job is reported in words; when the user gives up, the preview
// closes and leaves the main window free, and the next print starts a job of its own.
TEST_F(PrintPreview, APrinterThatFailsIsReportedInWordsAndLeavesTheWindowUsable) {
  // The chart control's own trap asks through a prompter of its own.
  testsupport::ScriptedPrompter controlPrompter;
  praxel::SetPrompter(&prompter);
  Ywindow::SetPrompter(&controlPrompter);
  OpenSample();
  OpenView("GraphicsGanttMenu", "GanttForm");
  const QString gone = folder.filePath(QStringLiteral("gone/chart.pdf"));
  praxel::ProgramPrinter().setOutputFileName(gone);
  Print();
  ASSERT_NE(Preview(), nullptr);
  controlPrompter.Answer(praxel::AnswerAbort);
  Preview()->Button(PageSizeForm::ReduceToFit)->click();

  ASSERT_EQ(controlPrompter.Asked().size(), 1);
  EXPECT_EQ(controlPrompter.Asked()[0].text,
            QStringLiteral("Internal error 482: Printer error: the file \"%1\" cannot be written.").arg(gone));
  EXPECT_EQ(Preview(), nullptr);
  EXPECT_TRUE(Unlocked(*mainForm));

  praxel::ProgramPrinter().setOutputFileName(folder.filePath(QStringLiteral("chart.pdf")));
  Print();
  ASSERT_NE(Preview(), nullptr);
  Preview()->Button(PageSizeForm::ReduceToFit)->click();
  EXPECT_TRUE(PdfText().contains(QStringLiteral("Page 1")));
  Ywindow::SetPrompter(nullptr);
  EXPECT_TRUE(controlPrompter.AllAnswered());
}

// This machine as it is: no printer installed, the desktop's own dialogs. Output > Print offers
// the print dialog first, and its only choice is a PDF file.
class NoPrinter : public ViewTest {
 protected:
  void SetUp() override {
    if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "this machine has a printer";
    ViewTest::SetUp();
    // As the program starts: the chart control prints on the program's printer.
    Ywindow::SetPrinter(&praxel::ProgramPrinter());
  }
  void TearDown() override {
    Ywindow::SetPrinter(nullptr);
    praxel::SetCommonDialogs(&dialogs);
    praxel::ProgramPrinter().setOutputFileName(QString());
    if (!IsSkipped()) ViewTest::TearDown();
  }
  static PageSizeForm* Preview() { return qobject_cast<PageSizeForm*>(Forms::Find(QStringLiteral("PageSizeForm"))); }

  // The sample's Gantt chart, opened through the scripted open dialog; from then on the desktop's
  // own dialogs are in use.
  void OpenSampleGantt() {
    OpenSample();
    OpenView("GraphicsGanttMenu", "GanttForm");
    praxel::SetCommonDialogs(&desktop);
  }

  // Output > Print, choosing the file `path` in the print dialog; the printers it offered.
  QStringList PrintInto(const QString& path) {
    QStringList offered;
    const testsupport::ModalAnswer<QPrintDialog> answer([&](QPrintDialog* dialog) {
      auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
      auto* fileName = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
      if (printers == nullptr || fileName == nullptr) {
        dialog->reject();
        return;
      }
      for (int index = 0; index < printers->count(); ++index) offered.append(printers->itemText(index));
      fileName->setText(path);
      dialog->accept();
    });
    mainForm->Control(QStringLiteral("OutputPrintMenu"))->trigger();
    EXPECT_TRUE(answer.Answered());
    return offered;
  }

  praxel::QtCommonDialogs desktop;
  QTemporaryDir folder;
};

TEST_F(NoPrinter, TheSampleGanttChartPrintsIntoAPdfFile) {
  OpenSampleGantt();
  const QString pdf = folder.filePath(QStringLiteral("sample gantt.pdf"));
  EXPECT_EQ(PrintInto(pdf), QStringList({QStringLiteral("Print to File (PDF)")}));
  ASSERT_NE(Preview(), nullptr);
  SaveScreenshot(QStringLiteral("print-preview-no-printer.png"));
  Preview()->Button(PageSizeForm::ReduceToFit)->click();

  EXPECT_EQ(Preview(), nullptr);
  EXPECT_TRUE(Unlocked(*mainForm));
  const QString text = PdfText(pdf);
  const QString caption = Forms::Find(QStringLiteral("GanttForm"))->windowTitle();
  EXPECT_TRUE(text.contains(caption.left(30))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("Page 1")));
  EXPECT_FALSE(text.contains(QStringLiteral("Page 2")));
  if (const QByteArray dir = qgetenv("PRAXEL_SCREENSHOTS"); !dir.isEmpty()) {
    QProcess::execute(QStringLiteral("pdftoppm"),
                      {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("100"), pdf,
                       QDir(QString::fromLocal8Bit(dir)).filePath(QStringLiteral("printed-gantt-no-printer"))});
  }
}

// The preview's "Change font" opens the desktop's font dialog on the chart's own font; Ok
// without a change leaves the chart as it was.
TEST_F(NoPrinter, ChangeFontOkWithoutAChangeKeepsTheChartsFont) {
  OpenSampleGantt();
  const QFont before = Forms::Find(QStringLiteral("GanttForm"))->font();
  PrintInto(folder.filePath(QStringLiteral("chart.pdf")));
  ASSERT_NE(Preview(), nullptr);
  QString offered;
  const testsupport::ModalAnswer<QFontDialog> ok([&](QFontDialog* dialog) {
    offered = dialog->currentFont().family();
    dialog->accept();
  });
  Preview()->Button(PageSizeForm::ChangeFont)->click();

  EXPECT_TRUE(ok.Answered());
  EXPECT_EQ(offered, before.family());
  const QFont after = Forms::Find(QStringLiteral("GanttForm"))->font();
  EXPECT_EQ(after.family(), before.family());
  EXPECT_EQ(after.pointSize(), before.pointSize());
  EXPECT_EQ(after.bold(), before.bold());
  EXPECT_FALSE(after.italic());
  EXPECT_TRUE(Unlocked(*mainForm));
}

}  // namespace
