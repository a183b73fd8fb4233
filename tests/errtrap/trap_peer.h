#pragma once

#include <QString>

namespace praxel {
class Prompter;
}

#define TRAP_PEER_EXPORT __attribute__((visibility("default")))

namespace peer {

TRAP_PEER_EXPORT void SetPrompter(praxel::Prompter* prompter);
TRAP_PEER_EXPORT QString LogFilePath();
TRAP_PEER_EXPORT QString ModuleFile();
// A guarded procedure of the library that fails with error 10000 "Peer failure".
TRAP_PEER_EXPORT void FailingProcedure();
// A guarded procedure of the library whose check fails.
TRAP_PEER_EXPORT void FailingCheck();

}  // namespace peer
