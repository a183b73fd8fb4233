#include "Packer.h"
#include "WindowIndex.h"

#include "CaseName.h"
#include "RuntimeError.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <random>
#include <utility>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <string>
#include <string_view>

using praxel::PackDamage;
using praxel::PackDamageError;
using praxel::PackDecoder;
using praxel::PackEncoder;
using praxel::PackWindow;
using praxel::WindowIndex;

namespace {

QByteArray Bytes(std::initializer_list<int> codes) {
  QByteArray bytes;
  for (const int code : codes) bytes.append(static_cast<char>(code));
  return bytes;
}

std::string Hex(const QByteArray& bytes) { return bytes.toHex(' ').toUpper().toStdString(); }

// The check value computed bit by bit, independently of the packer's table.
quint16 BitwiseCrc(QByteArrayView text) {
  unsigned crc = 0;
  for (const char code : text) {
    crc ^= static_cast<unsigned char>(code) << 8;
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 0x8000) ? ((crc << 1) ^ 0x1021) & 0xFFFF : (crc << 1) & 0xFFFF;
  }
  return static_cast<quint16>(crc);
}

QByteArray Suffix(QByteArrayView text) {
  const quint16 crc = BitwiseCrc(text);
  return Bytes({0xFF, 0xFF, crc >> 8, crc & 0xFF});
}

// Another place where the window holds its own text at [offset, offset + length) followed by
// `code`, or -1: the places of the text are tried in window order from just after offset, going
// round to index 0 after a try finds none or finds one that ends the window, as many tries as
// the text is long.
int PlainContinuation(std::string_view window, size_t offset, size_t length, char code) {
  const std::string_view text = window.substr(offset, length);
  size_t start = offset + 1;
  for (size_t attempt = 0; attempt < length; ++attempt) {
    const size_t place = window.find(text, start);
    if (place == std::string_view::npos || place + length >= window.size()) {
      start = 0;
    } else if (window[place + length] == code) {
      return static_cast<int>(place);
    } else {
      start = place + 1;
    }
  }
  return -1;
}

// The packing steps written out plainly: the window is a string, every search a scan of it, and
// the rest of the pending text is matched again when a window update overwrote it.
class ReferencePacker {
 public:
  ReferencePacker() : window_(praxel::kWindowSize, '\0') {
    for (int i = 0; i < praxel::kWindowSize; ++i) window_[i] = static_cast<char>(i % 256);
  }

  QByteArray Pack(QByteArrayView text) {
    for (const char code : text) Add(code);
    while (!pending_.empty()) Emit();
    return output_ + Suffix(text);
  }

  int rematches = 0;

 private:
  void Add(char code) {
    for (;;) {
      if (pending_.empty()) match_ = static_cast<unsigned char>(code);
      const size_t end = match_ + pending_.size();
      if (end < window_.size() && window_[end] == code) break;
      if (Search(code)) break;
      Emit();
    }
    pending_ += code;
    if (pending_.size() == 128) Emit();
  }

  bool Search(char code) {
    const int place = PlainContinuation(window_, match_, pending_.size(), code);
    if (place >= 0) match_ = static_cast<size_t>(place);
    return place >= 0;
  }

  void Emit() {
    size_t length = 1;
    int exponent = 0;
    while (length * 2 <= pending_.size()) {
      length *= 2;
      ++exponent;
    }
    output_.append(static_cast<char>(match_ / 32));
    output_.append(static_cast<char>((match_ % 32) * 8 + exponent));

    const std::string text = pending_.substr(0, length);
    if (match_ <= copyPosition_ && copyPosition_ < match_ + 2 * length) copyPosition_ = match_ + 2 * length;
    if (copyPosition_ + length > window_.size()) copyPosition_ = 256;
    window_.replace(copyPosition_, length, text);
    copyPosition_ += length;

    pending_.erase(0, length);
    match_ += length;
    if (!pending_.empty() && window_.compare(match_, pending_.size(), pending_) != 0) {
      ++rematches;
      const std::string rest = pending_;
      pending_.clear();
      for (const char code : rest) Add(code);
    }
  }

