// The VM suite's driver. It runs inside the test VM as root, with uhid, evdev
// and uinput loaded, bindwellctl at /bin/bindwellctl and driver/steps in /vm;
// BINDWELL_VM_ONLY=name,name runs only the step files or the soak it names.
//
// Scenarios written as steps, one to a line, in /vm/NAME.steps: what to plug,
// start and send, and what must then hold of the nodes, of the bindwellctl
// started last and of the output of the last command run. Every step is a
// check named by its file and line; a failed step does not stop the ones
// after it, so a scenario's last lines can always put back what it changed.
//
// A node is `out` (Bindwell's virtual device), `clone` (the tap's clone of a
// mouse node), a path, or a plugged device's id, with the first word of the
// suffix the kernel gives a collection's node when there are several
// (`c.mouse`: "VM Test Controller Mouse"). In a quoted text, {node} stands
// for the node's path and \n for a line break.
#include "Harness.h"
#include "Soak.h"
#include "platform/linux/LinuxPermissions.h"
#include "platform/linux/PostedKeyNames.h"
#include "platform/linux/SysfsFile.h"
#include "platform/linux/SysfsInterfaceScan.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <grp.h>
#include <iomanip>
#include <map>
#include <sstream>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vmtest {
namespace {

using Args = std::vector<std::string>;

const std::string kFolder = "/vm/";
constexpr uid_t kUser = 1000;

struct Plugged {
    UhidDevice::Identity identity;
    std::vector<uint8_t> descriptor;
    std::unique_ptr<UhidDevice> device;
};

struct Run {
    std::map<std::string, Plugged> devices;
    std::vector<std::unique_ptr<BindwellProcess>> started;
    std::map<std::string, std::unique_ptr<EvdevReader>> readers;
    // What `says` and its kin read: the started process's output as it
    // grows, or a finished command's.
    std::function<std::string()> text;
    std::optional<Realtime> realtime;
    int holder = -1;
    // When the last report was sent (nowMicros, the readers' clock).
    long long sentAt = 0;

    BindwellProcess& bindwell() { return *started.back(); }
};

// Words split at blanks, except inside double quotes (a backslash is kept
// as it is, for expand()).
Args words(const std::string& line) {
    Args args;
    std::istringstream in(line);
    for (std::string word; in >> std::quoted(word, '"', '\x01');) {
        args.push_back(word);
    }
    return args;
}

std::optional<NodeDescription> find(Run& run, const std::string& node) {
    if (node == "out") {
        return virtualDeviceNode();
    }
    if (node == "clone") {
        return cloneNode();
    }
    const size_t dot = node.find('.');
    const auto plugged = run.devices.find(node.substr(0, dot));
    if (plugged == run.devices.end()) {
        return std::nullopt;
    }
    return nodeOf(plugged->second.identity, dot == std::string::npos ? "" : node.substr(dot + 1));
}

// The node's path, or "" when it does not appear.
std::string path(Run& run, const std::string& node) {
    if (node.starts_with('/')) {
        return node;
    }
    const auto found = find(run, node);
    return found ? found->devnode : "";
}

std::string expand(Run& run, std::string text) {
    for (size_t at = text.find("\\n"); at != std::string::npos; at = text.find("\\n", at)) {
        text.replace(at, 2, "\n");
    }
    for (size_t open = text.find('{'); open != std::string::npos; open = text.find('{', open)) {
        const size_t close = text.find('}', open);
        text.replace(open, close - open + 1, path(run, text.substr(open + 1, close - open - 1)));
    }
    return text;
}

std::vector<KeyEvent> keys(const Args& args, size_t from) {
    std::vector<KeyEvent> events;
    for (size_t i = from; i < args.size(); ++i) {
        const size_t colon = args[i].find(':');
        events.push_back(
            {bindwell::linuxplatform::keyCodeNamed(args[i].substr(0, colon)).value_or(0),
             std::stoi(args[i].substr(colon + 1))});
    }
    return events;
}

std::string ids(const std::string& text, uint32_t& vendor, uint32_t& product) {
    return std::sscanf(text.c_str(), "%x:%x", &vendor, &product) == 2 ? "" : "not VVVV:PPPP";
}

// A first word `as=UID` sets the process's user; the other words are
// bindwellctl's arguments, `run` when there are none.
BindwellProcess::Options processOptions(const Args& args, size_t from) {
    const bool as = from < args.size() && args[from].starts_with("as=");
    BindwellProcess::Options options{.args = Args(args.begin() + from + as, args.end()),
                                     .uid = as ? uid_t(std::stoul(args[from].substr(3))) : 0};
    if (options.args.empty()) {
        options.args = {"run"};
    }
    return options;
}

std::string exitedWith(BindwellProcess& process, int status, const std::string& wanted) {
    return std::to_string(status) == wanted ? ""
                                            : "exit " + std::to_string(status) + process.tail(20);
}

std::string sysPathOf(const std::string& devnode) {
    return "/sys/class/input/" + devnode.substr(devnode.rfind('/') + 1);
}

// The command's output, what it writes to stderr too, and its exit status.
std::pair<std::string, int> shell(const std::string& command) {
    std::string output;
    int status = -1;
    if (FILE* pipe = ::popen((command + " 2>&1").c_str(), "r")) {
        std::array<char, 4096> buffer{};
        for (size_t read; (read = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) {
            output.append(buffer.data(), read);
        }
        status = WEXITSTATUS(::pclose(pipe));
    }
    return {output, status};
}

// udevadm's verdict on one node: whether the rules tag it "uaccess" now
// (TAGS keeps every tag a node ever had, for udevadm test leaves its
// database behind; CURRENT_TAGS is what the rules give it now), and the end
// of its output when that is not what is wanted.
std::string tagged(const std::string& devnode, bool wanted) {
    const std::string output = shell("udevadm test --action=add " + sysPathOf(devnode)).first;
    const size_t at = output.find("\nCURRENT_TAGS=");
    const bool isTagged =
        at != std::string::npos &&
        output.substr(at, output.find('\n', at + 1) - at).find(":uaccess:") != std::string::npos;
    return isTagged == wanted ? "" : output.substr(output.size() > 3000 ? output.size() - 3000 : 0);
}

// The permission check that decides whether setup asks for the grant, as the
// desktop user runs it.
bool userCanReadDevice(uint32_t vendor, uint32_t product) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(kUser) != 0 || ::setuid(kUser) != 0) {
            ::_exit(2);
        }
        bindwell::linuxplatform::LinuxPermissions permissions;
        ::_exit(permissions.canReadDevice(vendor, product, false) ? 0 : 1);
    }
    int status = 0;
    return pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

