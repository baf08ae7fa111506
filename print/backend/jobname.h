#pragma once

#include <string>

// The name a printed job's file takes, from the job's title: what a file
// manager and the fax's strip show ("Invoice 2027.pdf").
namespace jobname {

// The text without "/", control characters, leading dots and the invisible
// characters that make a name read as another ("invoice\u202Efdp.exe"), at
// most 200 bytes (never cutting a UTF-8 character).
std::string clean(const std::string &text);

// The title cleaned, with ".pdf" added where it does not end so; "Print job
// JOB.pdf" when nothing is left of it.
std::string fromTitle(const std::string &title, const std::string &job);

// The n-th choice of name: the name itself, then "Name (2).pdf", ...
std::string numbered(const std::string &name, int n);

} // namespace jobname