  std::string window_;
  size_t copyPosition_ = praxel::kWindowSize;
  std::string pending_;
  size_t match_ = 0;
  QByteArray output_;
};

// Project-file text of the shape the program writes: records and indented fields.
QByteArray RecordText(std::mt19937& random, int tasks) {
  static const char* const kWords[] = {"Pour", "the", "deck", "Frame", "walls", "Install", "roof", "trusses",
                                       "Inspect", "wiring", "Paint", "trim", "Order", "windows", "Grade", "site"};
  const auto pick = [&](int count) { return static_cast<int>(random() % static_cast<unsigned>(count)); };
  QByteArray text = "PROJECT\r\n  ProjectName,\"House on Elm\"\r\n  Start,03/01/1999 08:00am\r\n";
  for (int id = 1; id <= tasks; ++id) {
    text += "TASK\r\n  TaskID," + QByteArray::number(id) + "\r\n  Description,\"";
    for (int word = 0, words = 2 + pick(3); word < words; ++word) text += QByteArray(word ? " " : "") + kWords[pick(16)];
    text += "\"\r\n  Effort," + QByteArray::number(pick(400) / 4.0) + "\r\n  Start,0" + QByteArray::number(1 + pick(9)) +
            "/" + QByteArray::number(10 + pick(18)) + "/1999 0" + QByteArray::number(1 + pick(9)) + ":00am\r\n";
    if (id > 1 && pick(2) == 0)
      text += "DEPENDENCY\r\n  Predecessor,\"House on Elm\"," + QByteArray::number(1 + pick(id - 1)) + "\r\n  Lag,0\r\n";
  }
  return text;
}

QByteArray RandomCodes(std::mt19937& random, int length, const QByteArray& alphabet) {
  QByteArray text(length, '\0');
  for (char& code : text) code = alphabet[static_cast<int>(random() % static_cast<unsigned>(alphabet.size()))];
  return text;
}

QByteArray AllCodes() {
  QByteArray codes(256, '\0');
  for (int i = 0; i < 256; ++i) codes[i] = static_cast<char>(i);
  return codes;
}

Packing::Unpacked Unpack(const QByteArray& packed) { return Packing::UnpackBytes(packed); }

// ---------------------------------------------------------------------------------------------
// The byte layout, on worked examples.

struct PackExample {
  const char* name;
  QByteArray text;
  QByteArray packed;
};

void PrintTo(const PackExample& example, std::ostream* out) { *out << example.name; }

QByteArray Consecutive(int first, int count) {
  QByteArray codes;
  for (int i = 0; i < count; ++i) codes.append(static_cast<char>(first + i));
  return codes;
}

class PackExampleTest : public testing::TestWithParam<PackExample> {};

TEST_P(PackExampleTest, PacksToTheseBytesAndBack) {
  const PackExample& example = GetParam();
  const QByteArray packed = Packing::PackBytes(example.text);
  EXPECT_EQ(Hex(packed), Hex(example.packed));
  const Packing::Unpacked unpacked = Unpack(packed);
  EXPECT_EQ(unpacked.error, QString());
  EXPECT_EQ(Hex(unpacked.data), Hex(example.text));
}

