// The "quillon" CUPS backend: the printer that faxes. CUPS runs it as root
// (its file is root's, mode 0700) with the job already turned into PDF by
// CUPS's own filters. It puts the PDF where the printing user's Quillon
// picks it up, /var/spool/quillon/USER/, as that user, under a name made
// from the job's title, and nothing else: no other file is read, written or
// followed through a link. A job it cannot take is cancelled, not the
// queue, and leaves nothing half-written.
//
//   quillon                                  lists the device, for lpinfo
//   quillon JOB USER TITLE COPIES OPTIONS [FILE]
//
// Only the administrator can point it elsewhere, for a test's own cupsd:
// QUILLON_SPOOL in cupsd.conf's SetEnv.

#include "print/backend/jobname.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// CUPS's exit codes (backend(7)).
constexpr int BackendOk = 0;
constexpr int BackendFailed = 1;
constexpr int BackendCancel = 5;

constexpr long long MaxJob = 100LL * 1024 * 1024;

int cancel(const std::string &why)
{
    std::fprintf(stderr, "ERROR: %s\n", why.c_str());
    return BackendCancel;
}

std::string reason(const std::string &what)
{
    return what + ": " + std::strerror(errno);
}

// The user's folder in the spool, made for the user alone where missing;
// one that is a link, not the user's, or not private is refused.
int userFolder(int spool, const passwd &user, std::string &error)
{
    if (::mkdirat(spool, user.pw_name, 0700) == 0) {
        const int made = ::openat(spool, user.pw_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (made < 0 || ::fchown(made, user.pw_uid, user.pw_gid) != 0) {
            error = reason("cannot make the spool folder of " + std::string(user.pw_name));
            if (made >= 0)
                ::close(made);
            return -1;
        }
        return made;
    }
    if (errno != EEXIST) {
        error = reason("cannot make the spool folder of " + std::string(user.pw_name));
        return -1;
    }
    const int fd = ::openat(spool, user.pw_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    struct stat st;
    if (fd < 0 || ::fstat(fd, &st) != 0 || st.st_uid != user.pw_uid || (st.st_mode & 077) != 0) {
        error = "the spool folder of " + std::string(user.pw_name) +
                " is not a folder of that user's alone";
        if (fd >= 0)
            ::close(fd);
        return -1;
    }
    return fd;
}

// Becomes the user, for good: what is written is the user's own.
bool becomeUser(const passwd &user)
{
    if (::getuid() != 0)
        return ::getuid() == user.pw_uid;
    // For good: once another user, root cannot be had back.
    return ::setgroups(0, nullptr) == 0 && ::setgid(user.pw_gid) == 0 &&
           ::setuid(user.pw_uid) == 0 && (user.pw_uid == 0 || ::setuid(0) != 0);
}

// Copies `in` into the new file `out`, at most MaxJob bytes; false, with
// `error` set, otherwise.
bool copyJob(int in, int out, std::string &error)
{
    char buffer[64 * 1024];
    long long total = 0;
    for (;;) {
        const ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = reason("cannot read the job");
            return false;
        }
        total += n;
        if (total > MaxJob) {
            error = "the job is larger than 100 MB";
            return false;
        }
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(out, buffer + done, size_t(n - done));
            if (w < 0 && errno == EINTR)
                continue;
            if (w <= 0) {
                error = reason("cannot write the job");
                return false;
            }
            done += w;
        }
    }
    if (::fsync(out) != 0) {
        error = reason("cannot write the job");
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 1) {
        std::puts("direct quillon:/ \"Quillon Fax\" \"Fax with Quillon\"");
        return BackendOk;
    }
    if (argc != 6 && argc != 7) {
        std::fprintf(stderr, "Usage: %s job-id user title copies options [file]\n", argv[0]);
        return BackendFailed;
    }
    const std::string job = argv[1];
    const passwd *found = ::getpwnam(argv[2]);
    if (!found)
        return cancel("the job's user " + std::string(argv[2]) + " is not an account here");
    const passwd user = *found;

    int in = STDIN_FILENO;
    if (argc == 7) {
        in = ::open(argv[6], O_RDONLY | O_CLOEXEC);
        if (in < 0)
            return cancel(reason("cannot read the job"));
    }
    const char *root = std::getenv("QUILLON_SPOOL");
    const std::string spoolPath = root && *root ? root : "/var/spool/quillon";
    const int spool = ::open(spoolPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (spool < 0)
        return cancel(reason("cannot open " + spoolPath));
    std::string error;
    const int folder = userFolder(spool, user, error);
    if (folder < 0)
        return cancel(error);
    if (!becomeUser(user))
        return cancel("cannot act as " + std::string(user.pw_name));

    std::fprintf(stderr, "STATE: +connecting-to-device\n");
    const std::string hidden = ".job-" + jobname::clean(job) + ".part";
    ::unlinkat(folder, hidden.c_str(), 0);
    const int out = ::openat(folder, hidden.c_str(),
                             O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (out < 0)
        return cancel(reason("cannot write in the spool folder"));
    const bool copied = copyJob(in, out, error);
    ::close(out);
    if (!copied) {
        ::unlinkat(folder, hidden.c_str(), 0);
        return cancel(error);
    }
    // Under its own name, never over another file: the first free one.
    const std::string base = jobname::fromTitle(argv[3], job);
    for (int n = 1; n < 1000; ++n) {
        const std::string name = jobname::numbered(base, n);
        if (::renameat2(folder, hidden.c_str(), folder, name.c_str(), RENAME_NOREPLACE) == 0) {
            std::fprintf(stderr, "STATE: -connecting-to-device\nINFO: Handed to Quillon as %s\n",
                         name.c_str());
            return BackendOk;
        }
        if (errno != EEXIST)
            break;
    }
    error = reason("cannot name the job");
    ::unlinkat(folder, hidden.c_str(), 0);
    return cancel(error);
}
