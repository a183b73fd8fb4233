#include "Common.h"
#include "Guard.h"
#include "OleDate.h"
#include "Pool.h"
#include "ScriptedPrompter.h"
#include "TestSupport.h"
#include "TextEncoding.h"
#include "Yfile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

namespace {

class YfileTest : public testing::Test {
 protected:
  void SetUp() override {
    testsupport::ClearProgramDataFolder();
    Common::FreeAllMemory();
  }
  void TearDown() override {
    if (file != nullptr) Common::FreeY(file);
    Common::FreeAllMemory();
    EXPECT_TRUE(prompter.AllAnswered());
  }
  // A file object reading `text` from a plain project file.
  Yfile& Reading(const QByteArray& text, const QString& name = QStringLiteral("in.pxa")) {
    testsupport::WriteFileBytes(testsupport::DataFolderPath(name), text);
    file = NewYfile();
    file->SetFileName(testsupport::DataFolderPath(name));
    EXPECT_TRUE(file->OpenRead());
    return *file;
  }
  Yfile& Writing(const QString& name = QStringLiteral("out.pxa")) {
    file = NewYfile();
    file->SetFileName(testsupport::DataFolderPath(name));
    EXPECT_TRUE(file->OpenWrite());
    return *file;
  }
  QByteArray Close(const QString& name = QStringLiteral("out.pxa")) {
    file->CloseFile();
    return testsupport::ReadFileBytes(testsupport::DataFolderPath(name));
  }