INSTANTIATE_TEST_SUITE_P(
    Layout, PackExampleTest,
    testing::Values(
        // A two-code tag at 97, a one-code tag at 99, the end mark, the check value.
        PackExample{"abc", "abc", Bytes({0x03, 0x09, 0x03, 0x18, 0xFF, 0xFF, 0x9D, 0xD6})},
        PackExample{"NoText", "", Bytes({0xFF, 0xFF, 0x00, 0x00})},
        PackExample{"Code255", Bytes({0xFF}), Bytes({0x07, 0xF8}) + Suffix(Bytes({0xFF}))},
        // Seven pending codes leave as 4, 2 and 1 codes at 97, 101 and 103.
        PackExample{"SevenPending", "abcdefg", Bytes({0x03, 0x0A, 0x03, 0x29, 0x03, 0x38}) + Suffix("abcdefg")},
        PackExample{"FullPiece", Consecutive(0, 128), Bytes({0x00, 0x07}) + Suffix(Consecutive(0, 128))},
        // A run of one code doubles its pieces through the window: every run of four codes in it
        // is the same, so none of them narrows the search.
        PackExample{"RunOfOneCode", QByteArray(200, 'a'),
                    Bytes({0x03, 0x08, 0x03, 0x08, 0x08, 0x01, 0x08, 0x01, 0x08, 0x22, 0x08, 0x22, 0x08, 0x63, 0x08,
                           0x63, 0x08, 0xE4, 0x08, 0xE4, 0x09, 0xE5, 0x09, 0xE5, 0x0B, 0xE6, 0x08, 0xE3, 0x09, 0x21}) +
                        Suffix(QByteArray(200, 'a'))},
        // FF 00 first matches at 255, across the first copy destination 256: after the tag for FF 00
        // the window no longer holds 01 at 257, so the 01 is matched again at its own index.
        PackExample{"MatchAcrossFirstCopy", Bytes({0xFF, 0x00, 0x01}),
                    Bytes({0x07, 0xF9, 0x00, 0x08}) + Suffix(Bytes({0xFF, 0x00, 0x01}))}),
    testsupport::CaseName());

TEST(PackCheckTest, IsCrc16Xmodem) {
  PackEncoder encoder;
  encoder.Write(QByteArrayView("123456789"));
  EXPECT_EQ(encoder.Check(), 0x31C3);
}

TEST(PackEncoderTest, EmitsAFullPieceAsSoonAsItsLastCodeArrives) {
  PackEncoder encoder;
  const QByteArray codes = Consecutive(0, 128);
  encoder.Write(codes.first(127));
  EXPECT_EQ(Hex(encoder.TakeOutput()), "");
  encoder.Write(codes.back());
  EXPECT_EQ(Hex(encoder.TakeOutput()), "00 07");
  encoder.Finish();
  EXPECT_EQ(Hex(encoder.TakeOutput()), Hex(Suffix(codes)));
}

TEST(PackEncoderTest, ChunksGiveTheSameBytesAsTheWholeText) {
  std::mt19937 random(7);
  const QByteArray text = RecordText(random, 200);
  const QByteArray whole = Packing::PackBytes(text);
  for (const int chunk : {1, 3, 64, 1000}) {
    PackEncoder encoder;
    QByteArray packed;
    for (qsizetype from = 0; from < text.size(); from += chunk) {
      encoder.Write(text.mid(from, chunk));
      packed += encoder.TakeOutput();
    }
    encoder.Finish();
    packed += encoder.TakeOutput();
    EXPECT_EQ(packed, whole) << "chunks of " << chunk;
  }
}

TEST(PackEncoderTest, WritingAfterFinishIsAnAssertion) {
  PackEncoder encoder;
  encoder.Finish();
  try {
    encoder.Write('a');
    FAIL() << "no error";
  } catch (const praxel::RuntimeError& error) {
    EXPECT_EQ(error.Number(), praxel::errProgram);
    EXPECT_EQ(error.Description(), QStringLiteral("Assertion failed"));
  }
}

// ---------------------------------------------------------------------------------------------
// The window both sides keep.

TEST(PackWindowTest, FirstPieceLandsAt256AndTheFixedCodesNeverChange) {
  PackWindow window;
  EXPECT_EQ(window.Record(97, 2), 256);
  EXPECT_EQ(window.At(256), 97);
  EXPECT_EQ(window.At(257), 98);

  std::mt19937 random(3);
  for (int i = 0; i < 5000; ++i) {
    const int length = 1 << (random() % 8);
    window.Record(static_cast<int>(random() % (praxel::kWindowSize - length + 1)), length);
  }
  for (int i = 0; i < praxel::kFixedCodes; ++i) ASSERT_EQ(window.At(i), i);
}

