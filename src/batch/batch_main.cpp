// tralvin1d-batch: runs one optimisation job from the command line on the
// program's default files and switches, and writes the cutting report.
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "batch/job_batch.h"

int main(int argc, char** argv) {
  std::vector<std::string> params(argv + (argc > 0 ? 1 : 0), argv + argc);
  // The current folder is the start folder, as for the program itself.
  std::string startFolder = ".";
  if (char* cwd = getcwd(nullptr, 0)) {
    startFolder = cwd;
    free(cwd);
  }
  while (startFolder.size() > 1 && startFolder.back() == '/') startFolder.pop_back();
  // A file size limit (ulimit -f) makes a write fail with its reason instead
  // of ending the program.
  std::signal(SIGXFSZ, SIG_IGN);
  const bool errIsTerminal = isatty(STDERR_FILENO) == 1;
  tralvin::BatchStreams streams{std::cout, std::cerr, errIsTerminal, isatty(STDOUT_FILENO) == 1,
                                errIsTerminal};
  try {
    const int status = tralvin::RunBatch(params, startFolder, streams);
    // A plan that could not reach standard output is a failure too.
    std::cout.flush();
    if (!std::cout && status == tralvin::kBatchOk) return tralvin::kBatchJobFailed;
    return status;
  } catch (const std::exception& e) {
    std::cerr << "load program exception information[" << e.what() << "]\n";
    return tralvin::kBatchJobFailed;
  }
}
