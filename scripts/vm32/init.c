/* PID 1 of the test VM (scripts/in-vm32). Loads the virtio, 9p and overlay modules, makes the
   host's root, shared read-only, the VM's root under an overlay whose upper layer is RAM (so
   every write of the guest is private to it and gone at power-off), mounts the writable shares
   the host named, runs the guest script and powers off.

   From the kernel command line (the kernel hands name=value words to init as environment):
     vm32guest    the guest script, run with bash
     vm32share0…  the folder each writable share "share0"… is mounted at, the host's own path */
#define _GNU_SOURCE
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/reboot.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

static void say(const char *text) {
    int fd = open("/dev/console", O_WRONLY);
    if (fd >= 0) {
        (void)!write(fd, text, strlen(text));
        close(fd);
    }
}

static void die(const char *what) {
    char line[512];
    snprintf(line, sizeof line, "vm32 init: %s: %s\n", what, strerror(errno));
    say(line);
    sync();
    reboot(RB_POWER_OFF);
    for (;;) pause();
}

static void load_module(const char *name) {
    char path[256];
    snprintf(path, sizeof path, "/modules/%s.ko", name);
    int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) die(path);
    if (syscall(SYS_finit_module, fd, "", 0) != 0 && errno != EEXIST) die(path);
    close(fd);
}

/* mkdir -p */
static void make_folders(const char *path) {
    char buffer[4096];
    snprintf(buffer, sizeof buffer, "%s", path);
    for (char *slash = buffer + 1; *slash; ++slash) {
        if (*slash != '/') continue;
        *slash = 0;
        mkdir(buffer, 0755);
        *slash = '/';
    }
    mkdir(buffer, 0755);
}

static void mount_at(const char *source, const char *target, const char *type,
                     unsigned long flags, const char *options) {
    make_folders(target);
    /* A virtio device may show up a little after its driver is loaded. */
    for (int attempt = 0; attempt < 300; ++attempt) {
        if (mount(source, target, type, flags, options) == 0) return;
        if (errno != ENOENT && errno != ENODEV) break;
        usleep(10000);
    }
    char what[600];
    snprintf(what, sizeof what, "mount %s (%s) on %s", source, type, target);
    die(what);
}

int main(void) {
    mount("devtmpfs", "/dev", "devtmpfs", 0, NULL);
    const char *modules[] = {"virtio_ring", "virtio", "virtio_pci_legacy_dev",
                             "virtio_pci_modern_dev", "virtio_pci", "9pnet", "9pnet_virtio",
                             "netfs", "fscache", "9p", "overlay", NULL};
    for (int i = 0; modules[i]; ++i) load_module(modules[i]);

    const char *nine_p = "trans=virtio,version=9p2000.L,msize=512000,cache=loose";
    mount_at("hostroot", "/lower", "9p", MS_RDONLY, nine_p);
    mount_at("tmpfs", "/rw", "tmpfs", 0, "mode=755");
    mkdir("/rw/upper", 0755);
    mkdir("/rw/work", 0755);
    mount_at("overlay", "/newroot", "overlay", 0,
             "lowerdir=/lower,upperdir=/rw/upper,workdir=/rw/work");
    mount_at("proc", "/newroot/proc", "proc", 0, NULL);
    mount_at("sysfs", "/newroot/sys", "sysfs", 0, NULL);
    mount_at("devtmpfs", "/newroot/dev", "devtmpfs", 0, NULL);
    mount_at("devpts", "/newroot/dev/pts", "devpts", 0, "gid=5,mode=620,ptmxmode=666");
    mount_at("tmpfs", "/newroot/dev/shm", "tmpfs", 0, "mode=1777");
    mount_at("tmpfs", "/newroot/run", "tmpfs", 0, "mode=755");
    /* /tmp stays the host's, under the overlay: a checkout may live there. The host's X and
       wineserver sockets in it do no harm: scripts/xvfb takes a display number no lock or
       socket names, and wineserver's folder is named after the prefix's device, which differs
       in the guest. */
    for (int i = 0; i < 8; ++i) {
        char name[32], tag[32], target[4200];
        snprintf(name, sizeof name, "vm32share%d", i);
        const char *folder = getenv(name);
        if (!folder) break;
        snprintf(tag, sizeof tag, "share%d", i);
        snprintf(target, sizeof target, "/newroot%s", folder);
        /* cache=mmap: what the guest writes reaches the host at once */
        mount_at(tag, target, "9p", 0, "trans=virtio,version=9p2000.L,msize=512000,cache=mmap");
    }
    if (chdir("/newroot") || mount("/newroot", "/", NULL, MS_MOVE, NULL) || chroot(".") ||
        chdir("/"))
        die("switch to the new root");

    const char *guest = getenv("vm32guest");
    if (!guest) {
        errno = EINVAL;
        die("no vm32guest on the kernel command line");
    }
    pid_t child = fork();
    if (child == 0) {
        setsid();
        int fd = open("/dev/ttyS0", O_RDWR); /* the command's output; the console is ttyS1 */
        if (fd >= 0) {
            ioctl(fd, TIOCSCTTY, 0);
            dup2(fd, 0);
            dup2(fd, 1);
            dup2(fd, 2);
            if (fd > 2) close(fd);
        }
        execl("/bin/bash", "bash", guest, (char *)NULL);
        _exit(127);
    }
    for (;;) { /* reap every orphan; stop when the guest script is done */
        int status;
        pid_t ended = wait(&status);
        if (ended == child || (ended < 0 && errno == ECHILD)) break;
    }
    kill(-1, SIGTERM);
    usleep(200000);
    kill(-1, SIGKILL);
    while (wait(NULL) > 0) {
    }
    sync();
    reboot(RB_POWER_OFF);
    return 0;
}