TEST(PackWindowTest, CopyJumpsOverTheTextBehindThePieceAndWrapsTo256) {
  PackWindow window;
  EXPECT_EQ(window.Record(300, 8), 256);  // copy position now 264
  // The copy position 264 lies within 260 .. 260 + 2 * 8, so the copy goes behind that.
  EXPECT_EQ(window.CopyDestination(260, 8), 276);
  EXPECT_EQ(window.CopyDestination(265, 8), 264);  // before the piece: stays
  // Pieces of 128 fill the window up to its end, then start again at 256.
  int destination = 264;
  while (destination + 128 <= praxel::kWindowSize) destination = window.Record(0, 128) + 128;
  EXPECT_EQ(window.Record(0, 128), 256);
}

// ---------------------------------------------------------------------------------------------
// The packer gives exactly the bytes of the plain steps, and they read back.

QByteArray AnyCodes(std::mt19937& random, int length) { return RandomCodes(random, length, AllCodes()); }
QByteArray TwoCodes(std::mt19937& random, int length) { return RandomCodes(random, length, "ab"); }
QByteArray FourCodes(std::mt19937& random, int length) { return RandomCodes(random, length, "abcd"); }
QByteArray Records(std::mt19937& random, int length) { return RecordText(random, length / 60); }

// Runs of ascending codes, most of them running up to 255 and on from 0: a pending text that
// starts in the fixed codes runs on into index 256, where the copy lands after the window wraps.
QByteArray AscendingRuns(std::mt19937& random, int length) {
  const auto pick = [&](int count) { return static_cast<int>(random() % static_cast<unsigned>(count)); };
  QByteArray text;
  while (text.size() < length) {
    const int from = pick(2) ? 255 - pick(8) : pick(256);
    for (int i = 0, count = 1 + pick(100); i < count; ++i) text.append(static_cast<char>((from + i) % 256));
  }
  return text;
}

// Runs of one code, some longer than the longest piece.
QByteArray RunsOfOneCode(std::mt19937& random, int length) {
  QByteArray text;
  while (text.size() < length) {
    const int count = 1 + static_cast<int>(random() % 300);
    text.append(QByteArray(count, "ab \n"[random() % 4]));
  }
  return text;
}

struct Corpus {
  const char* name;
  QByteArray (*make)(std::mt19937& random, int length);
  int length;
  bool overwritesPendingRest;  // the corpus must reach the case where the rest is matched again
};

void PrintTo(const Corpus& corpus, std::ostream* out) { *out << corpus.name; }

class PackAgreementTest : public testing::TestWithParam<Corpus> {};

TEST_P(PackAgreementTest, MatchesThePlainStepsAndReadsBack) {
  const Corpus& corpus = GetParam();
  std::mt19937 random(11);
  int rematches = 0;
  for (int round = 0; round < 12; ++round) {
    // Most texts are long enough for the copy to go round the window.
    const int length = corpus.length / 2 + static_cast<int>(random() % static_cast<unsigned>(corpus.length / 2 + 1));
    const QByteArray text = corpus.make(random, length);
    ReferencePacker reference;
    const QByteArray expected = reference.Pack(text);
    rematches += reference.rematches;
    const QByteArray packed = Packing::PackBytes(text);
    ASSERT_EQ(packed, expected) << corpus.name << " round " << round << ", " << text.size() << " codes";
    const Packing::Unpacked unpacked = Unpack(packed);
    ASSERT_EQ(unpacked.error, QString());
    ASSERT_EQ(unpacked.data, text) << corpus.name << " round " << round;
  }
  if (corpus.overwritesPendingRest) {
    EXPECT_GT(rematches, 0) << "the corpus never overwrote a pending rest";
  }
}

INSTANTIATE_TEST_SUITE_P(Random, PackAgreementTest,
                         testing::Values(Corpus{"AnyCodes", AnyCodes, 30000, false},
                                         Corpus{"TwoCodes", TwoCodes, 12000, false},
                                         Corpus{"FourCodes", FourCodes, 24000, false},
                                         Corpus{"AscendingRuns", AscendingRuns, 24000, true},
                                         Corpus{"RunsOfOneCode", RunsOfOneCode, 24000, false},
                                         Corpus{"RecordText", Records, 40000, false}),
                         testsupport::CaseName());

