// The file a stand-in program appends its command line to: named in the environment variable
// the stand-in reads (inherited by the programs this test starts), removed when a test begins,
// and read back once something has been written to it.
#pragma once

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

namespace quillfern::testing {

class StandInLog {
 public:
  StandInLog(const char* variable, const char* fileName) {
    char folder[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    path_ = std::string(folder) + fileName;
    ::DeleteFileA(path_.c_str());
    ::SetEnvironmentVariableA(variable, path_.c_str());
  }

  // What has been written, once anything has, or the empty text after `waitMs`.
  std::string text(int waitMs = 2000) const {
    for (int waited = 0;; waited += 20) {
      std::ifstream in(path_, std::ios::binary);
      std::stringstream contents;
      contents << in.rdbuf();
      if (!contents.str().empty() || waited >= waitMs) return contents.str();
      ::Sleep(20);
    }
  }
  bool exists() const { return ::GetFileAttributesA(path_.c_str()) != INVALID_FILE_ATTRIBUTES; }

 private:
  std::string path_;
};

}  // namespace quillfern::testing