// The race behind an abort on replug: the descriptor of a device unplugged
// between the open and the read. The kernel answers ENODEV, and the read
// says so instead of throwing.
std::string readAcrossUnplug(Plugged& plugged, const std::string& devnode) {
    const std::string file = sysPathOf(devnode) + "/device/device/report_descriptor";
    const auto whole = bindwell::linuxplatform::readSysfsFile(file);
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    plugged.device->unplug();
    const auto read = bindwell::linuxplatform::readToEnd(fd);
    ::close(fd);
    if (whole.error != 0 || whole.bytes != plugged.descriptor) {
        return std::string("the descriptor does not read back: ") + std::strerror(whole.error);
    }
    return read.error == ENODEV && read.bytes.empty()
               ? ""
               : std::string("read after the unplug: ") + std::strerror(read.error);
}

// The verbs that act on a plugged device (the first argument names it):
//   plug ID DESCRIPTOR VVVV:PPPP NAME [UNIQ]  a USB device made through uhid,
//       DESCRIPTOR a file of hex bytes or `controller`
//   unplug ID
//   send ID BYTE...  one input report, in hex
std::string deviceStep(Run& run, const std::string& verb, const Args& a) {
    Plugged& plugged = run.devices[a[0]];
    if (verb == "plug") {
        plugged.identity = {a[3], 0, 0, BUS_USB, a.size() > 4 ? a[4] : ""};
        const std::string problem = ids(a[2], plugged.identity.vendor, plugged.identity.product);
        plugged.descriptor =
            a[1] == "controller" ? controllerDescriptor() : loadDescriptor(kFolder + a[1]);
        plugged.device = std::make_unique<UhidDevice>(plugged.identity, plugged.descriptor);
        return problem + (plugged.device->ok() ? "" : "uhid refused it");
    }
    run.sentAt = nowMicros();
    if (verb == "unplug") {
        plugged.device->unplug();
    } else {
        std::vector<uint8_t> report;
        for (size_t i = 1; i < a.size(); ++i) {
            report.push_back(uint8_t(std::stoul(a[i], nullptr, 16)));
        }
        plugged.device->send(report);
    }
    return "";
}

