// Preloaded into the full-disk test: writes to any file under the folder
// named by KAIRO_FULL_DISK_UNDER fail with ENOSPC, as on a full disk, while
// every other write goes through.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/types.h>
#include <sys/uio.h>
#include <unistd.h>

static int isFull(int fd)
{
    const char *under = getenv("KAIRO_FULL_DISK_UNDER");
    if (!under || !*under)
        return 0;
    char link[64];
    char target[PATH_MAX];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = readlink(link, target, sizeof target - 1);
    if (n <= 0)
        return 0;
    target[n] = 0;
    return strncmp(target, under, strlen(under)) == 0;
}

#define NEXT(name) ((__typeof__(&name))dlsym(RTLD_NEXT, #name))

ssize_t write(int fd, const void *buf, size_t count)
{
    if (isFull(fd)) {
        errno = ENOSPC;
        return -1;
    }
    return NEXT(write)(fd, buf, count);
}

ssize_t writev(int fd, const struct iovec *iov, int count)
{
    if (isFull(fd)) {
        errno = ENOSPC;
        return -1;
    }
    return NEXT(writev)(fd, iov, count);
}

ssize_t pwrite64(int fd, const void *buf, size_t count, off64_t offset)
{
    if (isFull(fd)) {
        errno = ENOSPC;
        return -1;
    }
    return NEXT(pwrite64)(fd, buf, count, offset);
}
