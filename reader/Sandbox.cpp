#include "Sandbox.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <linux/landlock.h>
#include <seccomp.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#ifndef LANDLOCK_ACCESS_FS_TRUNCATE
#define LANDLOCK_ACCESS_FS_TRUNCATE (1ULL << 14)
#endif
#ifndef LANDLOCK_ACCESS_FS_IOCTL_DEV
#define LANDLOCK_ACCESS_FS_IOCTL_DEV (1ULL << 15)
#endif

namespace {
constexpr uint64_t mebibyte = uint64_t(1) << 20;
constexpr uint64_t descriptors = 16;

std::string error_text() {
    return std::strerror(errno);
}

std::string set_limit(int resource, uint64_t value) {
    const rlimit limit{rlim_t(value), rlim_t(value)};
    return setrlimit(resource, &limit) == 0 ? std::string() : error_text();
}

std::string apply_limits(const SandboxLimits& limits) {
    std::string failed;
    // A write to a file fails instead of killing: the host hears why.
    std::signal(SIGXFSZ, SIG_IGN);
    failed += set_limit(RLIMIT_FSIZE, 0) + set_limit(RLIMIT_CORE, 0) +
              set_limit(RLIMIT_NOFILE, descriptors);
    if (limits.address_space > 0) {
        failed += set_limit(RLIMIT_AS, limits.address_space);
    }
    // A soft limit sends SIGXCPU, which the host names; the hard one kills.
    const rlimit cpu{rlim_t(limits.cpu_seconds), rlim_t(limits.cpu_seconds + 5)};
    if (setrlimit(RLIMIT_CPU, &cpu) != 0) {
        failed += error_text();
    }
    std::string said = "limits: ";
    said += limits.address_space > 0
                ? std::to_string(limits.address_space / mebibyte) + " MB of address space, "
                : "address space unlimited under the address sanitizer, ";
    said += std::to_string(limits.cpu_seconds) + " s of processor time, no file written, " +
            "no core dump, " + std::to_string(descriptors) + " descriptors";
    return failed.empty() ? said + ": in force" : said + ": failed: " + failed;
}

// Every right the kernel's Landlock knows of, up to those we know.
uint64_t handled_rights(int abi) {
    uint64_t rights = (LANDLOCK_ACCESS_FS_MAKE_SYM << 1) - 1;
    if (abi >= 2) {
        rights |= LANDLOCK_ACCESS_FS_REFER;
    }
    if (abi >= 3) {
        rights |= LANDLOCK_ACCESS_FS_TRUNCATE;
    }
    if (abi >= 5) {
        rights |= LANDLOCK_ACCESS_FS_IOCTL_DEV;
    }
    return rights;
}

std::string restrict_files(const std::string& folder) {
    const long abi =
        syscall(SYS_landlock_create_ruleset, nullptr, 0, LANDLOCK_CREATE_RULESET_VERSION);
    if (abi < 1) {
        return "Landlock: not offered by this kernel (" + error_text() + ")";
    }
    const std::string name = "Landlock (ABI " + std::to_string(abi) + ")";
    landlock_ruleset_attr ruleset{handled_rights(int(abi))};
    const int ruleset_fd = int(syscall(SYS_landlock_create_ruleset, &ruleset, sizeof ruleset, 0));
    if (ruleset_fd < 0) {
        return name + ": failed: " + error_text();
    }
    landlock_path_beneath_attr beneath{LANDLOCK_ACCESS_FS_READ_FILE | LANDLOCK_ACCESS_FS_READ_DIR,
                                       open(folder.c_str(), O_PATH | O_CLOEXEC)};
    const bool restricted =
        beneath.parent_fd >= 0 &&
        syscall(SYS_landlock_add_rule, ruleset_fd, LANDLOCK_RULE_PATH_BENEATH, &beneath, 0) == 0 &&
        syscall(SYS_landlock_restrict_self, ruleset_fd, 0) == 0;
    const std::string failure = restricted ? std::string() : error_text();
    close(beneath.parent_fd);
    close(ruleset_fd);
    return restricted ? name + ": in force, reading only beneath " + folder
                      : name + ": failed: " + failure;
}

// What reading a file and answering takes: files already open or opened
// read-only (Landlock decides which), memory, the answer's memory file and
// the socket it goes by; a pipe, in which the undefined behaviour checker
// tests whether memory can be read. Anything else fails with EPERM: no new
// socket or connection, no exec, no ptrace, no namespaces, no new process.
std::string filter_system_calls() {
    scmp_filter_ctx filter = seccomp_init(SCMP_ACT_ERRNO(EPERM));
    if (!filter) {
        return "seccomp allow-list: failed: cannot be made";
    }
    const int allowed[] = {SCMP_SYS(read),         SCMP_SYS(pread64),
                           SCMP_SYS(readv),        SCMP_SYS(write),
                           SCMP_SYS(writev),       SCMP_SYS(open),
                           SCMP_SYS(openat),       SCMP_SYS(close),
                           SCMP_SYS(lseek),        SCMP_SYS(fstat),
                           SCMP_SYS(stat),         SCMP_SYS(lstat),
                           SCMP_SYS(newfstatat),   SCMP_SYS(statx),
                           SCMP_SYS(access),       SCMP_SYS(faccessat),
                           SCMP_SYS(faccessat2),   SCMP_SYS(getdents64),
                           SCMP_SYS(readlink),     SCMP_SYS(readlinkat),
                           SCMP_SYS(getcwd),       SCMP_SYS(fcntl),
                           SCMP_SYS(ftruncate),    SCMP_SYS(brk),
                           SCMP_SYS(mmap),         SCMP_SYS(munmap),
                           SCMP_SYS(mremap),       SCMP_SYS(mprotect),
                           SCMP_SYS(madvise),      SCMP_SYS(futex),
                           SCMP_SYS(getrandom),    SCMP_SYS(clock_gettime),
                           SCMP_SYS(clock_getres), SCMP_SYS(gettimeofday),
                           SCMP_SYS(nanosleep),    SCMP_SYS(clock_nanosleep),
                           SCMP_SYS(sched_yield),  SCMP_SYS(sched_getaffinity),
                           SCMP_SYS(getpid),       SCMP_SYS(gettid),
                           SCMP_SYS(getppid),      SCMP_SYS(getuid),
                           SCMP_SYS(geteuid),      SCMP_SYS(getgid),
                           SCMP_SYS(getegid),      SCMP_SYS(uname),
                           SCMP_SYS(getrlimit),    SCMP_SYS(prlimit64),
                           SCMP_SYS(rt_sigaction), SCMP_SYS(rt_sigprocmask),
                           SCMP_SYS(rt_sigreturn), SCMP_SYS(sigaltstack),
                           SCMP_SYS(tgkill),       SCMP_SYS(exit),
                           SCMP_SYS(exit_group),   SCMP_SYS(memfd_create),
                           SCMP_SYS(sendmsg),      SCMP_SYS(sendto),
                           SCMP_SYS(pipe),         SCMP_SYS(pipe2),
                           SCMP_SYS(rseq),         SCMP_SYS(set_robust_list)};
    bool made = true;
    for (const int call : allowed) {
        made = made && seccomp_rule_add(filter, SCMP_ACT_ALLOW, call, 0) == 0;
    }
    made = made && seccomp_load(filter) == 0;
    seccomp_release(filter);
    return made ? "seccomp allow-list: in force" : "seccomp allow-list: failed: " + error_text();
}
} // namespace

std::vector<std::string> enter_sandbox(const std::string& folder, const SandboxLimits& limits) {
    std::vector<std::string> said;
    said.push_back(prctl(PR_SET_PDEATHSIG, SIGKILL) == 0
                       ? "dies with the host: in force"
                       : "dies with the host: failed: " + error_text());
    said.push_back(prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0
                       ? "no new privileges: in force"
                       : "no new privileges: failed: " + error_text());
    said.push_back(restrict_files(folder));
    said.push_back(apply_limits(limits));
    said.push_back(filter_system_calls());
    return said;
}