// The verbs of bindwellctl's processes:
//   start [as=UID] [ARGS...]  in the background
//   signal NAME  to the started process, which must still run; its output
//       is then read at once until `exit` (a device it destroys hands out
//       nothing after)
//   exit STATUS  the started process ends so
//   run STATUS [as=UID] ARGS...  bindwellctl to its end
//   scan  the device picker's scan, which reads sysfs alone: "NAME VENDOR"
std::string processStep(Run& run, const std::string& verb, const Args& a) {
    if (verb == "start") {
        run.started.push_back(std::make_unique<BindwellProcess>(processOptions(a, 0)));
        run.text = [&process = run.bindwell()] { return process.output(); };
    } else if (verb == "signal") {
        const std::map<std::string, int> signals{
            {"SIGTERM", SIGTERM}, {"SIGINT", SIGINT}, {"SIGKILL", SIGKILL}};
        if (!run.bindwell().alive()) {
            return exitedWith(run.bindwell(), run.bindwell().exitStatus(), "running");
        }
        run.realtime.emplace();
        run.bindwell().signal(signals.at(a[0]));
    } else if (verb == "exit") {
        run.realtime.reset();
        return exitedWith(run.bindwell(), run.bindwell().wait(5000), a[0]);
    } else if (verb == "run") {
        BindwellProcess process(processOptions(a, 1));
        const int status = process.wait(10000);
        run.text = [output = process.output()] { return output; };
        return exitedWith(process, status, a[0]);
    } else {
        std::string scanned;
        for (const bindwell::HidDeviceRef& device : bindwell::linuxplatform::scanInterfaces()) {
            scanned += device->description().product + " " +
                       std::to_string(device->description().vendorID) + "\n";
        }
        run.text = [scanned] { return scanned; };
    }
    return "";
}

// The verbs on what was said (see Run::text):
//   says TEXT (within 5 s) / lacks TEXT / count N TEXT (exactly N times)
std::string textStep(Run& run, const std::string& verb, const Args& a) {
    const std::string part = expand(run, a.back());
    const long long deadline = nowMicros() + (verb == "says" ? 5'000'000 : 0);
    while (verb == "says" && run.text().find(part) == std::string::npos && nowMicros() < deadline) {
        sleepMs(20);
    }
    const std::string text = run.text();
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    const bool holds = verb == "says"    ? count > 0
                       : verb == "lacks" ? count == 0
                                         : std::to_string(count) == a[0];
    return holds ? "" : "in:\n" + text;
}

// The verbs on input nodes:
//   exists NODE / absent NODE  whether it appears within 3 s
//   seized NODE...  each is grabbed by another reader, Bindwell
//   free NODE  grabbed by nobody
//   grab NODE / ungrab  the test itself holds the node's grab
//   watch NODE  its key events are read from now on
//   expect NODE KEY:VALUE...  these arrive in order within 2 s (others in
//       between are let be)
//   keys NODE MS KEY:VALUE...  exactly these within MS (none: nothing)
//   held NODE KEY:1...  exactly these are down on the node (EVIOCGKEY)
//   arrives NODE KEY:VALUE MS  the next key event, within 1.5 s, is this one,
//       stamped at least MS after the last report sent
std::string nodeStep(Run& run, const std::string& verb, const Args& a) {
    if (verb == "exists" || verb == "absent") {
        return find(run, a[0]).has_value() == (verb == "exists") ? "" : "it does not";
    }
    if (verb == "seized") {
        std::string problem;
        for (const std::string& node : a) {
            const std::string devnode = path(run, node);
            problem += !devnode.empty() && waitForGrab(devnode) ? "" : node + " is not; ";
        }
        return problem;
    }
    if (verb == "free") {
        return tryGrab(path(run, a[0])) == 0 ? "" : "it is grabbed or gone";
    }
    if (verb == "grab") {
        run.holder = ::open(path(run, a[0]).c_str(), O_RDONLY | O_CLOEXEC);
        return ioctl(run.holder, EVIOCGRAB, 1) == 0 ? "" : std::strerror(errno);
    }
    if (verb == "ungrab") {
        ::close(run.holder);
        run.holder = -1;
        return "";
    }
    if (verb == "watch") {
        run.readers[a[0]] = std::make_unique<EvdevReader>(path(run, a[0]));
        return run.readers[a[0]]->ok() ? "" : "it cannot be read";
    }
    if (verb == "held") {
        const auto codes = heldCodes(path(run, a[0]));
        std::vector<KeyEvent> held;
        for (unsigned code : codes.value_or(std::vector<unsigned>{})) {
            held.push_back({code, 1});
        }
        return codes && held == keys(a, 1) ? "" : "held " + describe(held);
    }
    EvdevReader& reader = *run.readers.at(a[0]);
    if (verb == "arrives") {
        const auto event = reader.next(EV_KEY, 1500);
        if (!event) {
            return std::string("nothing came");
        }
        const long long after =
            event->input_event_sec * 1000000LL + event->input_event_usec - run.sentAt;
        std::printf("%s came %lld us after the last report\n", a[1].c_str(), after);
        const bool holds = KeyEvent{event->code, event->value} == keys(a, 1).front() &&
                           after >= std::stoll(a[2]) * 1000;
        return holds ? "" : "saw " + describe({{event->code, event->value}});
    }
    std::vector<KeyEvent> seen;
    const bool holds = verb == "expect" ? reader.expectKeys(keys(a, 1), 2000, &seen)
                                        : (seen = reader.keysWithin(std::stoi(a[1]))) == keys(a, 2);
    return holds ? "" : "saw " + describe(seen);
}

