// Whether a link lives in the process file system (/proc/self/fd/N,
// /dev/fd/N), where the kernel follows a link by what it stands for, not by
// its text. Linux: Prozessdateisystem_linux.cpp.
#pragma once

namespace plattform {

// For `Deskriptor`, a link held with O_PATH: 0 and *Ja, or an errno.
int ImProzessdateisystem(int Deskriptor, bool* Ja);

}  // namespace plattform
