#include "PageHeadings.h"
#include "PageMetrics.h"
#include "RecordingCanvas.h"
#include "ScriptedPrompter.h"
#include "TestHost.h"
#include "TestSupport.h"
#include "YwindowControl.h"
#include "YwindowLibrary.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>

using praxel::AnswerIgnore;

namespace {

TEST(PageHeadings, StandAtTheCornersOfThePrintableArea) {
  RecordingCanvas printer(true);  // 100 twips a character, 200 a line
  const Ywindow::PageMetrics page;
  Ywindow::PrintPageHeadings(printer, page, 3, QStringLiteral("Chart"), QStringLiteral("PRAXEL 1.00"),
                             QStringLiteral("Monday"));
  EXPECT_EQ(printer.calls, (QStringList{
                               "text 0,0 \"Chart\" color 0 placement 0",
                               "text 10720,0 \"Page 3\" color 0 placement 0",  // 11520 - width of "XPage 3X"
                               "text 0,14080 \"PRAXEL 1.00\" color 0 placement 0",  // 13680 + two lines
                               "text 10720,14080 \"Monday\" color 0 placement 0",
                           }));
}

TEST(PageHeadings, TheFooterShowsTheDateAndTheTimeOfDayInTwelveHours) {
  const struct {
    QDateTime when;
    const char* text;
  } cases[] = {
      {QDateTime(QDate(2024, 1, 8), QTime(15, 5)), "Monday, January 08, 2024 03:05pm"},
      {QDateTime(QDate(2023, 12, 31), QTime(0, 30)), "Sunday, December 31, 2023 12:30am"},
      {QDateTime(QDate(2024, 7, 4), QTime(12, 0)), "Thursday, July 04, 2024 12:00pm"},
      {QDateTime(QDate(2024, 2, 29), QTime(11, 59)), "Thursday, February 29, 2024 11:59am"},
  };
  for (const auto& c : cases) EXPECT_EQ(Ywindow::FooterDateTime(c.when), QString::fromLatin1(c.text));
}

// The words of a page as pdftotext finds them, with their heights in points.
struct PdfWord {
  QString text;
  double height = 0;
};

// Prints a chart through the control to a PDF file on a letter page with the fixed borders, and
// reads it back.
class PrintingTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
      FAIL() << "pdftotext (poppler-utils) is needed; scripts/setup.sh installs it";
    }
    UsePdf(QStringLiteral("chart.pdf"));
    Ywindow::SetPrompter(&prompter);
  }
  void TearDown() override {
    Ywindow::SetPrinter(nullptr);
    Ywindow::SetPrompter(nullptr);
    EXPECT_TRUE(prompter.AllAnswered());
  }

  void UsePdf(const QString& name) {
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(folder.filePath(name));
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(0.25, 0.5, 0.25, 0.5),
                                  QPageLayout::Inch));
    Ywindow::SetPrinter(&pdf);
  }

  void PrintWhole(bool newPage, float magnification) {
    const Ywindow::GrobList& grobs = host.Typed().Grobs();
    host.Call("PrintPiece", Q_ARG(bool, newPage), Q_ARG(float, magnification),
              Q_ARG(QString, QStringLiteral("Gantt chart for Apollo")), Q_ARG(QString, QStringLiteral("PRAXEL 1.00")),
              Q_ARG(int, 0), Q_ARG(int, 0), Q_ARG(int, grobs.Xpixels()), Q_ARG(int, grobs.Ypixels()), Q_ARG(int, 0),
              Q_ARG(int, 0));
  }

  void StartJob() {
    int values[8] = {};
    host.Call("GetPageStats", Q_ARG(int&, values[0]), Q_ARG(int&, values[1]), Q_ARG(int&, values[2]),
              Q_ARG(int&, values[3]), Q_ARG(int&, values[4]), Q_ARG(int&, values[5]), Q_ARG(int&, values[6]),
              Q_ARG(int&, values[7]));
  }

  // The text of each page of a printed file.
  QStringList Pages(const QString& name) const {
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"), {folder.filePath(name), QStringLiteral("-")});
    EXPECT_TRUE(reader.waitForFinished(20000));
    QStringList pages = QString::fromUtf8(reader.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
    return pages;
  }

  QList<PdfWord> Words(const QString& name) const {
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), folder.filePath(name), QStringLiteral("-")});
    EXPECT_TRUE(reader.waitForFinished(20000));
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<PdfWord> words;
    auto match = word.globalMatch(QString::fromUtf8(reader.readAllStandardOutput()));
    while (match.hasNext()) {
      const QRegularExpressionMatch m = match.next();
      words.append({m.captured(5), m.captured(4).toDouble() - m.captured(2).toDouble()});
    }
    return words;
  }

  QTemporaryDir folder;
  QPrinter pdf{QPrinter::HighResolution};
  testsupport::ScriptedPrompter prompter;
  TestHost host;
};