// Texts that end just before, at and just after the longest piece, the fixed codes and the
// window's size, of the kinds that the index finds places of in different ways.
TEST(PackSizesTest, TextsAroundThePieceAndWindowSizesMatchThePlainSteps) {
  std::mt19937 random(13);
  const std::pair<const char*, QByteArray (*)(std::mt19937&, int)> kinds[] = {
      {"FourCodes", FourCodes}, {"Records", Records}, {"RunsOfOneCode", RunsOfOneCode}};
  for (const int length : {127, 128, 129, 255, 256, 257, 8191, 8192, 8193, 16384}) {
    for (const auto& [name, make] : kinds) {
      const QByteArray text = make(random, std::max(length, 600)).left(length);
      ASSERT_EQ(text.size(), length) << name;
      const QByteArray packed = Packing::PackBytes(text);
      ASSERT_EQ(packed, ReferencePacker().Pack(text)) << name << ", " << length << " codes";
      ASSERT_EQ(Unpack(packed).data, text) << name << ", " << length << " codes";
    }
  }
}

// The places of a code pair are scanned for many indexes at a time: the answer is the plain
// scan's from every start, up to the last index the scan may read.
TEST(WindowIndexTest, PairScanFindsWhatThePlainScanFinds) {
  const WindowIndex::FindPair plain = WindowIndex::PlainPairScan();
  const WindowIndex::FindPair fastest = WindowIndex::FastestPairScan();
  std::mt19937 random(17);
  QByteArray codes = RandomCodes(random, praxel::kWindowSize, "aaab");
  // A rare pair, some of it at the window's far end.
  for (const int at : {40, 3000, praxel::kWindowSize - 70, praxel::kWindowSize - 33, praxel::kWindowSize - 1}) codes[at] = 'c';
  const auto* window = reinterpret_cast<const unsigned char*>(codes.constData());
  for (const int distance : {1, 2, 31, 32, 127}) {
    const int to = praxel::kWindowSize - 1 - distance;
    for (const auto& [first, last] : {std::pair{'a', 'b'}, std::pair{'c', 'c'}, std::pair{'b', 'c'}, std::pair{'d', 'a'}}) {
      const WindowIndex::PairScan scan{window, distance, static_cast<unsigned char>(first), static_cast<unsigned char>(last)};
      for (int from = 0; from <= to + 1; from += from < 100 || from > to - 100 ? 1 : 97) {
        ASSERT_EQ(fastest(scan, from, to), plain(scan, from, to))
            << "distance " << distance << ", pair " << first << last << ", from " << from;
        ASSERT_EQ(fastest(scan, from, to - 5), plain(scan, from, to - 5))
            << "distance " << distance << ", pair " << first << last << ", from " << from << ", short end";
      }
    }
  }
}

