#include "AnalysisWorkers.h"

#include "Prompter.h"
#include "SolverHost.h"

#include <QThread>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

namespace Solve {

namespace {

constexpr int kMostWorkers = 256;
constexpr int kWaitMilliseconds = 10;  // between two polls of the caller while it waits

// One iteration's outcome on its way from a worker: small enough to be written at once (a pipe
// writes up to PIPE_BUF bytes in one piece).
struct Record {
  std::int32_t iteration = 0;
  std::int32_t completed = 0;  // 0: the iteration stopped short, the worker has ended
  double finish = 0.0;
  std::int64_t costTicks = 0;
};

void WriteRecord(int fd, const Record& record) {
  const char* bytes = reinterpret_cast<const char*>(&record);
  std::size_t left = sizeof record;
  while (left > 0) {
    const ssize_t written = ::write(fd, bytes, left);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) ::_exit(1);  // the caller is gone
    bytes += written;
    left -= static_cast<std::size_t>(written);
  }
}

// A worker's answer to any question of the error trap: it tells the caller that the iteration
// stopped and ends, so nothing is shown or logged here; the caller runs the iteration again and
// meets the same failure with the user's own prompter.
class WorkerPrompter final : public praxel::Prompter {
 public:
  WorkerPrompter(int fd, const std::int32_t& iteration) : fd_(fd), iteration_(iteration) {}
  int MsgBox(const QString&, int, const QString&) override { Stop(); }
  QString InputBox(const QString&, const QString&, const QString&) override { Stop(); }

 private:
  [[noreturn]] void Stop() {
    Record record;
    record.iteration = iteration_;
    WriteRecord(fd_, record);
    ::_exit(0);
  }
  int fd_;
  const std::int32_t& iteration_;
};

// The body of a worker process: its iterations, one record each. It ends with _exit, so none of
// the caller's exit work (buffered output, files, the window system's connection) runs twice.
[[noreturn]] void WorkerMain(int fd, std::int32_t first, std::int32_t last, int step,
                             const std::function<bool(std::int32_t, IterationOutcome&)>& iterate) {
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);
  HeadlessSolverHost host;  // the polls of its passes pump nothing
  SetHost(&host);
  std::int32_t iteration = first;
  WorkerPrompter prompter(fd, iteration);
  praxel::SetPrompter(&prompter);
  for (; iteration <= last; iteration += step) {
    IterationOutcome outcome;
    bool completed = false;
    try {
      completed = iterate(iteration, outcome);
    } catch (...) {
      completed = false;
    }
    Record record;
    record.iteration = iteration;
    record.completed = completed ? 1 : 0;
    record.finish = outcome.finish;
    record.costTicks = outcome.cost.Ticks();
    WriteRecord(fd, record);
    if (!completed) break;
  }
  ::close(fd);
  ::_exit(0);
}

struct Worker {
  pid_t pid = -1;
  int fd = -1;
  std::vector<char> pending;  // bytes of a record not yet whole
};

// Reads what a worker has sent into `arrived`; False once its pipe is closed.
bool ReadRecords(Worker& worker, std::int32_t first, std::vector<std::optional<Record>>& arrived) {
  char buffer[4096];
  const ssize_t count = ::read(worker.fd, buffer, sizeof buffer);
  if (count < 0) return errno == EINTR || errno == EAGAIN;
  if (count == 0) return false;
  worker.pending.insert(worker.pending.end(), buffer, buffer + count);
  std::size_t used = 0;
  while (worker.pending.size() - used >= sizeof(Record)) {
    Record record;
    std::memcpy(&record, worker.pending.data() + used, sizeof record);
    used += sizeof record;
    const std::int64_t index = std::int64_t{record.iteration} - first;
    if (index >= 0 && index < static_cast<std::int64_t>(arrived.size())) arrived[static_cast<std::size_t>(index)] = record;
  }
  worker.pending.erase(worker.pending.begin(), worker.pending.begin() + static_cast<std::ptrdiff_t>(used));
  return true;
}

