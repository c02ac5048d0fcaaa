/* The latency floor: grab one evdev node and copy every event to a uinput
 * device with the same keys, axes and scan codes, with no logic at all but
 * a key code lookup, so it can post the very keys Bindwell posts:
 *   bindwell_vm_forwarder /dev/input/eventN [FROM=TO ...]   (key codes) */
#include <errno.h>
#include <fcntl.h>
#include <linux/input.h>
#include <linux/uinput.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <string.h>
#include <sys/ioctl.h>
#include <unistd.h>

#define BITS_PER_LONG (sizeof(unsigned long) * 8)
#define NLONGS(x) (((x) + BITS_PER_LONG - 1) / BITS_PER_LONG)

static volatile sig_atomic_t running = 1;

static void onSignal(int signal) {
    (void)signal;
    running = 0;
}

static void copyBits(int in, int out, unsigned type, unsigned max, unsigned long request) {
    unsigned long bits[NLONGS(KEY_MAX + 1)];
    memset(bits, 0, sizeof bits);
    if (ioctl(in, EVIOCGBIT(type, sizeof bits), bits) < 0) {
        return;
    }
    ioctl(out, UI_SET_EVBIT, type);
    for (unsigned code = 0; code <= max; ++code) {
        if ((bits[code / BITS_PER_LONG] >> (code % BITS_PER_LONG)) & 1UL) {
            ioctl(out, request, code);
        }
    }
}

/* FROM=TO key translations from the command line; the rest pass unchanged. */
static unsigned short translation[KEY_MAX + 1];

static int parseTranslations(int count, char** pairs) {
    for (unsigned code = 0; code <= KEY_MAX; ++code) {
        translation[code] = (unsigned short)code;
    }
    for (int i = 0; i < count; ++i) {
        unsigned from, to;
        if (sscanf(pairs[i], "%u=%u", &from, &to) != 2 || from > KEY_MAX || to > KEY_MAX) {
            return -1;
        }
        translation[from] = (unsigned short)to;
    }
    return 0;
}

static int createClone(int in) {
    const int out = open("/dev/uinput", O_WRONLY | O_NONBLOCK);
    if (out < 0) {
        return -1;
    }
    copyBits(in, out, EV_KEY, KEY_MAX, UI_SET_KEYBIT);
    for (unsigned code = 0; code <= KEY_MAX; ++code) {
        if (translation[code] != code) {
            ioctl(out, UI_SET_KEYBIT, translation[code]);
        }
    }
    copyBits(in, out, EV_REL, REL_MAX, UI_SET_RELBIT);
    copyBits(in, out, EV_MSC, MSC_MAX, UI_SET_MSCBIT);
    struct uinput_setup setup;
    memset(&setup, 0, sizeof setup);
    ioctl(in, EVIOCGID, &setup.id);
    strcpy(setup.name, "VM Forwarder");
    if (ioctl(out, UI_DEV_SETUP, &setup) < 0 || ioctl(out, UI_DEV_CREATE) < 0) {
        close(out);
        return -1;
    }
    return out;
}

int main(int argc, char** argv) {
    if (argc < 2 || parseTranslations(argc - 2, argv + 2) != 0) {
        fprintf(stderr, "usage: bindwell_vm_forwarder /dev/input/eventN [FROM=TO ...]\n");
        return 2;
    }
    signal(SIGTERM, onSignal);
    const int in = open(argv[1], O_RDONLY | O_NONBLOCK);
    if (in < 0 || ioctl(in, EVIOCGRAB, 1) < 0) {
        perror("forwarder: open");
        return 1;
    }
    const int out = createClone(in);
    if (out < 0) {
        perror("forwarder: uinput");
        return 1;
    }
    struct input_event events[64];
    while (running) {
        struct pollfd pfd = {in, POLLIN, 0};
        if (poll(&pfd, 1, 100) <= 0) {
            continue;
        }
        const ssize_t n = read(in, events, sizeof events);
        if (n < 0 && errno != EAGAIN) {
            break;
        }
        for (ssize_t i = 0; i < n / (ssize_t)sizeof events[0]; ++i) {
            if (events[i].type == EV_KEY && events[i].code <= KEY_MAX) {
                events[i].code = translation[events[i].code];
            }
        }
        if (n > 0 && write(out, events, (size_t)n) != n) {
            break;
        }
    }
    ioctl(out, UI_DEV_DESTROY);
    close(out);
    ioctl(in, EVIOCGRAB, 0);
    close(in);
    return 0;
}
