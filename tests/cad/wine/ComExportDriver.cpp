// Runs the program's own COM backend, CAD connection and table drawing against
// the recording stand-in server (RecordingCadServer.cpp), under Wine, and
// compares what the server saw with the lines and texts of the DXF file of the
// same drawing: the COM path must deliver exactly those, in that order, and
// release every reference it obtained.
//
//   cad-driver <scenario> <cad-server.exe> <log>
// scenarios: unregistered, create, attach, twice, nodocument, dies, section.
// Exits 0 when the scenario behaved, 1 with the first difference otherwise.
#include <objbase.h>
#include <windows.h>

#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "cad/CadConnection.h"
#include "cad/DxfRendering.h"
#include "cad/PlatformAutomation.h"
#include "cad/SectionDrawing.h"
#include "cad/TableDrawing.h"
#include "table/ElementsLayout.h"

namespace channel {

using namespace elements_table;  // the columns

namespace {

constexpr wchar_t kReadyEvent[] = L"RecordingCadServerReady";

// ---- the table -------------------------------------------------------------

// The drawing shows every column but the item's.
constexpr int kValueColumns = kLastValueColumn - kFirstValueColumn + 1;

struct SampleRow {
    int row;
    std::array<const char*, kValueColumns> texts;  // the value columns in order
};

// Rows 2, 5 and 9 are computed; row 7 has inputs but no velocity.
const std::array<SampleRow, 3> kComputed = {{
    {2, {"2", "1.5", "0.8", "0.014", "0.0004", "1.84", "4.03", "0.457", "42.6", "2.85", "1.55"}},
    {5,
     {"5", "12", "1.25", "0.025", "0.00035", "12345.678", "20.1", "1.3", "38.07", "1000", "0.08"}},
    {9, {"9", "3", "2", "0.0225", "0.002", "6", "7", "0.86", "40", "nan", "不是数字"}},
}};

TableCell SampleCell(int row, int column) {
    std::string text;
    if (row == kHeadingRow) {
        text = kHeadings[column];
    } else if (column == kItemColumn) {
        text = std::to_string(row) + (row == 3 ? "  >>>" : "");
    } else if (row == 7 && column <= kBedSlopeColumn) {
        text = "4";
    } else {
        for (const SampleRow& sample : kComputed) {
            if (sample.row == row) {
                text = sample.texts[static_cast<std::size_t>(column - kFirstValueColumn)];
            }
        }
    }
    // The table shows "nan" as "无效值"; every other cell shows its text here.
    return TableCell{text, text == "nan" ? "无效值" : text};
}

// ---- the calls the DXF file's content calls for -------------------------------

std::string Number(double value) {
    std::array<char, 64> digits{};
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value);
    return std::string(digits.data(), result.ptr);
}

std::string Point(double x, double y) {
    return "point(" + Number(x) + "," + Number(y) + ",0)";
}

class ExpectedServerCalls {
  public:
    // One export of what the DXF file holds of the same drawing: the COM
    // path must deliver exactly those lines and texts, in that order.
    void ExportOf(const std::string& application, const DxfDrawing& drawing) {
        const auto [document, modelSpace] = Open(application);
        bool styled = false;
        for (const DxfEntity& entity : drawing.entities) {
            if (const auto* line = std::get_if<DxfLine>(&entity)) {
                Line(modelSpace, line->start.x, line->start.y, line->end.x, line->end.y);
                continue;
            }
            if (!std::exchange(styled, true)) TextStyle(document);
            const DxfText& text = std::get<DxfText>(entity);
            Text(modelSpace, text.utf8Text, text.alignmentPoint.x, text.alignmentPoint.y,
                 static_cast<int>(text.height));
        }
    }

    const std::vector<std::string>& Calls() const { return calls_; }

  private:
    std::pair<std::string, std::string> Open(const std::string& application) {
        const std::string document = Next("Document", documents_);
        const std::string modelSpace = Next("ModelSpace", modelSpaces_);
        calls_.push_back(application + ".Visible put bool:true");
        calls_.push_back(application + ".ActiveDocument get -> " + document);
        calls_.push_back(document + ".ModelSpace get -> " + modelSpace);
        return {document, modelSpace};
    }
    void TextStyle(const std::string& document) {
        const std::string style = Next("TextStyle", styles_);
        calls_.push_back(document + ".ActiveTextStyle get -> " + style);
        calls_.push_back(style + ".BigFontFile put text:\"hztxt.shx\"");
    }
    static std::string Next(const char* kind, int& counter) {
        return std::string(kind) + "#" + std::to_string(++counter);
    }
    void Line(const std::string& modelSpace, double x1, double y1, double x2, double y2) {
        calls_.push_back(modelSpace + ".addline(" + Point(x1, y1) + ", " + Point(x2, y2) + ") -> " +
                         Next("Line", lines_));
    }
    void Text(const std::string& modelSpace, const std::string& text, double x, double y,
              int height) {
        const std::string entity = Next("Text", texts_);
        calls_.push_back(modelSpace + ".AddText(text:\"" + text + "\", " + Point(x, y) +
                         ", int:" + std::to_string(height) + ") -> " + entity);
        calls_.push_back(entity + ".scalefactor put double:0.7");
        calls_.push_back(entity + ".Alignment put int:4");
        calls_.push_back(entity + ".TextAlignmentPoint put " + Point(x, y));
    }

