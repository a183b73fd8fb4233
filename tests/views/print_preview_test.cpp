// The print preview: how a chart is cut into pages, the dialog's buttons for a chart larger or
// smaller than the page, and printing into a PDF file read back with pdftotext.

#include "CaseName.h"
#include "Forms.h"
#include "GanttForm.h"
#include "MainForm.h"
#include "PageSizeForm.h"
#include "PrintPages.h"
#include "QtCommonDialogs.h"
#include "ViewFixture.h"
#include "Yproject.h"
#include "Ytemplate.h"
#include "YwindowControl.h"
#include "YwindowLibrary.h"

#include <QAction>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

using PrintPages::Piece;

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
    // The program's printer prints into a PDF file, landscape letter with small margins.
    QPrinter& printer = praxel::ProgramPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath(QStringLiteral("chart.pdf")));
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape,
                                      QMarginsF(0.25, 0.5, 0.25, 0.5), QPageLayout::Inch));
    Ywindow::SetPrinter(&printer);
  }
  void TearDown() override {
    Ywindow::SetPrinter(nullptr);
    praxel::ProgramPrinter().setOutputFileName(QString());
    ViewTest::TearDown();
  }
  static PageSizeForm* Preview() { return qobject_cast<PageSizeForm*>(Forms::Find(QStringLiteral("PageSizeForm"))); }
  QString PdfText() const {
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), folder.filePath(QStringLiteral("chart.pdf")),
                                               QStringLiteral("-")});
    EXPECT_TRUE(reader.waitForFinished(20000));
    return QString::fromUtf8(reader.readAllStandardOutput());
  }
  void Print() const { mainForm->Control(QStringLiteral("OutputPrintMenu"))->trigger(); }

  QTemporaryDir folder;
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

}  // namespace
