// Benchmark runs in a child process, with the process's own CPU time and peak memory.
#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <type_traits>

namespace tralvin::bench {

struct ProcessUsage {
  long peak_kb = 0;
  double cpu_seconds = 0.0;
};

// CPU time (user + system) and peak resident memory of this process so far.
inline ProcessUsage OwnUsage() {
  struct rusage ru {};
  getrusage(RUSAGE_SELF, &ru);
  ProcessUsage u;
  u.peak_kb = ru.ru_maxrss;
  u.cpu_seconds = static_cast<double>(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) +
                  static_cast<double>(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e6;
  return u;
}

// Runs `run` in a child process so that the peak memory belongs to this run
// alone; the result comes back through a pipe (a default result if the child
// fails). Without a pipe the run happens in this process.
template <class Result, class Run>
Result RunInChild(Run run) {
  static_assert(std::is_trivially_copyable_v<Result>, "the result crosses a pipe as bytes");
  int fds[2];
  if (pipe(fds) != 0) return run();
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    const Result o = run();
    const ssize_t w = write(fds[1], &o, sizeof o);
    _exit(w == static_cast<ssize_t>(sizeof o) ? 0 : 1);
  }
  close(fds[1]);
  Result o{};
  const ssize_t r = read(fds[0], &o, sizeof o);
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (r != static_cast<ssize_t>(sizeof o)) o = Result{};
  return o;
}

}  // namespace tralvin::bench
