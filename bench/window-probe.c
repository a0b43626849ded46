/* Starts a program under the current X display and reports, in milliseconds,
 * the time from the start of the process to the mapping of its first top-level
 * window and to the window's first answer (to a ping sent once it is mapped,
 * answered only when the program's event loop has painted the window and runs
 * again), the processor time the program had spent by then, and its resident
 * memory a few seconds later.
 * Usage: window-probe SETTLE_SECONDS PROGRAM [ARGS...] */
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

static long rss_kib(pid_t pid) {
    char path[64], line[256];
    long kib = -1;
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE* f = fopen(path, "r");
    if (!f)
        return -1;
    while (fgets(line, sizeof line, f))
        if (strncmp(line, "VmRSS:", 6) == 0)
            kib = strtol(line + 6, NULL, 10);
    fclose(f);
    return kib;
}

/* User and system time of the process, in milliseconds. */
static double cpu_ms(pid_t pid) {
    char path[64], buf[1024];
    snprintf(path, sizeof path, "/proc/%d/stat", (int)pid);
    FILE* f = fopen(path, "r");
    if (!f)
        return -1;
    size_t n = fread(buf, 1, sizeof buf - 1, f);
    fclose(f);
    buf[n] = 0;
    /* The fields after the command name, which may hold spaces, start after its ')'. */
    const char* p = strrchr(buf, ')');
    unsigned long utime = 0, stime = 0;
    if (!p ||
        sscanf(p + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &utime, &stime) != 2)
        return -1;
    return (utime + stime) * 1000.0 / sysconf(_SC_CLK_TCK);
}

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: %s SETTLE_SECONDS PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    Display* dpy = XOpenDisplay(NULL);
    if (!dpy) {
        fprintf(stderr, "no X display\n");
        return 2;
    }
    const Atom protocols = XInternAtom(dpy, "WM_PROTOCOLS", False);
    const Atom ping = XInternAtom(dpy, "_NET_WM_PING", False);
    /* The answer to a ping goes to the root window's structure listeners. */
    XSelectInput(dpy, DefaultRootWindow(dpy), SubstructureNotifyMask | StructureNotifyMask);
    XSync(dpy, False);

    double start = now_ms();
    pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    double mapped = -1, answered = -1, cpu = -1;
    while (answered < 0) {
        XEvent ev;
        XNextEvent(dpy, &ev);
        if (mapped < 0 && ev.type == MapNotify && !ev.xmap.override_redirect) {
            mapped = now_ms();
            XEvent out;
            memset(&out, 0, sizeof out);
            out.xclient.type = ClientMessage;
            out.xclient.window = ev.xmap.window;
            out.xclient.message_type = protocols;
            out.xclient.format = 32;
            out.xclient.data.l[0] = (long)ping;
            out.xclient.data.l[1] = CurrentTime;
            out.xclient.data.l[2] = (long)ev.xmap.window;
            XSendEvent(dpy, ev.xmap.window, False, NoEventMask, &out);
            XFlush(dpy);
        } else if (mapped >= 0 && ev.type == ClientMessage &&
                   ev.xclient.message_type == protocols && (Atom)ev.xclient.data.l[0] == ping) {
            answered = now_ms();
            cpu = cpu_ms(pid);
        }
    }
    sleep((unsigned)atoi(argv[1]));
    long kib = rss_kib(pid);
    printf("first window mapped after %.1f ms, answering after %.1f ms (%.0f ms of CPU); "
           "resident memory %.1f MB\n",
           mapped - start, answered - start, cpu, kib / 1024.0);
    kill(pid, SIGTERM);
    waitpid(pid, NULL, 0);
    XCloseDisplay(dpy);
    return 0;
}
