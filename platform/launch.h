// Opening things as the desktop does: an application bundle by starting it, a document or a web
// address with the desktop's opener.
#pragma once

namespace platform {

// Opens `path`: a bundle (".../Name.app" with Contents/) is started unless a program with its
// signature already runs; anything else is opened as a document. 0, or an errno value (ENOENT
// when the path does not exist).
int OpenPath(const char* path);

// Hands a document path or a URL to the opener: the command in $HARKWELL_OPENER when it is set
// (tests use it), else "xdg-open". 0 once the opener started, else an errno value.
int OpenWithDesktop(const char* pathOrUrl);

// Starts `argv[0]` (an absolute path) with `argv` in a session of its own, standard input and
// output on /dev/null, not a child of this program. 0 once it runs, else the errno of the
// failed step (that of execv when the program cannot be started).
int StartDetached(const char* const* argv);

}  // namespace platform
