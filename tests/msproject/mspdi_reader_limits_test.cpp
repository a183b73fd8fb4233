// Files made to break the reader: nesting deep enough to exhaust a recursive reading, outlines
// thousands of levels deep, IDs at the end of their range.

#include "MspdiDocument.h"
#include "MspdiReader.h"
#include "TransferTestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>

#include <limits>

namespace {

using namespace MSProject;

// Reads the text; answers the reader's refusal, empty when it read.
QString Read(const QByteArray& text, Document& document) {
  QBuffer buffer;
  buffer.setData(text);
  buffer.open(QIODevice::ReadOnly);
  return ReadMspdi(buffer, document);
}

QString Nested(int depth, const QString& innermost = QString()) {
  return QStringLiteral("<x>").repeated(depth) + innermost + QStringLiteral("</x>").repeated(depth);
}

// Elements nested 30,000 deep, wherever they stand, are read in a loop: the values around them
// are kept, and what is inside them is skipped (or, in the title, taken as its text).
TEST(MspdiReaderLimits, NestingOfAnyDepthLeavesTheValuesAroundIt) {
  constexpr int kDepth = 30000;
  const QString link = QStringLiteral("<PredecessorLink><PredecessorUID>1</PredecessorUID>%1</PredecessorLink>");
  struct Case {
    const char* where;
    QByteArray text;
  };
  const Case cases[] = {
      {"in a task", MspdiDocumentText(MspdiTask(1, 1, Nested(kDepth)))},
      {"in a link", MspdiDocumentText(MspdiTask(1, 1) + MspdiTask(2, 1, link.arg(Nested(kDepth))))},
      {"in a field", MspdiDocumentText(MspdiTask(1, 1, QStringLiteral("<Notes>%1</Notes>").arg(Nested(kDepth))))},
      {"in the title", MspdiDocumentText(MspdiTask(1, 1)).replace("<Title>Generated</Title>",
                                                                  ("<Title>" + Nested(kDepth, "Deep") + "</Title>").toUtf8())},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.where);
    Document document;
    ASSERT_EQ(Read(c.text, document), QString());
    ASSERT_NE(document.TaskById(1), nullptr);
    EXPECT_EQ(document.TaskById(1)->name, QStringLiteral("Task 1"));
    EXPECT_EQ(document.startDate.has_value(), true) << "the fields after the nesting are read";
  }
  Document linked;
  ASSERT_EQ(Read(cases[1].text, linked), QString());
  EXPECT_EQ(linked.TaskById(2)->PredecessorText(), QStringLiteral("1"));
  Document titled;
  ASSERT_EQ(Read(cases[3].text, titled), QString());
  EXPECT_EQ(titled.title, QStringLiteral("Deep"));
}

// An outline as deep as the limit is read; one level deeper is refused naming the first task too
// deep.
TEST(MspdiReaderLimits, OutlinesDeeperThanTheLimitAreRefused) {
  Document deepest;
  ASSERT_EQ(Read(MspdiStaircase(kDeepestOutline), deepest), QString());
  EXPECT_EQ(deepest.Tasks().size(), 1);
  EXPECT_EQ(deepest.TaskById(kDeepestOutline)->parent, deepest.TaskById(kDeepestOutline - 1));

  Document deeper;
  EXPECT_EQ(Read(MspdiStaircase(kDeepestOutline + 1), deeper),
            QStringLiteral("task %1 lies below %2 summary tasks; at most %2 levels of the outline can be read")
                .arg(kDeepestOutline + 1)
                .arg(kDeepestOutline));
}

// Tasks that share an ID, or have none, get IDs no other task has, also when the highest ID is
// the largest there is: then the lowest free ones, never a number that wrapped round.
TEST(MspdiReaderLimits, SharedIdsAtTheEndOfTheRangeTakeTheLowestFreeOnes) {
  constexpr int kLast = std::numeric_limits<int>::max();
  struct Case {
    QList<int> ids;  // in the file's order, UIDs 1, 2, ...
    QList<int> expected;  // by UID
  };
  const Case cases[] = {
      {{kLast, kLast}, {kLast, 1}},
      {{kLast, 1, kLast, 0, -5}, {kLast, 1, 2, 3, 4}},
      {{7, 7, 0}, {7, 8, 9}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.ids));
    QString tasks;
    for (qsizetype i = 0; i < c.ids.size(); ++i) {
      tasks += QStringLiteral("<Task><UID>%1</UID><ID>%2</ID><OutlineLevel>1</OutlineLevel></Task>").arg(i + 1).arg(c.ids[i]);
    }
    Document document;
    ASSERT_EQ(Read(MspdiDocumentText(tasks), document), QString());
    for (qsizetype i = 0; i < c.ids.size(); ++i) {
      EXPECT_EQ(document.TaskByUid(static_cast<int>(i) + 1)->id, c.expected[i]) << "UID " << i + 1;
    }
  }
}

// Tasks added after one with the largest ID (as the export adds the model's tasks) take the
// lowest free IDs; a wanted ID already taken is not given twice.
TEST(MspdiReaderLimits, TasksAddedAfterTheLargestIdTakeTheLowestFreeOnes) {
  constexpr int kLast = std::numeric_limits<int>::max();
  Document document;
  EXPECT_EQ(document.AddTask(QStringLiteral("last"), kLast)->id, kLast);
  EXPECT_EQ(document.AddTask(QStringLiteral("again"), kLast)->id, 1);
  EXPECT_EQ(document.AddTask(QStringLiteral("wants 2"), 2)->id, 2);
  EXPECT_EQ(document.AddTask(QStringLiteral("any"))->id, 3);
  EXPECT_EQ(document.TaskById(kLast)->name, QStringLiteral("last"));
  EXPECT_EQ(document.TaskById(3)->name, QStringLiteral("any"));
}

}  // namespace
