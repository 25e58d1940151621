#include "search/directory_reader_win.h"

#include <windows.h>

#include "common/unique_handle_win.h"

namespace quillfern {

namespace {

bool isDirectory(const WIN32_FIND_DATAA& data) {
  return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

class FindEnumeration final : public DirectoryEnumeration {
 public:
  FindEnumeration(const Text& pattern, EntryKind kind) : kind_(kind) {
    WIN32_FIND_DATAA data{};
    handle_.reset(::FindFirstFileA(pattern.c_str(), &data));
    if (!handle_) return;
    if (isOfKind(data)) {
      take(data);
    } else {
      advance();
    }
  }

  const DirectoryEntry* current() const override { return handle_ ? &entry_ : nullptr; }

  void advance() override {
    WIN32_FIND_DATAA data{};
    while (::FindNextFileA(handle_.get(), &data)) {
      if (isOfKind(data)) {
        take(data);
        return;
      }
    }
    handle_.reset();  // whatever the reason, a failure ends the enumeration
  }

 private:
  bool isOfKind(const WIN32_FIND_DATAA& data) const {
    return isDirectory(data) == (kind_ == EntryKind::directories);
  }
  void take(const WIN32_FIND_DATAA& data) {
    entry_.name.assign(data.cFileName);
    entry_.reparsePoint = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  }

  EntryKind kind_;
  UniqueFindHandle handle_;
  DirectoryEntry entry_;
};

}  // namespace

std::unique_ptr<DirectoryEnumeration> Win32DirectoryReader::enumerateEntries(const Text& pattern,
                                                                             EntryKind kind) {
  return std::make_unique<FindEnumeration>(pattern, kind);
}

FileSize Win32DirectoryReader::lookUpFileSize(const Text& path) {
  // Looked up again by path, not taken from the enumeration, so a file that vanished since it
  // was listed shows as unreadable.
  WIN32_FIND_DATAA data{};
  const UniqueFindHandle found(::FindFirstFileA(path.c_str(), &data));
  if (!found) return kUnreadableSize;
  return static_cast<FileSize>((static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) |
                               data.nFileSizeLow);
}

std::optional<FolderIdentity> Win32DirectoryReader::folderIdentity(const Text& path) {
  Text folder = path;
  if (folder.size() > 3 && lastCharacterIs(folder, '\\')) folder.pop_back();
  // Opening with no access rights follows every link to the folder it ends at.
  const UniqueFileHandle handle(
      ::CreateFileA(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!handle) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION information{};
  if (!::GetFileInformationByHandle(handle.get(), &information)) return std::nullopt;
  return FolderIdentity{
      information.dwVolumeSerialNumber,
      (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
}

}  // namespace quillfern
