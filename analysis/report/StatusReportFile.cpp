#include "StatusReportFile.h"

#include "SaveFile.h"

#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <optional>
#include <tuple>

namespace {

const QString kControlCharacters = QStringLiteral("-0123456789abcdefghijklmnopqrstuvwxyz");
constexpr int kLineLength = 80;

bool IsControlCharacter(QChar c) { return kControlCharacters.contains(c.toLower()); }

bool IsLight(const QString& token) {
  return token == QLatin1String("G") || token == QLatin1String("Y") || token == QLatin1String("R");
}

// A colour word: "\cf" and a number, with or without its delimiting blank.
bool IsColorWord(const QString& token) {
  static const QRegularExpression colorWord(QStringLiteral("^\\\\cf\\d+ ?$"));
  return colorWord.match(token).hasMatch();
}

int ColorNumber(const QString& colorWord) { return colorWord.trimmed().mid(3).toInt(); }

// The letter a cell begins with and the colour word that colours it: the one in force at the
// letter, or else the first one after it in the cell.
struct CellColor {
  QString letter;
  std::optional<int> color;
};

}  // namespace

QStringList StatusReportFile::Tokenize(const QString& text) {
  QStringList tokens;
  for (const QString& line : text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")), Qt::SkipEmptyParts)) {
    qsizetype at = 0;
    while (at < line.size()) {
      const QChar first = line.at(at);
      qsizetype end = at + 1;
      if (first == QLatin1Char('{') || first == QLatin1Char('}')) {
        tokens.append(QString(first));
      } else if (first == QLatin1Char('\\')) {
        while (end < line.size() && IsControlCharacter(line.at(end))) ++end;
        QString token;
        if (at + 1 == line.size()) {
          // A backslash that ends its line stands for the line break after it (a paragraph
          // mark): the token keeps the break, so that it is written back at a line's end and not
          // joined to what follows.
          token = QStringLiteral("\\\r\n");
        } else if (end == at + 1) {
          // A control symbol: the backslash and the one character after it.
          ++end;
          token = line.mid(at, end - at);
        } else if (end < line.size() && line.at(end) == QLatin1Char(' ')) {
          ++end;
          token = line.mid(at, end - at);
        } else {
          token = line.mid(at, end - at);
          // The line's end delimited the word; the word keeps a blank instead, so that whatever
          // follows it on the next line is not read as part of it.
          if (end == line.size()) token += QLatin1Char(' ');
        }
        tokens.append(token);
      } else {
        while (end < line.size() && line.at(end) != QLatin1Char('{') && line.at(end) != QLatin1Char('}') &&
               line.at(end) != QLatin1Char('\\')) {
          ++end;
        }
        tokens.append(line.mid(at, end - at));
      }
      at = end;
    }
  }
  return tokens;
}

bool StatusReportFile::Read(const QString& path, QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    if (error != nullptr) *error = file.errorString();
    return false;
  }
  tokens_ = Tokenize(QString::fromLatin1(file.readAll()));
  rows_.clear();
  itemTableRows_.clear();
  colors_.clear();
  headingRow_ = -1;
  int tableRow = 0;
  QStringList cells;
  QString cellText;
  QList<CellColor> cellColors;
  CellColor cellColor;
  std::optional<int> color;               // the colour word in force
  QList<std::optional<int>> outerColors;  // the colour in force around each open group
  for (const QString& token : tokens_) {
    const QString bare = token.trimmed();
    if (bare == QLatin1String("{")) {
      outerColors.append(color);
    } else if (bare == QLatin1String("}")) {
      if (!outerColors.isEmpty()) color = outerColors.takeLast();
    } else if (IsColorWord(token)) {
      color = ColorNumber(token);
      if (!cellColor.letter.isEmpty() && !cellColor.color) cellColor.color = color;
    } else if (bare == QLatin1String("\\plain")) {
      color.reset();
    } else if (bare == QLatin1String("\\cell")) {
      cells.append(cellText);
      cellColors.append(cellColor);
      cellText.clear();
      cellColor = CellColor();
    } else if (bare == QLatin1String("\\row")) {
      if (cells.size() == 4) {
        itemTableRows_.insert(tableRow);
        if (headingRow_ < 0) headingRow_ = tableRow;
        while (rows_.size() < tableRow - headingRow_ + 1) rows_.append(Row());
        Row& row = rows_.last();
        row.item = cells.at(1).trimmed();
        if (rows_.size() > 1) {
          const QString previous = cells.at(0).trimmed().left(1);
          const QString present = cells.at(2).trimmed().left(1);
          row.previous = IsLight(previous) ? previous : QString();
          row.present = IsLight(present) ? present : QString();
          // The colour the report gives each letter: its first use in a light cell.
          for (const CellColor& light : {cellColors.at(0), cellColors.at(2)}) {
            if (IsLight(light.letter) && light.color && !colors_.contains(light.letter)) {
              colors_.insert(light.letter, *light.color);
            }
          }
        }
      }
      cells.clear();
      cellColors.clear();
      ++tableRow;
    } else if (!token.startsWith(QLatin1Char('\\'))) {
      if (cellColor.letter.isEmpty() && !bare.isEmpty()) cellColor = {bare.left(1), color};
      cellText += token;
    }
  }
  GuessColorsFromTable();
  return true;
}

