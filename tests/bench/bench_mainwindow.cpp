// What a user waits for and what the main window costs, measured from outside on the X display
// (run it under scripts/on-display.sh), each against the minimal anchor program bench_anchor
// measured in the same run:
//   start-up: exec of build/bin/tessellar (clean home, a quiz folder) to both panes on screen;
//   question step: Return sent through the X server to both panes showing the next question;
//   memory: RSS and PSS of the whole process tree after start and after loading a quiz of
//           32,766 questions;
//   idle: CPU seconds a minute of the process tree and of the X server, a caret blinking.
// "On screen" is what each program reports with TESSELLAR_PAINT_REPORT set (PaintReport.h):
// the renderer ran a frame callback after the content, and the pane has then been repainted
// into the window and the window flushed to the X server.
//   bench_mainwindow [startup] [step] [memory] [idle] [idle-variants] [--env NAME=VALUE]
//                    [--program-env NAME=VALUE] [--starts N]
// The parts run in the order given (default: the first four). --env sets a variable for both
// programs, e.g. QSG_RHI_BACKEND=opengl for the OpenGL rendering instead of the software one
// both choose by default; --program-env tries a change on the program alone. Both repeatable.
// --starts sets how many starts of each the start-up takes (51): more narrow the ratio's spread.
#include "BenchQuiz.h"
#include "Controls.h"
#include "HtmlPane.h"
#include "Main.h"
#include "MainWindow.h"
#include "QuizFile.h"
#include "QuizState.h"
#include "Rendering.h"
#include "Sections.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QSettings>
#include <QStyleHints>
#include <QTemporaryDir>
#include <QTimer>

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <optional>
#include <random>
#include <vector>

using testsupport::control;

namespace {
constexpr int kSmallQuiz = 1000;
constexpr int kLargeQuiz = 32766;
constexpr int kStartRuns = 51; // a start varies by ±20 ms on two cores: fewer runs move the median
constexpr int kStepBlocks = 6;
constexpr int kStepsPerBlock = 20;
constexpr int kMemoryRuns = 3;
constexpr int kIdleRounds = 3;
constexpr int kIdleSeconds = 60;
constexpr int kSettleMs = 250; // after each step, so the next starts from a quiet window
constexpr int kWaitMs = 60000;

qint64 nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

double percentile(std::vector<double> values, double p) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(p * (values.size() - 1) + 0.5)];
}

// How far the ratio of the medians moves with the luck of the runs: its 5th and 95th
// percentiles over resamplings of both sets of runs (a bootstrap, seeded for repeatability).
std::pair<double, double> ratioSpread(const std::vector<double> &program,
                                      const std::vector<double> &anchor) {
    std::mt19937 random(1);
    const auto resample = [&random](const std::vector<double> &runs) {
        std::uniform_int_distribution<size_t> pick(0, runs.size() - 1);
        std::vector<double> drawn(runs.size());
        for (double &value : drawn)
            value = runs[pick(random)];
        return median(drawn);
    };
    std::vector<double> ratios(2000);
    for (double &ratio : ratios)
        ratio = resample(program) / resample(anchor);
    return {percentile(ratios, 0.05), percentile(ratios, 0.95)};
}

// Runs the event loop, sleeping between events, until done() holds or ms have passed.
bool waitUntil(const std::function<bool()> &done, int ms) {
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.start(ms);
    while (!done() && deadline.isActive())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return done();
}

void pause(int ms) {
    waitUntil([] { return false; }, ms);
}

// ---- Processes ------------------------------------------------------------------------------

struct ProcStat {
    int parent = 0;
    double cpuSeconds = 0; // user + system
};

std::optional<ProcStat> procStat(int pid) {
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray text = file.readAll();
    // The command name may hold spaces and parentheses: the fields follow the last ')'.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return std::nullopt;
    static const double tick = static_cast<double>(sysconf(_SC_CLK_TCK));
    return ProcStat{fields[1].toInt(), (fields[11].toDouble() + fields[12].toDouble()) / tick};
}