// The verbs on the guest's files and udev:
//   config FILE  FILE becomes /tmp/config's configuration
//   sleep MS
//   sh STATUS COMMAND  a shell command ends so (files, modes, uevents)
//   tagged NODE yes|no  whether the udev rules tag it "uaccess"
//   readable VVVV:PPPP yes|no  the desktop user's permission check
//   read-across-unplug ID NODE  the node's descriptor reads back whole, then
//       fails with ENODEV once the device goes between open and read
std::string systemStep(Run& run, const std::string& verb, const Args& a) {
    if (verb == "config") {
        installConfig(a[0]);
    } else if (verb == "sleep") {
        sleepMs(std::stoi(a[0]));
    } else if (verb == "sh") {
        const auto [output, status] = shell(expand(run, a[1]));
        return std::to_string(status) == a[0] ? ""
                                              : "exit " + std::to_string(status) + ": " + output;
    } else if (verb == "tagged") {
        return tagged(path(run, a[0]), a[1] == "yes");
    } else if (verb == "readable") {
        uint32_t vendor = 0;
        uint32_t product = 0;
        const bool readable =
            ids(a[0], vendor, product).empty() && userCanReadDevice(vendor, product);
        return readable == (a[1] == "yes") ? "" : "the check says otherwise";
    } else {
        return readAcrossUnplug(run.devices[a[0]], path(run, a[1]));
    }
    return "";
}

struct Verbs {
    std::string (*run)(Run&, const std::string&, const Args&);
    std::vector<std::string> names;
};
const Verbs kVerbs[] = {
    {deviceStep, {"plug", "unplug", "send"}},
    {processStep, {"start", "signal", "exit", "run", "scan"}},
    {textStep, {"says", "lacks", "count"}},
    {nodeStep,
     {"exists", "absent", "seized", "free", "grab", "ungrab", "watch", "expect", "keys", "arrives",
      "held"}},
    {systemStep, {"config", "sleep", "sh", "tagged", "readable", "read-across-unplug"}},
};

std::string step(Run& run, const Args& args) {
    for (const Verbs& verbs : kVerbs) {
        if (std::find(verbs.names.begin(), verbs.names.end(), args[0]) != verbs.names.end()) {
            return verbs.run(run, args[0], Args(args.begin() + 1, args.end()));
        }
    }
    return "no such verb";
}

void runSteps(const std::string& name) {
    const int failuresBefore = failures();
    Run run;
    std::ifstream file(kFolder + name + ".steps");
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        Args args = words(line);
        if (args.empty() || args[0].starts_with('#')) {
            continue;
        }
        const std::string problem = step(run, args);
        check(problem.empty(), name + ":" + std::to_string(number) + " " + line, problem);
    }
    for (const auto& process : run.started) {
        dumpOnFailure(*process, failuresBefore);
    }
    if (run.holder >= 0) {
        ::close(run.holder);
    }
}

void runStepScenarios() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(kFolder)) {
        if (entry.path().extension() == ".steps") {
            names.push_back(entry.path().stem());
        }
    }
    std::sort(names.begin(), names.end());
    check(!names.empty(), "the step files are in " + kFolder);
    for (const std::string& name : names) {
        if (selected(name)) {
            runSteps(name);
        }
    }
}

} // namespace
} // namespace vmtest

int main() {
    using namespace vmtest;
    runStepScenarios();
    if (selected("soak")) {
        soak();
    }
    return finish();
}