// The index answers as the plain search does while the window changes under it: writes of
// repeated and of new text, going forward through the window sweep after sweep as the packer's
// do, and now and then anywhere.
TEST(WindowIndexTest, FindsWhatThePlainSearchFinds) {
  std::mt19937 random(19);
  const auto pick = [&](int count) { return static_cast<int>(random() % static_cast<unsigned>(count)); };
  std::string window(praxel::kWindowSize, '\0');
  for (int i = 0; i < praxel::kWindowSize; ++i) window[i] = static_cast<char>(i % 256);
  WindowIndex index(reinterpret_cast<const unsigned char*>(window.data()));
  const std::string alphabet = "abcd";

  int writeEnd = praxel::kFixedCodes;
  int found = 0;
  for (int write = 0; write < 4000; ++write) {
    const int length = 1 + pick(praxel::kLongestPiece);
    int from = pick(20) == 0 ? praxel::kFixedCodes + pick(praxel::kWindowSize - praxel::kFixedCodes - length + 1)
                             : writeEnd + pick(3) * pick(40);
    if (from + length > praxel::kWindowSize) from = praxel::kFixedCodes;
    if (pick(2) == 0) {
      const int source = pick(praxel::kWindowSize - length + 1);
      window.replace(from, length, std::string(window, source, length));
    } else {
      for (int i = 0; i < length; ++i) window[from + i] = pick(10) ? alphabet[pick(4)] : static_cast<char>(pick(256));
    }
    index.Changed(from, length);
    writeEnd = from + length;

    for (int query = 0; query < 8; ++query) {
      // Single codes searched from their fixed index, as pending texts begin, and longer texts.
      const int sought = pick(3) == 0 ? 1 + pick(40) : 1;
      const int offset = sought == 1 && pick(2) ? static_cast<unsigned char>(alphabet[pick(4)])
                                                : pick(praxel::kWindowSize - sought + 1);
      const char code = alphabet[pick(4)];
      // The packer searches only when the code does not follow the text where it stands.
      if (offset + sought < praxel::kWindowSize && window[offset + sought] == code) continue;
      const int expected = PlainContinuation(window, offset, sought, code);
      found += expected >= 0;
      ASSERT_EQ(index.FindContinuation(offset, sought, static_cast<unsigned char>(code)), expected)
          << "write " << write << ", text of " << sought << " at " << offset << " followed by " << code;
    }
  }
  EXPECT_GT(found, 1000) << "the searches rarely found a place";
}

TEST(PackRoundTripTest, ReaderEndsWithTheWritersCheckValue) {
  std::mt19937 random(5);
  const QByteArray text = RecordText(random, 300);
  PackEncoder encoder;
  encoder.Write(text);
  const quint16 written = encoder.Check();
  encoder.Finish();

  QBuffer device;
  device.setData(encoder.TakeOutput());
  device.open(QIODevice::ReadOnly);
  PackDecoder decoder(device);
  QByteArray read;
  for (QByteArrayView piece = decoder.ReadTag(); !piece.isEmpty(); piece = decoder.ReadTag()) {
    EXPECT_LE(piece.size(), 128);
    read += piece;
  }
  EXPECT_TRUE(decoder.AtEnd());
  EXPECT_EQ(read, text);
  EXPECT_EQ(decoder.Check(), written);
  EXPECT_TRUE(decoder.ReadTag().isEmpty());  // stays at the end
}

// ---------------------------------------------------------------------------------------------
// Damaged packed data.

struct DamageCase {
  const char* name;
  QByteArray packed;
  PackDamage damage;
};

void PrintTo(const DamageCase& damage, std::ostream* out) { *out << damage.name; }

class PackDamageTest : public testing::TestWithParam<DamageCase> {};

