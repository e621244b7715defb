// SafeFileWriter: replaces a file so that readers find its old content or its complete new content, never a
// mix, and an interrupted save leaves no stray file. The new content goes to a temporary file in the same
// folder: an unnamed one where the system offers them (nothing to remove after a kill -9), else a randomly
// named one created exclusively and without following links, which a failure, SIGTERM, SIGINT or SIGHUP
// removes. Once complete and on disk it takes the place of the file in one rename.
//
// The file written is the final target of a symbolic link given as the path (the link stays a link); a
// device, FIFO, socket or folder is refused, and so is an existing file without write permission. A
// replaced file keeps its permissions (and its owner where the system allows). Every message names the
// user's path with the system's reason; a temporary name never shows.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

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

  // The file that is replaced: the path given, or the final target of the link it names.
  const std::filesystem::path& Target() const { return target_; }

 private:
  SafeFileWriter(std::filesystem::path shown, std::filesystem::path target);
  FileResult Fail(int error) const;
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
