// The application workspace and its file.
#include "host/app/Workspace.h"

#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include "host/app/ISession.h"
#include "host/app/Session.h"
#include "host/db/DocumentFile.h"

namespace Workspace {
namespace {

std::filesystem::path workspaceFile;
// The file is there but could not be read: saving the defaults over it would lose the user's preferences.
bool unreadable = false;

Session* CurrentSession() {
  return static_cast<Session*>(GetExecutionContextSession());
}

// Keeps the unreadable file for the user to look at, then writes the defaults in its place.
FileResult SetAside(const std::filesystem::path& file, const std::string& reason) {
  std::filesystem::path aside = file;
  aside += ".damaged";
  std::error_code ec;
  std::filesystem::rename(file, aside, ec);
  std::string kept = ec ? "" : " (kept as " + aside.string() + ")";
  // Written now, so that the next run finds a good file and says nothing.
  DataBase* db = CurrentSession()->GetDataBase();
  db->SetModified(true);
  FileResult saved = Save();
  std::string message = reason + kept + "; the default workspace is used";
  if (!saved.ok()) message += ", and could not be saved: " + saved.message;
  // Told once, here: the run's own save has nothing more to try unless the run changes preferences.
  db->SetModified(false);
  return {kFailure, message};
}

FileResult Unreadable(const std::filesystem::path& file, int error) {
  unreadable = true;
  std::string reason = std::strerror(error);
  if (!reason.empty()) reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(reason[0])));
  return {kFailure, file.string() + " cannot be read (" + reason +
                        "); the default workspace is used and the file is left as it is"};
}

}  // namespace

std::filesystem::path DefaultFile() {
  std::filesystem::path folder;
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config == '/') {
    folder = config;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    folder = std::filesystem::path(home) / ".config";
  } else {
    return {};
  }
  return folder / "pagehost" / "workspace.pgw";
}

void Renew() {
  if (Session* session = CurrentSession()) session->AdoptDataBase(nullptr);
  workspaceFile.clear();
  unreadable = false;
}

FileResult Open(const std::filesystem::path& file) {
  Session* session = CurrentSession();
  if (!session) return {kFailure, "no session"};
  session->AdoptDataBase(nullptr);
  workspaceFile = file;
  unreadable = false;
  std::error_code ec;
  std::filesystem::file_status status = std::filesystem::symlink_status(file, ec);
  // A missing folder, or a file where a folder should be, means there is no workspace yet.
  if (ec && ec != std::errc::no_such_file_or_directory && ec != std::errc::not_a_directory)
    return Unreadable(file, ec.value());
  if (!std::filesystem::exists(status)) return {};
  // A file the user may not read is no damaged file: it stays as it is.
  if (::access(file.c_str(), R_OK) != 0) return Unreadable(file, errno);
  std::unique_ptr<DataBase> db;
  FileResult opened = DocumentFile::Open(file, db);
  if (!opened.ok()) return SetAside(file, opened.message);
  if (db->GetClass(db->GetRootUID()) != kWorkspaceBoss)
    return SetAside(file, file.string() + ": not a workspace file");
  session->AdoptDataBase(std::move(db));
  return {};
}

FileResult Save() {
  Session* session = CurrentSession();
  if (!session || workspaceFile.empty()) return {};
  DataBase* db = session->GetDataBase();
  if (!db->IsModified()) return {};
  if (unreadable) return {kFailure, workspaceFile.string() + " could not be read, so it is left as it is"};
  std::error_code ec;
  std::filesystem::create_directories(workspaceFile.parent_path(), ec);
  if (ec) return {kFailure, workspaceFile.parent_path().string() + ": " + ec.message()};
  return DocumentFile::Save(*db, workspaceFile);
}

}  // namespace Workspace
