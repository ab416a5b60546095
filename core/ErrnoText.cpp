#include "core/ErrnoText.h"

#include <cerrno>
#include <cstring>

namespace tw {

std::string ErrnoText::of(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
      return "permission denied";
    case ENOENT:
      return "the file or its folder does not exist";
    case EROFS:
      return "it is on a read-only file system";
    case ENOSPC:
    case EDQUOT:
      return "the disk is full";
    case EISDIR:
      return "it is a folder, not a file";
    case ENOTDIR:
      return "a part of its path is not a folder";
    case ENAMETOOLONG:
      return "its name is too long";
    case ELOOP:
      return "it is a link that leads in a circle";
    case EIO:
      return "the disk reported an error (input/output error)";
    default:
      return std::strerror(error);
  }
}

}  // namespace tw
