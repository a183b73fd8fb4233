#include "LocationScanner.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include "CaseName.h"

#include <ostream>

namespace {

// One source snippet holding one location, and what the scanner must make of it.
struct ScanCase {
  const char* name;
  const char* source;
  const char* location;  // as Found::Text() gives it
  int line;
  const char* function;
  bool handler;
  bool partial;
  bool fine;  // no problem with it
};

void PrintTo(const ScanCase& scanCase, std::ostream* out) { *out << scanCase.name; }

const ScanCase kScanCases[] = {
    {"MemberFunction", R"(void MainForm::OpenFile(const QString& Path) {
  ErrTrap::Guard guard(QStringLiteral("Main:OpenFile"));
})",
     "Main:OpenFile", 2, "OpenFile", false, false, true},
    {"LambdaBelongsToItsFunction", R"(void Solve::TrySolve() {
  run([&] { ErrTrap::Guarded(QStringLiteral("Solve:TrySolve"), [&](int x) -> int { return x; }); });
})",
     "Solve:TrySolve", 2, "TrySolve", false, false, true},
    {"ConstructorAfterInitializers", R"(Form::Form(QWidget* parent) : QWidget(parent), count_{0}, name_(QString()) {
  ErrTrap::Guarded(QStringLiteral("Main:Form"), [] {});
})",
     "Main:Form", 2, "Form", false, false, true},
    {"QualifiedConstOverride",
     R"(int Grid::Rows() const override { Guarded(QStringLiteral("Grid:Rows"), [] {}); return 0; })", "Grid:Rows", 1,
     "Rows", false, false, true},
    {"WrongFunction", R"(QTreeWidgetItem* AddPlaceholder(TreeView* tree) {
  if (tree == nullptr) { return nullptr; }
  ErrTrap::Guarded(QStringLiteral("Common:AddNode"), [&] {});
})",
     "Common:AddNode", 3, "AddPlaceholder", false, false, false},
    {"LetPropertyInSetter",
     R"(void Ytask::SetPriority(int value) { Guarded(Location("Priority [Property Let]"), [] {}); })",
     ":Priority [Property Let]", 1, "SetPriority", false, false, true},
    {"HelperTakingAString",
     R"(void EntryForm::OkCommand_Click() { Guarded(ErrTrap::Handler(Location(QStringLiteral("OkCommand_Click"))), [] {}); })",
     ":OkCommand_Click", 1, "OkCommand_Click", true, false, true},
    {"GetPropertyNotInSetter", R"(int Ytask::SetPriority() { Guarded(Location("Priority [Property Get]"), [] {}); })",
     ":Priority [Property Get]", 1, "SetPriority", false, false, false},
    {"ProcedureAddedToAModule",
     R"(void Journals::AddJournal() { Guarded(ModuleName() + QStringLiteral(":AddJournal"), [] {}); })", ":AddJournal",
     1, "AddJournal", false, false, true},
    {"Handler", R"(void WelcomeForm::OkCommand_Click() {
  // "Welcome:Wrong" in a comment is no location.
  ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("Welcome:OkCommand_Click")), [&] {});
})",
     "Welcome:OkCommand_Click", 3, "OkCommand_Click", true, false, true},
    {"HandlerNameWithoutHandler", R"(void WelcomeForm::OkCommand_Click() {
  ErrTrap::Guarded(QStringLiteral("Welcome:OkCommand_Click"), [&] {});
})",
     "Welcome:OkCommand_Click", 2, "OkCommand_Click", false, false, false},
    {"HandlerWithoutHandlerName",
     R"(void MainForm::StatusMessage() { Guard guard(Handler(QStringLiteral("Main:StatusMessage"))); })",
     "Main:StatusMessage", 1, "StatusMessage", true, false, false},
    {"HandlerChosenAtRunTime", R"(void MainForm::Toolbar_ButtonClick() {
  RunCommand(command, ErrTrap::Handler(known ? QStringLiteral("Main:") + command + QStringLiteral("_Click")
                                             : QStringLiteral("Main:Toolbar_ButtonClick")));
})",
     "Main:Toolbar_ButtonClick", 3, "Toolbar_ButtonClick", true, false, true},
    {"SlotStandsForItsHandler", R"(DependencyEntryForm::DependencyEntryForm() {
  connect(offsetText_, &QLineEdit::textChanged, this, [this] {
    ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("Dependency:OffsetText_Change")), [&] { UpdateSentence(); });
  });
})",
     "Dependency:OffsetText_Change", 3, "DependencyEntryForm", true, false, true},
    {"EventOverridePassesTheEventOn", R"(bool Application::notify(QObject* receiver, QEvent* event) {
  ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("Main:Application_Notify")), [&] {});
})",
     "Main:Application_Notify", 2, "notify", true, false, true},
    {"HandlerInAnotherFunction", R"(void RateCalculatorForm::Start() {
  ErrTrap::Guard guard(ErrTrap::Handler(QStringLiteral("RateCalculator:Form_Load")));
})",
     "RateCalculator:Form_Load", 2, "Start", true, false, false},
    {"StartOfAHandlerName", R"(void TreeView::Handle(const char* handler) {
  ErrTrap::Guarded(ErrTrap::Handler(module_ + QStringLiteral(":Tree_") + QLatin1String(handler)), [] {});
})",
     ":Tree_", 2, "Handle", true, true, true},
    {"StartOfAHandlerNameWithoutHandler", R"(void TreeView::Handle(const char* handler) {
  ErrTrap::Guarded(module_ + QStringLiteral(":Tree_") + QLatin1String(handler), [] {});
})",
     ":Tree_", 2, "Handle", false, true, false},
    {"OutsideAnyFunction", R"(namespace Solve {
const QString kTick = QStringLiteral("Solve:SolveTimer_Timer");
void SolveTimer_Timer() { ErrTrap::Guard guard(ErrTrap::Handler(kTick)); }
})",
     "Solve:SolveTimer_Timer", 2, "", false, false, false},
};

