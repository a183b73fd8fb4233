#pragma once

#include <QString>

namespace instwrap {

enum class PromptIcon { Information, Warning, Critical };

// The messages and questions of the installation wrapper. The program shows message boxes; tests
// answer from a script.
class Prompts {
 public:
  virtual ~Prompts() = default;
  virtual void Tell(const QString& text, const QString& title, PromptIcon icon) = 0;
  // A question with Yes and No; true for Yes.
  virtual bool AskYesNo(const QString& text, const QString& title) = 0;
  // The busy pointer while files are installed.
  virtual void SetBusy(bool /*busy*/) {}
};

}  // namespace instwrap
