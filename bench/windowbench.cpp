#include "windowbench.h"

#include "hostbench.h"

#include <xcb/xcb.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <memory>

extern char **environ;

namespace bench {

namespace {

constexpr int PollMs = 2;
// Idling is measured once the game's carets have stopped blinking, which they
// do ten seconds after the last key or click.
constexpr int IdleFromMs = 12000;

double nowMs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

void sleepMs(int ms)
{
    const timespec t{ms / 1000, long(ms % 1000) * 1000000L};
    nanosleep(&t, nullptr);
}

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

class Display
{
public:
    Display() : m_c(xcb_connect(nullptr, nullptr))
    {
        if (xcb_connection_has_error(m_c))
            return;
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data->root;
        const char name[] = "_NET_WM_PID";
        Reply<xcb_intern_atom_reply_t> atom(
            xcb_intern_atom_reply(m_c, xcb_intern_atom(m_c, 0, sizeof name - 1, name), nullptr), &std::free);
        m_pidAtom = atom ? atom->atom : 0;
    }
    ~Display() { xcb_disconnect(m_c); }
    bool ok() const { return m_pidAtom != 0; }

    // True when a viewable window of pid titled title is on the screen; frames
    // of the window manager are looked through.
    bool mapped(pid_t pid, const std::string &title) { return find(m_root, pid, title, 0); }

private:
    bool find(xcb_window_t parent, pid_t pid, const std::string &title, int depth)
    {
        Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(m_c, xcb_query_tree(m_c, parent), nullptr), &std::free);
        if (!tree)
            return false;
        const xcb_window_t *children = xcb_query_tree_children(tree.get());
        for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
            if (pidOf(children[i]) == std::uint32_t(pid)) {
                if (viewable(children[i]) && property(children[i], XCB_ATOM_WM_NAME, XCB_ATOM_ANY) == title)
                    return true;
            } else if (depth < 2 && find(children[i], pid, title, depth + 1)) {
                return true;
            }
        }
        return false;
    }
    std::string property(xcb_window_t window, xcb_atom_t name, xcb_atom_t type)
    {
        Reply<xcb_get_property_reply_t> reply(
            xcb_get_property_reply(m_c, xcb_get_property(m_c, 0, window, name, type, 0, 64), nullptr), &std::free);
        if (!reply)
            return {};
        return std::string(static_cast<const char *>(xcb_get_property_value(reply.get())),
                           std::size_t(xcb_get_property_value_length(reply.get())));
    }
    std::uint32_t pidOf(xcb_window_t window)
    {
        const std::string value = property(window, m_pidAtom, XCB_ATOM_CARDINAL);
        std::uint32_t pid = 0;
        if (value.size() == sizeof pid)
            std::memcpy(&pid, value.data(), sizeof pid);
        return pid;
    }
    bool viewable(xcb_window_t window)
    {
        Reply<xcb_get_window_attributes_reply_t> reply(
            xcb_get_window_attributes_reply(m_c, xcb_get_window_attributes(m_c, window), nullptr), &std::free);
        return reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
    }

    xcb_connection_t *m_c;
    xcb_window_t m_root = 0;
    xcb_atom_t m_pidAtom = 0;
};

pid_t spawn(const std::string &program, const std::vector<std::string> &env)
{
    std::vector<std::string> all(env);
    for (char **e = environ; *e; ++e)
        all.emplace_back(*e);
    std::vector<char *> envp;
    for (std::string &e : all)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    // The program and its arguments, split at blanks.
    std::vector<std::string> words;
    for (std::size_t at = 0; at < program.size();) {
        const std::size_t blank = std::min(program.find(' ', at), program.size());
        words.push_back(program.substr(at, blank - at));
        at = blank + 1;
    }
    std::vector<char *> argv;
    for (std::string &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    return posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) == 0 ? pid : 0;
}

void stop(pid_t pid)
{
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
}

// One start: the time to the mapped window (ms, < 0 when it never came) and
// the resident memory a second later; the idle use too when wanted.
double startOnce(Display &display, const std::string &program, const std::string &title,
                 const std::vector<std::string> &env, double &cpuMs, long &residentKiB, long &privateKiB,
                 ProcessUse *idle)
{
    const double started = nowMs();
    const pid_t pid = spawn(program, env);
    double mapped = -1;
    while (pid != 0 && nowMs() - started < 10000) {
        if (display.mapped(pid, title)) {
            mapped = nowMs() - started;
            cpuMs = mainThreadCpuMs(pid);
            break;
        }
        sleepMs(PollMs);
    }
    sleepMs(1000);
    residentKiB = bench::residentKiB(pid);
    privateKiB = bench::privateResidentKiB(pid);
    if (idle) {
        sleepMs(IdleFromMs - 1000);
        const ProcessUse before = processUse(pid);
        sleepMs(IdleMs);
        const ProcessUse after = processUse(pid);
        *idle = {after.cpuMs - before.cpuMs, after.wakeUps - before.wakeUps, after.mainWakeUps - before.mainWakeUps};
    }
    if (pid != 0)
        stop(pid);
    return mapped;
}

} // namespace

std::vector<WindowFigures> measureWindows(const std::vector<std::string> &programs,
                                          const std::vector<std::string> &titles,
                                          const std::vector<std::string> &env, int runs)
{
    std::vector<WindowFigures> figures(programs.size());
    Display display;
    if (!display.ok())
        return {};
    std::vector<std::vector<double>> starts(programs.size()), cpus(programs.size()), residents(programs.size()),
        privates(programs.size());
    for (int run = 0; run <= runs; ++run) {
        for (std::size_t p = 0; p < programs.size(); ++p) {
            double cpu = 0;
            long resident = 0;
            long own = 0;
            // The first run of each only warms the file cache; the last measures idling as well.
            const double ms = startOnce(display, programs[p], titles[p], env, cpu, resident, own,
                                        run == runs ? &figures[p].idle : nullptr);
            if (run == 0 || ms < 0)
                continue;
            starts[p].push_back(ms);
            cpus[p].push_back(cpu);
            residents[p].push_back(double(resident) / 1024.0);
            privates[p].push_back(double(own) / 1024.0);
        }
    }
    for (std::size_t p = 0; p < programs.size(); ++p) {
        figures[p].runs = int(starts[p].size());
        if (starts[p].empty())
            continue;
        figures[p].startMs = median(starts[p]);
        figures[p].startMinMs = *std::min_element(starts[p].begin(), starts[p].end());
        figures[p].startMaxMs = *std::max_element(starts[p].begin(), starts[p].end());
        figures[p].startCpuMs = median(cpus[p]);
        figures[p].residentMiB = median(residents[p]);
        figures[p].privateMiB = median(privates[p]);
    }
    return figures;
}

} // namespace bench