    std::vector<std::string> calls_;
    int documents_ = 0, modelSpaces_ = 0, styles_ = 0, lines_ = 0, texts_ = 0;
};

DxfDrawing SampleTable() {
    return DxfDrawingOf(DescribeElementsTable(SampleCell));
}

// ---- the server's log --------------------------------------------------------

std::vector<std::string> ReadLog(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool IsCall(const std::string& line) {
    return !EndsWith(line, " released") && line.rfind("created ", 0) != 0 &&
           line.rfind("running ", 0) != 0 && line != "ended" && line != "dying";
}

std::vector<std::string> Calls(const std::vector<std::string>& log) {
    std::vector<std::string> calls;
    for (const std::string& line : log) {
        if (IsCall(line)) calls.push_back(line);
    }
    return calls;
}

// The objects the server handed out that it has not seen released yet.
std::vector<std::string> Unreleased(const std::vector<std::string>& log) {
    std::vector<std::string> held;
    for (const std::string& line : log) {
        const std::size_t arrow = line.rfind(" -> ");
        if (arrow != std::string::npos) held.push_back(line.substr(arrow + 4));
        if (line.rfind("created ", 0) == 0) held.push_back(line.substr(8));
        if (EndsWith(line, " released")) {
            const std::string name = line.substr(0, line.size() - 9);
            for (auto it = held.begin(); it != held.end(); ++it) {
                if (*it == name) {
                    held.erase(it);
                    break;
                }
            }
        }
    }
    return held;
}

bool WaitFor(const std::function<bool()>& done, int milliseconds) {
    for (int waited = 0; waited < milliseconds; waited += 50) {
        if (done()) return true;
        Sleep(50);
    }
    return done();
}

int Fail(const std::string& why) {
    std::printf("FAIL: %s\n", why.c_str());
    return 1;
}

int CompareCalls(const std::vector<std::string>& actual, const std::vector<std::string>& expected) {
    for (std::size_t i = 0; i < actual.size() || i < expected.size(); ++i) {
        const std::string a = i < actual.size() ? actual[i] : "<end>";
        const std::string e = i < expected.size() ? expected[i] : "<end>";
        if (a != e) {
            return Fail("call " + std::to_string(i) + " of " + std::to_string(actual.size()) +
                        " (expected " + std::to_string(expected.size()) + ")\n  actual:   " + a +
                        "\n  expected: " + e);
        }
    }
    return 0;
}

// Every object the server handed out has been released by the program once
// its connection is released (the server's own running application aside).
int ExpectAllReleased(const std::string& logPath) {
    const bool released = WaitFor([&] { return Unreleased(ReadLog(logPath)).empty(); }, 10000);
    if (!released) {
        std::string held;
        for (const std::string& name : Unreleased(ReadLog(logPath))) held += " " + name;
        return Fail("references still held:" + held);
    }
    return 0;
}

// ---- the program's side ------------------------------------------------------

const char* OutcomeName(DrawingOutcome outcome) {
    switch (outcome) {
        case DrawingOutcome::Drawn:
            return "drawn";
        case DrawingOutcome::Incomplete:
            return "incomplete";
        case DrawingOutcome::Unreachable:
            return "unreachable";
    }
    return "?";
}

// Exports as the program does: one backend per export, the connection kept
// between exports and released at exit.
std::vector<DrawingOutcome> Export(CadConnection& connection, int times) {
    std::vector<DrawingOutcome> outcomes;
    for (int i = 0; i < times; ++i) {
        const std::unique_ptr<Automation> com = MakePlatformAutomation();
        const auto start = std::chrono::steady_clock::now();
        outcomes.push_back(DrawElementsTable(connection, *com, SampleCell));
        const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - start);
        std::printf("export %d: %s in %lld ms\n", i + 1, OutcomeName(outcomes.back()),
                    static_cast<long long>(took.count()));
    }
    return outcomes;
}

int ExpectOutcomes(const std::vector<DrawingOutcome>& outcomes, DrawingOutcome expected) {
    for (DrawingOutcome outcome : outcomes) {
        if (outcome != expected) {
            return Fail(std::string("export ") + OutcomeName(outcome) + ", expected " +
                        OutcomeName(expected));
        }
    }
    return 0;
}

// A running application, as AutoCAD is when the user has started it.
class RunningServer {
  public:
    RunningServer(const std::string& server, const std::string& log, const std::string& options) {
        ready_ = CreateEventW(nullptr, TRUE, FALSE, kReadyEvent);
        std::string command = "\"" + server + "\" /run /log \"" + log + "\" " + options;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        started_ = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  nullptr, &startup, &process_) != 0;
        started_ = started_ && WaitForSingleObject(ready_, 20000) == WAIT_OBJECT_0;
    }
    ~RunningServer() {
        if (process_.hProcess != nullptr) {
            TerminateProcess(process_.hProcess, 0);
            WaitForSingleObject(process_.hProcess, 5000);
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
        CloseHandle(ready_);
    }
    RunningServer(const RunningServer&) = delete;
    RunningServer& operator=(const RunningServer&) = delete;

    bool Started() const { return started_; }
    bool Ended(int milliseconds) const {
        return WaitForSingleObject(process_.hProcess, milliseconds) == WAIT_OBJECT_0;
    }

  private:
    HANDLE ready_ = nullptr;
    PROCESS_INFORMATION process_{};
    bool started_ = false;
};

int Run(const std::string& scenario, const std::string& server, const std::string& log) {
    DeleteFileA(log.c_str());
    CadConnection connection;
    ExpectedServerCalls expected;

    if (scenario == "unregistered") {
        const int failed = ExpectOutcomes(Export(connection, 1), DrawingOutcome::Unreachable);
        if (connection.cadApplication != nullptr) return Fail("an application slot was filled");
        ReleaseCadConnection(connection);
        return failed;
    }
    if (scenario == "create") {
        if (const int failed = ExpectOutcomes(Export(connection, 1), DrawingOutcome::Drawn)) {
            return failed;
        }
        expected.ExportOf("Application#1", SampleTable());
        if (const int failed = CompareCalls(Calls(ReadLog(log)), expected.Calls())) return failed;
        ReleaseCadConnection(connection);
        if (const int failed = ExpectAllReleased(log)) return failed;
        // Nobody holds it any more, so the started application ends.
        const bool ended = WaitFor([&] { return ReadLog(log).back() == "ended"; }, 10000);
        return ended ? 0 : Fail("the started server did not end");
    }

    const bool noDocument = scenario == "nodocument";
    const bool dies = scenario == "dies";
    constexpr int kCallsBeforeDeath = 40;
    std::string options;
    if (noDocument) options = "/nodocument";
    if (dies) options = "/dieafter " + std::to_string(kCallsBeforeDeath);
    RunningServer running(server, log, options);
    if (!running.Started()) return Fail("the running server did not start");

    if (scenario == "attach" || scenario == "twice") {
        const int times = scenario == "twice" ? 2 : 1;
        if (const int failed = ExpectOutcomes(Export(connection, times), DrawingOutcome::Drawn)) {
            return failed;
        }
        for (int i = 0; i < times; ++i) expected.ExportOf("Application#1", SampleTable());
        if (const int failed = CompareCalls(Calls(ReadLog(log)), expected.Calls())) return failed;
        ReleaseCadConnection(connection);
        return ExpectAllReleased(log);
    }
    if (scenario == "section") {
        const SectionDimensions section{3, 2, 1.5, 0.94, 0.9334, 0.4183};
        const std::unique_ptr<Automation> com = MakePlatformAutomation();
        if (DrawSection(connection, *com, section) != DrawingOutcome::Drawn) {
            return Fail("the section was not drawn");
        }
        expected.ExportOf("Application#1", DxfDrawingOf(DescribeSection(section)));
        if (const int failed = CompareCalls(Calls(ReadLog(log)), expected.Calls())) return failed;
        std::printf("section: %zu calls\n", expected.Calls().size());
        ReleaseCadConnection(connection);
        return ExpectAllReleased(log);
    }
    if (noDocument) {
        if (const int failed = ExpectOutcomes(Export(connection, 1), DrawingOutcome::Incomplete)) {
            return failed;
        }
        const int failed = CompareCalls(
            Calls(ReadLog(log)), {"Application#1.Visible put bool:true",
                                  "Application#1.ActiveDocument get refused: no drawing open"});
        ReleaseCadConnection(connection);
        return failed != 0 ? failed : ExpectAllReleased(log);
    }
    if (dies) {
        if (const int failed = ExpectOutcomes(Export(connection, 1), DrawingOutcome::Incomplete)) {
            return failed;
        }
        if (!running.Ended(10000)) return Fail("the server did not die");
        expected.ExportOf("Application#1", SampleTable());
        std::vector<std::string> before(expected.Calls().begin(),
                                        expected.Calls().begin() + kCallsBeforeDeath);
        if (const int failed = CompareCalls(Calls(ReadLog(log)), before)) return failed;
        // Releasing references into a dead process must not hang or crash.
        ReleaseCadConnection(connection);
        return 0;
    }
    return Fail("unknown scenario " + scenario);
}

}  // namespace

}  // namespace channel

using namespace channel;

int main(int argc, char** argv) {
    // Unbuffered, so a step that hangs and is killed has said how far it got.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <scenario> <cad-server.exe> <log>\n", argv[0]);
        return 2;
    }
    // The driver's own apartment outlives every reference the backend makes,
    // so releases are still delivered while the server's log is checked.
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return Fail("CoInitializeEx");
    const int result = Run(argv[1], argv[2], argv[3]);
    CoUninitialize();
    std::printf("%s: %s\n", argv[1], result == 0 ? "ok" : "FAILED");
    return result;
}