class ScanOneLocation : public testing::TestWithParam<ScanCase> {};

TEST_P(ScanOneLocation, FindsItsFunctionAndKind) {
  const ScanCase& expected = GetParam();
  const QList<locations::Found> found = locations::Scan(QString::fromUtf8(expected.source));
  ASSERT_EQ(found.size(), 1);
  EXPECT_EQ(found[0].Text(), QString::fromUtf8(expected.location));
  EXPECT_EQ(found[0].line, expected.line);
  EXPECT_EQ(found[0].function, QString::fromUtf8(expected.function));
  EXPECT_EQ(found[0].handler, expected.handler);
  EXPECT_EQ(found[0].partial, expected.partial);
  EXPECT_EQ(locations::Problem(found[0]).isEmpty(), expected.fine) << locations::Problem(found[0]).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Snippets, ScanOneLocation, testing::ValuesIn(kScanCases),
                         testsupport::CaseName());

TEST(ScanLocations, ProblemsNameTheLocationAndTheFunction) {
  const QList<locations::Found> found =
      locations::Scan(QStringLiteral("void Yfile::LoadScalar() { ErrTrap::Guarded(Location(\"LoadField\"), [] {}); }"));
  ASSERT_EQ(found.size(), 1);
  EXPECT_EQ(locations::Problem(found[0]), QStringLiteral("\":LoadField\" sits in LoadScalar"));
}

TEST(ScanLocations, OneClassOrNamespaceNamesOneModule) {
  const QString source = QStringLiteral(R"(namespace Solve {
void TrySolve() { Guarded(QStringLiteral("Solve:TrySolve"), [] {}); }
void Unsolve() { Guarded(QStringLiteral("Ytask:Unsolve"), [] {}); }
}
void MainForm::OpenFile() { Guarded(QStringLiteral("Main:OpenFile"), [] {}); }
void MainForm::SaveFile() { Guarded(QStringLiteral("Main:SaveFile"), [] {}); }
class TreeForm : public QWidget {
  void Start() { Guarded(QStringLiteral("ProjectTree:Start"), [] {}); }
};
void TemplateTreeForm::Start() { Guarded(QStringLiteral("TemplateTree:Start"), [] {}); }
)");
  EXPECT_EQ(locations::ModuleMixes(locations::Scan(source)),
            QStringList{QStringLiteral("Solve: Solve (line 2), Ytask (line 3)")});
}

}  // namespace