void StatusReportFile::GuessColorsFromTable() {
  // The colour table: "{\colortbl" then entries of \redN \greenN \blueN, each closed by ";".
  const qsizetype start = tokens_.indexOf(QStringLiteral("\\colortbl"));
  const qsizetype startWithBlank = tokens_.indexOf(QStringLiteral("\\colortbl "));
  const qsizetype at = start >= 0 ? start : startWithBlank;
  if (at < 0) return;
  int index = 0;
  int rgb[3] = {0, 0, 0};
  const auto guess = [&](const QString& light, bool matches) {
    if (matches && !colors_.contains(light)) colors_.insert(light, index);
  };
  for (qsizetype i = at + 1; i < tokens_.size() && tokens_.at(i) != QLatin1String("}"); ++i) {
    const QString token = tokens_.at(i).trimmed();
    static const QRegularExpression part(QStringLiteral("^\\\\(red|green|blue)(\\d+)$"));
    if (const QRegularExpressionMatch match = part.match(token); match.hasMatch()) {
      const int which = match.captured(1) == QLatin1String("red") ? 0 : match.captured(1) == QLatin1String("green") ? 1 : 2;
      rgb[which] = match.captured(2).toInt();
      continue;
    }
    for (const QChar c : token) {
      if (c != QLatin1Char(';')) continue;
      // An entry ends: a green, yellow or red of the traffic light, by its strongest components.
      const auto [r, g, b] = std::tuple(rgb[0], rgb[1], rgb[2]);
      if (index > 0) {
        guess(QStringLiteral("G"), g > 100 && r < g / 2 && b < g / 2);
        guess(QStringLiteral("Y"), r > 150 && g > 120 && b < std::min(r, g) / 2);
        guess(QStringLiteral("R"), r > 100 && g < r / 2 && b < r / 2);
      }
      ++index;
      rgb[0] = rgb[1] = rgb[2] = 0;
    }
  }
}

int StatusReportFile::ColorIndex(const QString& light) const { return colors_.value(light, 0); }

bool StatusReportFile::Write(const QString& path, const QList<Row>& rows, const QString& budgetPicture,
                             const QString& ganttPicture, QString* error) const {
  QStringList pictures;
  for (const QString& picture : {budgetPicture, ganttPicture}) {
    if (!picture.isEmpty()) pictures.append(picture);
  }
  // The item of a table row, by its index in the rows; -1 for the heading and for a table row
  // that was not read as four cells, which stands for no item: its text is written as it was.
  const auto itemOf = [&](int tableRow) {
    const int index = tableRow - headingRow_;
    const bool item = itemTableRows_.contains(tableRow) && headingRow_ >= 0 && index >= 1 &&
                      index < rows.size() && index < rows_.size();
    return item ? index : -1;
  };
  QString out;
  QString line;
  const auto put = [&](const QString& token) {
    if (!line.isEmpty() && line.size() + token.size() >= kLineLength) {
      out += line + QStringLiteral("\r\n");
      line.clear();
    }
    line += token;
    if (token.endsWith(QLatin1Char('\n'))) {
      out += line;
      line.clear();
    }
  };
  int cell = 0;
  int tableRow = 0;
  bool pictureNext = false;
  bool replacing = false;
  bool lightWritten = false;
  for (const QString& source : tokens_) {
    QString token = source;
    const QString bare = token.trimmed();
    if (replacing) {
      // The old picture data goes; the picture's group closes after the new data.
      if (bare != QLatin1String("}")) continue;
      put(pictures.takeFirst() + QLatin1Char('}'));
      replacing = false;
      continue;
    }
    // A light cell is rewritten only when its light changed: one left alone keeps its letter and
    // its colour as read.
    const int item = itemOf(tableRow);
    const auto lightIn = [&](const Row& row) { return cell == 0 ? row.previous : row.present; };
    const bool lightCell = item >= 0 && (cell == 0 || cell == 2) && lightIn(rows.at(item)) != lightIn(rows_.at(item));
    const QString light = lightCell ? lightIn(rows.at(item)) : QString();
    if (bare == QLatin1String("\\cell")) {
      // A light cell that lost its letter gets it back, in its colour.
      if (lightCell && !lightWritten && !light.isEmpty()) {
        put(QStringLiteral("{\\cf%1 %2}").arg(ColorIndex(light)).arg(light));
      }
      ++cell;
      lightWritten = false;
    } else if (bare == QLatin1String("\\row")) {
      ++tableRow;
      cell = 0;
      lightWritten = false;
    } else if (bare == QLatin1String("\\blipuid")) {
      pictureNext = true;
    } else if (bare == QLatin1String("}") && pictureNext) {
      pictureNext = false;
      replacing = !pictures.isEmpty();
    } else if (lightCell && IsLight(token)) {
      token = light;
      lightWritten = !light.isEmpty();
    } else if (lightCell && IsColorWord(token) && !light.isEmpty()) {
      token = QStringLiteral("\\cf%1 ").arg(ColorIndex(light));
    }
    if (!token.isEmpty()) put(token);
  }
  out += line + QStringLiteral("\r\n");

  const QString saveError = praxel::SaveWhole(path, out.toLatin1());
  if (!saveError.isEmpty()) {
    if (error != nullptr) *error = saveError;
    return false;
  }
  return true;
}
