// The application workspace and its file.
#include "host/app/Workspace.h"

#include <cstdlib>

#include "host/app/ISession.h"
#include "host/app/Session.h"
#include "host/db/DocumentFile.h"

namespace Workspace {
namespace {

std::filesystem::path workspaceFile;

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
  CurrentSession()->GetDataBase()->SetModified(true);
  FileResult saved = Save();
  std::string message = reason + kept + "; the default workspace is used";
  if (!saved.ok()) message += ", and could not be saved: " + saved.message;
  return {kFailure, message};
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
}

FileResult Open(const std::filesystem::path& file) {
  Session* session = CurrentSession();
  if (!session) return {kFailure, "no session"};
  session->AdoptDataBase(nullptr);
  workspaceFile = file;
  std::error_code ec;
  if (!std::filesystem::exists(std::filesystem::symlink_status(file, ec))) return {};
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
  std::error_code ec;
  std::filesystem::create_directories(workspaceFile.parent_path(), ec);
  if (ec) return {kFailure, workspaceFile.parent_path().string() + ": " + ec.message()};
  return DocumentFile::Save(*db, workspaceFile);
}

}  // namespace Workspace