TEST_F(PrintingTest, WithoutAnyPrinterThePageIsTheFixedLetterPage) {
  if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "this machine has printers";
  host.DrawDateChart();
  int width = 0, height = 0, left = 0, top = 0, xpixels = 0, ypixels = 0, fixedRows = 0, fixedCols = 0;
  host.Call("GetPageStats", Q_ARG(int&, width), Q_ARG(int&, height), Q_ARG(int&, left), Q_ARG(int&, top),
            Q_ARG(int&, xpixels), Q_ARG(int&, ypixels), Q_ARG(int&, fixedRows), Q_ARG(int&, fixedCols));
  EXPECT_EQ(QList<int>({width, height, left, top}), QList<int>({11520, 13680, 360, 720}));
  EXPECT_EQ(xpixels, host.Typed().Grobs().Xpixels());
  EXPECT_EQ(ypixels, host.Typed().Grobs().Ypixels());
  EXPECT_EQ(fixedRows, 3);  // the day scale's three header rows
  EXPECT_EQ(fixedCols, 1);
}

TEST_F(PrintingTest, PagesAreNumberedFromTheJobsFirstPieceAndCarryTheirHeadings) {
  host.DrawDateChart();
  StartJob();
  EXPECT_EQ(host.Typed().PageNumber(), 0);
  PrintWhole(true, 1);   // the job's first piece is page 1 whatever it asks
  PrintWhole(false, 1);  // on the same page, its headings printed over the first ones
  PrintWhole(true, 1);   // page 2
  EXPECT_EQ(host.Typed().PageNumber(), 2);
  host.Call("EndDoc");

  const QStringList pages = Pages(QStringLiteral("chart.pdf"));
  ASSERT_EQ(pages.size(), 2);
  static const QRegularExpression footer(
      QStringLiteral("(Sun|Mon|Tues|Wednes|Thurs|Fri|Satur)day, [A-Z][a-z]+ \\d\\d, \\d{4} \\d\\d:\\d\\d(am|pm)"));
  for (int page = 0; page < 2; ++page) {
    EXPECT_TRUE(pages[page].contains(QStringLiteral("Gantt chart for Apollo"))) << pages[page].toStdString();
    EXPECT_TRUE(pages[page].contains(QStringLiteral("Page %1").arg(page + 1))) << pages[page].toStdString();
    EXPECT_FALSE(pages[page].contains(QStringLiteral("Page %1").arg(2 - page))) << pages[page].toStdString();
    EXPECT_TRUE(pages[page].contains(QStringLiteral("PRAXEL 1.00")));
    EXPECT_TRUE(footer.match(pages[page]).hasMatch()) << pages[page].toStdString();
    EXPECT_TRUE(pages[page].contains(QStringLiteral("Task 1")));  // the chart itself
  }

  // A new job starts at page 1 again.
  UsePdf(QStringLiteral("again.pdf"));
  StartJob();
  PrintWhole(false, 1);
  host.Call("EndDoc");
  const QStringList again = Pages(QStringLiteral("again.pdf"));
  ASSERT_EQ(again.size(), 1);
  EXPECT_TRUE(again[0].contains(QStringLiteral("Page 1")));
}

