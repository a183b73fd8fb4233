#include "trap_peer.h"

#include "Check.h"
#include "Guard.h"
#include "Prompter.h"

namespace peer {

void SetPrompter(praxel::Prompter* prompter) { praxel::SetPrompter(prompter); }

QString LogFilePath() { return ErrTrap::LogFilePath(); }

QString ModuleFile() { return ErrTrap::ModuleFile(); }

void FailingProcedure() {
  ErrTrap::Guarded(QStringLiteral("Peer:FailingProcedure"),
                   [] { praxel::RaiseProgramError(QStringLiteral("Peer failure")); });
}

void FailingCheck() {
  ErrTrap::Guarded(QStringLiteral("Peer:FailingCheck"), [] { TRAP_ASSERT(false, "the peer's check always fails"); });
}

}  // namespace peer
