#include "DialogFixture.h"

#include "CaseName.h"
#include "Common.h"
#include "EntryForm.h"
#include "OleDate.h"
#include "TemplateEntryForm.h"
#include "TreeDragDrop.h"
#include "TreeView.h"
#include "Yresource.h"
#include "Yshift.h"
#include "Ytemplate.h"

#include <QApplication>
#include <QDate>
#include <QLineEdit>
#include <QPushButton>

namespace {

class TemplateEntry : public DialogTest {
 protected:
  TemplateEntryForm* OpenToAdd() {
    Click(QStringLiteral("Template"));
    return Open<TemplateEntryForm>("TemplateEntryForm");
  }
  // The dialog on Staff, through the popup Modify on its node.
  TemplateEntryForm* OpenOnNode() {
    Press(NodeOf(staff));
    Modify();
    return Open<TemplateEntryForm>("TemplateEntryForm");
  }
  static QStringList TemplateNames() {
    QStringList names;
    for (const Ytemplate* templ : Common::Templates()) names.append(templ->TemplateName());
    return names;
  }
};

// A new template takes its four texts as typed, becomes the active template with one journal
// dated today, and gets the one shift "Standard", which the template tree shows.
TEST_F(TemplateEntry, AddingGivesAJournalOfTodayAndTheStandardShift) {
  TemplateEntryForm* form = OpenToAdd();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Template Data Entry"));
  for (const char* box : {"TemplateNameText", "DescriptionText", "ViewPasswordText", "ModifyPasswordText"}) {
    EXPECT_TRUE(Field<QLineEdit>(form, box)->text().isEmpty()) << box;
    EXPECT_EQ(Field<QLineEdit>(form, box)->toolTip(), QStringLiteral("Press [F1] for help")) << box;
  }
  EXPECT_EQ(Field<QLineEdit>(form, "ViewPasswordText")->echoMode(), QLineEdit::Password);
  EXPECT_EQ(QApplication::focusWidget(), Field<QLineEdit>(form, "TemplateNameText"));

  Fill(form, "TemplateNameText", QStringLiteral(" Crew"));
  Fill(form, "DescriptionText", QStringLiteral("Site crew"));
  Fill(form, "ViewPasswordText", QStringLiteral("v"));
  Fill(form, "ModifyPasswordText", QStringLiteral("m"));
  PressOk(form);

  EXPECT_EQ(Open<TemplateEntryForm>("TemplateEntryForm"), nullptr);
  Ytemplate* crew = Common::Templates().Find(QStringLiteral(" Crew"));
  ASSERT_NE(crew, nullptr);
  EXPECT_EQ(crew->Description, QStringLiteral("Site crew"));
  EXPECT_EQ(crew->ViewPassword, QStringLiteral("v"));
  EXPECT_EQ(crew->ModifyPassword, QStringLiteral("m"));
  EXPECT_EQ(crew->JournalDates, QList<double>{praxel::ToOleDate(QDate::currentDate())});
  ASSERT_EQ(crew->ShiftList.Count(), 1);
  EXPECT_EQ(crew->ShiftList.Item(0)->ShiftName(), QStringLiteral("Standard"));
  EXPECT_EQ(crew->ShiftList.Item(0)->Template, crew);
  EXPECT_EQ(Common::ThisTemplate(), crew);
  EXPECT_TRUE(crew->Dirty());
  EXPECT_FALSE(staff->Dirty());
  EXPECT_TRUE(SolveRequested());
  EXPECT_EQ(Outline(TemplateTreeView()), (QStringList{QStringLiteral("l  Crew +"), QStringLiteral("  h Standard")}));
}

// Cancel after adding leaves no template behind.
TEST_F(TemplateEntry, CancelAfterAddLeavesNoTrace) {
  TemplateEntryForm* form = OpenToAdd();
  ASSERT_NE(form, nullptr);
  Fill(form, "TemplateNameText", QStringLiteral("Crew"));
  PressCancel(form);
  EXPECT_EQ(TemplateNames(), QStringList{QStringLiteral("Staff")});
  EXPECT_EQ(Common::ThisTemplate(), staff);
  EXPECT_FALSE(staff->Dirty());
  EXPECT_FALSE(SolveRequested());
}

// A refused name keeps the dialog open with every text as typed and stores nothing: the template
// keeps its name, description and passwords and is not marked changed.
struct NameRefusal {
  const char* name;
  bool adding;
  const char* typed;
  const char* message;
};

void PrintTo(const NameRefusal& refusal, std::ostream* out) { *out << refusal.name; }

class TemplateRefusals : public TemplateEntry, public testing::WithParamInterface<NameRefusal> {};

TEST_P(TemplateRefusals, StoreNothing) {
  const NameRefusal refusal = GetParam();
  Ytemplate* other = AddTemplate(QStringLiteral("Office"));
  TemplateEntryForm* form = refusal.adding ? OpenToAdd() : OpenOnNode();
  ASSERT_NE(form, nullptr);
  Fill(form, "DescriptionText", QStringLiteral("changed"));
  Fill(form, "ViewPasswordText", QStringLiteral("secret"));
  Fill(form, "TemplateNameText", QString::fromUtf8(refusal.typed));
  prompter.Answer(praxel::AnswerOk);
  PressOk(form);

  EXPECT_EQ(Messages(), QStringList{QString::fromUtf8(refusal.message)});
  EXPECT_EQ(Open<TemplateEntryForm>("TemplateEntryForm"), form);
  EXPECT_EQ(Field<QLineEdit>(form, "TemplateNameText")->text(), QString::fromUtf8(refusal.typed));
  EXPECT_EQ(Field<QLineEdit>(form, "DescriptionText")->text(), QStringLiteral("changed"));
  EXPECT_EQ(TemplateNames(), (QStringList{QStringLiteral("Staff"), QStringLiteral("Office")}));
  EXPECT_TRUE(staff->Description.isEmpty());
  EXPECT_TRUE(staff->ViewPassword.isEmpty());
  EXPECT_FALSE(staff->Dirty());
  EXPECT_FALSE(other->Dirty());
  EXPECT_FALSE(SolveRequested());
  PressCancel(form);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, TemplateRefusals,
    testing::Values(
        NameRefusal{"BlanksWhenAdding", true, "   ", "Template Name Is Blank: The Template name must be filled in."},
        NameRefusal{"ClearedWhenModifying", false, "", "Template Name Is Blank: The Template name must be filled in."},
        NameRefusal{"AnotherTemplatesNameWhenAdding", true, "office",
                    "Template Name In Use: There is already a template with the name \"office\""},
        NameRefusal{"AnotherTemplatesNameWhenModifying", false, "Office",
                    "Template Name In Use: There is already a template with the name \"Office\""}),
    testsupport::CaseName());

// The popup Modify on the template's node edits it; Ok renames the node and tells every window
// (the tree shows the new name), and marks the template changed.
TEST_F(TemplateEntry, ModifyThroughTheTreeRenamesTheNode) {
  TemplateEntryForm* form = OpenOnNode();
  ASSERT_NE(form, nullptr);
  EXPECT_FALSE(form->Adding());
  EXPECT_EQ(Field<QLineEdit>(form, "TemplateNameText")->text(), QStringLiteral("Staff"));
  Fill(form, "TemplateNameText", QStringLiteral("Team"));
  PressOk(form);
  EXPECT_EQ(staff->TemplateName(), QStringLiteral("Team"));
  EXPECT_EQ(Common::Templates().Find(QStringLiteral("Team")), staff);
  EXPECT_TRUE(staff->Dirty());
  EXPECT_TRUE(SolveRequested());
  EXPECT_TRUE(Outline(TemplateTreeView()).value(0).startsWith(QStringLiteral("l Team")));
  // Only the case changes: the template's own name is no clash.
  form = OpenOnNode();
  ASSERT_NE(form, nullptr);
  Fill(form, "TemplateNameText", QStringLiteral("TEAM"));
  PressOk(form);
  EXPECT_EQ(staff->TemplateName(), QStringLiteral("TEAM"));
}

// Template > Modify edits the active template whatever node is selected, and leaves the selected
// node's caption alone.
TEST_F(TemplateEntry, TheMenuEditsTheActiveTemplate) {
  Press(NodeOf(ann));
  Click(QStringLiteral("TemplateModifyMenu"));
  TemplateEntryForm* form = Open<TemplateEntryForm>("TemplateEntryForm");
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Field<QLineEdit>(form, "TemplateNameText")->text(), QStringLiteral("Staff"));
  Fill(form, "DescriptionText", QStringLiteral("Everyone"));
  PressOk(form);
  EXPECT_EQ(staff->Description, QStringLiteral("Everyone"));
  EXPECT_EQ(NodeOf(ann)->text(0), QStringLiteral("7: Ann"));
}

// Tabbing into the name or a password box selects its text; the description keeps the caret.
TEST_F(TemplateEntry, NameAndPasswordsSelectAllOnFocus) {
  TemplateEntryForm* form = OpenOnNode();
  ASSERT_NE(form, nullptr);
  for (const auto& [box, selects] : {std::pair{"TemplateNameText", true}, std::pair{"DescriptionText", false},
                                     std::pair{"ViewPasswordText", true}}) {
    auto* edit = Field<QLineEdit>(form, box);
    edit->setText(QStringLiteral("abc"));
    edit->deselect();
    form->OkCommand()->setFocus();
    edit->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(edit->selectedText(), selects ? QStringLiteral("abc") : QString()) << box;
  }
  PressCancel(form);
}

}  // namespace