// Ends the workers that are still running (only ours, by their ids) and reaps every one.
void EndWorkers(std::vector<Worker>& workers) {
  for (Worker& worker : workers) {
    if (worker.fd >= 0) {
      ::kill(worker.pid, SIGKILL);
      ::close(worker.fd);
      worker.fd = -1;
    }
  }
  for (const Worker& worker : workers) {
    while (::waitpid(worker.pid, nullptr, 0) < 0 && errno == EINTR) {
    }
  }
  workers.clear();
}

// Starts the workers; none when any of them cannot be started.
std::vector<Worker> StartWorkers(std::int32_t first, std::int32_t last, int count,
                                 const std::function<bool(std::int32_t, IterationOutcome&)>& iterate) {
  std::vector<Worker> workers;
  for (int w = 0; w < count; ++w) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
      EndWorkers(workers);
      return workers;
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
      ::close(fds[0]);
      for (const Worker& earlier : workers) ::close(earlier.fd);
      WorkerMain(fds[1], first + w, last, count, iterate);
    }
    ::close(fds[1]);
    if (pid < 0) {
      ::close(fds[0]);
      EndWorkers(workers);
      return workers;
    }
    workers.push_back(Worker{pid, fds[0], {}});
  }
  return workers;
}

}  // namespace

int AnalysisWorkerCount() {
  const QByteArray forced = qgetenv("PRAXEL_WORKERS");
  bool number = false;
  const int count = forced.toInt(&number);
  if (number && count >= 1 && count <= kMostWorkers) return count;
  return std::max(1, QThread::idealThreadCount());
}

std::int32_t RunIterationsInWorkers(std::int32_t first, std::int32_t last, int workers,
                                    const std::function<bool(std::int32_t, IterationOutcome&)>& iterate,
                                    const std::function<void(std::int32_t, const IterationOutcome&)>& deliver,
                                    const std::function<bool()>& keepWaiting) {
  if (workers < 2 || last <= first) return first;
  const auto iterations = static_cast<std::int64_t>(last) - first + 1;
  const int count = static_cast<int>(std::min<std::int64_t>(workers, iterations));
  std::vector<Worker> running = StartWorkers(first, last, count, iterate);
  if (running.empty()) return first;
  // However the wait ends (a failure passed on by `deliver` too), no worker outlives it.
  struct End {
    std::vector<Worker>& workers;
    ~End() { EndWorkers(workers); }
  } end{running};

  std::vector<std::optional<Record>> arrived(static_cast<std::size_t>(iterations));
  std::int32_t next = first;
  for (;;) {
    while (next <= last) {
      const std::optional<Record>& record = arrived[static_cast<std::size_t>(next - first)];
      if (!record || record->completed == 0) break;
      IterationOutcome outcome;
      outcome.finish = record->finish;
      outcome.cost = praxel::Currency::FromTicks(record->costTicks);
      deliver(next, outcome);
      ++next;
    }
    if (next > last) break;
    if (arrived[static_cast<std::size_t>(next - first)]) break;  // it stopped short
    // The worker of the next iteration ended without sending it: it failed on its own.
    Worker& owner = running[static_cast<std::size_t>((next - first) % count)];
    if (owner.fd < 0) break;
    if (!keepWaiting()) break;

    std::vector<pollfd> watched;
    for (const Worker& worker : running) {
      if (worker.fd >= 0) watched.push_back(pollfd{worker.fd, POLLIN, 0});
    }
    if (::poll(watched.data(), watched.size(), kWaitMilliseconds) <= 0) continue;
    for (const pollfd& entry : watched) {
      if (entry.revents == 0) continue;
      for (Worker& worker : running) {
        if (worker.fd != entry.fd || ReadRecords(worker, first, arrived)) continue;
        ::close(worker.fd);
        worker.fd = -1;
      }
    }
  }
  return next;
}

}  // namespace Solve
