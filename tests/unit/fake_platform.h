// The desktop and the process starter for tests: each call is recorded in a shared transcript.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "actions/desktop.h"
#include "actions/process_starter.h"

namespace quillfern::testing {

class FakeDesktop final : public Desktop {
 public:
  explicit FakeDesktop(std::vector<std::string>& transcript) : transcript_(transcript) {}

  std::optional<Text> directory = Text("C:\\Users\\me\\Desktop");
  bool copySucceeds = true;

  std::optional<Text> desktopDirectory() override {
    transcript_.push_back("desktop");
    return directory;
  }
  bool copyFile(const Text& source, const Text& destination) override {
    transcript_.push_back("copy " + source + " -> " + destination);
    return copySucceeds;
  }
  void showMessage(const Text& text) override { transcript_.push_back("message " + text); }

 private:
  std::vector<std::string>& transcript_;
};

class FakeProcessStarter final : public ProcessStarter {
 public:
  explicit FakeProcessStarter(std::vector<std::string>& transcript) : transcript_(transcript) {}
  void start(const Text& commandLine) override { transcript_.push_back("start " + commandLine); }

 private:
  std::vector<std::string>& transcript_;
};

}  // namespace quillfern::testing
