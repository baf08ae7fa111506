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
// The job's user is whom CUPS authenticated (the queue's policy is
// "authenticated": a local client by its socket's peer credentials), told
// by AUTH_UID; the user name alone, which any client can claim, is not
// believed. Jobs of system accounts, raw jobs and anything not a PDF are
// refused, and a user's folder holds at most MaxWaiting jobs.
//
// Only the administrator can point it elsewhere, for a test's own cupsd:
// QUILLON_SPOOL in cupsd.conf's SetEnv.

#include "print/backend/jobname.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <dirent.h>
#include <grp.h>
#include <pwd.h>
#include <string>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// CUPS's exit codes (backend(7)).
constexpr int BackendOk = 0;
constexpr int BackendFailed = 1;
constexpr int BackendCancel = 5;

constexpr long long MaxJob = 100LL * 1024 * 1024;
// Jobs waiting for the user's Quillon: more are refused, so that no one
// fills the disk by printing while Quillon is closed.
constexpr int MaxWaiting = 100;
// System accounts: no one faxes as a daemon.
constexpr uid_t FirstSystemUid = 1, LastSystemUid = 999;

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

// Why a job cannot be `user`'s, or empty: CUPS names the uid it
// authenticated in AUTH_UID (none for root, whom it knows by a certificate
// of its own); a name without it could be anyone's claim.
std::string notTheOwner(const passwd &user)
{
    const std::string name = user.pw_name;
    if (user.pw_uid >= FirstSystemUid && user.pw_uid <= LastSystemUid)
        return "jobs of the system account " + name + " are not taken";
    const char *authUid = std::getenv("AUTH_UID");
    if (authUid && *authUid)
        return std::to_string(user.pw_uid) == authUid
                   ? std::string()
                   : "the job names " + name + " but was printed by another user";
    if (user.pw_uid != 0)
        return "CUPS did not authenticate the job's user: add the queue with "
               "-o printer-op-policy=authenticated";
    return {};
}

// A job CUPS passes untouched by its filters (-o raw), or whose type is
// no PDF, is not one the PPD asked for.
std::string notAPdf(int in, std::string &head)
{
    for (const char *variable : {"CONTENT_TYPE", "FINAL_CONTENT_TYPE"}) {
        const char *type = std::getenv(variable);
        if (type && std::strcmp(type, "application/vnd.cups-raw") == 0)
            return "raw jobs are not taken: print without -o raw";
    }
    char start[5];
    ssize_t got = 0;
    while (got < 5) {
        const ssize_t n = ::read(in, start + got, size_t(5 - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += n;
    }
    head.assign(start, size_t(got));
    return head == "%PDF-" ? std::string() : "the job is not a PDF";
}

// Jobs waiting in the user's folder: its files, hidden ones aside.
int waiting(int folder)
{
    const int fd = ::dup(folder);
    DIR *dir = fd < 0 ? nullptr : ::fdopendir(fd);
    if (!dir) {
        if (fd >= 0)
            ::close(fd);
        return MaxWaiting; // cannot tell: take nothing
    }
    int count = 0;
    while (const dirent *entry = ::readdir(dir))
        if (entry->d_name[0] != '.')
            ++count;
    ::closedir(dir);
    return count;
}

// Becomes the user, for good: what is written is the user's own.
bool becomeUser(const passwd &user)
{
    if (::getuid() != 0)
        return ::getuid() == user.pw_uid;
    // For good: once another user, root cannot be had back. Its own
    // /proc/self/fd again, to name the unnamed file it writes.
    return ::setgroups(0, nullptr) == 0 && ::setgid(user.pw_gid) == 0 &&
           ::setuid(user.pw_uid) == 0 && (user.pw_uid == 0 || ::setuid(0) != 0) &&
           ::prctl(PR_SET_DUMPABLE, 1) == 0;
}

// Copies `in` into the new file `out`, at most MaxJob bytes; false, with
// `error` set, otherwise.
bool copyJob(int in, const std::string &head, int out, std::string &error)
{
    char buffer[64 * 1024];
    long long total = 0;
    if (::write(out, head.data(), head.size()) != ssize_t(head.size())) {
        error = reason("cannot write the job");
        return false;
    }
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
    if (const std::string why = notTheOwner(user); !why.empty())
        return cancel(why);

    int in = STDIN_FILENO;
    if (argc == 7) {
        in = ::open(argv[6], O_RDONLY | O_CLOEXEC);
        if (in < 0)
            return cancel(reason("cannot read the job"));
    }
    std::string head;
    if (const std::string why = notAPdf(in, head); !why.empty())
        return cancel(why);
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
    if (waiting(folder) >= MaxWaiting)
        return cancel("already " + std::to_string(MaxWaiting) + " jobs wait for " +
                      user.pw_name + "'s Quillon");

    std::fprintf(stderr, "STATE: +connecting-to-device\n");
    // A file without a name until it is whole: a job cancelled or killed
    // on the way leaves nothing.
    const int out = ::openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (out < 0)
        return cancel(reason("cannot write in the spool folder"));
    if (!copyJob(in, head, out, error))
        return cancel(error);
    // Under its own name, never over another file: the first free one.
    const std::string unnamed = "/proc/self/fd/" + std::to_string(out);
    const std::string base = jobname::fromTitle(argv[3], job);
    for (int n = 1; n < 1000; ++n) {
        const std::string name = jobname::numbered(base, n);
        if (::linkat(AT_FDCWD, unnamed.c_str(), folder, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            std::fprintf(stderr, "STATE: -connecting-to-device\nINFO: Handed to Quillon as %s\n",
                         name.c_str());
            return BackendOk;
        }
        if (errno != EEXIST)
            break;
    }
    error = reason("cannot name the job");
    return cancel(error);
}
