// The process file system's mark, as fstatfs reports it on Linux.
#include <linux/magic.h>
#include <sys/vfs.h>

#include <cerrno>

#include "Plattform.hpp"
#include "Prozessdateisystem.hpp"

namespace plattform {

int ImProzessdateisystem(int Deskriptor, bool* Ja) {
  if (const int f = Vorher(Aufruf::Status)) {
    return f;
  }
  struct statfs Info {};
  if (fstatfs(Deskriptor, &Info) != 0) {
    return errno;
  }
  *Ja = Info.f_type == PROC_SUPER_MAGIC;
  return 0;
}

}  // namespace plattform