QString procName(int pid) {
    QFile file(QStringLiteral("/proc/%1/comm").arg(pid));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed() : QString();
}

std::map<int, ProcStat> allProcesses() {
    std::map<int, ProcStat> all;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool isPid = false;
        const int pid = entry.toInt(&isPid);
        if (isPid)
            if (const auto stat = procStat(pid))
                all[pid] = *stat;
    }
    return all;
}

// The process and all its descendants (the QtWebEngineProcess zygotes and renderers).
std::vector<int> processTree(int root) {
    const std::map<int, ProcStat> all = allProcesses();
    std::vector<int> tree{root};
    for (size_t i = 0; i < tree.size(); ++i)
        for (const auto &[pid, stat] : all)
            if (stat.parent == tree[i])
                tree.push_back(pid);
    return tree;
}

double treeCpuSeconds(int root) {
    double sum = 0;
    for (int pid : processTree(root))
        if (const auto stat = procStat(pid))
            sum += stat->cpuSeconds;
    return sum;
}

// The X server this benchmark runs on: on-display.sh starts it beside us.
int xServerPid() {
    const int parent = getppid();
    for (const auto &[pid, stat] : allProcesses())
        if (stat.parent == parent && procName(pid) == QLatin1String("Xvfb"))
            return pid;
    return 0;
}

// A "Name:   1234 kB" line of a /proc file, in kB.
qint64 procField(const QString &path, const QByteArray &name) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : file.readAll().split('\n'))
        if (line.startsWith(name + ':'))
            return line.mid(name.size() + 1).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

// MiB of the process tree three ways: RSS counts shared pages in every process; PSS divides
// them among all their users, other programs on the machine too; USS is the pages no other
// process shares, the least the tree costs.
enum { kRss, kPss, kUss, kMeasures };
const char *const kMeasureNames[kMeasures] = {"RSS", "PSS", "USS"};

struct Memory {
    double mib[kMeasures] = {};
    int processes = 0;
    double loadMs = 0; // when a quiz was loaded: the keys to its first question on screen
};

Memory treeMemory(int root) {
    Memory memory;
    for (int pid : processTree(root)) {
        const QString rollup = QStringLiteral("/proc/%1/smaps_rollup").arg(pid);
        memory.mib[kRss] += procField(QStringLiteral("/proc/%1/status").arg(pid), "VmRSS");
        memory.mib[kPss] += procField(rollup, "Pss");
        memory.mib[kUss] += procField(rollup, "Private_Clean") + procField(rollup, "Private_Dirty");
        ++memory.processes;
    }
    for (double &value : memory.mib)
        value /= 1024;
    return memory;
}

// ---- Keys through the X server --------------------------------------------------------------

// Presses and releases keys as the keyboard does (the XTEST extension, loaded at run time so
// no development package is needed); they go to the window with the focus.
class XKeyboard {
public:
    XKeyboard() {
        m_display = XOpenDisplay(nullptr);
        if (void *xtest = dlopen("libXtst.so.6", RTLD_NOW))
            m_fake = reinterpret_cast<FakeKey>(dlsym(xtest, "XTestFakeKeyEvent"));
    }
    ~XKeyboard() {
        if (m_display)
            XCloseDisplay(m_display);
    }
    bool usable() const { return m_display && m_fake; }
    void tap(KeySym key) {
        const unsigned code = XKeysymToKeycode(m_display, key);
        m_fake(m_display, code, True, CurrentTime);
        m_fake(m_display, code, False, CurrentTime);
        XFlush(m_display);
    }

private:
    using FakeKey = int (*)(Display *, unsigned, Bool, unsigned long);
    Display *m_display = nullptr;
    FakeKey m_fake = nullptr;
};

// ---- The programs -----------------------------------------------------------------------------

// How a program is started: its arguments, settings (beside the quiz folder) and
// environment variables (NAME=VALUE) beside the ones every session gets.
struct Launch {
    QString program;
    QStringList args;
    std::map<QString, QString> settings;
    QStringList env;
};