// The printer's font is the control's, magnified and rounded to a whole point: 9 points at 0.5
// and at 0.6 both print at 5 points.
TEST_F(PrintingTest, ThePrinterFontFollowsTheMagnificationInWholePoints) {
  QWidget form;
  QFont nine(QStringLiteral("DejaVu Sans"));
  nine.setPointSize(9);
  form.setFont(nine);
  host.Call("SetFont", Q_ARG(QWidget*, &form));
  host.DrawDateChart();
  const auto pageHeight = [&](const QString& name, float magnification) {
    UsePdf(name);
    StartJob();
    PrintWhole(true, magnification);
    host.Call("EndDoc");
    for (const PdfWord& word : Words(name)) {
      if (word.text == QStringLiteral("Page")) return word.height;
    }
    ADD_FAILURE() << "no page number in " << name.toStdString();
    return 0.0;
  };
  const double full = pageHeight(QStringLiteral("full.pdf"), 1);
  const double half = pageHeight(QStringLiteral("half.pdf"), 0.5f);
  const double more = pageHeight(QStringLiteral("more.pdf"), 0.6f);
  EXPECT_NEAR(half / full, 5.0 / 9.0, 0.02);
  EXPECT_NEAR(more, half, 0.01);
}

TEST_F(PrintingTest, APrinterThatCannotBeOpenedIsReportedOnceAPiece) {
  host.DrawDateChart();
  pdf.setOutputFileName(QStringLiteral("/nonexistent-folder/chart.pdf"));
  StartJob();
  prompter.Answer(AnswerIgnore);
  PrintWhole(true, 1);
  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(prompter.Asked()[0].text,
            QStringLiteral("Internal error 482: Printer error: the file \"/nonexistent-folder/chart.pdf\" cannot be "
                           "written."));
  host.Call("EndDoc");
}

// The preview draws the whole chart through the host's painter, at its origin and scale, in
// the surface's twips (15 to the pixel), without headings.
TEST_F(PrintingTest, ThePreviewDrawsTheWholeChartWhereAndHowLargeTheHostAsks) {
  host.DrawDateChart();
  const Ywindow::GrobList& grobs = host.Typed().Grobs();
  const Ywindow::Grob* bar = nullptr;
  for (int index = 0; index < grobs.Count(); ++index) {
    if (grobs.At(index).Kind == Ywindow::GrobBox) bar = &grobs.At(index);
  }
  ASSERT_NE(bar, nullptr);
  const struct {
    float magnification;
  } cases[] = {{1.0f}, {0.2f}};
  for (const auto& c : cases) {
    QImage surface(1200, 800, QImage::Format_RGB32);
    surface.fill(Qt::white);
    {
      QPainter painter(&surface);
      host.Call("PaintPreview", Q_ARG(QPainter*, &painter), Q_ARG(int, 150), Q_ARG(int, 300),
                Q_ARG(float, c.magnification));
    }
    const auto at = [&](double chartX, double chartY) {
      return surface.pixelColor(static_cast<int>((150 + chartX * c.magnification) / 15),
                                static_cast<int>((300 + chartY * c.magnification) / 15));
    };
    EXPECT_EQ(at((bar->X1 + bar->X2) / 2.0, (bar->Y1 + bar->Y2) / 2.0), QColor(255, 0, 0)) << c.magnification;
    // Nothing beyond the drawing, and no headings above it.
    EXPECT_EQ(at(grobs.Xpixels() + 600, 0), QColor(255, 255, 255)) << c.magnification;
    EXPECT_EQ(surface.pixelColor(3, 3), QColor(255, 255, 255)) << c.magnification;
  }
}

}  // namespace