TEST_P(PackDamageTest, IsReportedNotReadAsText) {
  const DamageCase& damage = GetParam();
  QBuffer device;
  device.setData(damage.packed);
  device.open(QIODevice::ReadOnly);
  PackDecoder decoder(device, QStringLiteral("x.pxb"));
  bool raised = false;
  try {
    while (!decoder.ReadTag().isEmpty()) {
    }
  } catch (const PackDamageError& error) {
    raised = true;
    EXPECT_EQ(error.Damage(), damage.damage);
    EXPECT_EQ(error.Number(), praxel::errProgram);
    EXPECT_EQ(error.Description(), QStringLiteral("The file \"x.pxb\" is damaged and cannot be read."));
  }
  ASSERT_TRUE(raised);
  EXPECT_FALSE(decoder.AtEnd());
  // A caller that goes on reading meets the same error again, never more text.
  EXPECT_THROW(decoder.ReadTag(), PackDamageError);

  const Packing::Unpacked unpacked = Unpack(damage.packed);
  EXPECT_EQ(unpacked.error, QStringLiteral("The packed data is damaged and cannot be read."));
  EXPECT_TRUE(unpacked.data.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PackDamageTest,
    testing::Values(
        DamageCase{"NoBytes", QByteArray(), PackDamage::Truncated},
        DamageCase{"NoEndMark", Bytes({0x03, 0x09, 0x03, 0x18}), PackDamage::Truncated},
        DamageCase{"HalfATag", Bytes({0x03, 0x09, 0x03}), PackDamage::Truncated},
        DamageCase{"NoCheckValue", Bytes({0x03, 0x09, 0x03, 0x18, 0xFF, 0xFF}), PackDamage::Truncated},
        DamageCase{"WrongCheckValue", Bytes({0x03, 0x09, 0x03, 0x18, 0xFF, 0xFF, 0x9D, 0xD7}),
                   PackDamage::WrongCheckValue},
        DamageCase{"BytesAfterTheCheckValue", Bytes({0x03, 0x09, 0x03, 0x18, 0xFF, 0xFF, 0x9D, 0xD6, 0x00}),
                   PackDamage::DataAfterEnd},
        // The reader's own rule reads these tags for FF 00 01 (a match across the first copy
        // destination, emitted without matching the rest again) as FF 00 00: the check value
        // tells.
        DamageCase{"TagsOfAnOverwrittenRest", Bytes({0x07, 0xF9, 0x08, 0x08}) + Suffix(Bytes({0xFF, 0x00, 0x01})),
                   PackDamage::WrongCheckValue}),
    testsupport::CaseName());

TEST(PackReaderTest, DecodesTagsByTheWindowAsUpdated) {
  // The same tags with the check value of what the window gives: FF 00 00.
  const Packing::Unpacked unpacked = Unpack(Bytes({0x07, 0xF9, 0x08, 0x08}) + Suffix(Bytes({0xFF, 0x00, 0x00})));
  EXPECT_EQ(unpacked.error, QString());
  EXPECT_EQ(Hex(unpacked.data), "FF 00 00");
}

TEST(PackReaderTest, DamageMessageNamesTheFileWhenThereIsOne) {
  EXPECT_EQ(praxel::DamagedFileMessage(QStringLiteral("x.pxb")),
            QStringLiteral("The file \"x.pxb\" is damaged and cannot be read."));
  EXPECT_EQ(praxel::DamagedFileMessage(QString()), QStringLiteral("The packed data is damaged and cannot be read."));
}

class DamagedBundleTest : public testing::Test {
 protected:
  DamagedBundleTest() {
    std::mt19937 random(2);
    text = RecordText(random, 6);
    packed = Packing::PackBytes(text);
  }
  QByteArray text;
  QByteArray packed;
};

TEST_F(DamagedBundleTest, EveryFlippedByteGivesTheTextOrAnError) {
  for (qsizetype at = 0; at < packed.size(); ++at) {
    for (const int mask : {0x01, 0x08, 0x20, 0x80, 0xFF}) {
      QByteArray damaged = packed;
      damaged[at] = static_cast<char>(damaged[at] ^ mask);
      const Packing::Unpacked unpacked = Unpack(damaged);
      if (unpacked.error.isEmpty()) {
        ASSERT_EQ(unpacked.data, text) << "byte " << at << " mask " << mask;
      } else {
        ASSERT_TRUE(unpacked.data.isEmpty());
      }
    }
  }
}

TEST_F(DamagedBundleTest, EveryTruncationIsAnError) {
  for (qsizetype length = 0; length < packed.size(); ++length) {
    QBuffer device;
    device.setData(packed.first(length));
    device.open(QIODevice::ReadOnly);
    PackDecoder decoder(device);
    try {
      while (!decoder.ReadTag().isEmpty()) {
      }
      FAIL() << "no error at length " << length;
    } catch (const PackDamageError& error) {
      EXPECT_EQ(error.Damage(), PackDamage::Truncated) << "length " << length;
    }
  }
}

// ---------------------------------------------------------------------------------------------
// pxtool pack and unpack.

class PxtoolTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(QFileInfo::exists(program)) << "pxtool is not built at " << program.toStdString();
  }

  struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
  };

  Run Pxtool(const QStringList& arguments, const QByteArray& input = QByteArray()) const {
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForStarted());
    process.write(input);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
  }

  QString Path(const QString& name) const { return folder.filePath(name); }

  static void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  static QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/../../bin/pxtool");
  QTemporaryDir folder;
};