// One run of the program or the anchor: a clean home of its own with the quiz folder in its
// settings, and the panes' reports read as they come.
class Session {
public:
    Session(const Launch &launch, const QString &quizFolder) {
        const QString config = m_home.filePath(QStringLiteral(".config"));
        QSettings settings(config + QStringLiteral("/Tessellar/Tessellar.conf"),
                           QSettings::IniFormat);
        settings.setValue(QStringLiteral("Settings/QPath"), quizFolder);
        for (const auto &[key, value] : launch.settings)
            settings.setValue(QStringLiteral("Settings/") + key, value);
        settings.sync();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), m_home.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        env.insert(QStringLiteral("XDG_CACHE_HOME"), m_home.filePath(QStringLiteral(".cache")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), m_home.filePath(QStringLiteral(".local")));
        env.insert(QStringLiteral("TESSELLAR_PAINT_REPORT"), QStringLiteral("1"));
        for (const QString &variable : launch.env)
            env.insert(variable.section(QLatin1Char('='), 0, 0),
                       variable.section(QLatin1Char('='), 1));
        m_process.setProcessEnvironment(env);
        m_process.setStandardErrorFile(QProcess::nullDevice()); // the renderers' chatter
        QObject::connect(&m_process, &QProcess::readyReadStandardOutput, [this] { readLines(); });
        m_startNs = nowNs();
        m_process.start(launch.program, launch.args);
    }
    ~Session() {
        m_process.terminate();
        if (!m_process.waitForFinished(10000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    qint64 startNs() const { return m_startNs; }
    int pid() const { return static_cast<int>(m_process.processId()); }

    // When both panes were last on screen, if both have been since the time given.
    qint64 waitPainted(qint64 sinceNs, int ms = kWaitMs) {
        const auto painted = [&] {
            return m_painted.size() == 2 &&
                   std::all_of(m_painted.begin(), m_painted.end(),
                               [&](auto &p) { return p.second >= sinceNs; });
        };
        if (!waitUntil([&] { return painted() || m_process.state() == QProcess::NotRunning; },
                       ms) ||
            !painted())
            return -1;
        qint64 last = 0;
        for (const auto &p : m_painted)
            last = std::max(last, p.second);
        return last;
    }
    // The anchor's arguments for a window laid out as this one: its size and the panes'.
    QStringList layoutArgs() const {
        return {QStringLiteral("--size"), m_window,
                QStringLiteral("--pane"), m_panes.value("questionPane"),
                QStringLiteral("--pane"), m_panes.value("choicesPane")};
    }

private:
    void readLines() {
        while (m_process.canReadLine()) {
            m_lastLine = m_process.readLine().trimmed();
            // painted <name> <ns> <x>,<y> <w>x<h> in <W>x<H>
            const QList<QByteArray> f = m_lastLine.split(' ');
            if (f.size() != 7 || f[0] != "painted")
                continue;
            m_painted[f[1]] = f[2].toLongLong();
            m_panes[f[1]] = QString::fromLatin1(f[3] + ',' + f[4]);
            m_window = QString::fromLatin1(f[6]);
        }
    }

    QTemporaryDir m_home;
    QProcess m_process;
    qint64 m_startNs = 0;
    std::map<QByteArray, qint64> m_painted;
    QMap<QByteArray, QString> m_panes; // "x,y,wxh" by pane
    QString m_window;                  // "wxh"
    QByteArray m_lastLine;
};

QString writeQuiz(const QString &folder, int count) {
    QList<QuizRecord> quiz(count);
    for (int i = 0; i < count; ++i) {
        quiz[i].number = quiz[i].reportNumber = i + 1;
        quiz[i].question = benchquiz::question(i + 1);
        quiz[i].choices = benchquiz::choices(i + 1);
        quiz[i].answer = benchquiz::answer();
    }
    const QString path = sections::quizFilePath(folder, QStringLiteral("bench"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(quizfile::encode(count, quiz).bytes) < 0)
        return QString();
    return path;
}

// UTF-16 bytes of the quiz's text: what the loaded quiz holds at the least.
double quizTextMiB(int count) {
    qint64 chars = 0;
    for (int i = 1; i <= count; ++i)
        chars += benchquiz::question(i).size() + benchquiz::choices(i).size() +
                 benchquiz::answer().size();
    return chars * 2 / 1048576.0;
}

struct Bench {
    QString programPath;
    QString anchorPath;
    QStringList env;        // --env: for both programs
    QStringList programEnv; // --program-env: tried on the program only, not on the anchor
    int startRuns = kStartRuns;
    QString smallFolder;
    QString largeFolder;
    QStringList anchorLayout; // the program's window and panes, learnt from its first run
    XKeyboard keys;

    // The program loads the section its settings name, as a user does: Tab from the section
    // box to 読み込み and Space; the anchor shows its first question on Return. The ms from
    // the keys to the first question on screen, or -1.
    double loadFirstQuestion(Session &session, bool program) {
        const qint64 since = nowNs();
        if (program) {
            keys.tap(XK_Tab);
            keys.tap(XK_space);
        } else {
            keys.tap(XK_Return);
        }
        const qint64 painted = session.waitPainted(since);
        return painted > 0 ? (painted - since) / 1e6 : -1;
    }

    Launch programLaunch(const QStringList &args = {}) const {
        return {programPath, args, {}, env + programEnv};
    }
    Launch anchorLaunch(const QStringList &args = {}) const {
        return {anchorPath, anchorLayout + args, {}, env};
    }
    std::unique_ptr<Session> start(bool program, const QString &folder) {
        return std::make_unique<Session>(program ? programLaunch() : anchorLaunch(), folder);
    }

    // ms from exec to both panes on screen, or -1.
    double startOnce(bool program) {
        auto session = start(program, smallFolder);
        const qint64 painted = session->waitPainted(session->startNs());
        if (program && painted > 0 && anchorLayout.isEmpty())
            anchorLayout = session->layoutArgs();
        return painted > 0 ? (painted - session->startNs()) / 1e6 : -1;
    }

    void startUp() {
        startOnce(true); // learns the window's layout; the page cache warms for both
        startOnce(false);
        std::vector<double> programRuns, anchorRuns;
        for (int i = 0; i < startRuns; ++i) { // interleaved: both meet the same load
            programRuns.push_back(startOnce(true));
            anchorRuns.push_back(startOnce(false));
        }
        report("start-up, exec to both panes on screen", programRuns, anchorRuns);
    }

    std::vector<double> stepBlock(bool program) {
        std::vector<double> steps;
        auto session = start(program, smallFolder);
        if (session->waitPainted(session->startNs()) < 0 ||
            loadFirstQuestion(*session, program) < 0)
            return steps;
        for (int i = 0; i < kStepsPerBlock; ++i) {
            pause(kSettleMs);
            const qint64 sent = nowNs();
            keys.tap(XK_Return);
            const qint64 painted = session->waitPainted(sent, 10000);
            steps.push_back(painted > 0 ? (painted - sent) / 1e6 : -1);
        }
        return steps;
    }

    void questionSteps() {
        std::vector<double> programSteps, anchorSteps;
        for (int block = 0; block < kStepBlocks; ++block) {
            for (double ms : stepBlock(true))
                programSteps.push_back(ms);
            for (double ms : stepBlock(false))
                anchorSteps.push_back(ms);
        }
        report("question step, Return to both panes on screen", programSteps, anchorSteps);
    }

    static void report(const char *what, std::vector<double> program, std::vector<double> anchor) {
        const auto failed = [](std::vector<double> &runs) {
            const auto lost = std::count(runs.begin(), runs.end(), -1.0);
            runs.erase(std::remove(runs.begin(), runs.end(), -1.0), runs.end());
            return lost;
        };
        const auto programLost = failed(program), anchorLost = failed(anchor);
        if (program.empty() || anchor.empty()) {
            std::printf("%s: no report within the time allowed from Tessellar (%td lost) or "
                        "the anchor (%td lost)\n",
                        what, programLost, anchorLost);
            return;
        }
        const double ratio = median(program) / median(anchor);
        const auto [low, high] = ratioSpread(program, anchor);
        std::printf("%s (median of %zu / %zu):\n"
                    "  Tessellar %.1f ms (p10 %.1f, p90 %.1f)\n"
                    "  anchor    %.1f ms (p10 %.1f, p90 %.1f)\n"
                    "  ratio %.2f (target 1.10: %s; 90%% of resamplings %.2f to %.2f)\n",
                    what, program.size(), anchor.size(), median(program), percentile(program, 0.1),
                    percentile(program, 0.9), median(anchor), percentile(anchor, 0.1),
                    percentile(anchor, 0.9), ratio, ratio <= 1.1 ? "met" : "NOT met", low, high);
        if (programLost || anchorLost)
            std::printf("  no report within the time allowed: Tessellar %td, anchor %td\n",
                        programLost, anchorLost);
        std::fflush(stdout);
    }

    Memory memoryOnce(bool program, const QString &folder, bool load) {
        auto session = start(program, folder);
        if (session->waitPainted(session->startNs()) < 0)
            return {};
        const double loadMs = load ? loadFirstQuestion(*session, program) : 0;
        if (loadMs < 0)
            return {};
        pause(2000); // the renderers settle
        Memory memory = treeMemory(session->pid());
        memory.loadMs = loadMs;
        return memory;
    }

    void memory() {
        const char *names[3] = {"Tessellar after start", "Tessellar, 32,766 questions loaded",
                                "anchor after start"};
        std::vector<double> runs[3][kMeasures], loads;
        int processes[3] = {};
        for (int i = 0; i < kMemoryRuns; ++i) {
            const Memory m[3] = {memoryOnce(true, smallFolder, false),
                                 memoryOnce(true, largeFolder, true),
                                 memoryOnce(false, smallFolder, false)};
            for (int k = 0; k < 3; ++k) {
                for (int measure = 0; measure < kMeasures; ++measure)
                    runs[k][measure].push_back(m[k].mib[measure]);
                processes[k] = m[k].processes;
            }
            loads.push_back(m[1].loadMs);
        }
        double mib[3][kMeasures];
        std::printf("memory of the process tree, MiB (median of %d):\n", kMemoryRuns);
        for (int k = 0; k < 3; ++k) {
            std::printf("  %-36s", names[k]);
            for (int measure = 0; measure < kMeasures; ++measure) {
                mib[k][measure] = median(runs[k][measure]);
                std::printf(" %s %6.1f", kMeasureNames[measure], mib[k][measure]);
            }
            std::printf(" (%d processes)\n", processes[k]);
        }
        const double quiz = mib[1][kUss] - mib[0][kUss];
        std::printf("  after start against the anchor: RSS ratio %.2f, USS ratio %.2f\n"
                    "  the quiz adds USS %.1f MiB for %.1f MiB of text in UTF-16 (ratio %.2f)\n",
                    mib[0][kRss] / mib[2][kRss], mib[0][kUss] / mib[2][kUss], quiz,
                    quizTextMiB(kLargeQuiz), quiz / quizTextMiB(kLargeQuiz));
        std::printf("  loading the 32,766 questions, Tab and Space to the first question on "
                    "screen: %.1f ms\n",
                    median(loads));
        std::fflush(stdout);
    }

    struct Cpu {
        double tree = 0;
        double own = 0; // the program's own process, without its renderers
        double xServer = 0;
    };

    // One way of idling: which program, how it is started and what is done before.
    struct IdleCase {
        const char *what;
        Launch launch;
        bool panesReport = true; // otherwise the window is given a while to settle
        std::function<bool(Session &)> prepare = {};
        bool largeQuiz = false; // the quiz folder holds the 32,766-question quiz
    };

    // CPU seconds a minute of the session's process tree and of the X server, once settled.
    std::optional<Cpu> idleOnce(const IdleCase &c) {
        Session session(c.launch, c.largeQuiz ? largeFolder : smallFolder);
        if (c.panesReport && session.waitPainted(session.startNs()) < 0)
            return std::nullopt;
        if (c.prepare && !c.prepare(session))
            return std::nullopt;
        pause(5000);
        const int xServer = xServerPid();
        const auto cpu = [&] {
            const auto own = procStat(session.pid());
            const auto x = procStat(xServer);
            return Cpu{treeCpuSeconds(session.pid()), own ? own->cpuSeconds : 0,
                       x ? x->cpuSeconds : 0};
        };
        const Cpu before = cpu();
        pause(kIdleSeconds * 1000);
        const Cpu after = cpu();
        const double scale = 60.0 / kIdleSeconds;
        return Cpu{(after.tree - before.tree) * scale, (after.own - before.own) * scale,
                   (after.xServer - before.xServer) * scale};
    }

    // Each case once a round, the rounds one after another: all meet the same load.
    void idleCases(const char *title, const std::vector<IdleCase> &cases, int rounds) {
        std::vector<std::vector<Cpu>> runs(cases.size());
        for (int round = 0; round < rounds; ++round)
            for (size_t i = 0; i < cases.size(); ++i)
                if (const auto cpu = idleOnce(cases[i]))
                    runs[i].push_back(*cpu);
        std::printf("%s, CPU seconds a minute (median of %d rounds of %d s):\n", title, rounds,
                    kIdleSeconds);
        for (size_t i = 0; i < cases.size(); ++i) {
            std::vector<double> tree, own, xServer;
            for (const Cpu &cpu : runs[i]) {
                tree.push_back(cpu.tree);
                own.push_back(cpu.own);
                xServer.push_back(cpu.xServer);
            }
            std::printf("  %-50s tree %5.2f (own process %5.2f), X server %5.2f%s\n", cases[i].what,
                        median(tree), median(own), median(xServer),
                        runs[i].size() == size_t(rounds) ? "" : "  (some runs failed)");
        }
        std::fflush(stdout);
    }

    IdleCase program(const char *what) const { return {what, programLaunch()}; }
    IdleCase anchor(const char *what, const QStringList &args = {}) const {
        return {what, anchorLaunch(args)};
    }
    // The main window built in this benchmark's own process (--idle-child) with one change.
    IdleCase inProcess(const char *what, const char *variant) const {
        Launch launch = programLaunch({QStringLiteral("--idle-child"), QLatin1String(variant)});
        launch.program = QCoreApplication::applicationFilePath();
        return {what, launch};
    }

    void idle() {
        IdleCase loaded = program("Tessellar, quiz loaded (clock running, no caret)");
        loaded.prepare = [this](Session &s) { return loadFirstQuestion(s, true) >= 0; };
        IdleCase largeLoaded = loaded;
        largeLoaded.what = "Tessellar, 32,766 questions loaded (clock running)";
        largeLoaded.largeQuiz = true;
        idleCases("idle with a caret blinking",
                  {program("Tessellar as started (caret in the section box)"),
                   anchor("anchor (caret in its line edit)"), loaded, largeLoaded},
                  kIdleRounds);
    }

    // What of the window costs the idle CPU: the program and the anchor with one thing changed.
    void idleVariants() {
        IdleCase noCaret = program("Tessellar, focus on the load button (no caret)");
        noCaret.prepare = [this](Session &) {
            keys.tap(XK_Tab);
            return true;
        };
        IdleCase large = program("Tessellar, window 1180x1100");
        large.launch.settings = {{QStringLiteral("MainWidth"), QString::number(1180 * 15)},
                                 {QStringLiteral("MainHeight"), QString::number(1100 * 15)}};
        IdleCase bare = anchor("anchor without panes (line edit only)", {"--no-panes"});
        bare.panesReport = false;
        idleCases("idle variants",
                  {program("Tessellar as started"), noCaret, large,
                   inProcess("Tessellar in-process, as started", "as-started"),
                   inProcess("Tessellar in-process, panes hidden", "panes-hidden"),
                   inProcess("Tessellar in-process, caret not blinking", "no-blink"),
                   anchor("anchor"), bare, anchor("anchor, caret not blinking", {"--flash", "0"}),
                   anchor("anchor, window 300x200", {"--size", "300x200"}),
                   anchor("anchor, window 1180x1100", {"--size", "1180x1100"})},
                  1);
    }
};

// --idle-child VARIANT: the program's start, then one change, idling until terminated.
int idleChild(const QString &variant) {
    QuizState state;
    MainWindow *form = Main(state);
    if (variant == QLatin1String("panes-hidden")) {
        // Hidden a second after both have shown their blank page (and reported it).
        auto *poll = new QTimer(form);
        QObject::connect(poll, &QTimer::timeout, form, [form, poll] {
            if (!control<HtmlPane>(form, "questionPane")->isReady() ||
                !control<HtmlPane>(form, "choicesPane")->isReady())
                return;
            poll->stop();
            QTimer::singleShot(1000, form, [form] {
                control<HtmlPane>(form, "questionPane")->hide();
                control<HtmlPane>(form, "choicesPane")->hide();
            });
        });
        poll->start(100);
    } else if (variant == QLatin1String("no-blink")) {
        QGuiApplication::styleHints()->setCursorFlashTime(0);
    }
    return QApplication::exec();
}

// The values of every "option VALUE" pair, taken out of the arguments.
QStringList takeOptionValues(QStringList &args, const QString &option) {
    QStringList values;
    for (qsizetype i; (i = args.indexOf(option)) >= 0;) {
        values += args.value(i + 1);
        args.remove(i, std::min<qsizetype>(2, args.size() - i));
    }
    return values;
}
} // namespace

int main(int argc, char *argv[]) {
    rendering::choose(); // for the in-process variants
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.size() == 2 && args[0] == QLatin1String("--idle-child"))
        return idleChild(args[1]);

    Bench bench;
    const QString dir = QCoreApplication::applicationDirPath();
    bench.programPath = QDir(dir).filePath(QStringLiteral("../bin/tessellar"));
    bench.anchorPath = QDir(dir).filePath(QStringLiteral("bench_anchor"));
    bench.env = takeOptionValues(args, QStringLiteral("--env"));
    bench.programEnv = takeOptionValues(args, QStringLiteral("--program-env"));
    const QStringList starts = takeOptionValues(args, QStringLiteral("--starts"));
    if (!starts.isEmpty())
        bench.startRuns = std::clamp(starts.last().toInt(), 1, 10000);
    QTemporaryDir small, large;
    bench.smallFolder = small.path();
    bench.largeFolder = large.path();
    if (!bench.keys.usable() || writeQuiz(small.path(), kSmallQuiz).isEmpty() ||
        writeQuiz(large.path(), kLargeQuiz).isEmpty()) {
        std::fprintf(stderr, "needs an X display with XTEST (scripts/on-display.sh) and a "
                             "writable temporary folder\n");
        return 1;
    }
    if (args.isEmpty())
        args = {QStringLiteral("startup"), QStringLiteral("step"), QStringLiteral("memory"),
                QStringLiteral("idle")};
    std::printf("the machine's load is shared with other work: figures are medians of runs "
                "interleaved with the anchor's\n");
    if (!bench.env.isEmpty())
        std::printf("both programs run with %s\n", qPrintable(bench.env.join(QLatin1Char(' '))));
    if (!bench.programEnv.isEmpty())
        std::printf("the program (not the anchor) runs with %s\n",
                    qPrintable(bench.programEnv.join(QLatin1Char(' '))));
    if (!args.contains(QStringLiteral("startup")))
        bench.startOnce(true); // the anchor's layout
    for (const QString &part : args) {
        if (part == QLatin1String("startup"))
            bench.startUp();
        else if (part == QLatin1String("step"))
            bench.questionSteps();
        else if (part == QLatin1String("memory"))
            bench.memory();
        else if (part == QLatin1String("idle"))
            bench.idle();
        else if (part == QLatin1String("idle-variants"))
            bench.idleVariants();
    }
    return 0;
}
