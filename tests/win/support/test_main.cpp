// The main of the Windows test programs. GoogleTest's own printer also hands every failed
// or skipped result to OutputDebugStringA, which raises and handles an exception; when
// 32-bit Wine runs under user-mode emulation (qemu-i386), every other thread of the
// program that is blocked in a wait dies when it next wakes, and the program with it. This
// printer writes the same lines to standard output only, each flushed at once, so a
// script watching the output also sees how far a program that hung got.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

class StdoutPrinter : public testing::EmptyTestEventListener {
  public:
    void OnTestIterationStart(const testing::UnitTest& unit_test, int) override {
        Line("[==========] Running " + std::to_string(unit_test.test_to_run_count()) +
             " tests from " + std::to_string(unit_test.test_suite_to_run_count()) +
             " test suites.");
    }

    void OnTestStart(const testing::TestInfo& test) override {
        Line("[ RUN      ] " + FullName(test));
    }

    void OnTestPartResult(const testing::TestPartResult& result) override {
        if (result.type() == testing::TestPartResult::kSuccess) {
            return;
        }
        const char* kind = result.type() == testing::TestPartResult::kSkip ? "Skipped" : "Failure";
        Line(std::string(result.file_name() != nullptr ? result.file_name() : "unknown") + "(" +
             std::to_string(result.line_number()) + "): " + kind + "\n" + result.message());
    }

    void OnTestEnd(const testing::TestInfo& test) override {
        const testing::TestResult& result = *test.result();
        const char* tag = result.Failed()    ? "[  FAILED  ]"
                          : result.Skipped() ? "[  SKIPPED ]"
                                             : "[       OK ]";
        if (result.Failed()) {
            failed_.push_back(FullName(test));
        }
        Line(std::string(tag) + " " + FullName(test) + " (" +
             std::to_string(result.elapsed_time()) + " ms)");
    }

    void OnTestIterationEnd(const testing::UnitTest& unit_test, int) override {
        Line("[==========] " + std::to_string(unit_test.test_to_run_count()) + " tests from " +
             std::to_string(unit_test.test_suite_to_run_count()) + " test suites ran. (" +
             std::to_string(unit_test.elapsed_time()) + " ms total)");
        Line("[  PASSED  ] " + std::to_string(unit_test.successful_test_count()) + " tests.");
        if (unit_test.skipped_test_count() > 0) {
            Line("[  SKIPPED ] " + std::to_string(unit_test.skipped_test_count()) + " tests.");
        }
        if (!failed_.empty()) {
            Line("[  FAILED  ] " + std::to_string(failed_.size()) + " tests, listed below:");
            for (const std::string& name : failed_) {
                Line("[  FAILED  ] " + name);
            }
        }
    }

  private:
    static std::string FullName(const testing::TestInfo& test) {
        return std::string(test.test_suite_name()) + "." + test.name();
    }

    static void Line(const std::string& text) {
        std::fputs(text.c_str(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }

    std::vector<std::string> failed_;
};

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleMock(&argc, argv);
    testing::TestEventListeners& listeners = testing::UnitTest::GetInstance()->listeners();
    delete listeners.Release(listeners.default_result_printer());
    listeners.Append(new StdoutPrinter);
    return RUN_ALL_TESTS();
}