  testsupport::ScriptedPrompter prompter;
  Yfile* file = nullptr;
};

TEST(YfileFormat, KindsComeFromTheExtension) {
  Yfile* file = NewYfile();
  const struct {
    const char* name;
    int kind;
  } cases[] = {{"a.pxb", 1}, {"A.PXA", 2}, {"Praxel.cfg", 3}, {"notes.txt", 0}, {"pxa", 0}};
  for (const auto& c : cases) {
    file->SetFileName(QLatin1String(c.name));
    EXPECT_EQ(file->FileType, c.kind) << c.name;
  }
  Common::FreeY(file);
}

TEST(YfileFormat, QuoteWritesBareOnlyWhatReadsBackAsItIs) {
  const struct {
    const char* text;
    const char* written;
  } cases[] = {{"", "\"\""},
               {"Pour the deck", "Pour the deck"},
               {"a\"b", "a\"b"},
               {"\"quoted\"", "\"\"\"quoted\"\"\""},
               {"one, two", "\"one, two\""},
               {"two\r\nlines", "\"two\r\nlines\""},
               {"trailing ", "\"trailing \""},
               {" leading", "\" leading\""}};
  for (const auto& c : cases) EXPECT_EQ(Yfile::Quote(QString::fromLatin1(c.text)), QLatin1String(c.written)) << c.text;
}

TEST(YfileFormat, NumbersAreInvariantWithoutALeadingZero) {
  EXPECT_EQ(Yfile::FormatNumber(0.85), QStringLiteral(".85"));
  EXPECT_EQ(Yfile::FormatNumber(-0.5), QStringLiteral("-.5"));
  EXPECT_EQ(Yfile::FormatNumber(1e20), QStringLiteral("1E+20"));
  EXPECT_EQ(Yfile::FormatNumber(0.0), QStringLiteral("0"));
  EXPECT_EQ(Yfile::FormatNumber(1.0 / 3.0), QStringLiteral(".333333333333333"));
  EXPECT_EQ(Yfile::FormatNumber(1.5f), QStringLiteral("1.5"));
  EXPECT_EQ(Yfile::FormatNumber(0.85f), QStringLiteral(".85"));
  EXPECT_EQ(Yfile::FormatNumber(std::int64_t{-42}), QStringLiteral("-42"));
  EXPECT_EQ(Yfile::FormatNumber(praxel::Currency::FromDouble(1234.5)), QStringLiteral("1234.5"));
  EXPECT_EQ(Yfile::FormatNumber(praxel::Currency::FromDouble(-0.25)), QStringLiteral("-.25"));
  EXPECT_EQ(Yfile::FormatNumber(praxel::Currency()), QStringLiteral("0"));
  EXPECT_EQ(Yfile::FormatNumber(true), QStringLiteral("True"));
}

TEST(YfileFormat, DatesUseTheFixedLayout) {
  const double day = praxel::ToOleDate(QDate(2026, 3, 1));
  EXPECT_EQ(Yfile::FormatDate(day), QStringLiteral("03/01/2026 12:00am"));
  EXPECT_EQ(Yfile::FormatDate(day + 0.5), QStringLiteral("03/01/2026 12:00pm"));
  EXPECT_EQ(Yfile::FormatDate(day + 13.5 / 24), QStringLiteral("03/01/2026 01:30pm"));
  EXPECT_EQ(Yfile::FormatDate(0.0), QStringLiteral("12/30/1899 12:00am"));
  EXPECT_EQ(Yfile::FormatDate(day + (8 * 60 + 59.6) / 1440), QStringLiteral("03/01/2026 09:00am"));  // nearest minute
}

TEST_F(YfileTest, TokensLinesAndQuotes) {
  Yfile& in = Reading("TASK\r\n  Description,\"say \"\"hi\"\", then go\",x\r\n   Title,  spaced  ,\"\"\r\n");
  EXPECT_EQ(in.ReadToken(), QStringLiteral("TASK"));
  EXPECT_TRUE(in.EndOfLine());
  EXPECT_EQ(in.ReadToken(), QStringLiteral("Description"));
  EXPECT_EQ(in.ReadToken(), QStringLiteral("say \"hi\", then go"));
  EXPECT_FALSE(in.EndOfLine());
  EXPECT_EQ(in.ReadToken(), QStringLiteral("x"));
  EXPECT_EQ(in.ReadToken(), QStringLiteral("Title"));
  EXPECT_EQ(in.ReadToken(), QStringLiteral("  spaced  "));  // leading blanks of a later value stay
  in.UnReadLine();
  EXPECT_EQ(in.ReadToken(), QStringLiteral("Title"));
  in.ReadToken();
  EXPECT_EQ(in.ReadToken(), QString());
  EXPECT_TRUE(in.EndOfLine());
  EXPECT_EQ(in.ReadToken(), QString());  // end of the data
}

TEST_F(YfileTest, AMisorderedFieldNamesWhatWasReadAndWhatWasExpected) {
  Yfile& in = Reading("  Title,Engineer\r\n");
  prompter.Answer(praxel::AnswerAbort);
  EXPECT_THROW(in.ExpectToken(QStringLiteral("Department")), ErrTrap::CallChain);
  EXPECT_EQ(prompter.Asked().at(0).text, QStringLiteral("Internal error 10000: Error reading file ") + testsupport::DataFolderPath("in.pxa") +
                                             QStringLiteral(", line 1: read \"Title\" when expecting \"Department\""));
}

TEST_F(YfileTest, ACharacterAfterAClosingQuoteIsAReadingErrorNamingTheFieldAndValue) {
  Yfile& in = Reading("  Title,x\r\n  Description,\"a\"b,c\r\n");
  in.ReadToken();
  in.ReadToken();
  in.ReadToken();
  prompter.Answer(praxel::AnswerAbort);
  EXPECT_THROW(in.ReadToken(), ErrTrap::CallChain);
  EXPECT_EQ(prompter.Asked().at(0).text, QStringLiteral("Internal error 10000: Error reading file ") +
                                             testsupport::DataFolderPath("in.pxa") +
                                             QStringLiteral(", line 2: the value \"a\"b of \"Description\" has more "
                                                            "after its closing quote."));
}

// A blank line used to end the data silently, dropping every record after it.
TEST_F(YfileTest, ABlankLineBeforeMoreDataIsReported) {
  Yfile& in = Reading("PROJECT\r\n  ProjectName,A\r\n\r\nPROJECT\r\n  ProjectName,B\r\n");
  in.ReadToken();
  in.ReadToken();
  in.ReadToken();
  prompter.Answer(praxel::AnswerAbort);
  EXPECT_THROW(in.ReadToken(), ErrTrap::CallChain);
  EXPECT_TRUE(prompter.Asked().at(0).text.endsWith(QStringLiteral(", line 3: the line is empty, but more data follows it.")));

  Yfile& trailing = Reading("PROJECT\r\n\r\n \r\n", QStringLiteral("trailing.pxa"));
  EXPECT_EQ(trailing.ReadToken(), QStringLiteral("PROJECT"));
  EXPECT_EQ(trailing.ReadToken(), QString());  // blank lines at the end are just the end
}

// A description with line breaks used to break the file. Each break reads back as it was
// typed: the text boxes give bare line feeds, files from Windows CR LF.
TEST_F(YfileTest, TextsWithLineBreaksRoundTrip) {
  const QString texts[] = {
      QStringLiteral("First line,\r\n\r\n  \"third\" line "),
      QStringLiteral("typed\nin a text box\n\nhere"),
      QStringLiteral("ends in a break\n"),
      QStringLiteral("mixed\r\nbreaks\nand a\rreturn\r"),
      QStringLiteral("blanks before \r\n  a break  \n"),
  };
  for (const QString& text : texts) {
    SCOPED_TRACE(text.toStdString());
    Yfile& out = Writing();
    out.WriteLine(QStringLiteral("TASK"));
    out.WriteField(QStringLiteral("Description"), text);
    out.WriteField(QStringLiteral("TaskID"), 7);
    const QByteArray bytes = Close();
    Common::FreeY(file);

    Yfile& in = Reading(bytes);
    EXPECT_EQ(in.ReadToken(), QStringLiteral("TASK"));
    QString description;
    in.LoadField(QStringLiteral("Description"), description);
    EXPECT_EQ(description, text);
    int id = 0;
    in.LoadField(QStringLiteral("TaskID"), id);
    EXPECT_EQ(id, 7);
    Common::FreeY(file);
  }
}

TEST_F(YfileTest, PerJournalFieldsWriteOneValueWhenAllAgree) {
  PerJournal<int> same;
  same.SetValues({480, 480, 480});
  PerJournal<double> differ;
  differ.SetValues({0.5, 0.75, 0.75});
  PerJournal<QString> single(QStringLiteral("1"));
  Yfile& out = Writing();
  out.WriteField(QStringLiteral("MostLikely"), same);
  out.WriteField(QStringLiteral("Efficiency"), differ);
  out.WriteField(QStringLiteral("Priority"), single);
  const QByteArray bytes = Close();
  EXPECT_EQ(bytes, QByteArray("  MostLikely,480\r\n  Efficiency,.5,.75,.75\r\n  Priority,1\r\n"));
  Common::FreeY(file);

  Yfile& in = Reading(bytes);
  PerJournal<int> mostLikely;
  PerJournal<double> efficiency;
  in.LoadField(QStringLiteral("MostLikely"), mostLikely, 3);
  in.LoadField(QStringLiteral("Efficiency"), efficiency, 3);
  EXPECT_FALSE(mostLikely.IsArray());
  EXPECT_EQ(mostLikely.First(), 480);
  EXPECT_EQ(efficiency.Values(), (QList<double>{0.5, 0.75, 0.75}));
}

TEST_F(YfileTest, PerJournalValuesMustMatchTheJournals) {
  Yfile& in = Reading("  MostLikely,1,2\r\n");
  PerJournal<int> field(5);
  prompter.Answer(praxel::AnswerAbort);
  EXPECT_THROW(in.LoadField(QStringLiteral("MostLikely"), field, 3), ErrTrap::CallChain);
  EXPECT_TRUE(prompter.Asked().at(0).text.endsWith(QStringLiteral(": \"MostLikely\" holds 2 values for 3 journals.")));
  EXPECT_EQ(field.First(), 5);  // unchanged
}

TEST_F(YfileTest, TypedValuesReadBack) {
  Yfile& in = Reading(
      "  A,.85\r\n  B,12abc\r\n  C,True\r\n  D,0\r\n  E,1234.5678\r\n  F,03/01/2026 01:30pm\r\n  G,\r\n  H,maybe\r\n");
  double a = 0;
  in.LoadField(QStringLiteral("A"), a);
  EXPECT_EQ(a, 0.85);
  int b = 0;
  in.LoadField(QStringLiteral("B"), b);
  EXPECT_EQ(b, 12);  // the leading number
  bool c = false;
  in.LoadField(QStringLiteral("C"), c);
  EXPECT_TRUE(c);
  PerJournal<bool> d(true);
  in.LoadField(QStringLiteral("D"), d, 1);
  EXPECT_FALSE(d.First());
  PerJournal<praxel::Currency> e;
  in.LoadField(QStringLiteral("E"), e, 1);
  EXPECT_EQ(e.First().Ticks(), 12345678);
  PerJournal<double> f;
  in.LoadDateField(QStringLiteral("F"), f, 1);
  EXPECT_DOUBLE_EQ(f.First(), praxel::ToOleDate(QDate(2026, 3, 1)) + 13.5 / 24);
  int g = 9;
  in.LoadField(QStringLiteral("G"), g);
  EXPECT_EQ(g, 0);  // an empty value is 0
  bool h = false;
  prompter.Answer(praxel::AnswerIgnore);
  in.LoadField(QStringLiteral("H"), h);
  EXPECT_EQ(prompter.Asked().at(0).text, QStringLiteral("Internal error 10000: Error reading file ") +
                                             testsupport::DataFolderPath("in.pxa") +
                                             QStringLiteral(", line 8: \"H\" value \"maybe\" is not True or False."));
}

// The reader takes values in the forms the program writes straight from the bytes; every other
// form it accepts must read as it always has.
TEST_F(YfileTest, ValuesInOtherFormsReadAsBefore) {
  const double march1 = praxel::ToOleDate(QDate(2026, 3, 1));
  const struct {
    const char* value;
    double date;  // -1: refused
  } dates[] = {
      {"03/01/2026 01:30pm", march1 + 13.5 / 24},
      {"03/01/2026 12:00am", march1},
      {"03/01/2026 01:30PM", march1 + 13.5 / 24},
      {"03/01/2026 01:30:30pm", march1 + (13.5 * 3600 + 30) / 86400},
      {"03/01/2026", march1},
      {" 3/01/2026 01:30pm", march1 + 13.5 / 24},
      {"02/30/2026 01:30pm", -1},
      {"03/01/2026 13:30pm", -1},
      {"03/01/2026 00:30am", -1},
  };
  for (const auto& c : dates) {
    SCOPED_TRACE(c.value);
    Yfile& in = Reading(QByteArray("  Start,") + c.value + "\r\n");
    PerJournal<double> date(-1.0);
    if (c.date < 0) prompter.Answer(praxel::AnswerIgnore);
    in.LoadDateField(QStringLiteral("Start"), date, 1);
    EXPECT_DOUBLE_EQ(date.First(), c.date);
    Common::FreeY(file);
  }
  const struct {
    const char* value;
    double number;
  } numbers[] = {{"-.5", -0.5}, {"1.5E+3", 1500}, {"+7", 7}, {"  -2.5", -2.5}, {"7\xC3\xA9", 7},
                 {"\xD9\xA3", 0}, {"12\xD9\xA3", 0}, {"1e", 1}, {"", 0}};
  for (const auto& c : numbers) {
    SCOPED_TRACE(c.value);
    Yfile& in = Reading(QByteArray("  Efficiency,") + c.value + "\r\n");
    double number = -1;
    in.LoadField(QStringLiteral("Efficiency"), number);
    EXPECT_EQ(number, c.number);
    Common::FreeY(file);
  }
  const struct {
    const char* value;
    bool truth;
  } booleans[] = {{"TRUE", true}, {"false", false}, {"  False", false}, {"-1", true}, {"0.0", false}};
  for (const auto& c : booleans) {
    SCOPED_TRACE(c.value);
    Yfile& in = Reading(QByteArray("  Include,") + c.value + "\r\n");
    bool truth = !c.truth;
    in.LoadField(QStringLiteral("Include"), truth);
    EXPECT_EQ(truth, c.truth);
    Common::FreeY(file);
  }
}

TEST_F(YfileTest, FilesFromTheOriginalPlatformAreWindows1252) {
  // "Café – “done”" in Windows-1252.
  Yfile& in = Reading(QByteArray("  Description,Caf\xE9 \x96 \x93" "done\x94\r\n"));
  QString description;
  in.LoadField(QStringLiteral("Description"), description);
  EXPECT_EQ(description, QStringLiteral(u"Café – “done”"));

  EXPECT_EQ(TextEncoding::Encode(QStringLiteral(u"Café – “done”")), QByteArray("Caf\xE9 \x96 \x93" "done\x94"));
  EXPECT_EQ(TextEncoding::Encode(QStringLiteral(u"Brücke 橋")), QStringLiteral(u"Brücke 橋").toUtf8());
  EXPECT_EQ(TextEncoding::Decode(QStringLiteral(u"Brücke 橋").toUtf8()), QStringLiteral(u"Brücke 橋"));
  for (int code = 0; code < 256; ++code) {
    const QByteArray byte(1, static_cast<char>(code));
    bool fits = false;
    EXPECT_EQ(TextEncoding::EncodeWindows1252(TextEncoding::DecodeWindows1252(byte), &fits), byte) << code;
    EXPECT_TRUE(fits);
  }
}

// Whatever is written reads back as it was typed, also a text whose Windows-1252 bytes happen to
// be valid UTF-8 ("Ã©" is C3 A9 there, which UTF-8 reads as "é").
TEST_F(YfileTest, EveryTextReadsBackInTheEncodingItWasWrittenIn) {
  const QString texts[] = {
      QStringLiteral(u"plain"),
      QStringLiteral(u"Café – “done”"),
      QStringLiteral(u"Brücke 橋"),
      QStringLiteral(u"SÃ©bastien"),
      QStringLiteral(u"Â« dit »"),
      QStringLiteral(u"â€™"),
  };
  for (const QString& text : texts) {
    EXPECT_EQ(TextEncoding::Decode(TextEncoding::Encode(text)), text) << text.toStdString();
    // A file is encoded as a whole, however much plain ASCII comes before such a text.
    Yfile& out = Writing();
    out.WriteLine(QStringLiteral("PROJECT"));
    out.WriteField(QStringLiteral("Description"), text);
    out.WriteField(QStringLiteral("NumJournals"), 1);
    EXPECT_EQ(Close(), TextEncoding::Encode(QStringLiteral("PROJECT\r\n  Description,") + text +
                                            QStringLiteral("\r\n  NumJournals,1\r\n")))
        << text.toStdString();
    Common::FreeY(file);
  }
}

// A save that does not finish leaves the old file as it was.
TEST_F(YfileTest, AnUnfinishedWriteLeavesTheOldFile) {
  testsupport::WriteFileBytes(testsupport::DataFolderPath("out.pxa"), "old contents\r\n");
  Yfile& out = Writing();
  out.WriteLine(QStringLiteral("PROJECT"));
  Common::FreeY(file);  // given up before CloseFile
  EXPECT_EQ(testsupport::ReadFileBytes(testsupport::DataFolderPath("out.pxa")), QByteArray("old contents\r\n"));
  EXPECT_EQ(QDir(testsupport::ProgramDataFolder()).entryList(QDir::Files), QStringList{QStringLiteral("out.pxa")});
}

TEST_F(YfileTest, FilesThatCannotBeOpenedAreReported) {
  file = NewYfile();
  file->SetFileName(testsupport::DataFolderPath("missing.pxa"));
  prompter.Answer(praxel::AnswerOk);
  EXPECT_FALSE(file->OpenRead());
  EXPECT_EQ(prompter.Asked().at(0).title, QStringLiteral("File Open Error"));
  EXPECT_TRUE(prompter.Asked().at(0).text.startsWith(QStringLiteral("Attempting the read from the file ") +
                                                      testsupport::DataFolderPath("missing.pxa") +
                                                      QStringLiteral(" caused the following error: \r\n")));
  file->SetFileName(testsupport::DataFolderPath("missing.cfg"));
  EXPECT_FALSE(file->OpenRead());  // the settings file is missing silently

  ASSERT_TRUE(QDir().mkpath(testsupport::DataFolderPath("folder.pxa")));
  file->SetFileName(testsupport::DataFolderPath("folder.pxa"));
  prompter.Answer(praxel::AnswerOk);
  EXPECT_FALSE(file->OpenWrite());
  EXPECT_TRUE(prompter.Asked().at(1).text.startsWith(QStringLiteral("Attempting the write to the file ")));
}

}  // namespace
