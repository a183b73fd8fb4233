#include "StatusReportFile.h"

#include "SaveFile.h"

#include <QFile>
#include <QRegularExpression>

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
  headingRow_ = -1;
  int tableRow = 0;
  QStringList cells;
  QString cellText;
  for (const QString& token : tokens_) {
    const QString bare = token.trimmed();
    if (bare == QLatin1String("{") || bare == QLatin1String("}")) continue;
    if (bare == QLatin1String("\\cell")) {
      cells.append(cellText);
      cellText.clear();
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
        }
      }
      cells.clear();
      ++tableRow;
    } else if (!token.startsWith(QLatin1Char('\\'))) {
      cellText += token;
    }
  }
  LearnColors();
  return true;
}

void StatusReportFile::LearnColors() {
  // The colour table: "{\colortbl" then entries of \redN \greenN \blueN, each closed by ";".
  green_ = yellow_ = red_ = 0;
  const qsizetype start = tokens_.indexOf(QStringLiteral("\\colortbl"));
  const qsizetype startWithBlank = tokens_.indexOf(QStringLiteral("\\colortbl "));
  const qsizetype at = start >= 0 ? start : startWithBlank;
  if (at < 0) return;
  int index = 0;
  int rgb[3] = {0, 0, 0};
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
        if (green_ == 0 && g > 100 && r < g / 2 && b < g / 2) green_ = index;
        if (yellow_ == 0 && r > 150 && g > 120 && b < std::min(r, g) / 2) yellow_ = index;
        if (red_ == 0 && r > 100 && g < r / 2 && b < r / 2) red_ = index;
      }
      ++index;
      rgb[0] = rgb[1] = rgb[2] = 0;
    }
  }
}

int StatusReportFile::ColorIndex(const QString& light) const {
  if (light == QLatin1String("G")) return green_;
  if (light == QLatin1String("Y")) return yellow_;
  if (light == QLatin1String("R")) return red_;
  return 0;
}

bool StatusReportFile::Write(const QString& path, const QList<Row>& rows, const QString& budgetPicture,
                             const QString& ganttPicture, QString* error) const {
  QStringList pictures;
  for (const QString& picture : {budgetPicture, ganttPicture}) {
    if (!picture.isEmpty()) pictures.append(picture);
  }
  // An item row of the table: its lights, by table row. A table row that was not read as four
  // cells stands for no item: its text is written as it was.
  const auto rowOf = [&](int tableRow) -> const Row* {
    if (!itemTableRows_.contains(tableRow)) return nullptr;
    const int index = tableRow - headingRow_;
    return headingRow_ >= 0 && index >= 1 && index < rows.size() ? &rows.at(index) : nullptr;
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
    const Row* row = rowOf(tableRow);
    const bool lightCell = row != nullptr && (cell == 0 || cell == 2);
    const QString light = row == nullptr ? QString() : cell == 0 ? row->previous : row->present;
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
