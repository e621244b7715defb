// SafeFileWriter: replaces a file so that readers find its old content or its complete new content, never a
// mix, and an interrupted save leaves no stray file. The new content goes to a temporary file in the same
// folder: an unnamed one where the system offers them (nothing to remove after a kill -9), else a randomly
// named one created exclusively and without following links, which a failure, SIGTERM, SIGINT or SIGHUP
// removes. Once complete and on disk it takes the place of the file in one rename.
//
// The file written is the final target of a symbolic link given as the path (the link stays a link); a
// device, FIFO, socket or folder is refused (none of them can be replaced whole, and a device may be the
// system's own), and so are an existing file without write permission and a file with several hard links
// (replacing one name would leave the others on the old content). A replaced file keeps its permissions
// (and its owner where the system allows). Every message says "cannot write PATH: " with the user's path
// and what happened in plain words, about the folder where the folder is at fault; a temporary name never
// shows. Every file pagehost writes goes through here.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "host/db/FileResult.h"
#include "host/db/FileStream.h"

class TemporaryFileCleanup;

class SafeFileWriter {
 public:
  enum class Temporary {
    kUnnamedIfPossible,  // an unnamed file where supported, else a named one
    kNamed,              // always a named one
  };

  // Prepares the writing of `path`. Fails with kWriteFailedError when the path cannot be written (a
  // device, a folder, a locked file, a folder that does not exist ...); `writer` is null then.
  static FileResult Begin(const std::filesystem::path& path, std::unique_ptr<SafeFileWriter>& writer,
                          Temporary temporary = Temporary::kUnnamedIfPossible);
  // Without a successful Commit, the new content is discarded and the file is left as it was.
  ~SafeFileWriter();
  SafeFileWriter(const SafeFileWriter&) = delete;
  SafeFileWriter& operator=(const SafeFileWriter&) = delete;

  // Where the new content goes; a failed write shows in its state and is reported by Commit.
  FileStream& Stream() { return *stream_; }
  // Forces the content to disk, puts it in place of the file and forces the folder to disk. Fails with
  // kWriteFailedError; the file is then as it was before Begin. Commit once only.
  FileResult Commit();

  // Begin, `bytes` and Commit: fails as they do.
  static FileResult Replace(const std::filesystem::path& path, std::string_view bytes,
                            Temporary temporary = Temporary::kUnnamedIfPossible);

  // The file that is replaced: the path given, or the final target of the link it names.
  const std::filesystem::path& Target() const { return target_; }

 private:
  SafeFileWriter(std::filesystem::path shown, std::filesystem::path target);
  FileResult Fail(int error) const;
  FileResult Refuse(const std::string& why) const;
  std::string Why(int error) const;
  FileResult OpenTemporary(Temporary temporary);
  bool OpenUnnamed(int& error);
  bool OpenNamed(int& error);
  void KeepOwnerAndMode(const struct stat& old);
  bool LinkUnnamed(int& error);
  // Answers 0 or the errno of the step that failed.
  int PutInPlace();
  void Discard();

  std::filesystem::path shown_;   // the path as the user gave it, for messages
  std::filesystem::path target_;  // the file to replace
  int folder_ = -1;               // the target's folder, open
  std::unique_ptr<FileStream> stream_;
  std::string tempName_;  // the temporary file's name in folder_; empty while it has none
  std::unique_ptr<TemporaryFileCleanup> cleanup_;
  bool unnamed_ = false;
};
