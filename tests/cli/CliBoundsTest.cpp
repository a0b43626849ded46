// What the command line cannot do is reported, never passed off as success
// and never a crash: endless input, output that cannot be written, memory
// that runs out.
#include "CliRunner.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <ostream>

namespace {

struct BoundRow {
    const char* name;
    QStringList arguments;
    QString standardInput; // a file for standard input, or empty
};

void PrintTo(const BoundRow& a_Row, std::ostream* a_pOs) {
    *a_pOs << a_Row.name;
}

class CliEndlessInputTest : public testing::TestWithParam<BoundRow> {};

TEST_P(CliEndlessInputTest, StopsAtTheLimitWithExitCodeTwo) {
    const BoundRow& row = GetParam();
    const CliRun run = runPreparedCli(row.arguments, [&row](QProcess& process) {
        if (!row.standardInput.isEmpty())
            process.setStandardInputFile(row.standardInput);
    });
    EXPECT_EQ(2, run.exitCode);
    EXPECT_EQ(QString(), run.out);
    EXPECT_TRUE(run.err.contains(QStringLiteral("longer than 268435456 bytes")))
        << run.err.toStdString();
}

const BoundRow kEndlessRows[] = {
    {"zero_device", {"/dev/zero"}, {}},
    {"zero_device_as_standard_input", {"-"}, "/dev/zero"},
    {"random_device", {"/dev/urandom"}, {}},
};

INSTANTIATE_TEST_SUITE_P(Cli, CliEndlessInputTest, testing::ValuesIn(kEndlessRows), RowName());

struct OutputRow {
    const char* name;
    QStringList arguments;
    bool closeOutput; // true: standard output closed; false: /dev/full
};

void PrintTo(const OutputRow& a_Row, std::ostream* a_pOs) {
    *a_pOs << a_Row.name;
}

class CliOutputFailureTest : public testing::TestWithParam<OutputRow> {};

TEST_P(CliOutputFailureTest, IsReportedWithExitCodeTwo) {
    const OutputRow& row = GetParam();
    const CliRun run = runPreparedCli(row.arguments, [&row](QProcess& process) {
        if (row.closeOutput)
            process.setChildProcessModifier([] { ::close(STDOUT_FILENO); });
        else
            process.setStandardOutputFile(QStringLiteral("/dev/full"));
    });
    EXPECT_EQ(2, run.exitCode);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("scriptcalc-cli: cannot write the output: ")))
        << run.err.toStdString();
}

const OutputRow kOutputRows[] = {
    {"full_device", {"-e", "1+1"}, false},
    {"closed_output", {"-e", "1+1"}, true},
    {"version_on_full_device", {"--version"}, false},
};

INSTANTIATE_TEST_SUITE_P(Cli, CliOutputFailureTest, testing::ValuesIn(kOutputRows), RowName());

// The sanitizer build compiles the tests' own code without instrumentation and says so.
#if defined(__SANITIZE_ADDRESS__) || defined(SCRIPTCALC_SANITIZED_BUILD)
#define SCRIPTCALC_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SCRIPTCALC_ADDRESS_SANITIZER 1
#endif
#endif

// Reading a long script under a small address-space limit runs out of
// memory; that is an error like any other. (The address sanitizer reserves
// far more address space than any such limit allows, so it cannot run this.)
TEST(CliBounds, RunningOutOfMemoryIsAnErrorNotACrash) {
#ifdef SCRIPTCALC_ADDRESS_SANITIZER
    GTEST_SKIP() << "needs a limit on the address space";
#else
    const CliRun run = runPreparedCli({"-"}, [](QProcess& process) {
        process.setStandardInputFile(QStringLiteral("/dev/zero"));
        process.setChildProcessModifier([] {
            const rlim_t limit = rlim_t(192) * 1024 * 1024;
            const rlimit space{limit, limit};
            ::setrlimit(RLIMIT_AS, &space);
        });
    });
    EXPECT_EQ(2, run.exitCode);
    EXPECT_EQ(QStringLiteral("scriptcalc-cli: out of memory\n"), run.err);
#endif
}

} // namespace
