#pragma once

// The five notifications: whoever changes one of five pieces of shared state tells every loaded
// window by calling the member of the notification's name on it (NewDragNode, NewJournal,
// NewSolution, NewThisProject, NewThisTemplate), without arguments. A window without the member
// is passed over, and so is any failure out of a receiver: it has been through the receiver's own
// error trap already. A window that closes itself in its receiver does not stop the others; a
// window loaded during the walk is not called.
namespace Common {

void BroadcastNewDragNode();
void BroadcastNewJournal();
void BroadcastNewSolution();
// Then starts the project tree window when there is an active project and it is not visible.
void BroadcastNewThisProject();
// Then starts the template tree window when there is an active template and it is not visible.
void BroadcastNewThisTemplate();

}  // namespace Common
