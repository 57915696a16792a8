#pragma once

struct stat;

namespace talvane::collection {

// What a file carries besides its bytes, put on the new file that replaces it.

// Gives the open file `to` the owner and group of `from` where they differ from its
// own. False when this user may not: only the superuser gives a file to someone
// else, and a user gives it only to a group of their own.
bool keepOwner(int to, const struct stat& from);

// Copies every extended attribute of the open file `from` to `to`; on Linux its ACLs
// are among them (system.posix_acl_access). False when one of them is refused.
bool keepExtendedAttributes(int from, int to);

} // namespace talvane::collection
