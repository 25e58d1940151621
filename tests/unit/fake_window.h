// A main window for tests: it records every operation, in order, as one line of a transcript.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/window_operations.h"

namespace quillfern::testing {

class FakeWindow final : public WindowOperations {
 public:
  std::vector<std::string> transcript;
  std::vector<Text> lines;
  int selectedLine = -1;
  bool searchButtonDisabled = false;
  Text statusText;
  std::map<Control, bool> radioChecked{{Control::单选框1, true}};
  Text extension;
  int width = kWindowWidth;
  int height = kWindowHeight;
  int listWidth = 1056;
  int listHeight = 464;
  bool closed = false;
  std::set<std::size_t> refusedAppends;   // which appendResultLine calls, counted from 0, fail
  std::function<void()> onProcessEvents;  // what the user does while events are processed
  bool recordReads = true;

  void clearResultList() override {
    record("clearResultList");
    lines.clear();
    selectedLine = -1;
  }
  int appendResultLine(const Text& line) override {
    record("appendResultLine " + line);
    if (refusedAppends.count(appendCalls_++) != 0) return -1;
    lines.push_back(line);
    return static_cast<int>(lines.size()) - 1;
  }
  int selectedResultLine() const override {
    if (recordReads) const_cast<FakeWindow*>(this)->record("read selection");
    return selectedLine;
  }
  void setSearchButtonDisabled(bool disabled) override {
    record(disabled ? "disable 按钮1" : "enable 按钮1");
    searchButtonDisabled = disabled;
  }
  void setStatusText(const Text& text) override {
    record("status " + text);
    statusText = text;
  }
  void processPendingEvents() override {
    record("events");
    if (onProcessEvents) onProcessEvents();
  }
  bool isRadioChecked(Control radio) const override {
    if (recordReads) const_cast<FakeWindow*>(this)->record("read " + nameOf(radio));
    const auto found = radioChecked.find(radio);
    return found != radioChecked.end() && found->second;
  }
  Text extensionText() const override {
    if (recordReads) const_cast<FakeWindow*>(this)->record("read 编辑框1 " + extension);
    return extension;
  }
  void setExtensionText(const Text& text) override {
    record("write 编辑框1 " + text);
    extension = text;
  }
  int windowWidth() const override { return width; }
  int windowHeight() const override { return height; }
  void setResultListWidth(int value) override { listWidth = clampControlExtent(value); }
  void setResultListHeight(int value) override { listHeight = clampControlExtent(value); }
  bool windowClosed() const override { return closed; }

  void check(Control radio) { radioChecked = {{radio, true}}; }
  void record(std::string line) { transcript.push_back(std::move(line)); }

  static std::string nameOf(Control control) {
    switch (control) {
      case Control::单选框1:
        return "单选框1";
      case Control::单选框2:
        return "单选框2";
      case Control::单选框3:
        return "单选框3";
      default:
        return "another control";
    }
  }

 private:
  std::size_t appendCalls_ = 0;
};

}  // namespace quillfern::testing
