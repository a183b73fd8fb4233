#include "Forms.h"

#include "FormHost.h"

#include "Check.h"
#include "FormHelpers.h"
#include "Guard.h"

#include <QCloseEvent>
#include <QHash>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMetaObject>
#include <QPointer>
#include <QVariant>

namespace Forms {

namespace {

struct Registry {
  QHash<QString, Maker> makers;
  QList<QPointer<QWidget>> loaded;
  QPointer<QWidget> mainWindow;
  QPointer<QMdiArea> clientArea;
};

Registry& State() {
  static Registry registry;
  return registry;
}

void Forget(const QWidget* form) {
  State().loaded.removeIf([form](const QPointer<QWidget>& entry) { return entry.isNull() || entry.data() == form; });
}

// The frame of a form in the client area. Closing it closes the form first; when the form lets
// itself close, the form is unloaded there and then, and frame and form are deleted soon after.
class FormFrame final : public QMdiSubWindow {
 public:
  void closeEvent(QCloseEvent* event) override {
    QMdiSubWindow::closeEvent(event);
    if (event->isAccepted() && widget() != nullptr) Forget(widget());
  }
};

// F1 that no control of a form in the client area answered asks for the help of the window.
class ContextHelpKey final : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1) {
      return QObject::eventFilter(watched, event);
    }
    ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("Forms:Form_KeyDown")),
                     [] { StartForm(QStringLiteral("HelpForm"), "ContextHelp"); });
    return true;
  }
};

QObject* ContextHelpKeys() {
  static ContextHelpKey keys;
  return &keys;
}

}  // namespace

void Register(const QString& Name, Maker Make) { State().makers.insert(Name, std::move(Make)); }

void Unregister(const QString& Name) { State().makers.remove(Name); }

bool IsRegistered(const QString& Name) { return State().makers.contains(Name); }

void SetMainWindow(QWidget* MainWindow, QMdiArea* ClientArea) {
  State().mainWindow = MainWindow;
  State().clientArea = ClientArea;
}

FormHost* Host() { return dynamic_cast<FormHost*>(MainWindow()); }

QWidget* MainWindow() { return State().mainWindow.data(); }

QWidget* Find(const QString& Name) {
  for (const QPointer<QWidget>& form : State().loaded) {
    if (!form.isNull() && form->objectName() == Name) return form.data();
  }
  return nullptr;
}

QWidget* Load(const QString& Name) {
  if (QWidget* loaded = Find(Name)) return loaded;
  Registry& registry = State();
  const auto maker = registry.makers.constFind(Name);
  if (maker == registry.makers.constEnd()) return nullptr;
  QWidget* form = (*maker)();
  form->setObjectName(Name);
  registry.loaded.append(form);
  QObject::connect(form, &QObject::destroyed, [form] { Forget(form); });
  if (BorderStyleOf(form) != BorderHelp && !registry.clientArea.isNull()) {
    const bool sized = form->testAttribute(Qt::WA_Resized);
    const QSize size = form->size();
    auto* frame = new FormFrame;
    frame->setAttribute(Qt::WA_DeleteOnClose);
    // A dialog's border: a title and a close box, no minimising or maximising.
    if (BorderStyleOf(form) == BorderDialog) {
      frame->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    }
    frame->setWidget(form);
    form->installEventFilter(ContextHelpKeys());
    registry.clientArea->addSubWindow(frame);
    frame->hide();
    // A form that chose its own size keeps it; the frame adds its title bar and borders.
    const QMargins margins = frame->contentsMargins();
    frame->resize(sized ? size.grownBy(margins) : frame->sizeHint());
  }
  return form;
}

bool IsLoaded(const QWidget* Form) {
  for (const QPointer<QWidget>& form : State().loaded) {
    if (form.data() == Form && Form != nullptr) return true;
  }
  return false;
}

QList<QWidget*> Loaded() {
  QList<QWidget*> forms;
  for (const QPointer<QWidget>& form : State().loaded) {
    if (!form.isNull()) forms.append(form.data());
  }
  return forms;
}

QList<QObject*> LoadedWindows() {
  QList<QObject*> windows;
  if (!State().mainWindow.isNull()) windows.append(State().mainWindow.data());
  for (QWidget* form : Loaded()) windows.append(form);
  return windows;
}

QWidget* ActiveForm() {
  if (State().clientArea.isNull()) return nullptr;
  const QMdiSubWindow* frame = State().clientArea->currentSubWindow();
  return frame != nullptr ? frame->widget() : nullptr;
}

int BorderStyleOf(const QWidget* Form) {
  if (Form == nullptr) return BorderNone;
  return Form->property("BorderStyle").toInt();
}

QWidget* FrameOf(QWidget* Form) {
  if (auto* frame = qobject_cast<QMdiSubWindow*>(Form->parentWidget())) return frame;
  return Form;
}

bool Unload(QWidget* Form) {
  QWidget* frame = FrameOf(Form);
  if (frame == Form) {
    // A form that stands alone: unloaded when it lets itself close.
    if (!Form->close()) return false;
    Forget(Form);
    Form->deleteLater();
    return true;
  }
  return frame->close();
}

bool CallByName(QObject* Target, const char* Member) {
  if (Target == nullptr) return false;
  const QByteArray signature = QMetaObject::normalizedSignature((QByteArray(Member) + "()").constData());
  if (Target->metaObject()->indexOfMethod(signature.constData()) < 0) return false;
  return QMetaObject::invokeMethod(Target, Member, Qt::DirectConnection);
}

void StartForm(const QString& Name, const char* Member) {
  QWidget* form = Load(Name);
  if (form == nullptr) {
    Common::NotReadyYet();
    return;
  }
  const bool called = CallByName(form, Member);
  TRAP_ASSERT(called, "a form is registered with the entry points its commands name");
}

void StartIfHidden(const QString& Name) {
  if (!IsRegistered(Name)) return;
  QWidget* form = Find(Name);
  if (form == nullptr || !FrameOf(form)->isVisible()) StartForm(Name, "Start");
}

}  // namespace Forms
