#pragma once

#include <QString>

#include <array>

// The choices of the dependency dialog as plain values, and the sentence that reads them.
//
// Each side of a dependency names a point of a task's work: its start (0 %), its finish (100 %),
// or a share between (partial). The dialog shows a side as three options over a scroll bar that
// holds the percentage; the option always follows the bar. A prerequisite is a date or a point
// of another task, shifted by an offset before or after it.
namespace DependencyChoices {

// The three options of a side, by index.
enum Point : int { PointStart = 0, PointPartial = 1, PointFinish = 2 };
// The three offset options, by index.
enum OffsetChoice : int { NoOffset = 0, OffsetBefore = 1, OffsetAfter = 2 };

// The option that a percentage selects: 0 the start, 100 the finish, anything else partial.
Point PointOf(int percent);
// The percentage that choosing an option gives: 0, 100, or for partial 50 when the bar stood at
// an end and the bar's own value otherwise.
int PercentFor(Point point, int percent);

// The run-time captions of the partial options: "proceed beyond 30%", "is 30% complete".
QString PartialToCaption(int percent);
QString PartialFromCaption(int percent);

// The twelve quick options: the two-letter code and its tool tip. The first letter is the
// prerequisite side (D a date, S its start, P a partial point, F its finish), the second the
// dependent side (S, P, F).
struct QuickOption {
  const char* code;
  const char* toolTip;
};
inline constexpr std::array<QuickOption, 12> kQuickOptions{{
    {"FS", "Finish-to-Start"},
    {"FF", "Finish-to-Finish"},
    {"SS", "Start-to-Start"},
    {"SF", "Start-to-Finish"},
    {"DS", "Date-to-Start"},
    {"DF", "Date-to-Finish"},
    {"PS", "Partial-to-Start"},
    {"PF", "Partial-to-Finish"},
    {"FP", "Finish-to-Partial"},
    {"SP", "Start-to-Partial"},
    {"DP", "Date-to-Partial"},
    {"PP", "Partial-to-Partial"},
}};

// The letter of a point: "S", "P" or "F", and back (the finish for any other letter).
QChar PointLetter(Point point);
Point PointOfLetter(QChar letter);
// The code of a combination: "D" for a date (whatever the from side holds), else the from
// point's letter; then the to point's letter.
QString QuickCode(bool isDate, Point from, Point to);
// The index of the quick option with that code; -1 when none has it.
int QuickIndex(const QString& code);

// What the sentence is made of, as the dialog's controls show it.
struct SentenceParts {
  QString label;  // the dependent task's caption
  int toPercent = 0;
  OffsetChoice offset = NoOffset;
  QString offsetText;
  bool isDate = true;
  QString dateText;
  QString taskText;  // the prerequisite task's caption
  int fromPercent = 100;
};

// The dependency in plain words: "12: Frame walls cannot start until 2 days after prerequisite
// task 7: Pour slab finishes."
QString Sentence(const SentenceParts& parts);

}  // namespace DependencyChoices