TEST_F(PxtoolTest, PackAndUnpackRoundTrip) {
  std::mt19937 random(9);
  const QByteArray text = RecordText(random, 50);
  WriteFile(Path("plan.pxa"), text);

  Run run = Pxtool({"pack", Path("plan.pxa"), Path("plan.pxb")});
  EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_EQ(ReadFile(Path("plan.pxb")), Packing::PackBytes(text));

  run = Pxtool({"unpack", Path("plan.pxb"), Path("back.pxa")});
  EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_EQ(ReadFile(Path("back.pxa")), text);

  // "-" stands for standard input and output.
  run = Pxtool({"pack", "-", "-"}, text);
  EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_EQ(run.out, Packing::PackBytes(text));
  run = Pxtool({"unpack", "-", "-"}, run.out);
  EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_EQ(run.out, text);
}

TEST_F(PxtoolTest, UnreadableInputExitsWith2AndOneLine) {
  QByteArray damaged = Packing::PackBytes("TASK\r\n  TaskID,1\r\n");
  damaged[damaged.size() - 1] = static_cast<char>(damaged.back() ^ 0x01);
  WriteFile(Path("bad.pxb"), damaged);
  const QString target = Path("out.pxa");

  struct Case {
    QStringList arguments;
    QByteArray input;
    QString message;
  };
  const QString badFile = Path("bad.pxb");
  const QString missingFile = Path("missing.pxa");
  const Case cases[] = {
      {{"unpack", badFile, target}, {}, QStringLiteral("The file \"%1\" is damaged and cannot be read.").arg(badFile)},
      {{"unpack", "-", target}, damaged, QStringLiteral("The packed data is damaged and cannot be read.")},
      {{"pack", missingFile, target}, {}, QStringLiteral("The file \"%1\" cannot be read").arg(missingFile)},
  };
  for (const Case& test : cases) {
    const Run run = Pxtool(test.arguments, test.input);
    EXPECT_EQ(run.exitCode, 2) << test.arguments.join(' ').toStdString();
    EXPECT_TRUE(run.err.endsWith('\n'));
    EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
    EXPECT_TRUE(QString::fromLocal8Bit(run.err).contains(test.message)) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(target)) << "partial output written";
  }
}

TEST_F(PxtoolTest, OutputThatCannotBeWrittenIsAFailure) {
  // A device that refuses every write, like /dev/full: a target that is not a plain file is
  // written in place, never replaced by one.
  const QString full = Path("full");
  if (mknod(QFile::encodeName(full).constData(), S_IFCHR | 0666, makedev(1, 7)) != 0) {
    GTEST_SKIP() << "making a device node needs root";
  }
  WriteFile(Path("plan.pxa"), "TASK\r\n  TaskID,1\r\n");

  Run run = Pxtool({"pack", Path("plan.pxa"), full});
  EXPECT_EQ(run.exitCode, 3) << run.err.toStdString();
  EXPECT_FALSE(QFileInfo(full).isFile()) << "the device was replaced by a plain file";

  // Standard output on that device: the copy commands and the printing commands alike.
  for (const QStringList& arguments : {QStringList{"pack", Path("plan.pxa"), "-"},
                                       QStringList{"solve", QStringLiteral(PRAXEL_EXAMPLES "/plant.pxa")}}) {
    QProcess process;
    process.setStandardOutputFile(full);
    process.start(program, arguments);
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 3) << arguments.join(' ').toStdString() << ": "
                                     << process.readAllStandardError().toStdString();
  }
}

TEST_F(PxtoolTest, WrongCallPrintsUsage) {
  for (const QStringList& arguments : {QStringList{}, QStringList{"frobnicate"}, QStringList{"pack", "only-one"}}) {
    const Run run = Pxtool(arguments);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains("usage: pxtool")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("pack IN OUT")) << run.err.toStdString();
  }
}

}  // namespace
