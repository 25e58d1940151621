// A directory tree in memory with a fixed enumeration order and injected faults. Every call the
// walk makes is recorded in a transcript, shared with a fake window so that the order of the
// two can be checked step by step.
#pragma once

#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "search/directory_reader.h"

namespace quillfern::testing {

struct FakeEntry {
  Text name;
  bool directory = false;
  FileSize size = 0;
  Text linkTarget;  // for a link to a folder: the folder it leads to, with its trailing backslash
};

inline FakeEntry dir(Text name) {
  return FakeEntry{std::move(name), true};
}
inline FakeEntry file(Text name, FileSize size) {
  return FakeEntry{std::move(name), false, size};
}
inline FakeEntry link(Text name, Text target) {
  return FakeEntry{std::move(name), true, 0, std::move(target)};
}

// Wildcard matching as FindFirstFile does it for the patterns the filter makes, ignoring case:
// "*.*" matches every name, a pattern that ends in "." matches only names without a dot.
inline bool wildcardMatches(std::string_view pattern, std::string_view name) {
  if (pattern == "*.*") return true;
  if (!pattern.empty() && pattern.back() == '.') {
    if (name.find('.') != std::string_view::npos) return false;
    pattern.remove_suffix(1);
  }
  std::size_t p = 0, n = 0, star = std::string_view::npos, resume = 0;
  auto same = [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
  };
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || same(pattern[p], name[n]))) {
      ++p, ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++, resume = n;
    } else if (star != std::string_view::npos) {
      p = star + 1, n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*')
    ++p;
  return p == pattern.size();
}

class FakeDirectoryTree final : public DirectoryReader {
 public:
  explicit FakeDirectoryTree(std::vector<std::string>& transcript) : transcript_(transcript) {}

  // The entries of `folder` (a path ending in a backslash), in enumeration order.
  void folder(const Text& path, std::vector<FakeEntry> entries) {
    folders_[path] = std::move(entries);
  }

  std::set<Text> unreadableFolders;   // FindFirstFile fails in them
  std::set<Text> vanishedFiles;       // full paths whose size lookup fails
  std::map<Text, int> failNextAfter;  // folder -> entries returned before FindNextFile fails
  bool recordSizeLookups = true;

  std::unique_ptr<DirectoryEnumeration> enumerateEntries(const Text& pattern,
                                                         EntryKind kind) override {
    const std::size_t split = pattern.rfind('\\');
    const Text folderPath = resolve(pattern.substr(0, split + 1));
    const Text namePattern = pattern.substr(split + 1);
    transcript_.push_back(
        std::string(kind == EntryKind::directories ? "folders of " : "files of ") + pattern);
    auto enumeration = std::make_unique<Enumeration>();
    const auto found = folders_.find(folderPath);
    if (found == folders_.end() || unreadableFolders.count(folderPath) != 0 ||
        namePattern.empty()) {
      return enumeration;
    }
    const auto limit = failNextAfter.find(folderPath);
    int returned = 0;
    for (const FakeEntry& entry : found->second) {
      // FindNextFile fails after the limit, whichever kind the entries are.
      if (limit != failNextAfter.end() && returned == limit->second) break;
      ++returned;
      if (!wildcardMatches(namePattern, entry.name) ||
          entry.directory != (kind == EntryKind::directories)) {
        continue;
      }
      enumeration->entries.push_back(DirectoryEntry{entry.name, !entry.linkTarget.empty()});
    }
    return enumeration;
  }

  FileSize lookUpFileSize(const Text& path) override {
    if (recordSizeLookups) transcript_.push_back("offer " + path);
    if (vanishedFiles.count(path) != 0) return kUnreadableSize;
    const std::size_t split = path.rfind('\\');
    const auto found = folders_.find(resolve(path.substr(0, split + 1)));
    if (found == folders_.end()) return kUnreadableSize;
    for (const FakeEntry& entry : found->second) {
      if (!entry.directory && entry.name == path.substr(split + 1)) return entry.size;
    }
    return kUnreadableSize;
  }

  std::optional<FolderIdentity> folderIdentity(const Text& path) override {
    ++identityLookups;
    const Text folder = resolve(path.back() == '\\' ? path : path + "\\");
    if (folders_.count(folder) == 0) return std::nullopt;
    const auto found = identities_.emplace(folder, identities_.size() + 1).first;
    return FolderIdentity{1, found->second};
  }

  int identityLookups = 0;

 private:
  struct Enumeration final : DirectoryEnumeration {
    std::vector<DirectoryEntry> entries;
    std::size_t at = 0;
    const DirectoryEntry* current() const override {
      return at < entries.size() ? &entries[at] : nullptr;
    }
    void advance() override { ++at; }
  };

  // The real folder a path leads to, with every link on the way replaced by its target.
  Text resolve(Text path) const {
    for (int hops = 0; hops < 64; ++hops) {
      bool followed = false;
      for (std::size_t end = path.find('\\'); end != Text::npos && end + 1 < path.size();) {
        const std::size_t next = path.find('\\', end + 1);
        const auto parent = folders_.find(path.substr(0, end + 1));
        const Text name = path.substr(end + 1, next - end - 1);
        if (parent != folders_.end()) {
          for (const FakeEntry& entry : parent->second) {
            if (entry.name == name && !entry.linkTarget.empty()) {
              path = entry.linkTarget + path.substr(next + 1);
              followed = true;
              break;
            }
          }
        }
        if (followed) break;
        end = next;
      }
      if (!followed) break;
    }
    return path;
  }

  std::vector<std::string>& transcript_;
  std::map<Text, std::vector<FakeEntry>> folders_;
  std::map<Text, std::uint64_t> identities_;
};

}  // namespace quillfern::testing
