// Preloaded into the disk-fault tests: each variable names a folder, and
// files under it fail as on a broken disk while every other file works.
//   KAIRO_FULL_DISK_UNDER  writes fail with ENOSPC (a full disk)
//   KAIRO_READ_FAIL_UNDER  reads fail with EIO (a failing disk)
//   KAIRO_SYNC_FAIL_UNDER  fsync and fdatasync fail with EIO
//   KAIRO_READ_ONLY_UNDER  opening for writing, creating, renaming and
//                          removing fail with EROFS (a read-only mount)
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/uio.h>
#include <unistd.h>

static int startsWith(const char *path, const char *variable)
{
    const char *under = getenv(variable);
    return under && *under && path && strncmp(path, under, strlen(under)) == 0;
}

static int fdUnder(int fd, const char *variable)
{
    const char *under = getenv(variable);
    if (!under || !*under)
        return 0;
    char link[64];
    char target[PATH_MAX];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = readlink(link, target, sizeof target - 1);
    if (n <= 0)
        return 0;
    target[n] = 0;
    return startsWith(target, variable);
}

// Names are resolved as the kernel would (the working folder, "./", links),
// the file itself need not exist yet.
static int pathUnder(int dirfd, const char *path, const char *variable)
{
    const char *under = getenv(variable);
    if (!path || !under || !*under)
        return 0;
    char full[PATH_MAX * 2];
    if (path[0] == '/') {
        snprintf(full, sizeof full, "%s", path);
    } else {
        char base[PATH_MAX];
        if (dirfd == AT_FDCWD) {
            if (!getcwd(base, sizeof base))
                return 0;
        } else {
            char link[64];
            snprintf(link, sizeof link, "/proc/self/fd/%d", dirfd);
            const ssize_t n = readlink(link, base, sizeof base - 1);
            if (n <= 0)
                return 0;
            base[n] = 0;
        }
        snprintf(full, sizeof full, "%s/%s", base, path);
    }
    char resolved[PATH_MAX];
    if (realpath(full, resolved))
        return startsWith(resolved, variable);
    char *slash = strrchr(full, '/');
    if (!slash)
        return 0;
    *slash = 0;
    char joined[PATH_MAX * 2];
    if (!realpath(*full ? full : "/", resolved))
        return startsWith(full, variable);
    snprintf(joined, sizeof joined, "%s/%s", resolved, slash + 1);
    return startsWith(joined, variable);
}

static int fail(int error)
{
    errno = error;
    return -1;
}

#define NEXT(name) ((__typeof__(&name))dlsym(RTLD_NEXT, #name))
#define READ_ONLY "KAIRO_READ_ONLY_UNDER"

ssize_t write(int fd, const void *buf, size_t count)
{
    if (fdUnder(fd, "KAIRO_FULL_DISK_UNDER"))
        return fail(ENOSPC);
    return NEXT(write)(fd, buf, count);
}

ssize_t writev(int fd, const struct iovec *iov, int count)
{
    if (fdUnder(fd, "KAIRO_FULL_DISK_UNDER"))
        return fail(ENOSPC);
    return NEXT(writev)(fd, iov, count);
}

ssize_t pwrite64(int fd, const void *buf, size_t count, off64_t offset)
{
    if (fdUnder(fd, "KAIRO_FULL_DISK_UNDER"))
        return fail(ENOSPC);
    return NEXT(pwrite64)(fd, buf, count, offset);
}

ssize_t read(int fd, void *buf, size_t count)
{
    if (fdUnder(fd, "KAIRO_READ_FAIL_UNDER"))
        return fail(EIO);
    return NEXT(read)(fd, buf, count);
}

ssize_t readv(int fd, const struct iovec *iov, int count)
{
    if (fdUnder(fd, "KAIRO_READ_FAIL_UNDER"))
        return fail(EIO);
    return NEXT(readv)(fd, iov, count);
}

ssize_t pread64(int fd, void *buf, size_t count, off64_t offset)
{
    if (fdUnder(fd, "KAIRO_READ_FAIL_UNDER"))
        return fail(EIO);
    return NEXT(pread64)(fd, buf, count, offset);
}

int fsync(int fd)
{
    if (fdUnder(fd, "KAIRO_SYNC_FAIL_UNDER"))
        return fail(EIO);
    return NEXT(fsync)(fd);
}

int fdatasync(int fd)
{
    if (fdUnder(fd, "KAIRO_SYNC_FAIL_UNDER"))
        return fail(EIO);
    return NEXT(fdatasync)(fd);
}

static int writesTo(int flags)
{
    return (flags & (O_WRONLY | O_RDWR | O_CREAT | O_TRUNC)) != 0
           || (flags & O_TMPFILE) == O_TMPFILE;
}

static mode_t modeOf(int flags, va_list args)
{
    return (flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE ? va_arg(args, mode_t) : 0;
}

#define OPEN_AT(name)                                                                              \
    int name(int dirfd, const char *path, int flags, ...)                                          \
    {                                                                                              \
        va_list args;                                                                              \
        va_start(args, flags);                                                                     \
        const mode_t mode = modeOf(flags, args);                                                   \
        va_end(args);                                                                              \
        if (writesTo(flags) && pathUnder(dirfd, path, READ_ONLY))                                  \
            return fail(EROFS);                                                                    \
        return NEXT(name)(dirfd, path, flags, mode);                                               \
    }
#define OPEN(name)                                                                                 \
    int name(const char *path, int flags, ...)                                                     \
    {                                                                                              \
        va_list args;                                                                              \
        va_start(args, flags);                                                                     \
        const mode_t mode = modeOf(flags, args);                                                   \
        va_end(args);                                                                              \
        if (writesTo(flags) && pathUnder(AT_FDCWD, path, READ_ONLY))                               \
            return fail(EROFS);                                                                    \
        return NEXT(name)(path, flags, mode);                                                      \
    }
OPEN(open)
OPEN(open64)
OPEN_AT(openat)
OPEN_AT(openat64)

int rename(const char *from, const char *to)
{
    if (pathUnder(AT_FDCWD, from, READ_ONLY) || pathUnder(AT_FDCWD, to, READ_ONLY))
        return fail(EROFS);
    return NEXT(rename)(from, to);
}

int renameat(int fromDir, const char *from, int toDir, const char *to)
{
    if (pathUnder(fromDir, from, READ_ONLY) || pathUnder(toDir, to, READ_ONLY))
        return fail(EROFS);
    return NEXT(renameat)(fromDir, from, toDir, to);
}

int renameat2(int fromDir, const char *from, int toDir, const char *to, unsigned flags)
{
    if (pathUnder(fromDir, from, READ_ONLY) || pathUnder(toDir, to, READ_ONLY))
        return fail(EROFS);
    return NEXT(renameat2)(fromDir, from, toDir, to, flags);
}

int linkat(int fromDir, const char *from, int toDir, const char *to, int flags)
{
    if (pathUnder(toDir, to, READ_ONLY))
        return fail(EROFS);
    return NEXT(linkat)(fromDir, from, toDir, to, flags);
}

int unlink(const char *path)
{
    if (pathUnder(AT_FDCWD, path, READ_ONLY))
        return fail(EROFS);
    return NEXT(unlink)(path);
}

int mkdir(const char *path, mode_t mode)
{
    if (pathUnder(AT_FDCWD, path, READ_ONLY))
        return fail(EROFS);
    return NEXT(mkdir)(path, mode);
}
