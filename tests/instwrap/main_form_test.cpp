#include "InstwrapFixture.h"
#include "Instwrap.h"
#include "MainForm.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

using namespace instwrap;

namespace {

class MainFormTest : public InstwrapFixture {
 protected:
  void SetUp() override {
    InstwrapFixture::SetUp();
    InstallPrefix({{QStringLiteral("praxel"), "old praxel"}}, {}, QByteArray());
    WriteMedia("[Files]\r\nFile1=1,,praxel,praxel,$(AppPath)\r\n", {{QStringLiteral("praxel"), "new praxel"}});
  }
};

TEST_F(MainFormTest, ShowsTheFoldersAndUpdatesOnTheButton) {
  Instwrap wrapper(UpdateArguments(), Path(QStringLiteral("media")), Desktop(), prompts_);
  ASSERT_TRUE(wrapper.Load());
  MainForm form(wrapper);
  form.show();
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Update PRAXEL"));
  EXPECT_EQ(form.SourcePathText()->text(), Path(QStringLiteral("media")));
  EXPECT_EQ(form.TargetPathText()->text(), Path(QStringLiteral("prefix/bin")));
  EXPECT_TRUE(form.SourcePathText()->isReadOnly());

  form.UpdateCommand()->click();

  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(Read(QStringLiteral("prefix/bin/praxel")), "new praxel");
  ASSERT_EQ(prompts_.told.size(), 1);
  EXPECT_EQ(prompts_.told[0].title, QStringLiteral("Update Complete"));
  EXPECT_FALSE(Read(QStringLiteral("prefix/share/praxel/Update.log")).isEmpty());
}

TEST_F(MainFormTest, ClosingTheWindowCancels) {
  Instwrap wrapper(UpdateArguments(), Path(QStringLiteral("media")), Desktop(), prompts_);
  ASSERT_TRUE(wrapper.Load());
  MainForm form(wrapper);
  form.show();
  form.close();
  EXPECT_EQ(Read(QStringLiteral("prefix/bin/praxel")), "old praxel");
  EXPECT_TRUE(prompts_.told.isEmpty());
  EXPECT_TRUE(QFileInfo::exists(Path(QStringLiteral("prefix/share/praxel/Update.log")))) << "the log moved";
}

}  // namespace
