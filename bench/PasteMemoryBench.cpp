// What one pasted line of many characters costs the window in memory: the peak and the
// resident growth per character, from the paste to the end of its live pass and its save.
// Its own program, since the peak is the process's.
#include "LiveEvaluation.h"
#include "MainWindow.h"
#include "ScriptStore.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <functional>

#include <sys/resource.h>

namespace {

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

long residentKilobytes() {
    long kilobytes = -1;
    if (FILE* status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, status))
            if (std::strncmp(line, "VmRSS:", 6) == 0)
                kilobytes = std::strtol(line + 6, nullptr, 10);
        std::fclose(status);
    }
    return kilobytes;
}

void waitFor(const std::function<bool()>& done) {
    while (!done())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

void pasteOneLongLine(benchmark::State& state) {
    const qsizetype characters = state.range(0);
    MainWindow window;
    window.show();
    auto* editor = window.findChild<QPlainTextEdit*>(QStringLiteral("text_script"));
    auto* live = window.findChild<LiveEvaluation*>();
    {
        // A sum, so that the line is evaluated all the way.
        QString line(characters, QLatin1Char('1'));
        for (qsizetype i = 1; i < characters; i += 2)
            line[i] = QLatin1Char('+');
        QGuiApplication::clipboard()->setText(line);
    }
    QCoreApplication::processEvents();
    const long peakBefore = peakKilobytes();
    const long residentBefore = residentKilobytes();
    for (auto _ : state) {
        editor->setFocus();
        editor->paste();
        waitFor([live] { return !live->isPending(); });
        // The save waits for typing to pause.
        QElapsedTimer clock;
        clock.start();
        waitFor([&clock] { return clock.elapsed() > ScriptStore::pause + 500; });
    }
    const double perCharacter = 1024.0 / double(characters);
    state.counters["peak_bytes_per_char"] = double(peakKilobytes() - peakBefore) * perCharacter;
    state.counters["resident_bytes_per_char"] =
        double(residentKilobytes() - residentBefore) * perCharacter;
}

} // namespace

BENCHMARK(pasteOneLongLine)
    ->Arg(50'000'000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QTemporaryDir home;
    if (!home.isValid())
        qFatal("no temporary folder");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home.path());
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path() + QStringLiteral("/data")));
    QApplication::setOrganizationName(QStringLiteral("ScriptCalcBench"));
    QApplication::setApplicationName(QStringLiteral("paste_memory_bench"));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
