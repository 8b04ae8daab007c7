// The few questions the program asks the file system.
#pragma once

#include <string>

namespace zintor {

// True when an entry (file or folder) exists at exactly this path.
bool FileExists(const std::string& path);

// 0 when path is a folder whose entries the user may reach (search permission), else the
// errno value that says why not (ENOENT, ENOTDIR, EACCES, ...). The current directory stays
// as it is.
int FolderAccess(const std::string& path);

// True when the user may write to path (a file, or new files into a folder; "" is the current
// folder), by the effective user's rights and the file system's own (read-only, immutable).
bool MayWrite(const std::string& path);

// Makes folder and the folders above it that are missing, each with exactly mode (whatever
// the umask). 0 when folder is then a folder, else the errno value of what failed.
int MakeFolders(const std::string& folder, unsigned mode);

// The path a chain of symbolic links at path ends at: path itself when it is no link. A
// link's relative target counts from the link's folder. The end need not exist (a link to a
// file not made yet); after 40 links the last one reached is returned.
//
// Only links the user may trust are followed: a link the user owns, or one in a folder
// that no one else can write to (owned by the user or by root, with no write permission for
// group or others). A link another user planted in a shared folder such as /tmp could
// otherwise lead a write of root's onto any file. False, with end the untrusted link, when
// one stands in the way.
bool FollowTrustedLinks(const std::string& path, std::string& end);

// Full path of the running program's own file.
std::string ModulePath();

}  // namespace zintor
