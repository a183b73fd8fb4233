#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace testsupport {

// Answers the next modal dialog of class Dialog once it runs its own event loop, the way a user
// would: `answer` gets the dialog and closes it. Stops looking when it goes out of scope.
template <class Dialog>
class ModalAnswer {
 public:
  explicit ModalAnswer(std::function<void(Dialog*)> answer) : answer_(std::move(answer)) {
    QObject::connect(&poll_, &QTimer::timeout, [this] {
      auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr || !dialog->isVisible()) return;
      poll_.stop();
      answered_ = true;
      answer_(dialog);
    });
    poll_.start(10);
  }
  ModalAnswer(const ModalAnswer&) = delete;
  ModalAnswer& operator=(const ModalAnswer&) = delete;

  bool Answered() const { return answered_; }

 private:
  std::function<void(Dialog*)> answer_;
  QTimer poll_;
  bool answered_ = false;
};

}  // namespace testsupport
